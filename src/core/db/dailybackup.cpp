#include "core/db/dailybackup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>

namespace DailyBackup {

namespace {

constexpr const char *DateForm = "yyyy-MM-dd";
constexpr const char *PartSuffix = ".part";

QString baseName(const QString &tableFile)
{
    return QFileInfo(tableFile).completeBaseName();
}

// VACUUM INTO writes its copy with a rollback journal. The copy is given the tables'
// write-ahead journal, so that one put back in the table's place opens as it lies, unchanged.
QString giveWriteAheadJournal(const QString &copy)
{
    const QString name = QStringLiteral("vantelo-backup-%1").arg(copy);
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(copy);
        QSqlQuery query(db);
        if (!db.open())
            error = db.lastError().text();
        else if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !query.next()
                 || query.value(0).toString() != QLatin1String("wal"))
            error = QStringLiteral("the copy cannot keep a write-ahead journal");
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return error;
}

} // namespace

QString folder(const QString &tableFile)
{
    return QFileInfo(tableFile).dir().filePath(QLatin1String(FolderName));
}

QString pathFor(const QString &tableFile, const QDate &day)
{
    return QDir(folder(tableFile))
        .filePath(QStringLiteral("%1-%2.sqlite")
                      .arg(baseName(tableFile), day.toString(QLatin1String(DateForm))));
}

QStringList existing(const QString &tableFile)
{
    const QRegularExpression name(QStringLiteral("^%1-(\\d{4}-\\d{2}-\\d{2})\\.sqlite$")
                                      .arg(QRegularExpression::escape(baseName(tableFile))));
    QList<std::pair<QDate, QString>> found;
    const QDir dir(folder(tableFile));
    const QStringList files = dir.entryList(QDir::Files);
    for (const QString &file : files) {
        const QRegularExpressionMatch match = name.match(file);
        if (!match.hasMatch())
            continue;
        const QDate day = QDate::fromString(match.captured(1), QLatin1String(DateForm));
        if (day.isValid())
            found.append({day, dir.filePath(file)});
    }
    std::sort(found.begin(), found.end(),
              [](const auto &a, const auto &b) { return a.first > b.first; });
    QStringList paths;
    for (const auto &[day, path] : found)
        paths << path;
    return paths;
}

QString make(const QSqlDatabase &db, const QString &tableFile, const QDate &today)
{
    const QString target = pathFor(tableFile, today);
    if (QFileInfo::exists(target))
        return QString();
    if (!QDir().mkpath(folder(tableFile)))
        return QStringLiteral("the folder %1 cannot be made").arg(folder(tableFile));
    // Written under another name first, so that a copy cut short is never taken for one.
    const QString part = target + QLatin1String(PartSuffix);
    QFile::remove(part);
    QSqlQuery query(db);
    if (!query.prepare(QStringLiteral("VACUUM INTO ?")))
        return query.lastError().text();
    query.addBindValue(part);
    if (!query.exec()) {
        const QString error = query.lastError().databaseText();
        QFile::remove(part);
        return error.isEmpty() ? query.lastError().text() : error;
    }
    if (const QString error = giveWriteAheadJournal(part); !error.isEmpty()) {
        QFile::remove(part);
        return error;
    }
    if (!QFile::rename(part, target)) {
        QFile::remove(part);
        return QStringLiteral("%1 cannot be written").arg(target);
    }
    const QStringList copies = existing(tableFile);
    for (qsizetype i = Kept; i < copies.size(); ++i)
        QFile::remove(copies.at(i));
    return QString();
}

QString restoreText(const QString &tableFile)
{
    const QStringList copies = existing(tableFile);
    if (copies.isEmpty())
        return QStringLiteral("There is no backup of it in %1 yet.").arg(folder(tableFile));
    return QStringLiteral("Its backups are in %1, the newest %2. To go back to it, quit Vantelo, "
                          "remove %3-wal and %3-shm if they are there, and copy the backup over "
                          "%3.")
        .arg(folder(tableFile), QFileInfo(copies.first()).fileName(), tableFile);
}

} // namespace DailyBackup
