// The rigctld commands the server knows, as one table: short and long name, arguments and how
// the reply is laid out in the plain and the extended ("+") protocol. A new command is one row
// here, one RigctlOp, and its case in the executor.
#pragma once

#include <QByteArrayView>

#include <array>

enum class RigctlOp {
    GetFreq,
    SetFreq,
    GetMode,
    SetMode,
    GetVfo,
    SetVfo,
    GetSplitVfo,
    SetSplitVfo,
    GetPtt,
    SetPtt,
    GetRit,
    SetRit,
    GetSplitFreq,
    SetSplitFreq,
    GetSplitMode,
    SetSplitMode,
    GetSplitFreqMode,
    SetSplitFreqMode,
    GetLevel,
    SetLevel,
    GetFunc,
    SetFunc,
    GetPowerstat,
    ChkVfo,
    DumpState,
    DumpCaps,
    GetLockMode,
    SendMorse,
    StopMorse,
    Quit,
};

// How an extended-protocol reply differs from the plain one.
enum class RigctlExtended {
    Full, // "long_name: args" header, "Key: value" records, "RPRT n"
    KeyedOnly, // the "Key: value" records alone (\chk_vfo)
    AsPlain, // the plain reply unchanged (q)
};

enum RigctlFlag : unsigned {
    TakesVfo = 0x1, // a VFO name may come before the arguments
    TakesQuery = 0x2, // "?" in place of the arguments lists the accepted values
    StatusInPlain = 0x4, // the plain reply ends with "RPRT n", after any values
    TakesLine = 0x8, // the one argument is the rest of the line, blanks and all
    ChangesRadio = 0x10, // a set: the status bar names it when it fails
};

struct RigctlCommand
{
    RigctlOp op;
    char shortName; // '\0' when there is only the long name
    const char *longName;
    int argCount; // arguments after an optional VFO
    unsigned flags; // RigctlFlag
    RigctlExtended extended;
    std::array<const char *, 3> keys; // value names in extended replies; null for bare lines

    bool has(RigctlFlag flag) const { return (flags & flag) != 0; }
};

namespace RigctlCommands {

const RigctlCommand *findShort(char name);
const RigctlCommand *findLong(QByteArrayView name);

} // namespace RigctlCommands
