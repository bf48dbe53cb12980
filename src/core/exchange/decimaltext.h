// Decimal numbers as the exchange formats write them ("7.050600" MHz, "88.5" Hz), read and
// written exactly: no floating point between the text and the whole number of units.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace DecimalText {

// The text as a whole number of units of 10^-decimals: "7.0506" with 6 decimals gives 7050600,
// ".5" gives 500000, "14" gives 14000000. Blanks around the number and a leading "+" are
// allowed; a further decimal rounds half up. Nothing for anything else: a sign "-", a second
// point, other characters, no digits at all, more than 15 whole digits, or more whole digits
// and decimals together than the 18 a whole number of units always holds.
std::optional<qint64> units(QStringView text, int decimals);

// Units as text with exactly that many decimals: 7050600 with 6 gives "7.050600".
QString fixed(qint64 units, int decimals);

} // namespace DecimalText
