#include "core/bands/cellmessages.h"

namespace CellMessages {

QString quoted(const QString &cell)
{
    constexpr int longest = 40;
    if (cell.isEmpty())
        return QStringLiteral("(empty)");
    const QString shown
        = cell.size() > longest ? cell.left(longest - 1) + QChar(0x2026) : cell; // "…"
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

} // namespace CellMessages
