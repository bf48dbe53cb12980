#include "core/exchange/decimaltext.h"

namespace DecimalText {

namespace {

constexpr int MaxWholeDigits = 15;
// Digits a 64-bit whole number always holds: the whole digits and the decimals together.
constexpr int MaxDigits = 18;
constexpr qint64 MaxValue = 1'000'000'000'000'000'000; // the first number of 19 digits

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

std::optional<qint64> units(QStringView text, int decimals)
{
    QStringView t = text.trimmed();
    if (t.startsWith(QLatin1Char('+')))
        t = t.mid(1);
    const qsizetype point = t.indexOf(QLatin1Char('.'));
    QStringView whole = point < 0 ? t : t.left(point);
    const QStringView fraction = point < 0 ? QStringView() : t.mid(point + 1);
    if (whole.isEmpty() && fraction.isEmpty())
        return std::nullopt;
    for (QStringView part : {whole, fraction}) {
        for (QChar c : part) {
            if (!isDigit(c))
                return std::nullopt;
        }
    }
    while (whole.size() > 1 && whole.front() == QLatin1Char('0'))
        whole = whole.mid(1);
    if (whole.size() > MaxWholeDigits || whole.size() + decimals > MaxDigits)
        return std::nullopt;

    qint64 value = 0;
    for (QChar c : whole)
        value = value * 10 + (c.unicode() - '0');
    for (int i = 0; i < decimals; ++i)
        value = value * 10 + (i < fraction.size() ? fraction.at(i).unicode() - '0' : 0);
    if (fraction.size() > decimals && fraction.at(decimals) >= QLatin1Char('5'))
        ++value;
    // Rounding up may carry into a nineteenth digit, which the text of fixed() could not give
    // back.
    if (value >= MaxValue)
        return std::nullopt;
    return value;
}

QString fixed(qint64 units, int decimals)
{
    qint64 scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    const QString sign = units < 0 ? QStringLiteral("-") : QString();
    const qint64 magnitude = units < 0 ? -units : units;
    QString text = sign + QString::number(magnitude / scale);
    if (decimals > 0)
        text += QLatin1Char('.')
            + QStringLiteral("%1").arg(magnitude % scale, decimals, 10, QLatin1Char('0'));
    return text;
}

} // namespace DecimalText
