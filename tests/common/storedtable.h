// Reads and changes a table file through a connection of its own, the way another program
// would see it: what a test finds here is on disk.
#pragma once

#include "core/db/tableschema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

class StoredTable
{
public:
    explicit StoredTable(const QString &path)
        : m_name(QStringLiteral("stored-%1").arg(quintptr(this)))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        db.open();
    }
    ~StoredTable()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    StoredTable(const StoredTable &) = delete;
    StoredTable &operator=(const StoredTable &) = delete;

    // Runs statements; returns the first error's text, empty when all ran.
    QString exec(const QStringList &statements)
    {
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        for (const QString &statement : statements) {
            if (!query.exec(statement))
                return query.lastError().text();
        }
        return QString();
    }

    // The rows of the table's own columns in the plain order.
    QList<QStringList> rows(const TableSchema &table)
    {
        QStringList names;
        for (const QString &column : table.columns)
            names << Tables::quoted(column);
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        query.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                       .arg(names.join(QLatin1Char(',')), Tables::quoted(table.tableName),
                            Tables::quoted(QLatin1String(KeyColumn))));
        QList<QStringList> result;
        while (query.next()) {
            QStringList cells;
            for (int i = 0; i < table.columns.size(); ++i)
                cells << query.value(i).toString();
            result << cells;
        }
        return result;
    }

    QString value(const QString &statement)
    {
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        if (!query.exec(statement) || !query.next())
            return QStringLiteral("<error %1>").arg(query.lastError().text());
        return query.value(0).toString();
    }

private:
    QString m_name;
};
