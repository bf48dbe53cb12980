#include "core/settings/portlist.h"

#include <QSerialPortInfo>

namespace PortList {

namespace {

// A port number as a whole number, or -1 when the text is not one.
int numberOf(const QString &value)
{
    bool ok = false;
    const int number = value.trimmed().toInt(&ok);
    return ok ? number : -1;
}

} // namespace

QList<Entry> entries(const QList<SystemPort> &systemPorts)
{
    QList<Entry> list;
    for (int n = 1; n <= NumberedPorts; ++n)
        list.append({QStringLiteral("Com%1").arg(n), QString::number(n)});
    for (const SystemPort &port : systemPorts) {
        if (port.devicePath.isEmpty())
            continue;
        const QString text = port.description.isEmpty()
            ? port.devicePath
            : QStringLiteral("%1 (%2)").arg(port.devicePath, port.description);
        list.append({text, port.devicePath});
    }
    return list;
}

QList<SystemPort> systemPorts()
{
    QList<SystemPort> ports;
    const auto available = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : available)
        ports.append({info.systemLocation(), info.description()});
    return ports;
}

int positionOf(const QList<Entry> &list, const QString &commPort)
{
    const int number = numberOf(commPort);
    if (number >= 1 && number <= NumberedPorts)
        return number - 1;
    if (number >= 0 || commPort.trimmed().isEmpty())
        return -1;
    for (int i = NumberedPorts; i < list.size(); ++i) {
        if (list.at(i).value == commPort)
            return i;
    }
    return -1;
}

bool sameValue(const QString &a, const QString &b)
{
    const int na = numberOf(a);
    const int nb = numberOf(b);
    if (na >= 0 || nb >= 0)
        return na == nb;
    return a == b;
}

} // namespace PortList
