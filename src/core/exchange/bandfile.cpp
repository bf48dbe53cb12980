#include "core/exchange/bandfile.h"

#include "core/exchange/bandcsv.h"
#include "core/exchange/exchangefile.h"
#include "core/exchange/tablerows.h"
#include "core/radio/plainnumber.h"

#include <QSet>

namespace BandFile {

namespace {

ExchangeOutcome failure(const QString &text)
{
    return ExchangeOutcome {true, false, text};
}

// What makes two rows of the band list the same: the frequency by its value (14200 and
// 14,200.0 are one), the mode and the description, blanks around them aside.
QString sameness(const QStringList &row)
{
    const std::optional<qint64> hz = PlainNumber::thousandths(row.value(0));
    return (hz ? QString::number(*hz) : row.value(0).trimmed()) + QChar(0x1f)
        + row.value(1).trimmed() + QChar(0x1f) + row.value(2).trimmed();
}

} // namespace

ExchangeOutcome exportTo(Database &bands, const QString &path)
{
    QString error;
    const std::optional<QList<QStringList>> rows = TableRows::all(bands, &error);
    if (!rows)
        return failure(
            QStringLiteral("Nothing was exported: the band list cannot be read: %1").arg(error));
    const BandCsv::Export csv = BandCsv::write(*rows);
    if (!ExchangeFile::write(path, csv.bytes, &error))
        return failure(QStringLiteral("Nothing was exported: %1").arg(error));
    QString message = QStringLiteral("Wrote %1 to %2.")
                          .arg(ExchangeText::counted(csv.written, "row", "rows"), path);
    if (!csv.leftOut.isEmpty())
        message += QStringLiteral("\n\nLeft out: %1.").arg(ExchangeText::listed(csv.leftOut));
    return ExchangeOutcome {false, false, message};
}

ExchangeOutcome importFrom(Database &bands, const QString &path)
{
    QString error;
    const std::optional<QByteArray> bytes = ExchangeFile::read(path, &error);
    if (!bytes)
        return failure(QStringLiteral("Nothing was imported: %1").arg(error));
    const BandCsv::Import csv = BandCsv::read(*bytes);
    if (csv.problem)
        return failure(QStringLiteral("Nothing was imported from %1, %2.")
                           .arg(path, csv.problem->described()));
    const std::optional<QList<QStringList>> present = TableRows::all(bands, &error);
    if (!present)
        return failure(
            QStringLiteral("Nothing was imported: the band list cannot be read: %1").arg(error));
    // A row the list holds already (or that the file gave before) is not added again, so the
    // list's own file imported twice does not double it.
    QSet<QString> known;
    for (const QStringList &row : *present)
        known.insert(sameness(row));
    QList<QStringList> added;
    for (const QStringList &row : csv.rows) {
        const QString key = sameness(row);
        if (known.contains(key))
            continue;
        known.insert(key);
        added << row;
    }
    if (!TableRows::append(bands, added, &error))
        return failure(
            QStringLiteral("Nothing was imported: the band list cannot be written: %1").arg(error));
    QString message = QStringLiteral("Added %1 from %2 at the end of the band list.")
                          .arg(ExchangeText::counted(added.size(), "row", "rows"), path);
    if (const qsizetype skipped = csv.rows.size() - added.size(); skipped > 0)
        message += QStringLiteral(" Skipped %1 equal to %2 in the list already.")
                       .arg(ExchangeText::counted(skipped, "row", "rows"),
                            skipped == 1 ? QStringLiteral("one") : QStringLiteral("rows"));
    if (csv.leftBehind > 0)
        message += QStringLiteral(" %1 of them had a split or a tone, which the band list does "
                                  "not keep.")
                       .arg(csv.leftBehind);
    return ExchangeOutcome {false, !added.isEmpty(), message};
}

} // namespace BandFile
