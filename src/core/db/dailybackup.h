// The tables' daily copies. The first time on a day that a table is opened, a copy of its file
// is made with SQLite's VACUUM INTO in the folder "backups" beside the tables
// (backups/Logging-2026-12-08.sqlite); the copies of the last Kept days on which the table was
// opened stay, older ones are removed. A copy is a whole database file: put in the table's
// place (with Vantelo closed), it opens as the table did that day.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class QSqlDatabase;

namespace DailyBackup {

inline constexpr int Kept = 7;
inline constexpr const char *FolderName = "backups";

// The folder that holds the copies of the table file at tableFile.
QString folder(const QString &tableFile);
// The copy of tableFile made on day.
QString pathFor(const QString &tableFile, const QDate &day);
// The copies of tableFile there are, newest first.
QStringList existing(const QString &tableFile);

// Makes the copy of the day through db (the open connection to tableFile) unless there is one,
// then removes all but the Kept newest. Returns an empty text when that went well (or there was
// nothing to do), else why the copy could not be made.
QString make(const QSqlDatabase &db, const QString &tableFile, const QDate &today);

// For the message about a file that cannot be used: where its copies are and how to go back
// to the newest, or that there is none yet.
QString restoreText(const QString &tableFile);

} // namespace DailyBackup
