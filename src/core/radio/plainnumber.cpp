#include "core/radio/plainnumber.h"

#include <QList>

namespace PlainNumber {

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool allDigits(QStringView text)
{
    for (QChar c : text) {
        if (!isDigit(c))
            return false;
    }
    return true;
}

// The whole part without its grouping commas; nothing when the commas do not group thousands.
std::optional<QString> wholeDigits(QStringView whole)
{
    if (!whole.contains(QLatin1Char(',')))
        return allDigits(whole) ? std::optional<QString>(whole.toString()) : std::nullopt;
    const QList<QStringView> groups = whole.split(QLatin1Char(','));
    QString digits;
    for (qsizetype i = 0; i < groups.size(); ++i) {
        const QStringView group = groups.at(i);
        const bool fits = i == 0 ? group.size() >= 1 && group.size() <= 3 : group.size() == 3;
        if (!fits || !allDigits(group))
            return std::nullopt;
        digits += group;
    }
    return digits;
}

} // namespace

bool isBlank(QStringView text)
{
    return text.trimmed().isEmpty();
}

std::optional<qint64> thousandths(QStringView text)
{
    QStringView t = text.trimmed();
    bool negative = false;
    if (t.startsWith(QLatin1Char('+')) || t.startsWith(QLatin1Char('-'))) {
        negative = t.front() == QLatin1Char('-');
        t = t.mid(1);
    }
    const qsizetype point = t.indexOf(QLatin1Char('.'));
    const QStringView wholeText = point < 0 ? t : t.left(point);
    const QStringView fraction = point < 0 ? QStringView() : t.mid(point + 1);
    if (wholeText.isEmpty() && fraction.isEmpty())
        return std::nullopt;
    const std::optional<QString> whole
        = wholeText.isEmpty() ? std::optional<QString>(QString()) : wholeDigits(wholeText);
    if (!whole || !allDigits(fraction))
        return std::nullopt;
    QString digits = *whole;
    while (digits.size() > 1 && digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    if (digits.size() > MaxWholeDigits)
        return std::nullopt;

    qint64 value = 0;
    for (QChar c : std::as_const(digits))
        value = value * 10 + (c.unicode() - '0');
    for (int i = 0; i < 3; ++i)
        value = value * 10 + (i < fraction.size() ? fraction.at(i).unicode() - '0' : 0);
    // The fourth decimal rounds the thousandths; later ones cannot change that.
    if (fraction.size() > 3 && fraction.at(3) >= QLatin1Char('5'))
        ++value;
    return negative ? -value : value;
}

} // namespace PlainNumber
