#include "core/exchange/logbookfile.h"

#include "core/clock/clocktext.h"
#include "core/exchange/exchangefile.h"
#include "core/exchange/logbookadif.h"
#include "core/exchange/tablerows.h"

#include <QTimeZone>

namespace LogbookFile {

namespace {

ExchangeOutcome failure(const QString &text)
{
    return ExchangeOutcome {true, false, text};
}

} // namespace

ExchangeOutcome exportTo(Database &logbook, const QString &path, const QDateTime &created)
{
    QString error;
    const std::optional<QList<QStringList>> rows = TableRows::all(logbook, &error);
    if (!rows)
        return failure(
            QStringLiteral("Nothing was exported: the logbook cannot be read: %1").arg(error));
    const LogbookAdif::Export adif = LogbookAdif::write(*rows, created);
    if (!ExchangeFile::write(path, adif.bytes, &error))
        return failure(QStringLiteral("Nothing was exported: %1").arg(error));

    QString message = QStringLiteral("Wrote %1 to %2.")
                          .arg(ExchangeText::counted(adif.written, "contact", "contacts"), path);
    if (!adif.leftOut.isEmpty())
        message += QStringLiteral("\n\nLeft out %1 that ADIF cannot hold without a call sign and "
                                  "a GMT time: %2.")
                       .arg(ExchangeText::counted(adif.leftOut.size(), "contact", "contacts"),
                            ExchangeText::listed(adif.leftOut));
    if (!adif.notes.isEmpty())
        message += QStringLiteral("\n\n%1.").arg(ExchangeText::listed(adif.notes));
    return ExchangeOutcome {false, false, message};
}

ExchangeOutcome importFrom(Database &logbook, const QString &path, const QString &gmtOffset)
{
    QString error;
    const std::optional<QByteArray> bytes = ExchangeFile::read(path, &error);
    if (!bytes)
        return failure(QStringLiteral("Nothing was imported: %1").arg(error));
    LogbookAdif::Known known;
    if (!TableRows::each(
            logbook, [&known](const QStringList &row) { known.addLogged(row); }, &error))
        return failure(
            QStringLiteral("Nothing was imported: the logbook cannot be read: %1").arg(error));
    // Each contact is written as soon as its record has been checked, in one transaction that
    // a later record found wrong rolls back.
    TableRows::Appender appender(logbook);
    const LogbookAdif::Import adif
        = LogbookAdif::stream(*bytes, known, gmtOffset, QTimeZone::systemTimeZone(),
                              [&](const QStringList &row) { return appender.add(row, &error); });
    if (adif.problem)
        return failure(QStringLiteral("Nothing was imported from %1, %2.")
                           .arg(path, adif.problem->described()));
    if (!error.isEmpty() || !appender.commit(&error))
        return failure(
            QStringLiteral("Nothing was imported: the logbook cannot be written: %1").arg(error));

    QString message = QStringLiteral("Imported %1 from %2 (the file holds %3).")
                          .arg(ExchangeText::counted(adif.added, "contact", "contacts"), path,
                               ExchangeText::counted(adif.records, "record", "records"));
    if (adif.added > 0)
        message += QStringLiteral(" Their local times are %1.").arg(ClockText::ruleText(gmtOffset));
    if (adif.skippedCount > 0)
        message += QStringLiteral("\n\nSkipped %1 already there (the same call sign, GMT time to "
                                  "the minute, band and mode): %2.")
                       .arg(ExchangeText::counted(adif.skippedCount, "record", "records"),
                            ExchangeText::listed(adif.skipped, adif.skippedCount));
    for (const QString &note : adif.notes)
        message += QStringLiteral("\n\n") + note;
    return ExchangeOutcome {false, adif.added > 0, message};
}

} // namespace LogbookFile
