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
} // namespace

QString format(const QDateTime &wallClock)
{
    return QLocale::c().toString(wallClock, QStringLiteral("dd MMM yyyy H:mm:ss"));
}

qint64 offsetSeconds(const QString &gmtOffset)
{
    if (gmtOffset == QLatin1String(" ") || gmtOffset == QLatin1String("0"))
        return 0;
    double hours = Cat::readDecimal(gmtOffset);
    if (!std::isfinite(hours))
        return 0;
    hours = std::clamp(hours, -MaxOffsetHours, MaxOffsetHours);
    return std::llround(hours * 3600.0);
}

QString localText(const QDateTime &local)
{
    return QStringLiteral("Local ") + format(wallClockOf(local));
}

QString gmtText(const QDateTime &local, const QString &gmtOffset)
{
    const QDateTime wall = wallClockOf(local);
    return QStringLiteral("GMT ") + format(wall.addSecs(-offsetSeconds(gmtOffset)));
}

} // namespace ClockText
