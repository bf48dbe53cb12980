#include "core/db/tableschema.h"

#include <QDateTime>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

QString errorOf(const QSqlQuery &query)
{
    const QSqlError error = query.lastError();
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

QString create(QSqlDatabase &db, const TableSchema &table)
{
    QStringList columns;
    for (const QString &name : table.columns)
        columns << Tables::quoted(name) + QStringLiteral(" TEXT");
    columns << Tables::quoted(QLatin1String(KeyColumn)) + QStringLiteral(" INTEGER PRIMARY KEY");
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("CREATE TABLE %1 (%2)")
                        .arg(Tables::quoted(table.tableName), columns.join(QStringLiteral(", ")))))
        return errorOf(query);
    return QString();
}

QString insert(QSqlDatabase &db, const TableSchema &table, const QList<QStringList> &rows)
{
    QStringList names;
    QStringList marks;
    for (const QString &name : table.columns) {
        names << Tables::quoted(name);
        marks << QStringLiteral("?");
    }
    QSqlQuery query(db);
    if (!query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(Tables::quoted(table.tableName), names.join(QLatin1Char(',')),
                                marks.join(QLatin1Char(',')))))
        return errorOf(query);
    for (const QStringList &row : rows) {
        for (int i = 0; i < table.columns.size(); ++i)
            query.bindValue(i, row.value(i, QStringLiteral(" ")));
        if (!query.exec())
            return errorOf(query);
    }
    return QString();
}

// The ISO 8601 text of a time written in the clock's form "dd MMM yyyy H:mm:ss"
// ("06 Dec 2026 9:05:07", English month names), as the logbook's stamp wrote it before its times
// were kept as ISO text. Nothing for any other text.
QString isoOfClockForm(const QString &text)
{
    const QString trimmed = text.trimmed();
    const qsizetype space = trimmed.lastIndexOf(QLatin1Char(' '));
    if (space < 0)
        return QString();
    // Date and time are read apart, so that no time zone (and no daylight-saving gap) is
    // involved.
    const QDate date
        = QLocale::c().toDate(trimmed.left(space).trimmed(), QStringLiteral("dd MMM yyyy"));
    const QTime time = QTime::fromString(trimmed.mid(space + 1), QStringLiteral("H:mm:ss"));
    if (!date.isValid() || !time.isValid())
        return QString();
    return date.toString(Qt::ISODate) + QLatin1Char('T')
        + time.toString(QStringLiteral("HH:mm:ss"));
}

