#include "core/db/tablesnapshots.h"

#include "core/db/database.h"
#include "core/db/transaction.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

QString snapshotTable(const TableSchema &table)
{
    return Tables::quoted(table.tableName + QLatin1String(SnapshotSuffix));
}

QString rowTable(const TableSchema &table)
{
    return Tables::quoted(table.tableName + QLatin1String(SnapshotRowSuffix));
}

QString columnList(const TableSchema &table)
{
    QStringList names;
    for (const QString &name : table.columns)
        names << Tables::quoted(name);
    return names.join(QLatin1Char(','));
}

QString marks(qsizetype count)
{
    return QStringList(count, QStringLiteral("?")).join(QLatin1Char(','));
}

} // namespace

TableSnapshots::TableSnapshots(Database &database)
    : m_database(database)
    , m_clock([] { return QDateTime::currentDateTime(); })
{
}

bool TableSnapshots::fail(const QString &text)
{
    m_error = text;
    return false;
}

QList<QStringList> TableSnapshots::tableRows()
{
    const TableSchema &table = m_database.table();
    QSqlQuery query(m_database.connection());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                        .arg(columnList(table), Tables::quoted(table.tableName),
                             Tables::quoted(QLatin1String(KeyColumn))))) {
        m_error = Database::errorText(query.lastError());
        return {};
    }
    return Tables::cellRows(query, table.columns.size());
}

bool TableSnapshots::take(const QString &reason)
{
    m_error.clear();
    Transaction transaction(m_database.connection());
    if (!transaction.isActive())
        return fail(transaction.errorText());
    if (!keep(reason))
        return false;
    if (!transaction.commit())
        return fail(transaction.errorText());
    return true;
}

bool TableSnapshots::keep(const QString &reason, qint64 spared)
{
    const TableSchema &table = m_database.table();
    const QList<QStringList> current = tableRows();
    if (!m_error.isEmpty())
        return false;
    const QList<Snapshot> kept = list();
    if (!m_error.isEmpty())
        return false;
    if (!kept.isEmpty()) {
        const std::optional<QList<QStringList>> newest = rows(kept.first().id);
        if (!newest)
            return false;
        if (*newest == current)
            return true; // already kept
    }

    QSqlQuery query(m_database.connection());
    query.prepare(QStringLiteral("INSERT INTO %1 (\"Taken\", \"Reason\") VALUES (?, ?)")
                      .arg(snapshotTable(table)));
    query.addBindValue(m_clock().toUTC().toString(Qt::ISODate));
    query.addBindValue(reason);
    if (!query.exec())
        return fail(Database::errorText(query.lastError()));
    const qint64 id = query.lastInsertId().toLongLong();

    query.prepare(
        QStringLiteral("INSERT INTO %1 (\"Snapshot\", \"Position\", %2) VALUES (?, ?, %3)")
            .arg(rowTable(table), columnList(table), marks(table.columns.size())));
    for (qsizetype position = 0; position < current.size(); ++position) {
        query.bindValue(0, id);
        query.bindValue(1, position);
        for (int i = 0; i < table.columns.size(); ++i)
            query.bindValue(2 + i, current.at(position).value(i));
        if (!query.exec())
            return fail(Database::errorText(query.lastError()));
    }

    // The oldest beyond the ten newest go, their rows with them.
    if (!query.exec(QStringLiteral("DELETE FROM %1 WHERE \"Id\" <> %3 AND \"Id\" NOT IN (SELECT "
                                   "\"Id\" FROM %1 ORDER BY \"Id\" DESC LIMIT %2)")
                        .arg(snapshotTable(table))
                        .arg(Kept)
                        .arg(spared)))
        return fail(Database::errorText(query.lastError()));
    return true;
}

QList<TableSnapshots::Snapshot> TableSnapshots::list()
{
    m_error.clear();
    const TableSchema &table = m_database.table();
    QSqlQuery query(m_database.connection());
    query.setForwardOnly(true);
    QList<Snapshot> snapshots;
    if (!query.exec(QStringLiteral("SELECT s.\"Id\", s.\"Taken\", s.\"Reason\", (SELECT count(*) "
                                   "FROM %2 r WHERE r.\"Snapshot\" = s.\"Id\") FROM %1 s ORDER BY "
                                   "s.\"Id\" DESC")
                        .arg(snapshotTable(table), rowTable(table)))) {
        m_error = Database::errorText(query.lastError());
        return snapshots;
    }
    while (query.next()) {
        snapshots << Snapshot {
            query.value(0).toLongLong(),
            QDateTime::fromString(query.value(1).toString(), Qt::ISODate).toLocalTime(),
            query.value(2).toString(), query.value(3).toInt()};
    }
    return snapshots;
}

std::optional<QList<QStringList>> TableSnapshots::rows(qint64 id)
{
    const TableSchema &table = m_database.table();
    QSqlQuery query(m_database.connection());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE \"Snapshot\" = ? ORDER BY \"Position\"")
                      .arg(columnList(table), rowTable(table)));
    query.addBindValue(id);
    if (!query.exec()) {
        m_error = Database::errorText(query.lastError());
        return std::nullopt;
    }
    return Tables::cellRows(query, table.columns.size());
}

bool TableSnapshots::restore(qint64 id)
{
    m_error.clear();
    const TableSchema &table = m_database.table();
    Transaction transaction(m_database.connection());
    if (!transaction.isActive())
        return fail(transaction.errorText());

    QSqlQuery query(m_database.connection());
    query.prepare(
        QStringLiteral("SELECT count(*) FROM %1 WHERE \"Id\" = ?").arg(snapshotTable(table)));
    query.addBindValue(id);
    if (!query.exec() || !query.next())
        return fail(Database::errorText(query.lastError()));
    if (query.value(0).toInt() == 0)
        return fail(
            QStringLiteral("there is no snapshot %1 in %2").arg(id).arg(m_database.filePath()));
    // Read before keep(), which may push the oldest snapshot out.
    const std::optional<QList<QStringList>> restored = rows(id);
    if (!restored)
        return false;
    if (!keep(QStringLiteral("before restoring a snapshot"), id))
        return false;

    if (!query.exec(QStringLiteral("DELETE FROM %1").arg(Tables::quoted(table.tableName))))
        return fail(Database::errorText(query.lastError()));
    query.prepare(
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(Tables::quoted(table.tableName), columnList(table), marks(table.columns.size())));
    for (const QStringList &cells : *restored) {
        for (int i = 0; i < table.columns.size(); ++i)
            query.bindValue(i, cells.value(i));
        if (!query.exec())
            return fail(Database::errorText(query.lastError()));
    }
    if (!transaction.commit())
        return fail(transaction.errorText());
    return true;
}
