// The values a network client and the radio exchange through the rigctld protocol: VFOs, modes,
// split and power state, and the protocol's status codes. Tokens are the ones Hamlib uses on the
// wire ("VFOA", "USB", "RPRT -1").
#pragma once

#include <QByteArray>
#include <QByteArrayList>

#include <optional>

// Hamlib's status codes, as the negative numbers the protocol sends after "RPRT".
enum class RigError {
    Ok = 0,
    InvalidParameter = -1, // EINVAL
    Config = -2, // ECONF
    NoMemory = -3, // ENOMEM
    NotImplemented = -4, // ENIMPL
    Timeout = -5, // ETIMEOUT
    Io = -6, // EIO
    Internal = -7, // EINTERNAL
    Protocol = -8, // EPROTO
    Rejected = -9, // ERJCTED
    Truncated = -10, // ETRUNC
    NotAvailable = -11, // ENAVAIL
};

enum class RigVfo { Current, A, B, Memory };

// The TS-570's modes under their Hamlib names: CWR is CW-R, RTTY is FSK, RTTYR is FSK-R.
enum class RigMode { Lsb, Usb, Cw, Cwr, Rtty, Rttyr, Am, Fm };

enum class RigPower { Off = 0, On = 1, Standby = 2 };

// The levels the server knows, under Hamlib's names (see RigTokens::levelName). Values travel in
// Hamlib's units: gains and power 0.0 to 1.0, PREAMP and ATT in dB, AGC as Hamlib's AGC number,
// KEYSPD in words per minute, STRENGTH in dB relative to S9, SWR as a ratio, ALC 0.0 to 1.0,
// COMP_METER in dB.
enum class RigLevel {
    Preamp,
    Att,
    Af,
    Rf,
    Sql,
    RfPower,
    MicGain,
    KeySpeed,
    Agc,
    Swr,
    Alc,
    Strength,
    CompMeter,
};

// The functions the server knows: on (1) or off (0); NR also takes 2 (the second reduction).
enum class RigFunc { Fagc, Nb, Comp, Vox, Tone, Nr, Lock, Bc, Tuner };

// Hamlib's AGC numbers for the two speeds this radio has.
enum class RigAgc { Fast = 2, Slow = 3 };

struct RigModeWidth
{
    RigMode mode = RigMode::Usb;
    int passbandHz = 0;
};

struct RigSplit
{
    bool on = false;
    RigVfo txVfo = RigVfo::A;
};

namespace RigTokens {

QByteArray vfoName(RigVfo vfo);
// "VFOA", "VFOB", "MEM", and "currVFO" (also "VFO" and "RX") for the current one; "Main" and
// "Sub" name VFO A and B. Anything else, "TX" and "VFOC" included, is nullopt.
std::optional<RigVfo> vfoFromName(const QByteArray &name);
// The names a client may set, in the order "V ?" lists them.
QByteArrayList settableVfoNames();

QByteArray modeName(RigMode mode);
std::optional<RigMode> modeFromName(const QByteArray &name);
QByteArrayList modeNames();
// Hamlib's bit for the mode in capability masks (RIG_MODE_USB is 0x4 and so on).
quint64 modeBit(RigMode mode);
// A mode a client may set: the radio's own, and the data modes it carries on them (PKTUSB is
// USB, PKTLSB is LSB, PKTFM is FM).
std::optional<RigMode> settableModeFromName(const QByteArray &name);

QByteArray levelName(RigLevel level);
std::optional<RigLevel> levelFromName(const QByteArray &name);
// Hamlib's bit for the level in capability masks, and whether its value is a fraction ("%f") or
// a whole number.
quint64 levelBit(RigLevel level);
bool levelIsFloat(RigLevel level);
// Meter readings a client can only read.
bool levelIsReadOnly(RigLevel level);

QByteArray funcName(RigFunc func);
std::optional<RigFunc> funcFromName(const QByteArray &name);
quint64 funcBit(RigFunc func);

} // namespace RigTokens
