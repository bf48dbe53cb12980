// One table's SQLite file with its own connection. Opening checks the file before anything
// could write to it (SQLite's quick check, then the tables and columns), makes the day's backup
// (DailyBackup), switches on the write-ahead journal with full syncing and runs the schema steps
// the file has not had yet, each in its own transaction. A file or folder that cannot be written
// is opened to be read only.
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
    // database, is damaged, holds other tables, lacks one of the table's columns or comes from
    // a newer version of the program is refused and left exactly as it was, byte for byte.
    // Returns false with the reason, naming the file and where its backups are, in errorText().
    bool open();
    bool isOpen() const { return m_open; }
    QString errorText() const { return m_error; }
    // Open to be read only: the file or its folder cannot be written (readOnlyReason() says
    // which). The rows can be read; every write fails.
    bool isReadOnly() const { return m_open && !m_readOnlyReason.isEmpty(); }
    QString readOnlyReason() const { return m_readOnlyReason; }
    // Why the day's backup could not be made at this opening; empty when it was, or when there
    // was one already.
    QString backupProblem() const { return m_backupProblem; }

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
    // fail() for a file that is left alone: says so, and where its backups are.
    bool refuse(const QString &text);
    bool refuseUnreadable(const QSqlError &error);
    bool openForReading();
    bool openForWriting(int version);
    bool checkHeader();
    bool checkIntegrity();
    int readVersion(QSqlError *error) const;
    bool checkContents(int version);
    bool runSteps(int version);
    bool pragma(const QString &statement, QString *answer = nullptr);

    TableSchema m_table;
    QString m_folder;
    QString m_path;
    QString m_connectionName;
    QString m_error;
    QString m_readOnlyReason;
    QString m_backupProblem;
    bool m_open = false;
};
