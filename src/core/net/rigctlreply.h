// The text a client receives for one request, in the layout of Hamlib 4's rigctld.
//
// Plain protocol: a get answers its values one a line ("14100000\n", "USB\n2400\n"), or
// "RPRT n\n" alone when it failed; a set answers "RPRT n\n".
// Extended protocol, with separator c ('\n' for "+"): "long_name:" and the arguments as the
// client wrote them, then "Key: value" records, each ended by c, and "RPRT n\n" last:
// "get_mode:|Mode: USB|Passband: 2400|RPRT 0\n". Bare lines (\dump_state) keep their '\n'.
#pragma once

#include "core/net/rigctlparser.h"

#include <QByteArray>
#include <QByteArrayList>

struct RigctlResult
{
    RigError error = RigError::Ok;
    QByteArrayList values; // in the order of the command's keys
};

namespace RigctlReply {

QByteArray format(const RigctlRequest &request, const RigctlResult &result);

} // namespace RigctlReply
