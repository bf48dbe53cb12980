#include "core/radio/cellrules.h"

#include "core/radio/cat.h"
#include "core/radio/plainnumber.h"

#include <optional>

namespace CellRules {

namespace {

constexpr qint64 MaxPauseMs = 32767;

Verdict refuse(const QString &column, const QString &typed, const char *rule)
{
    return {Verdict::Kind::Refuse,
            QStringLiteral("%1 takes %2; \"%3\" is not one, so the cell keeps its value.")
                .arg(column, QLatin1String(rule), typed.trimmed()),
            QString()};
}

// The typed number times 1000 (hertz of kilohertz, milliseconds of seconds); nothing for text
// that is no plain number or carries a sign.
std::optional<qint64> thousandths(const QString &typed)
{
    const QString text = typed.trimmed();
    if (text.startsWith(QLatin1Char('+')) || text.startsWith(QLatin1Char('-')))
        return std::nullopt;
    return PlainNumber::thousandths(text);
}

// "Frequencies are in kHz: use 7,050 kHz?" for text that reads as kilohertz once taken as
// megahertz. The decimal point moves three places, so "14.1955" keeps its half kilohertz.
Verdict askKilohertz(const QString &typed)
{
    const QString text = typed.trimmed();
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const QString fraction
        = (point < 0 ? QString() : text.mid(point + 1)).leftJustified(3, QLatin1Char('0'));
    const QString kilohertz = (point < 0 ? text : text.left(point)) + fraction.left(3)
        + QLatin1Char('.') + fraction.mid(3);
    const qint64 hz = PlainNumber::thousandths(kilohertz).value_or(0);
    return {Verdict::Kind::Ask,
            QStringLiteral("Frequencies are in kHz: use %1 kHz?").arg(Cat::khzCell(hz)),
            Cat::khzCell(hz)};
}

Verdict radioFrequency(const QString &column, const QString &typed)
{
    constexpr const char *rule = "a number of kilohertz from 30 to 60,000, such as 14200 or "
                                 "7050.5";
    const std::optional<qint64> hz = thousandths(typed);
    if (!hz)
        return refuse(column, typed, rule);
    if (*hz >= LowestKhz * 1000 && *hz <= HighestKhz * 1000)
        return {Verdict::Kind::Store, typed.trimmed(), QString()};
    if (*hz < LowestKhz * 1000 && *hz * 1000 >= LowestKhz * 1000)
        return askKilohertz(typed);
    return refuse(column, typed, rule);
}

} // namespace

Verdict check(Rule rule, const QString &column, const QString &typed)
{
    if (rule == Rule::CallSign)
        return {Verdict::Kind::Store, typed.trimmed().toUpper(), QString()};
    if (PlainNumber::isBlank(typed))
        return {Verdict::Kind::Store, rule == Rule::LogFrequency ? QString() : QStringLiteral(" "),
                QString()};

    switch (rule) {
    case Rule::RadioFrequency:
        return radioFrequency(column, typed);
    case Rule::ScanStep: {
        const std::optional<qint64> hz = thousandths(typed);
        if (!hz || *hz <= 0 || *hz > HighestKhz * 1000)
            return refuse(column, typed, "a number of kilohertz above 0, such as 0.5 or 5");
        break;
    }
    case Rule::ScanPause: {
        const std::optional<qint64> ms = thousandths(typed);
        if (!ms || *ms > MaxPauseMs)
            return refuse(column, typed, "a number of seconds from 0 to 32.767, such as 0.5 or 2");
        break;
    }
    case Rule::LogFrequency: {
        const std::optional<qint64> hz = thousandths(typed);
        if (!hz || *hz <= 0)
            return refuse(column, typed, "a number of kilohertz above 0, such as 14200");
        if (*hz < LowestKhz * 1000)
            return askKilohertz(typed);
        break;
    }
    case Rule::CallSign:
        break;
    }
    return {Verdict::Kind::Store, typed.trimmed(), QString()};
}

} // namespace CellRules
