// One line from a client, split into the commands it holds. A line may carry several commands
// ("f m v", "fmv", "F 14100000 f"), each with its own extended-response prefix ("+", ";", "|"
// or ","). A short command's first argument may follow it without a blank ("F14100000").
// An unknown command ends the line: its arguments cannot be told from further commands, and so
// does "b" (send_morse), whose text is the rest of the line.
#pragma once

#include "core/net/rigctlcommands.h"
#include "core/net/rigtypes.h"

#include <QByteArrayList>
#include <QByteArrayView>
#include <QList>

struct RigctlRequest
{
    const RigctlCommand *command = nullptr; // null for an unknown command
    QByteArrayList args; // as the client wrote them, the VFO first when one was given
    bool vfoGiven = false;
    char separator = '\0'; // extended protocol: what ends each record; '\0' for the plain one
    RigError error = RigError::Ok; // refused before it runs: unknown, or arguments missing
};

namespace RigctlParser {

QList<RigctlRequest> parseLine(QByteArrayView line);

// A request that stands for a line refused as a whole (longer than the server accepts).
RigctlRequest refusedLine();

} // namespace RigctlParser
