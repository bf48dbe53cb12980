#include "core/clock/clocktext.h"

#include "core/radio/cat.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace ClockText {

namespace {
// The wall-clock reading without its zone, so that shifting it never meets a daylight-saving
// gap or overlap of the local zone.
QDateTime wallClockOf(const QDateTime &dt)
{
    return QDateTime(dt.date(), dt.time(), Qt::UTC);
}

QTimeZone usableZone(const QTimeZone &zone)
{
    return zone.isValid() ? zone : QTimeZone::utc();
}
} // namespace

QString format(const QDateTime &wallClock)
{
    return QLocale::c().toString(wallClock, QStringLiteral("dd MMM yyyy H:mm:ss"));
}

bool followsZone(const QString &gmtOffset)
{
    return gmtOffset.trimmed().isEmpty();
}

qint64 offsetSeconds(const QString &gmtOffset)
{
    if (followsZone(gmtOffset) || gmtOffset == QLatin1String("0"))
        return 0;
    double hours = Cat::readDecimal(gmtOffset);
    if (!std::isfinite(hours))
        return 0;
    hours = std::clamp(hours, -MaxOffsetHours, MaxOffsetHours);
    return std::llround(hours * 3600.0);
}

QDateTime gmtWallClock(const QDateTime &instant, const QString &gmtOffset)
{
    if (followsZone(gmtOffset))
        return wallClockOf(instant.toUTC());
    return wallClockOf(instant).addSecs(-offsetSeconds(gmtOffset));
}

QDateTime localWallClock(const QDateTime &gmtWall, const QString &gmtOffset, const QTimeZone &zone)
{
    const QDateTime gmt = wallClockOf(gmtWall);
    if (followsZone(gmtOffset))
        return wallClockOf(gmt.toTimeZone(usableZone(zone)));
    return gmt.addSecs(offsetSeconds(gmtOffset));
}

QString ruleText(const QString &gmtOffset, const QTimeZone &zone)
{
    if (followsZone(gmtOffset))
        return QStringLiteral("the computer's time zone (%1) on each date")
            .arg(QString::fromUtf8(usableZone(zone).id()));
    const qint64 seconds = offsetSeconds(gmtOffset);
    if (seconds == 0)
        return QStringLiteral("the same as GMT (offset 0)");
    const qint64 minutes = (seconds < 0 ? -seconds : seconds) / 60;
    QString hours = QString::number(minutes / 60);
    if (minutes % 60 != 0)
        hours += QStringLiteral(":%1").arg(minutes % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("GMT %1 %2 hours")
        .arg(seconds < 0 ? QStringLiteral("minus") : QStringLiteral("plus"), hours);
}

QString localText(const QDateTime &local)
{
    return QStringLiteral("Local ") + format(wallClockOf(local));
}

QString gmtText(const QDateTime &local, const QString &gmtOffset)
{
    return QStringLiteral("GMT ") + format(gmtWallClock(local, gmtOffset));
}

} // namespace ClockText
