#include "core/exchange/tablerows.h"

#include "core/db/database.h"
#include "core/db/transaction.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace TableRows {

namespace {

QString columnList(const TableSchema &table)
{
    QStringList names;
    for (const QString &name : table.columns)
        names << Tables::quoted(name);
    return names.join(QLatin1Char(','));
}

bool fail(const QString &text, QString *error)
{
    *error = text;
    return false;
}

// Runs write inside one transaction and commits it; false (rolled back) when either fails.
template<typename Write> bool inTransaction(Database &database, QString *error, Write write)
{
    if (database.isReadOnly())
        return fail(
            QStringLiteral("it is open to be read only (%1)").arg(database.readOnlyReason()),
            error);
    Transaction transaction(database.connection());
    if (!transaction.isActive())
        return fail(transaction.errorText(), error);
    if (!write())
        return false;
    if (!transaction.commit())
        return fail(transaction.errorText(), error);
    return true;
}

} // namespace

std::optional<QList<QStringList>> all(Database &database, QString *error)
{
    QList<QStringList> rows;
    if (!each(
            database, [&rows](const QStringList &cells) { rows << cells; }, error))
        return std::nullopt;
    return rows;
}

bool each(Database &database, const std::function<void(const QStringList &cells)> &take,
          QString *error)
{
    const TableSchema &table = database.table();
    QSqlQuery query(database.connection());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                        .arg(columnList(table), Tables::quoted(table.tableName),
                             Tables::quoted(QLatin1String(KeyColumn)))))
        return fail(Database::errorText(query.lastError()), error);
    QStringList cells;
    while (query.next()) {
        cells.clear();
        for (int i = 0; i < table.columns.size(); ++i)
            cells << query.value(i).toString();
        take(cells);
    }
    if (query.lastError().isValid())
        return fail(Database::errorText(query.lastError()), error);
    return true;
}

bool append(Database &database, const QList<QStringList> &rows, QString *error)
{
    Appender appender(database);
    for (const QStringList &cells : rows) {
        if (!appender.add(cells, error))
            return false;
    }
    return appender.commit(error);
}

Appender::Appender(Database &database)
    : m_database(database)
{
}

Appender::~Appender() = default; // an uncommitted transaction rolls back as it goes

bool Appender::begin(QString *error)
{
    if (m_database.isReadOnly())
        return fail(
            QStringLiteral("it is open to be read only (%1)").arg(m_database.readOnlyReason()),
            error);
    m_transaction = std::make_unique<Transaction>(m_database.connection());
    if (!m_transaction->isActive())
        return fail(m_transaction->errorText(), error);
    const TableSchema &table = m_database.table();
    m_insert = std::make_unique<QSqlQuery>(m_database.connection());
    if (!m_insert->prepare(
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(
                    Tables::quoted(table.tableName), columnList(table),
                    QStringList(table.columns.size(), QStringLiteral("?")).join(QLatin1Char(',')))))
        return fail(Database::errorText(m_insert->lastError()), error);
    return true;
}

bool Appender::add(const QStringList &cells, QString *error)
{
    if (!m_insert && !begin(error))
        return false;
    const TableSchema &table = m_database.table();
    for (int i = 0; i < table.columns.size(); ++i)
        m_insert->bindValue(i, cells.value(i));
    if (!m_insert->exec())
        return fail(Database::errorText(m_insert->lastError()), error);
    return true;
}

bool Appender::commit(QString *error)
{
    if (!m_transaction)
        return true;
    m_insert.reset();
    if (!m_transaction->commit())
        return fail(m_transaction->errorText(), error);
    m_transaction.reset();
    return true;
}

bool replace(Database &database, const QMap<int, QStringList> &rows, QString *error)
{
    const TableSchema &table = database.table();
    return inTransaction(database, error, [&] {
        QSqlQuery keys(database.connection());
        keys.setForwardOnly(true);
        if (!keys.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY %1")
                           .arg(Tables::quoted(QLatin1String(KeyColumn)),
                                Tables::quoted(table.tableName))))
            return fail(Database::errorText(keys.lastError()), error);
        QList<QVariant> keyAt;
        while (keys.next())
            keyAt << keys.value(0);

        QStringList assignments;
        for (const QString &name : table.columns)
            assignments << Tables::quoted(name) + QStringLiteral(" = ?");
        QSqlQuery query(database.connection());
        if (!query.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                               .arg(Tables::quoted(table.tableName),
                                    assignments.join(QStringLiteral(", ")),
                                    Tables::quoted(QLatin1String(KeyColumn)))))
            return fail(Database::errorText(query.lastError()), error);
        for (auto row = rows.cbegin(); row != rows.cend(); ++row) {
            if (row.key() < 0 || row.key() >= keyAt.size())
                return fail(QStringLiteral("the table %1 has no row %2")
                                .arg(table.tableName)
                                .arg(row.key() + 1),
                            error);
            for (int i = 0; i < table.columns.size(); ++i)
                query.bindValue(i, row.value().value(i));
            query.bindValue(int(table.columns.size()), keyAt.at(row.key()));
            if (!query.exec())
                return fail(Database::errorText(query.lastError()), error);
        }
        return true;
    });
}

} // namespace TableRows