// Rewrites the logbook's times from the clock's form to ISO 8601 text, which sorts in time
// order. Cells in any other form (typed by hand, empty) keep their text.
QString clockTimesToIso(QSqlDatabase &db, const TableSchema &table)
{
    const QString key = Tables::quoted(QLatin1String(KeyColumn));
    const QString name = Tables::quoted(table.tableName);
    for (const char *column : {"DateLocal", "DateGMT"}) {
        const QString field = Tables::quoted(QLatin1String(column));
        QSqlQuery read(db);
        if (!read.exec(QStringLiteral("SELECT %1, %2 FROM %3").arg(key, field, name)))
            return errorOf(read);
        QList<std::pair<QVariant, QString>> changes;
        while (read.next()) {
            const QString iso = isoOfClockForm(read.value(1).toString());
            if (!iso.isEmpty())
                changes.append({read.value(0), iso});
        }
        if (read.lastError().isValid())
            return errorOf(read);
        QSqlQuery write(db);
        if (!write.prepare(
                QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ?").arg(name, field, key)))
            return errorOf(write);
        for (const auto &[id, iso] : changes) {
            write.bindValue(0, iso);
            write.bindValue(1, id);
            if (!write.exec())
                return errorOf(write);
        }
    }
    return QString();
}

TableSchema schema(const char *file, const char *table, QStringList columns,
                   QList<SchemaStep> steps)
{
    return TableSchema {QLatin1String(file), QLatin1String(table), std::move(columns),
                        std::move(steps)};
}

} // namespace

namespace Tables {

const TableSchema &memory()
{
    static const TableSchema table
        = schema("memory.sqlite", "Memory",
                 {"Mem", "FreqMain", "FreqSplit", "Mode", "Tone", "Description", "Scan"},
                 {SchemaSteps::createTableWithRows(SchemaSteps::memoryChannelRows()),
                  SchemaSteps::createSnapshotTables()});
    return table;
}

const TableSchema &band()
{
    static const TableSchema table
        = schema("Band.sqlite", "Band", {"Frequency", "Mode", "Description"},
                 {SchemaSteps::createTable(), SchemaSteps::seedRows(SchemaSteps::bandRows())});
    return table;
}

const TableSchema &scan()
{
    static const TableSchema table = schema(
        "Scan.sqlite", "Scan", {"FreqStart", "FreqEnd", "Mode", "Step", "Pause", "Description"},
        {SchemaSteps::createTable(), SchemaSteps::seedRows(SchemaSteps::scanRows())});
    return table;
}

const TableSchema &logging()
{
    static const TableSchema table
        = schema("Logging.sqlite", "Logging",
                 {"DateLocal", "DateGMT", "Frequency", "Mode", "CallSign", "Description"},
                 {SchemaSteps::createTable(), clockTimesToIso});
    return table;
}

const TableSchema &menu()
{
    static const TableSchema table
        = schema("Menu.sqlite", "Menu", {"Menu", "Value", "Options", "Description"},
                 {SchemaSteps::createTable()});
    return table;
}

QString quoted(const QString &name)
{
    QString text = name;
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QList<QStringList> cellRows(QSqlQuery &query, qsizetype columns)
{
    QList<QStringList> rows;
    while (query.next()) {
        QStringList cells;
        for (int i = 0; i < columns; ++i)
            cells << query.value(i).toString();
        rows << cells;
    }
    return rows;
}

} // namespace Tables

namespace SchemaSteps {

SchemaStep createTable()
{
    return [](QSqlDatabase &db, const TableSchema &table) { return create(db, table); };
}

SchemaStep createTableWithRows(QList<QStringList> rows)
{
    return [rows = std::move(rows)](QSqlDatabase &db, const TableSchema &table) {
        const QString error = create(db, table);
        return error.isEmpty() ? insert(db, table, rows) : error;
    };
}

SchemaStep seedRows(QList<QStringList> rows)
{
    return [rows = std::move(rows)](QSqlDatabase &db, const TableSchema &table) {
        QSqlQuery query(db);
        if (!query.exec(
                QStringLiteral("SELECT count(*) FROM %1").arg(Tables::quoted(table.tableName)))
            || !query.next())
            return errorOf(query);
        if (query.value(0).toLongLong() > 0)
            return QString();
        return insert(db, table, rows);
    };
}

SchemaStep createSnapshotTables()
{
    return [](QSqlDatabase &db, const TableSchema &table) {
        const QString copies = Tables::quoted(table.tableName + QLatin1String(SnapshotSuffix));
        QStringList columns {QStringLiteral("\"Snapshot\" INTEGER NOT NULL REFERENCES %1 (\"Id\") "
                                            "ON DELETE CASCADE")
                                 .arg(copies),
                             QStringLiteral("\"Position\" INTEGER NOT NULL")};
        for (const QString &name : table.columns)
            columns << Tables::quoted(name) + QStringLiteral(" TEXT");
        columns << QStringLiteral("PRIMARY KEY (\"Snapshot\", \"Position\")");
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("CREATE TABLE %1 (\"Id\" INTEGER PRIMARY KEY, \"Taken\" "
                                       "TEXT NOT NULL, \"Reason\" TEXT NOT NULL)")
                            .arg(copies))
            || !query.exec(
                QStringLiteral("CREATE TABLE %1 (%2)")
                    .arg(Tables::quoted(table.tableName + QLatin1String(SnapshotRowSuffix)),
                         columns.join(QStringLiteral(", ")))))
            return errorOf(query);
        return QString();
    };
}

QList<QStringList> memoryChannelRows()
{
    QList<QStringList> rows;
    for (int channel = 0; channel < 100; ++channel) {
        rows << QStringList {QStringLiteral("%1").arg(channel, 2, 10, QLatin1Char('0'))};
    }
    return rows;
}

QList<QStringList> bandRows()
{
    // One usual frequency on each HF band, in kilohertz, inside the segment for its mode.
    return {
        {"1840", "LSB", "160 m SSB"}, {"3700", "LSB", "80 m SSB"},  {"7150", "LSB", "40 m SSB"},
        {"10120", "CW", "30 m CW"},   {"14200", "USB", "20 m SSB"}, {"18130", "USB", "17 m SSB"},
        {"21300", "USB", "15 m SSB"}, {"24950", "USB", "12 m SSB"}, {"28500", "USB", "10 m SSB"},
    };
}

QList<QStringList> scanRows()
{
    // Start, end and step in kilohertz, pause in seconds.
    return {
        {"7000", "7040", "CW", "0.5", "1", "40 m CW"},
        {"14150", "14350", "USB", "1", "1", "20 m SSB"},
        {"21200", "21450", "USB", "1", "1", "15 m SSB"},
        {"29520", "29680", "FM", "20", "2", "10 m FM"},
    };
}

} // namespace SchemaSteps
