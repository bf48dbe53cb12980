#include "core/exchange/memoryfile.h"

#include "core/db/tablesnapshots.h"
#include "core/exchange/exchangefile.h"
#include "core/exchange/memorycsv.h"
#include "core/exchange/tablerows.h"
#include "core/memory/memorycells.h"

#include <QFileInfo>

namespace MemoryFile {

namespace {

ExchangeOutcome failure(const QString &text)
{
    return ExchangeOutcome {true, false, text};
}

} // namespace

QString channelRanges(const QList<int> &channels)
{
    QStringList ranges;
    for (qsizetype i = 0; i < channels.size();) {
        qsizetype last = i;
        while (last + 1 < channels.size() && channels.at(last + 1) == channels.at(last) + 1)
            ++last;
        QString range = MemoryCells::channelText(channels.at(i));
        if (last > i)
            range += QLatin1Char('-') + MemoryCells::channelText(channels.at(last));
        ranges << range;
        i = last + 1;
    }
    return ranges.join(QStringLiteral(", "));
}

ExchangeOutcome exportTo(Database &memory, const QString &path)
{
    QString error;
    const std::optional<QList<QStringList>> rows = TableRows::all(memory, &error);
    if (!rows)
        return failure(
            QStringLiteral("Nothing was exported: the memory table cannot be read: %1").arg(error));
    const MemoryCsv::Export csv = MemoryCsv::write(*rows);
    if (!ExchangeFile::write(path, csv.bytes, &error))
        return failure(QStringLiteral("Nothing was exported: %1").arg(error));

    QString message = QStringLiteral("Wrote %1 to %2.")
                          .arg(ExchangeText::counted(csv.written, "channel", "channels"), path);
    if (csv.empty > 0)
        message += QStringLiteral(" %1 without a receive frequency %2 not written.")
                       .arg(ExchangeText::counted(csv.empty, "channel", "channels"),
                            csv.empty == 1 ? QStringLiteral("was") : QStringLiteral("were"));
    if (!csv.leftOut.isEmpty())
        message += QStringLiteral("\n\nLeft out, as a cell holds no value the channel can have: "
                                  "%1.")
                       .arg(ExchangeText::listed(csv.leftOut));
    if (!csv.notes.isEmpty())
        message += QStringLiteral("\n\n%1.").arg(ExchangeText::listed(csv.notes));
    return ExchangeOutcome {false, false, message};
}

ExchangeOutcome importFrom(Database &memory, const QString &path)
{
    QString error;
    const std::optional<QByteArray> bytes = ExchangeFile::read(path, &error);
    if (!bytes)
        return failure(QStringLiteral("Nothing was imported: %1").arg(error));
    const std::optional<QList<QStringList>> rows = TableRows::all(memory, &error);
    if (!rows)
        return failure(
            QStringLiteral("Nothing was imported: the memory table cannot be read: %1").arg(error));
    const MemoryCsv::Import csv = MemoryCsv::read(*bytes, int(rows->size()));
    if (csv.problem)
        return failure(QStringLiteral("Nothing was imported from %1, %2.")
                           .arg(path, csv.problem->described()));
    if (csv.rows.isEmpty())
        return ExchangeOutcome {false, false,
                                QStringLiteral("%1 holds no channels; the memory table was left "
                                               "as it was.")
                                    .arg(path)};

    TableSnapshots snapshots(memory);
    if (!snapshots.take(QStringLiteral("before importing %1").arg(QFileInfo(path).fileName())))
        return failure(QStringLiteral("Nothing was imported: the memory table could not be kept "
                                      "as a snapshot first: %1")
                           .arg(snapshots.errorText()));
    if (!TableRows::replace(memory, csv.rows, &error))
        return failure(QStringLiteral("Nothing was imported: the memory table cannot be written: "
                                      "%1")
                           .arg(error));

    const qsizetype others = rows->size() - csv.rows.size();
    QString message = QStringLiteral("Imported %1 from %2 into channel%3 %4.")
                          .arg(ExchangeText::counted(csv.rows.size(), "channel", "channels"), path,
                               csv.rows.size() == 1 ? QString() : QStringLiteral("s"),
                               channelRanges(csv.rows.keys()));
    if (others > 0)
        message += QStringLiteral(" The other %1 %2 left as %3 %4.")
                       .arg(ExchangeText::counted(others, "channel", "channels"),
                            others == 1 ? QStringLiteral("was") : QStringLiteral("were"),
                            others == 1 ? QStringLiteral("it") : QStringLiteral("they"),
                            others == 1 ? QStringLiteral("was") : QStringLiteral("were"));
    message += QStringLiteral("\n\nThe table as it was before is kept as a snapshot: Snapshots > "
                              "Restore Snapshot... brings it back.");
    return ExchangeOutcome {false, true, message};
}

} // namespace MemoryFile
