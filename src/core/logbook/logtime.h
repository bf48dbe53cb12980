// The logbook's times. A cell keeps its time as ISO 8601 text ("2026-12-06T09:05:07"), so that
// sorting the table by the text sorts it in time order; the operator sees and types the clock's
// form ("06 Dec 2026 9:05:07").
#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace LogTime {

// A time in the form every message shows as the example.
inline constexpr const char *Example = "06 Dec 2026 9:05:07";

// The stored text of a wall-clock reading; its time zone is not looked at.
QString stored(const QDateTime &wallClock);

// The wall-clock reading a cell holds, when the cell holds a stored time.
std::optional<QDateTime> wallClock(const QString &cell);

// What a cell shows: a stored time in the clock's form; any other text as it is (an entry
// written by hand in another form, or by an older version of the program, is never hidden).
QString shown(const QString &cell);

// What the operator typed, as the text to store. Accepted: the clock's form with the day and
// hour in one or two digits, the month's English name or its first three letters in any case
// and the seconds optional ("6 dec 2026 21:05"), and ISO 8601 with "T" or a blank between date
// and time. Blank text gives an empty cell (no time). Anything else, or a date that does not
// exist (31 Feb), gives nothing.
std::optional<QString> fromTyped(const QString &typed);

} // namespace LogTime
