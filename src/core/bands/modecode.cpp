#include "core/bands/modecode.h"

#include "core/radio/cattables.h"

namespace ModeCode {

std::optional<QByteArray> fromCell(const QString &cell, const char *blankCode)
{
    if (cell == QLatin1String(" "))
        return QByteArray(blankCode);
    if (cell.isEmpty())
        return QByteArray();
    if (const std::optional<char> digit = Cat::modeDigit(cell))
        return QByteArray(1, *digit);
    if (cell.size() == 1 && cell.at(0) >= QLatin1Char('0') && cell.at(0) <= QLatin1Char('9'))
        return cell.toLatin1();
    return std::nullopt;
}

} // namespace ModeCode
