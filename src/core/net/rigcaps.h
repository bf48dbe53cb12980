// What the server tells clients about the radio behind it, a TS-570D: frequency ranges, tuning
// steps, passbands per mode and RIT limits. Held as tables; the \dump_state and \dump_caps
// texts and the checks on client arguments are read from them.
#pragma once

#include "core/net/rigtypes.h"

#include <optional>
#include <span>

namespace RigCaps {

// The TS-570D's number in Hamlib's list of models.
inline constexpr int HamlibModel = 2004;
inline constexpr const char *ModelName = "TS-570D";
inline constexpr const char *MakerName = "Kenwood";
// The ITU region whose transmit ranges transmitRanges() lists.
inline constexpr int ItuRegion = 2;
inline constexpr int MaxRitHz = 9990;
inline constexpr int MaxXitHz = 9990;
inline constexpr int PreampDb = 12;
inline constexpr int AttenuatorDb = 18;
// The longest a client may have to wait for an answer: a request that waits for a memory
// transfer to end and then for a slow line. Clients are told it as their timeout.
inline constexpr int AnswerTimeoutMs = 20000;

struct FrequencyRange
{
    qint64 startHz;
    qint64 endHz;
    quint64 modes; // Hamlib mode bits
    int lowPowerMw; // -1 for a receive range
    int highPowerMw;
};

std::span<const FrequencyRange> receiveRanges();
std::span<const FrequencyRange> transmitRanges();
// Tuning steps in hertz, good in every mode.
std::span<const int> tuningSteps();
// The widths the radio offers in a mode, in hertz, the normal one first. For SSB, AM and FM
// the radio has a wide and a narrow position: the first figure stands for wide, the second
// for narrow.
std::span<const int> passbands(RigMode mode);
// All modes, as Hamlib mode bits.
quint64 modeMask();
// Hamlib's VFO bits for VFO A, VFO B and memory.
quint64 vfoMask();

// The levels and functions served, in Hamlib's order; the ones a client may set are the levels
// that are not meter readings, and every function.
std::span<const RigLevel> levels();
std::span<const RigFunc> functions();
// Their names, as clients write them: every level served, or only those a client may set.
QByteArrayList levelNames(bool settable);
QByteArrayList funcNames();
bool servesLevel(RigLevel level);
bool servesFunc(RigFunc func);
// Their Hamlib capability masks.
quint64 getLevelMask();
quint64 setLevelMask();
quint64 funcMask();
// The CTCSS tones, in tenths of a hertz (the 1750 Hz tone burst is no CTCSS tone).
std::span<const int> ctcssTones();
// The AGC speeds, as Hamlib numbers them.
std::span<const RigAgc> agcLevels();

bool canReceive(qint64 hz);
// A client's passband for set_mode: -1 leaves the width alone (nullopt), 0 asks for the mode's
// normal width, anything else gets the nearest width the mode has (the narrower on a tie).
// Nullopt as well for a width below -1, which callers refuse before asking.
std::optional<int> resolvePassband(RigMode mode, int requestedHz);

} // namespace RigCaps
