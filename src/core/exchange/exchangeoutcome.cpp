#include "core/exchange/exchangeoutcome.h"

namespace ExchangeText {

namespace {
constexpr qsizetype MaxListed = 10;
} // namespace

QString listed(const QStringList &items, qsizetype total)
{
    const qsizetype count = qMax(total, items.size());
    QString text = items.mid(0, MaxListed).join(QStringLiteral("; "));
    if (count > MaxListed)
        text += QStringLiteral("; and %1 more").arg(count - MaxListed);
    return text;
}

QString counted(qsizetype count, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

} // namespace ExchangeText
