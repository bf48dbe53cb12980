// The main window's clock: local date and time, and GMT derived from the operator's offset or,
// when none was typed, from the computer's time zone at each moment. Widget-free so that every
// format, offset and zone can be checked without a window.
#pragma once

#include <QDateTime>
#include <QString>
#include <QTimeZone>

namespace ClockText {

// "dd MMM yyyy H:mm:ss" with English month abbreviations whatever the locale:
// 7 December 2026 09:05:03 gives "07 Dec 2026 9:05:03".
QString format(const QDateTime &wallClock);

// True when the operator has typed no offset (blank text): local time and GMT are then turned
// into each other by the computer's time zone for the moment in question, so that summer and
// winter dates are each right.
bool followsZone(const QString &gmtOffset);

// A typed offset from GMT in seconds as the clock applies it: the text is read as a number in
// hours (sign and fraction honoured, "5.5" is five and a half hours); "0" and text that is not a
// number give 0, and so does blank text, for which followsZone() holds instead. Offsets beyond a
// few days are no time zone and are held at MaxOffsetHours so that the arithmetic stays defined.
inline constexpr double MaxOffsetHours = 48.0;
qint64 offsetSeconds(const QString &gmtOffset);

// GMT's wall-clock reading at an instant: the instant's own wall-clock reading (in its own time
// zone, the computer's for QDateTime::currentDateTime()) minus the typed offset; with none typed,
// the instant in UTC. Returned with Qt::UTC as a plain reading.
QDateTime gmtWallClock(const QDateTime &instant, const QString &gmtOffset);
// The local wall-clock reading for a GMT reading: plus the typed offset; with none typed, what
// the clocks in zone read at that instant.
QDateTime localWallClock(const QDateTime &gmtWallClock, const QString &gmtOffset,
                         const QTimeZone &zone = QTimeZone::systemTimeZone());
// How local times are worked out from GMT, for messages: "GMT plus 5:30 hours", "the same as
// GMT (offset 0)", "the computer's time zone (America/New_York) on each date".
QString ruleText(const QString &gmtOffset, const QTimeZone &zone = QTimeZone::systemTimeZone());

// "Local " + the instant's wall-clock reading.
QString localText(const QDateTime &local);
// "GMT " + gmtWallClock(local, gmtOffset).
QString gmtText(const QDateTime &local, const QString &gmtOffset);

} // namespace ClockText
