// A number as an operator types it into a table cell (band list, scan ranges, memory channels,
// logbook): blanks around it, an optional sign, digits with thousands grouped by "," or not, and at
// most one decimal point
// ("14200", "7050.5", "14,200", "0.25", "-1", ".5"). Anything else is not a number here, so
// "14200abc" or "1,41" is refused rather than read as far as it goes.
#pragma once

#include <QStringView>
#include <optional>

namespace PlainNumber {

// The largest whole part read (15 digits); a longer one is refused.
inline constexpr int MaxWholeDigits = 15;

// The value times 1000, rounded to the nearest whole number (half away from zero): kilohertz
// to hertz, seconds to milliseconds. "29999.999" gives 29999999, "0.25" gives 250,
// "-0.5" gives -500. Nothing for text that is not a number.
std::optional<qint64> thousandths(QStringView text);

// The cell holds nothing but blanks.
bool isBlank(QStringView text);

} // namespace PlainNumber
