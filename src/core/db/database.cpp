#include "core/db/database.h"

#include "core/db/dailybackup.h"
#include "core/db/datafolder.h"
#include "core/db/transaction.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>

namespace {

QAtomicInt connectionCount;

const QString LeftAsItIs = QStringLiteral("; the file has been left as it is.");

} // namespace

Database::Database(const TableSchema &table, const QString &folder)
    : m_table(table)
    , m_folder(folder)
{
    m_connectionName = QStringLiteral("vantelo-%1-%2")
                           .arg(table.tableName)
                           .arg(connectionCount.fetchAndAddRelaxed(1));
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
}

Database::~Database()
{
    connection().close();
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase Database::connection() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

QString Database::errorText(const QSqlError &error)
{
    const QString text = error.databaseText().trimmed();
    return text.isEmpty() ? error.text().trimmed() : text;
}

bool Database::fail(const QString &text)
{
    m_error = text;
    connection().close();
    m_open = false;
    return false;
}

bool Database::open()
{
    if (m_open)
        return true;
    m_error.clear();
    m_readOnlyReason.clear();
    m_backupProblem.clear();
    QString folder = m_folder;
    if (folder.isEmpty()) {
        QString error;
        if (!DataFolder::ensureExists(&error))
            return fail(error);
        folder = DataFolder::path();
    } else if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder)) {
        return fail(QStringLiteral("The data folder %1 cannot be created.").arg(folder));
    }
    m_path = QDir(folder).filePath(m_table.fileName);
    const QFileInfo file(m_path);
    const bool existed = file.exists() && file.size() > 0;
    if (!checkHeader())
        return false;
    if (existed && !file.isWritable())
        m_readOnlyReason = QStringLiteral("the file %1 is read-only").arg(m_path);
    else if (!QFileInfo(folder).isWritable())
        m_readOnlyReason = QStringLiteral("the folder %1 cannot be written").arg(folder);
    if (!existed) {
        if (!m_readOnlyReason.isEmpty())
            return fail(QStringLiteral("%1 cannot be made: %2.").arg(m_path, m_readOnlyReason));
        return openForWriting(0);
    }

    // Only reads until the file is known to be sound and this table's.
    if (!openForReading())
        return false;
    QSqlError error;
    const int version = readVersion(&error);
    if (version < 0)
        return refuseUnreadable(error);
    if (version > m_table.steps.size())
        return refuse(QStringLiteral("%1 comes from a newer version of Vantelo (schema step %2; "
                                     "this version knows %3)")
                          .arg(m_path)
                          .arg(version)
                          .arg(m_table.steps.size()));
    if (!checkIntegrity() || !checkContents(version))
        return false;
    if (!m_readOnlyReason.isEmpty()) {
        m_open = true;
        return true;
    }
    connection().close();
    return openForWriting(version);
}

