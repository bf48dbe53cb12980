#include "core/net/rigctlreply.h"

namespace RigctlReply {

namespace {

QByteArray statusLine(RigError error)
{
    return "RPRT " + QByteArray::number(int(error)) + '\n';
}

const char *keyAt(const RigctlCommand &command, qsizetype index)
{
    return index < qsizetype(command.keys.size()) ? command.keys[size_t(index)] : nullptr;
}

// A value as its own record: "Key: value" followed by the separator, or a bare line.
QByteArray record(const RigctlCommand &command, qsizetype index, const QByteArray &value,
                  char separator)
{
    const char *key = keyAt(command, index);
    if (!key)
        return value + '\n';
    return QByteArray(key) + ": " + value + separator;
}

QByteArray plain(const RigctlCommand &command, const RigctlResult &result)
{
    const bool failed = result.error != RigError::Ok;
    if (failed && !command.has(StatusInPlain))
        return statusLine(result.error);
    QByteArray text;
    if (!failed) {
        for (const QByteArray &value : result.values)
            text += value + '\n';
    }
    if (command.has(StatusInPlain))
        text += statusLine(result.error);
    return text;
}

QByteArray extended(const RigctlRequest &request, const RigctlResult &result)
{
    const RigctlCommand &command = *request.command;
    QByteArray text = QByteArray(command.longName) + ':';
    if (!request.args.isEmpty())
        text += ' ' + request.args.join(' ');
    text += request.separator;
    if (result.error == RigError::Ok) {
        for (qsizetype i = 0; i < result.values.size(); ++i)
            text += record(command, i, result.values[i], request.separator);
    }
    return text + statusLine(result.error);
}

} // namespace

QByteArray format(const RigctlRequest &request, const RigctlResult &result)
{
    if (!request.command)
        return statusLine(result.error);
    const RigctlCommand &command = *request.command;
    if (request.separator == '\0' || command.extended == RigctlExtended::AsPlain)
        return plain(command, result);
    if (command.extended == RigctlExtended::KeyedOnly) {
        QByteArray text;
        for (qsizetype i = 0; i < result.values.size(); ++i)
            text += record(command, i, result.values[i], '\n');
        return text;
    }
    return extended(request, result);
}

} // namespace RigctlReply
