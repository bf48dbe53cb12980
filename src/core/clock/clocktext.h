// The main window's clock: local date and time, and GMT derived from the operator's offset.
// Widget-free so that every format and offset can be checked without a window.
#pragma once

#include <QDateTime>
#include <QString>

namespace ClockText {

// "dd MMM yyyy H:mm:ss" with English month abbreviations whatever the locale:
// 7 December 2026 09:05:03 gives "07 Dec 2026 9:05:03".
QString format(const QDateTime &wallClock);

// The offset from GMT in seconds as the clock applies it: the text is read as a number in hours
// (sign and fraction honoured, "5.5" is five and a half hours); " ", "0", empty text and text
// that is not a number give 0. Offsets beyond a few days are no time zone and are held at
// MaxOffsetHours so that the arithmetic stays defined.
inline constexpr double MaxOffsetHours = 48.0;
qint64 offsetSeconds(const QString &gmtOffset);

// "Local " + the wall-clock time.
QString localText(const QDateTime &local);
// "GMT " + (local wall-clock time - offset hours); the local time unchanged when the offset
// is " " or "0".
QString gmtText(const QDateTime &local, const QString &gmtOffset);

} // namespace ClockText
