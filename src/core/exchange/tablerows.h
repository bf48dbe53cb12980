// A table's rows read and written in bulk, for the imports and exports. Rows are in the order
// they were added (the key order), cells in the table's column order. Each write is one
// transaction: on failure nothing is written and *error says why. Reading and appending can go
// row by row (each, Appender), so that a large import keeps no table in memory.
#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class Database;
class QSqlQuery;
class Transaction;

namespace TableRows {

// The stored rows (the database must be open).
std::optional<QList<QStringList>> all(Database &database, QString *error);

// Hands each stored row to take, in key order, without keeping them.
bool each(Database &database, const std::function<void(const QStringList &cells)> &take,
          QString *error);

// Adds the rows at the end.
bool append(Database &database, const QList<QStringList> &rows, QString *error);

// Adds rows at the end one at a time, all in one transaction: it begins with the first row,
// only commit() writes them, and an appender that goes without commit() leaves the table as it
// was.
class Appender
{
public:
    explicit Appender(Database &database);
    ~Appender();
    Appender(const Appender &) = delete;
    Appender &operator=(const Appender &) = delete;

    bool add(const QStringList &cells, QString *error);
    // True with nothing to write.
    bool commit(QString *error);

private:
    bool begin(QString *error);

    Database &m_database;
    std::unique_ptr<Transaction> m_transaction;
    std::unique_ptr<QSqlQuery> m_insert;
};

// Writes each row over the row at its position (0 for the first row in key order). A position
// the table does not have fails the whole write.
bool replace(Database &database, const QMap<int, QStringList> &rows, QString *error);

} // namespace TableRows