bool Database::openForReading()
{
    QSqlDatabase db = connection();
    // Without a write-ahead journal beside it the file holds the whole table, and is read as
    // it lies: nothing is made beside it, nothing in it is changed. A journal left by a program
    // that ended without closing holds committed rows and is read with it.
    const QFileInfo journal(m_path + QStringLiteral("-wal"));
    if (journal.exists() && journal.size() > 0) {
        db.setDatabaseName(m_path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000"));
    } else {
        db.setDatabaseName(QUrl::fromLocalFile(m_path).toString(QUrl::FullyEncoded)
                           + QStringLiteral("?immutable=1"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI"));
    }
    if (!db.open())
        return refuse(
            QStringLiteral("%1 cannot be opened: %2").arg(m_path, errorText(db.lastError())));
    return true;
}

bool Database::openForWriting(int version)
{
    QSqlDatabase db = connection();
    db.setDatabaseName(m_path);
    // A lock held by another program is waited for briefly, then reported.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
    if (!db.open())
        return fail(
            QStringLiteral("%1 cannot be opened: %2").arg(m_path, errorText(db.lastError())));
    m_open = true;
    if (version > 0)
        m_backupProblem = DailyBackup::make(db, m_path, QDate::currentDate());

    QString mode;
    if (!pragma(QStringLiteral("PRAGMA journal_mode"), &mode))
        return false;
    if (mode.compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0
        && !pragma(QStringLiteral("PRAGMA journal_mode=WAL"), &mode))
        return false;
    if (mode.compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0)
        return fail(QStringLiteral("%1 cannot keep a write-ahead journal (journal mode %2).")
                        .arg(m_path, mode));
    if (!pragma(QStringLiteral("PRAGMA synchronous=FULL"))
        || !pragma(QStringLiteral("PRAGMA foreign_keys=ON")))
        return false;
    return runSteps(version);
}

bool Database::refuse(const QString &text)
{
    return fail(text + LeftAsItIs + QLatin1Char(' ') + DailyBackup::restoreText(m_path));
}

bool Database::refuseUnreadable(const QSqlError &error)
{
    // SQLITE_CORRUPT and SQLITE_NOTADB: the pages do not hold what SQLite wrote there.
    const QString code = error.nativeErrorCode();
    const QString what = code == QLatin1String("11") || code == QLatin1String("26")
        ? QStringLiteral("%1 is damaged: %2")
        : QStringLiteral("%1 cannot be read: %2");
    return refuse(what.arg(m_path, errorText(error)));
}

bool Database::checkIntegrity()
{
    QSqlQuery query(connection());
    if (!query.exec(QStringLiteral("PRAGMA quick_check")))
        return refuse(
            QStringLiteral("%1 is damaged: %2").arg(m_path, errorText(query.lastError())));
    QStringList problems;
    // "ok", or one problem per row; the first carries a line "*** in database main ***" ahead
    // of its own.
    while (query.next()) {
        const QStringList lines = query.value(0).toString().split(QLatin1Char('\n'));
        for (const QString &text : lines) {
            const QString line = text.trimmed();
            if (!line.isEmpty() && line != QLatin1String("ok")
                && !line.startsWith(QLatin1String("***")))
                problems << line;
        }
    }
    if (query.lastError().isValid())
        problems << errorText(query.lastError());
    if (problems.isEmpty())
        return true;
    const qsizetype shown = 3;
    QString found = problems.mid(0, shown).join(QStringLiteral("; "));
    if (problems.size() > shown)
        found += QStringLiteral("; and %1 more").arg(problems.size() - shown);
    return refuse(QStringLiteral("%1 is damaged: %2").arg(m_path, found));
}

bool Database::checkHeader()
{
    QFile file(m_path);
    if (!file.exists() || file.size() == 0)
        return true; // a new database
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("%1 cannot be read: %2").arg(m_path, file.errorString()));
    static const QByteArray Magic("SQLite format 3\0", 16);
    if (file.read(Magic.size()) != Magic)
        return refuse(QStringLiteral("%1 is not an SQLite database").arg(m_path));
    return true;
}

int Database::schemaVersion() const
{
    QSqlError error;
    return readVersion(&error);
}

int Database::readVersion(QSqlError *error) const
{
    QSqlQuery query(connection());
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        *error = query.lastError();
        return -1;
    }
    return query.value(0).toInt();
}

bool Database::checkContents(int version)
{
    QSqlQuery query(connection());
    if (!query.exec(QStringLiteral(
            "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%'")))
        return refuseUnreadable(query.lastError());
    QStringList tables;
    while (query.next())
        tables << query.value(0).toString();
    if (version == 0) {
        // A file without steps must be empty: the first step creates the table.
        if (tables.isEmpty())
            return true;
        return refuse(QStringLiteral("%1 holds other data than the %2 table (%3)")
                          .arg(m_path, m_table.tableName, tables.join(QStringLiteral(", "))));
    }
    if (!tables.contains(m_table.tableName))
        return refuse(QStringLiteral("%1 has no table %2").arg(m_path, m_table.tableName));

    if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(Tables::quoted(m_table.tableName))))
        return refuseUnreadable(query.lastError());
    QSet<QString> present;
    while (query.next())
        present.insert(query.value(1).toString());
    QStringList missing;
    for (const QString &name : m_table.columns + QStringList {QLatin1String(KeyColumn)}) {
        if (!present.contains(name))
            missing << name;
    }
    if (missing.isEmpty())
        return true;
    return refuse(QStringLiteral("The table %1 in %2 lacks the column%3 %4")
                      .arg(m_table.tableName, m_path,
                           missing.size() > 1 ? QStringLiteral("s") : QString(),
                           missing.join(QStringLiteral(", "))));
}

bool Database::runSteps(int version)
{
    QSqlDatabase db = connection();
    for (int step = version; step < m_table.steps.size(); ++step) {
        Transaction transaction(db);
        QString error = transaction.errorText();
        if (transaction.isActive()) {
            error = m_table.steps.at(step)(db, m_table);
            QSqlQuery query(db);
            if (error.isEmpty()
                && !query.exec(QStringLiteral("PRAGMA user_version=%1").arg(step + 1)))
                error = errorText(query.lastError());
            if (error.isEmpty() && !transaction.commit())
                error = transaction.errorText();
        }
        if (!error.isEmpty())
            return fail(QStringLiteral("%1: schema step %2 failed: %3; the file stays at step %4.")
                            .arg(m_path)
                            .arg(step + 1)
                            .arg(error)
                            .arg(step));
    }
    return true;
}

bool Database::pragma(const QString &statement, QString *answer)
{
    QSqlQuery query(connection());
    if (!query.exec(statement))
        return fail(QStringLiteral("%1: %2 failed: %3")
                        .arg(m_path, statement, errorText(query.lastError())));
    if (answer && query.next())
        *answer = query.value(0).toString();
    return true;
}
