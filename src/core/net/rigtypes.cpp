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

const ModeToken &modeToken(RigMode mode)
{
    for (const auto &t : ModeTokens) {
        if (t.mode == mode)
            return t;
    }
    return ModeTokens[0];
}

} // namespace

QByteArray vfoName(RigVfo vfo)
{
    for (const auto &t : VfoTokens) {
        if (t.vfo == vfo)
            return t.name;
    }
    return {};
}

std::optional<RigVfo> vfoFromName(const QByteArray &name)
{
    for (const auto &t : VfoTokens) {
        if (name == t.name)
            return t.vfo;
    }
    return std::nullopt;
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
    for (const auto &t : ModeTokens) {
        if (name == t.name)
            return t.mode;
    }
    return std::nullopt;
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

} // namespace RigTokens
