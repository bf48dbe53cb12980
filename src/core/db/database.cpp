#include "core/db/database.h"

#include "core/db/datafolder.h"
#include "core/db/transaction.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
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
    if (!checkHeader())
        return false;

    QSqlDatabase db = connection();
    db.setDatabaseName(m_path);
    // A lock held by another program is waited for briefly, then reported.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
    if (!db.open())
        return fail(
            QStringLiteral("%1 cannot be opened: %2").arg(m_path, errorText(db.lastError())));
    m_open = true;

    // Only reads until the file is known to be this table's.
    QString error;
    const int version = readVersion(&error);
    if (version < 0)
        return fail(QStringLiteral("%1 cannot be read: %2").arg(m_path, error) + LeftAsItIs);
    if (version > m_table.steps.size())
        return fail(QStringLiteral("%1 comes from a newer version of Vantelo (schema step %2; "
                                   "this version knows %3)")
                        .arg(m_path)
                        .arg(version)
                        .arg(m_table.steps.size())
                    + LeftAsItIs);
    if (!checkContents(version))
        return false;

    QString mode;
    if (!pragma(QStringLiteral("PRAGMA journal_mode=WAL"), &mode))
        return false;
    if (mode.compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0)
        return fail(QStringLiteral("%1 cannot keep a write-ahead journal (journal mode %2).")
                        .arg(m_path, mode));
    if (!pragma(QStringLiteral("PRAGMA synchronous=FULL"))
        || !pragma(QStringLiteral("PRAGMA foreign_keys=ON")))
        return false;
    return runSteps(version);
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
        return fail(QStringLiteral("%1 is not an SQLite database").arg(m_path) + LeftAsItIs);
    return true;
}

int Database::schemaVersion() const
{
    QString error;
    return readVersion(&error);
}

int Database::readVersion(QString *error) const
{
    QSqlQuery query(connection());
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        *error = errorText(query.lastError());
        return -1;
    }
    return query.value(0).toInt();
}

bool Database::checkContents(int version)
{
    QSqlQuery query(connection());
    if (!query.exec(QStringLiteral(
            "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%'")))
        return fail(
            QStringLiteral("%1 cannot be read: %2").arg(m_path, errorText(query.lastError()))
            + LeftAsItIs);
    QStringList tables;
    while (query.next())
        tables << query.value(0).toString();
    if (version == 0) {
        // A file without steps must be empty: the first step creates the table.
        if (tables.isEmpty())
            return true;
        return fail(QStringLiteral("%1 holds other data than the %2 table (%3)")
                        .arg(m_path, m_table.tableName, tables.join(QStringLiteral(", ")))
                    + LeftAsItIs);
    }
    if (!tables.contains(m_table.tableName))
        return fail(QStringLiteral("%1 has no table %2").arg(m_path, m_table.tableName)
                    + LeftAsItIs);

    if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(Tables::quoted(m_table.tableName))))
        return fail(
            QStringLiteral("%1 cannot be read: %2").arg(m_path, errorText(query.lastError()))
            + LeftAsItIs);
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
    return fail(QStringLiteral("The table %1 in %2 lacks the column%3 %4")
                    .arg(m_table.tableName, m_path,
                         missing.size() > 1 ? QStringLiteral("s") : QString(),
                         missing.join(QStringLiteral(", ")))
                + LeftAsItIs);
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
