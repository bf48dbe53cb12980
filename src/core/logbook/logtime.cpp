#include "core/logbook/logtime.h"

#include "core/clock/clocktext.h"

#include <QRegularExpression>
#include <array>

namespace LogTime {

namespace {

constexpr std::array<const char *, 12> Months {"january",   "february", "march",    "april",
                                               "may",       "june",     "july",     "august",
                                               "september", "october",  "november", "december"};

// 1 to 12 for the month's English name or a beginning of it of at least three letters.
int monthNumber(const QString &name)
{
    const QString lower = name.toLower();
    if (lower.size() < 3)
        return 0;
    for (std::size_t i = 0; i < Months.size(); ++i) {
        if (QLatin1String(Months.at(i)).startsWith(lower))
            return int(i) + 1;
    }
    return 0;
}

std::optional<QString> storedOf(int year, int month, int day, int hour, int minute, int second)
{
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return stored(QDateTime(date, time, Qt::UTC));
}

std::optional<QString> fromClockForm(const QString &text)
{
    static const QRegularExpression form(QStringLiteral(
        R"(^(\d{1,2})\s+([A-Za-z]+)\.?\s+(\d{4})\s+(\d{1,2}):(\d{2})(?::(\d{2}))?$)"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const int month = monthNumber(m.captured(2));
    if (month == 0)
        return std::nullopt;
    return storedOf(m.captured(3).toInt(), month, m.captured(1).toInt(), m.captured(4).toInt(),
                    m.captured(5).toInt(), m.captured(6).toInt());
}

std::optional<QString> fromIsoForm(const QString &text)
{
    static const QRegularExpression form(
        QStringLiteral(R"(^(\d{4})-(\d{2})-(\d{2})[T ](\d{2}):(\d{2})(?::(\d{2}))?$)"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    return storedOf(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(),
                    m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
}

} // namespace

QString stored(const QDateTime &wallClock)
{
    return wallClock.date().toString(Qt::ISODate) + QLatin1Char('T')
        + wallClock.time().toString(QStringLiteral("HH:mm:ss"));
}

std::optional<QDateTime> wallClock(const QString &cell)
{
    static const QRegularExpression form(
        QStringLiteral(R"(^\d{4}-\d{2}-\d{2}T\d{2}:\d{2}:\d{2}$)"));
    if (!form.match(cell).hasMatch())
        return std::nullopt;
    // Read as a plain reading: a local zone's daylight-saving gap does not apply to it.
    const QDate date = QDate::fromString(cell.left(10), Qt::ISODate);
    const QTime time = QTime::fromString(cell.mid(11), Qt::ISODate);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time, Qt::UTC);
}

QString shown(const QString &cell)
{
    const std::optional<QDateTime> time = wallClock(cell);
    return time ? ClockText::format(*time) : cell;
}

std::optional<QString> fromTyped(const QString &typed)
{
    const QString text = typed.simplified();
    if (text.isEmpty())
        return QString();
    if (std::optional<QString> time = fromClockForm(text))
        return time;
    return fromIsoForm(text);
}

} // namespace LogTime
