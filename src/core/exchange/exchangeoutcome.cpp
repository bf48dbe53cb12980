#include "core/exchange/exchangeoutcome.h"

namespace ExchangeText {

namespace {
constexpr qsizetype MaxListed = 10;
} // namespace

QString listed(const QStringList &items)
{
    QString text = items.mid(0, MaxListed).join(QStringLiteral("; "));
    if (items.size() > MaxListed)
        text += QStringLiteral("; and %1 more").arg(items.size() - MaxListed);
    return text;
}

QString counted(qsizetype count, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

} // namespace ExchangeText
