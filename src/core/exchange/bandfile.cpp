#include "core/exchange/bandfile.h"

#include "core/exchange/bandcsv.h"
#include "core/exchange/exchangefile.h"
#include "core/exchange/tablerows.h"

namespace BandFile {

namespace {

ExchangeOutcome failure(const QString &text)
{
    return ExchangeOutcome {true, false, text};
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
    if (!TableRows::append(bands, csv.rows, &error))
        return failure(
            QStringLiteral("Nothing was imported: the band list cannot be written: %1").arg(error));
    QString message = QStringLiteral("Added %1 from %2 at the end of the band list.")
                          .arg(ExchangeText::counted(csv.rows.size(), "row", "rows"), path);
    if (csv.leftBehind > 0)
        message += QStringLiteral(" %1 of them had a split or a tone, which the band list does "
                                  "not keep.")
                       .arg(csv.leftBehind);
    return ExchangeOutcome {false, !csv.rows.isEmpty(), message};
}

} // namespace BandFile
