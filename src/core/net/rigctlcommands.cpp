#include "core/net/rigctlcommands.h"

namespace RigctlCommands {

namespace {

using Ext = RigctlExtended;

// Sets answer "RPRT n" alone; gets answer their values, or "RPRT n" when they fail. Hamlib's
// rigctld ends \dump_caps and \get_lock_mode with a status line as well, and answers \chk_vfo
// without header or status line even in the extended protocol.
constexpr unsigned Set = StatusInPlain | ChangesRadio;

constexpr RigctlCommand Commands[] = {
    {RigctlOp::GetFreq, 'f', "get_freq", 0, TakesVfo, Ext::Full, {"Frequency"}},
    {RigctlOp::SetFreq, 'F', "set_freq", 1, TakesVfo | Set, Ext::Full, {}},
    {RigctlOp::GetMode, 'm', "get_mode", 0, 0, Ext::Full, {"Mode", "Passband"}},
    {RigctlOp::SetMode, 'M', "set_mode", 2, TakesQuery | Set, Ext::Full, {}},
    {RigctlOp::GetVfo, 'v', "get_vfo", 0, 0, Ext::Full, {"VFO"}},
    {RigctlOp::SetVfo, 'V', "set_vfo", 1, TakesQuery | Set, Ext::Full, {}},
    {RigctlOp::GetSplitVfo, 's', "get_split_vfo", 0, 0, Ext::Full, {"Split", "TX VFO"}},
    {RigctlOp::SetSplitVfo, 'S', "set_split_vfo", 2, Set, Ext::Full, {}},
    {RigctlOp::GetPtt, 't', "get_ptt", 0, 0, Ext::Full, {"PTT"}},
    {RigctlOp::SetPtt, 'T', "set_ptt", 1, Set, Ext::Full, {}},
    {RigctlOp::GetRit, 'j', "get_rit", 0, 0, Ext::Full, {"RIT"}},
    {RigctlOp::SetRit, 'J', "set_rit", 1, Set, Ext::Full, {}},
    {RigctlOp::GetSplitFreq, 'i', "get_split_freq", 0, 0, Ext::Full, {"TX Frequency"}},
    {RigctlOp::SetSplitFreq, 'I', "set_split_freq", 1, Set, Ext::Full, {}},
    {RigctlOp::GetSplitMode, 'x', "get_split_mode", 0, 0, Ext::Full, {"TX Mode", "TX Passband"}},
    {RigctlOp::SetSplitMode, 'X', "set_split_mode", 2, TakesQuery | Set, Ext::Full, {}},
    {RigctlOp::GetSplitFreqMode,
     '\0',
     "get_split_freq_mode",
     0,
     0,
     Ext::Full,
     {"TX Frequency", "TX Mode", "TX Passband"}},
    {RigctlOp::SetSplitFreqMode, '\0', "set_split_freq_mode", 3, Set, Ext::Full, {}},
    // A level's or function's value is a bare line even in the extended protocol.
    {RigctlOp::GetLevel, 'l', "get_level", 1, TakesQuery, Ext::Full, {}},
    {RigctlOp::SetLevel, 'L', "set_level", 2, TakesQuery | Set, Ext::Full, {}},
    {RigctlOp::GetFunc, 'u', "get_func", 1, TakesQuery, Ext::Full, {}},
    {RigctlOp::SetFunc, 'U', "set_func", 2, TakesQuery | Set, Ext::Full, {}},
    {RigctlOp::GetPowerstat, '\0', "get_powerstat", 0, 0, Ext::Full, {"Power Status"}},
    {RigctlOp::ChkVfo, '\0', "chk_vfo", 0, 0, Ext::KeyedOnly, {"ChkVFO"}},
    {RigctlOp::DumpState, '\0', "dump_state", 0, 0, Ext::Full, {}},
    {RigctlOp::DumpCaps, '1', "dump_caps", 0, StatusInPlain, Ext::Full, {}},
    {RigctlOp::GetLockMode, '\0', "get_lock_mode", 0, StatusInPlain, Ext::Full, {"Locked"}},
    {RigctlOp::SendMorse, 'b', "send_morse", 1, TakesLine | Set, Ext::Full, {}},
    {RigctlOp::StopMorse, '\0', "stop_morse", 0, Set, Ext::Full, {}},
    {RigctlOp::Quit, 'q', "quit", 0, StatusInPlain, Ext::AsPlain, {}},
    {RigctlOp::Quit, 'Q', "quit", 0, StatusInPlain, Ext::AsPlain, {}},
};

} // namespace

const RigctlCommand *findShort(char name)
{
    if (name == '\0')
        return nullptr;
    for (const auto &c : Commands) {
        if (c.shortName == name)
            return &c;
    }
    return nullptr;
}

const RigctlCommand *findLong(QByteArrayView name)
{
    for (const auto &c : Commands) {
        if (name == c.longName)
            return &c;
    }
    return nullptr;
}

} // namespace RigctlCommands
