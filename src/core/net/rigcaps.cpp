#include "core/net/rigcaps.h"

#include <algorithm>
#include <cstdlib>

namespace RigCaps {

namespace {

// Hamlib mode bits: AM 0x1, CW 0x2, USB 0x4, LSB 0x8, RTTY 0x10, FM 0x20, CWR 0x80, RTTYR 0x100.
constexpr quint64 AllModes = 0x1bf;
constexpr quint64 AmOnly = 0x1;
constexpr quint64 AllButAm = AllModes & ~AmOnly;

constexpr FrequencyRange ReceiveRanges[] = {
    {500'000, 30'000'000, AllModes, -1, -1},
};

// The amateur bands of ITU region 2; AM carries a quarter of the power.
constexpr FrequencyRange TransmitRanges[] = {
    {1'800'000, 1'999'999, AllButAm, 5000, 100000},   {1'800'000, 1'999'999, AmOnly, 5000, 25000},
    {3'500'000, 3'999'999, AllButAm, 5000, 100000},   {3'500'000, 3'999'999, AmOnly, 5000, 25000},
    {7'000'000, 7'300'000, AllButAm, 5000, 100000},   {7'000'000, 7'300'000, AmOnly, 5000, 25000},
    {10'100'000, 10'150'000, AllButAm, 5000, 100000}, {10'100'000, 10'150'000, AmOnly, 5000, 25000},
    {14'000'000, 14'350'000, AllButAm, 5000, 100000}, {14'000'000, 14'350'000, AmOnly, 5000, 25000},
    {18'068'000, 18'168'000, AllButAm, 5000, 100000}, {18'068'000, 18'168'000, AmOnly, 5000, 25000},
    {21'000'000, 21'450'000, AllButAm, 5000, 100000}, {21'000'000, 21'450'000, AmOnly, 5000, 25000},
    {24'890'000, 24'990'000, AllButAm, 5000, 100000}, {24'890'000, 24'990'000, AmOnly, 5000, 25000},
    {28'000'000, 29'700'000, AllButAm, 5000, 100000}, {28'000'000, 29'700'000, AmOnly, 5000, 25000},
};

constexpr int TuningSteps[]
    = {50, 100, 1000, 5000, 9000, 10000, 12500, 20000, 25000, 100000, 1000000};

// CW and FSK widths are the radio's own filter codes read as hertz.
constexpr int CwWidths[] = {400, 50, 100, 200, 300, 600, 1000, 2000};
constexpr int FskWidths[] = {1000, 250, 500, 1500};
constexpr int SsbWidths[] = {2400, 1800};
constexpr int AmWidths[] = {6000, 2400};
constexpr int FmWidths[] = {12000, 6000};

constexpr RigLevel Levels[] = {
    RigLevel::Preamp,  RigLevel::Att,      RigLevel::Af,        RigLevel::Rf,  RigLevel::Sql,
    RigLevel::RfPower, RigLevel::MicGain,  RigLevel::KeySpeed,  RigLevel::Agc, RigLevel::Swr,
    RigLevel::Alc,     RigLevel::Strength, RigLevel::CompMeter,
};

constexpr RigFunc Functions[] = {
    RigFunc::Fagc, RigFunc::Nb,   RigFunc::Comp, RigFunc::Vox,   RigFunc::Tone,
    RigFunc::Nr,   RigFunc::Lock, RigFunc::Bc,   RigFunc::Tuner,
};

// The radio's tone table without its last entry, the 1750 Hz burst.
constexpr int CtcssTones[] = {
    670,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000, 1035,
    1072, 1109, 1148, 1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567, 1622,
    1679, 1738, 1799, 1862, 1928, 2035, 2107, 2181, 2257, 2336, 2418, 2503,
};

constexpr RigAgc AgcLevels[] = {RigAgc::Fast, RigAgc::Slow};

} // namespace

std::span<const RigLevel> levels()
{
    return Levels;
}

std::span<const RigFunc> functions()
{
    return Functions;
}

QByteArrayList levelNames(bool settable)
{
    QByteArrayList names;
    for (RigLevel level : Levels) {
        if (!settable || !RigTokens::levelIsReadOnly(level))
            names << RigTokens::levelName(level);
    }
    return names;
}

QByteArrayList funcNames()
{
    QByteArrayList names;
    for (RigFunc func : Functions)
        names << RigTokens::funcName(func);
    return names;
}

bool servesLevel(RigLevel level)
{
    return std::find(std::begin(Levels), std::end(Levels), level) != std::end(Levels);
}

bool servesFunc(RigFunc func)
{
    return std::find(std::begin(Functions), std::end(Functions), func) != std::end(Functions);
}

quint64 getLevelMask()
{
    quint64 mask = 0;
    for (RigLevel level : Levels)
        mask |= RigTokens::levelBit(level);
    return mask;
}

quint64 setLevelMask()
{
    quint64 mask = 0;
    for (RigLevel level : Levels) {
        if (!RigTokens::levelIsReadOnly(level))
            mask |= RigTokens::levelBit(level);
    }
    return mask;
}

quint64 funcMask()
{
    quint64 mask = 0;
    for (RigFunc func : Functions)
        mask |= RigTokens::funcBit(func);
    return mask;
}

std::span<const int> ctcssTones()
{
    return CtcssTones;
}

std::span<const RigAgc> agcLevels()
{
    return AgcLevels;
}

std::span<const FrequencyRange> receiveRanges()
{
    return ReceiveRanges;
}

std::span<const FrequencyRange> transmitRanges()
{
    return TransmitRanges;
}

std::span<const int> tuningSteps()
{
    return TuningSteps;
}

std::span<const int> passbands(RigMode mode)
{
    switch (mode) {
    case RigMode::Cw:
    case RigMode::Cwr:
        return CwWidths;
    case RigMode::Rtty:
    case RigMode::Rttyr:
        return FskWidths;
    case RigMode::Lsb:
    case RigMode::Usb:
        return SsbWidths;
    case RigMode::Am:
        return AmWidths;
    case RigMode::Fm:
        return FmWidths;
    }
    return SsbWidths;
}

quint64 modeMask()
{
    return AllModes;
}

quint64 vfoMask()
{
    // RIG_VFO_A, RIG_VFO_B and RIG_VFO_MEM.
    return 0x1 | 0x2 | (quint64(1) << 28);
}

bool canReceive(qint64 hz)
{
    for (const auto &r : ReceiveRanges) {
        if (hz >= r.startHz && hz <= r.endHz)
            return true;
    }
    return false;
}

std::optional<int> resolvePassband(RigMode mode, int requestedHz)
{
    const auto widths = passbands(mode);
    if (requestedHz < 0)
        return std::nullopt;
    if (requestedHz == 0)
        return widths.front();
    int best = widths.front();
    for (int w : widths) {
        const int distance = std::abs(w - requestedHz);
        const int bestDistance = std::abs(best - requestedHz);
        if (distance < bestDistance || (distance == bestDistance && w < best))
            best = w;
    }
    return best;
}

} // namespace RigCaps
