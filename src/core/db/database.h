// One table's SQLite file with its own connection. Opening checks the file before anything
// could write to it, switches on the write-ahead journal with full syncing and runs the schema
// steps the file has not had yet, each in its own transaction.
#pragma once

#include "core/db/tableschema.h"

#include <QSqlDatabase>
#include <QString>

class QSqlError;

class Database
{
public:
    // The table's file in folder (the data folder when empty). Nothing is opened yet.
    explicit Database(const TableSchema &table, const QString &folder = QString());
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // Opens the file, creating it with its table on first use. A file that is not an SQLite
    // database, holds other tables, lacks one of the table's columns or comes from a newer
    // version of the program is refused and left exactly as it was. Returns false with the
    // reason, naming the file, in errorText().
    bool open();
    bool isOpen() const { return m_open; }
    QString errorText() const { return m_error; }

    QString filePath() const { return m_path; }
    const TableSchema &table() const { return m_table; }
    QSqlDatabase connection() const;
    // The number of schema steps that have run on the file (PRAGMA user_version); -1 when it
    // cannot be read.
    int schemaVersion() const;

    // The database's own words for an error, else Qt's.
    static QString errorText(const QSqlError &error);

private:
    bool fail(const QString &text);
    bool checkHeader();
    int readVersion(QString *error) const;
    bool checkContents(int version);
    bool runSteps(int version);
    bool pragma(const QString &statement, QString *answer = nullptr);

    TableSchema m_table;
    QString m_folder;
    QString m_path;
    QString m_connectionName;
    QString m_error;
    bool m_open = false;
};
