// The entries of the port list: "Com1" to "Com16" for the numbered ports, then the serial
// ports the system reports, each with the value that is applied to the port and stored.
#pragma once

#include <QList>
#include <QString>

class QSerialPortInfo;

namespace PortList {

inline constexpr int NumberedPorts = 16;

struct Entry
{
    QString text; // what the list shows: "Com3", "/dev/ttyUSB0 (FT232R USB UART)"
    QString value; // what the port is given: "3", "/dev/ttyUSB0"

    bool operator==(const Entry &) const = default;
};

struct SystemPort
{
    QString devicePath;
    QString description;
};

// "Com1" to "Com16" followed by one entry per system port, in the order given.
QList<Entry> entries(const QList<SystemPort> &systemPorts);
// The serial ports the system reports now.
QList<SystemPort> systemPorts();

// The list position that shows the port's present value: the position of its number (1 to 16)
// or of its device path; -1 for a number outside 1 to 16, an empty value or a path the list
// does not hold.
int positionOf(const QList<Entry> &list, const QString &commPort);

// True when the two values name the same port setting ("3" and "03" do; "3" and a path do not).
bool sameValue(const QString &a, const QString &b);

} // namespace PortList
