// The port settings string "speed,parity,data bits,stop bits" (for example 9600,n,8,1) as the
// port properties dialog reads and writes it, and the fixed entries of the dialog's lists.
#pragma once

#include <QString>
#include <QStringList>

namespace PortSettingsText {

// The entries of the dialog's lists, in list order.
QStringList speeds();
QStringList dataBits();
QStringList parities(); // "Even", "Odd", "None", "Mark", "Space"
QStringList stopBits();

// The fields of a settings string as the lists show them. A field that could not be found is
// empty, and an empty field selects nothing.
struct Fields
{
    QString speed;
    QString parity; // the parity's list text ("None"), not its letter
    QString dataBits;
    QString stopBits;

    bool operator==(const Fields &) const = default;
};

// Reads the string the port reports. The fields are found by their positions from the right:
// the stop bits are the last one character, or three when the text holds "." ("1.5"), and
// parity and data bits are single characters before them. Only a lower-case parity letter is
// recognised. Text whose commas are not where that layout puts them gives no fields at all.
Fields parse(const QString &settings);

// The list text of a lower-case parity letter, or empty for any other character.
QString parityName(QChar letter);

// Joins the chosen texts: trimmed speed, the first character of the parity text, trimmed data
// bits and trimmed stop bits, separated by ",". An empty parity text gives an empty letter.
QString compose(const Fields &fields);

} // namespace PortSettingsText
