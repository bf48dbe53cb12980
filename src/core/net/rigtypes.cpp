#include "core/net/rigtypes.h"

namespace RigTokens {

namespace {

struct VfoToken
{
    const char *name;
    RigVfo vfo;
};

// The first entry for each VFO is the name a reply uses.
constexpr VfoToken VfoTokens[] = {
    {"VFOA", RigVfo::A},          {"VFOB", RigVfo::B},      {"MEM", RigVfo::Memory},
    {"currVFO", RigVfo::Current}, {"VFO", RigVfo::Current}, {"RX", RigVfo::Current},
    {"Main", RigVfo::A},          {"Sub", RigVfo::B},
};

struct ModeToken
{
    const char *name;
    RigMode mode;
    quint64 bit;
};

// Listed in the order of Hamlib's mode bits.
constexpr ModeToken ModeTokens[] = {
    {"AM", RigMode::Am, 0x1},    {"CW", RigMode::Cw, 0x2},         {"USB", RigMode::Usb, 0x4},
    {"LSB", RigMode::Lsb, 0x8},  {"RTTY", RigMode::Rtty, 0x10},    {"FM", RigMode::Fm, 0x20},
    {"CWR", RigMode::Cwr, 0x80}, {"RTTYR", RigMode::Rttyr, 0x100},
};

// Data modes a client may name: the radio sends data on the voice mode they stand for.
constexpr ModeToken DataModeTokens[]
    = {{"PKTUSB", RigMode::Usb, 0}, {"PKTLSB", RigMode::Lsb, 0}, {"PKTFM", RigMode::Fm, 0}};

struct LevelToken
{
    const char *name;
    RigLevel level;
    quint64 bit;
    bool isFloat;
    bool readOnly;
};

// Hamlib's RIG_LEVEL_* bits.
constexpr LevelToken LevelTokens[] = {
    {"PREAMP", RigLevel::Preamp, 0x1, false, false},
    {"ATT", RigLevel::Att, 0x2, false, false},
    {"AF", RigLevel::Af, 0x8, true, false},
    {"RF", RigLevel::Rf, 0x10, true, false},
    {"SQL", RigLevel::Sql, 0x20, true, false},
    {"RFPOWER", RigLevel::RfPower, 0x1000, true, false},
    {"MICGAIN", RigLevel::MicGain, 0x2000, true, false},
    {"KEYSPD", RigLevel::KeySpeed, 0x4000, false, false},
    {"AGC", RigLevel::Agc, 0x20000, false, false},
    {"SWR", RigLevel::Swr, 0x10000000, true, true},
    {"ALC", RigLevel::Alc, 0x20000000, true, true},
    {"STRENGTH", RigLevel::Strength, 0x40000000, false, true},
    {"COMP_METER", RigLevel::CompMeter, quint64(1) << 33, true, true},
};

struct FuncToken
{
    const char *name;
    RigFunc func;
    quint64 bit;
};

// Hamlib's RIG_FUNC_* bits.
constexpr FuncToken FuncTokens[] = {
    {"FAGC", RigFunc::Fagc, 0x1},          {"NB", RigFunc::Nb, 0x2},
    {"COMP", RigFunc::Comp, 0x4},          {"VOX", RigFunc::Vox, 0x8},
    {"TONE", RigFunc::Tone, 0x10},         {"NR", RigFunc::Nr, 0x200},
    {"LOCK", RigFunc::Lock, 0x10000},      {"BC", RigFunc::Bc, 0x400000},
    {"TUNER", RigFunc::Tuner, 0x40000000},
};

// The first token of a table that stands for key (every value has one), and the value a name
// stands for.
template<typename Token, std::size_t N, typename Key>
const Token &tokenFor(const Token (&tokens)[N], Key Token::*member, Key key)
{
    for (const Token &t : tokens) {
        if (t.*member == key)
            return t;
    }
    return tokens[0];
}

template<typename Token, std::size_t N, typename Key>
std::optional<Key> valueNamed(const Token (&tokens)[N], Key Token::*member, const QByteArray &name)
{
    for (const Token &t : tokens) {
        if (name == t.name)
            return t.*member;
    }
    return std::nullopt;
}

const LevelToken &levelToken(RigLevel level)
{
    return tokenFor(LevelTokens, &LevelToken::level, level);
}

const FuncToken &funcToken(RigFunc func)
{
    return tokenFor(FuncTokens, &FuncToken::func, func);
}

const ModeToken &modeToken(RigMode mode)
{
    return tokenFor(ModeTokens, &ModeToken::mode, mode);
}

} // namespace

QByteArray vfoName(RigVfo vfo)
{
    return tokenFor(VfoTokens, &VfoToken::vfo, vfo).name;
}

std::optional<RigVfo> vfoFromName(const QByteArray &name)
{
    return valueNamed(VfoTokens, &VfoToken::vfo, name);
}

QByteArrayList settableVfoNames()
{
    return {"VFOA", "VFOB", "MEM"};
}

QByteArray modeName(RigMode mode)
{
    return modeToken(mode).name;
}

std::optional<RigMode> modeFromName(const QByteArray &name)
{
    return valueNamed(ModeTokens, &ModeToken::mode, name);
}

QByteArrayList modeNames()
{
    QByteArrayList names;
    for (const auto &t : ModeTokens)
        names << t.name;
    return names;
}

quint64 modeBit(RigMode mode)
{
    return modeToken(mode).bit;
}

std::optional<RigMode> settableModeFromName(const QByteArray &name)
{
    const auto data = valueNamed(DataModeTokens, &ModeToken::mode, name);
    return data ? data : modeFromName(name);
}

QByteArray levelName(RigLevel level)
{
    return levelToken(level).name;
}

std::optional<RigLevel> levelFromName(const QByteArray &name)
{
    return valueNamed(LevelTokens, &LevelToken::level, name);
}

quint64 levelBit(RigLevel level)
{
    return levelToken(level).bit;
}

bool levelIsFloat(RigLevel level)
{
    return levelToken(level).isFloat;
}

bool levelIsReadOnly(RigLevel level)
{
    return levelToken(level).readOnly;
}

QByteArray funcName(RigFunc func)
{
    return funcToken(func).name;
}

std::optional<RigFunc> funcFromName(const QByteArray &name)
{
    return valueNamed(FuncTokens, &FuncToken::func, name);
}

quint64 funcBit(RigFunc func)
{
    return funcToken(func).bit;
}

} // namespace RigTokens
