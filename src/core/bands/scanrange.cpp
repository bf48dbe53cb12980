#include "core/bands/scanrange.h"

#include "core/bands/cellmessages.h"
#include "core/bands/modecode.h"
#include "core/radio/cat.h"
#include "core/radio/plainnumber.h"

namespace {

QString cellStart(const char *column, const QString &cell)
{
    return QStringLiteral("its %1 cell %2 ").arg(QLatin1String(column), CellMessages::quoted(cell));
}

// Kilohertz to hertz; what is wrong with the cell goes to *problems.
qint64 kilohertz(const char *column, const QString &cell, QStringList *problems)
{
    const std::optional<qint64> hz = PlainNumber::thousandths(cell);
    if (!hz)
        *problems << cellStart(column, cell)
                + QStringLiteral("is not a number of kilohertz (such as 7000 or 0.5)");
    else if (*hz < 0)
        *problems << cellStart(column, cell) + QStringLiteral("is below 0");
    else if (*hz > Cat::MaxFrequencyHz)
        *problems << cellStart(column, cell)
                + QStringLiteral("is beyond the radio's frequency field");
    return hz.value_or(0);
}

qint16 pause(const QString &cell, QStringList *problems)
{
    const std::optional<qint64> ms = PlainNumber::thousandths(cell);
    if (!ms)
        *problems << cellStart("Pause", cell)
                + QStringLiteral("is not a number of seconds (such as 0.5 or 2)");
    else if (*ms < 0 || *ms > ScanRange::MaxPauseMs)
        *problems << cellStart("Pause", cell) + QStringLiteral("is outside 0 to 32.767 seconds");
    else
        return qint16(*ms);
    return 0;
}

QByteArray mode(const QString &cell, QStringList *problems)
{
    const std::optional<QByteArray> code = ModeCode::fromCell(cell, "0");
    if (!code)
        *problems << cellStart("Mode", cell)
                + QStringLiteral("is not a mode (%1)").arg(QLatin1String(ModeCode::Names));
    return code.value_or(QByteArray());
}

} // namespace

std::optional<ScanRange> ScanRange::fromRow(const ScanRow &row, int rowNumber, QString *refusal)
{
    QStringList problems;
    ScanRange range;
    range.startHz = kilohertz("FreqStart", row.FreqStart, &problems);
    range.endHz = kilohertz("FreqEnd", row.FreqEnd, &problems);
    range.modeCode = mode(row.Mode, &problems);
    range.stepHz = kilohertz("Step", row.Step, &problems);
    range.pauseMs = pause(row.Pause, &problems);
    // A range that starts above its end would be stepped through without end.
    if (problems.isEmpty() && range.startHz > range.endHz)
        problems << QStringLiteral("its FreqStart %1 is above its FreqEnd %2")
                        .arg(CellMessages::quoted(row.FreqStart),
                             CellMessages::quoted(row.FreqEnd));
    if (problems.isEmpty())
        return range;
    if (refusal)
        *refusal = QStringLiteral("Row %1 cannot be scanned: %2.")
                       .arg(rowNumber)
                       .arg(problems.join(QStringLiteral("; ")));
    return std::nullopt;
}
