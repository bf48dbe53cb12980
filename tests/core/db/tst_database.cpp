// The data layer: files made by the schema steps from nothing and from every earlier step,
// the journal settings, files that are not the program's or are damaged left untouched byte for
// byte, transactions that write all or nothing, the daily backups, and one copy of the program
// per folder.
#include "common/storedtable.h"
#include "core/db/dailybackup.h"
#include "core/db/database.h"
#include "core/db/datafolder.h"
#include "core/db/folderlock.h"
#include "core/db/transaction.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

const TableSchema *tableNamed(const QString &name)
{
    for (const TableSchema *table : {&Tables::memory(), &Tables::band(), &Tables::scan(),
                                     &Tables::logging(), &Tables::menu()}) {
        if (table->tableName == name)
            return table;
    }
    return nullptr;
}

// A table with three steps, the last of which changes rows the second one added: replaying
// from any step gives the same rows only if every step runs exactly once.
TableSchema threeSteps()
{
    TableSchema table {QStringLiteral("Steps.sqlite"),
                       QStringLiteral("Steps"),
                       {QStringLiteral("Name"), QStringLiteral("Value")},
                       {}};
    table.steps << SchemaSteps::createTable()
                << SchemaSteps::seedRows(
                       {{QStringLiteral("a"), QStringLiteral("1")}, {QStringLiteral("b")}})
                << [](QSqlDatabase &db, const TableSchema &) {
                       QSqlQuery query(db);
                       return query.exec(QStringLiteral("UPDATE Steps SET Value = Value || 'x'"))
                           ? QString()
                           : QStringLiteral("update failed");
                   };
    return table;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A logbook just made in dir, holding one contact; its path, or nothing when it could not be made.
QString logbookWithOneContact(const QTemporaryDir &dir)
{
    Database db(Tables::logging(), dir.path());
    if (!db.open())
        return QString();
    const QString path = db.filePath();
    return StoredTable(path).exec({"INSERT INTO Logging (CallSign) VALUES ('K1ABC')"}).isEmpty()
        ? path
        : QString();
}

} // namespace

Q_DECLARE_METATYPE(TableSchema)

class tst_Database : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void dataFolderIsTheXdgDataFolder();
    void newFolderGetsEveryTable_data();
    void newFolderGetsEveryTable();
    void replayFromEveryEarlierStep_data();
    void replayFromEveryEarlierStep();
    void seedRowsNeverJoinTheOperatorsRows();
    void journalAndSyncSettings();
    void refusedFileLeftUntouched_data();
    void refusedFileLeftUntouched();
    void transactionWritesAllOrNothing();
    void logbookCutInItsLastPage();
    void dailyBackupMadeOnceAndPrunedToSeven();
    void oneCopyPerFolder();
};

void tst_Database::dataFolderIsTheXdgDataFolder()
{
    QTemporaryDir home;
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    QCOMPARE(DataFolder::path(), home.path() + QStringLiteral("/Vantelo"));
    QString error;
    QVERIFY(DataFolder::ensureExists(&error));
    QVERIFY(QFileInfo(home.path() + QStringLiteral("/Vantelo")).isDir());
    {
        Database db(Tables::menu());
        QVERIFY2(db.open(), qPrintable(db.errorText()));
        QCOMPARE(db.filePath(), home.path() + QStringLiteral("/Vantelo/Menu.sqlite"));
    }
    // --data-dir: another folder for the run, made when missing.
    DataFolder::setPath(home.path() + QStringLiteral("/other/../chosen"));
    QCOMPARE(DataFolder::path(), home.path() + QStringLiteral("/chosen"));
    QVERIFY(DataFolder::ensureExists(&error));
    QVERIFY(QFileInfo(home.path() + QStringLiteral("/chosen")).isDir());
    DataFolder::setPath(QString());
    QCOMPARE(DataFolder::path(), home.path() + QStringLiteral("/Vantelo"));
    qputenv("XDG_DATA_HOME", saved);
}

void tst_Database::newFolderGetsEveryTable_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<int>("rows");
    QTest::newRow("memory") << "Memory"
                            << "memory.sqlite"
                            << QStringList {"Mem",  "FreqMain",    "FreqSplit", "Mode",
                                            "Tone", "Description", "Scan"}
                            << 100;
    QTest::newRow("band") << "Band"
                          << "Band.sqlite" << QStringList {"Frequency", "Mode", "Description"} << 9;
    QTest::newRow("scan") << "Scan"
                          << "Scan.sqlite" << QStringList {"FreqStart", "FreqEnd", "Mode",
                                                           "Step",      "Pause",   "Description"}
                          << 4;
    QTest::newRow("logging") << "Logging"
                             << "Logging.sqlite"
                             << QStringList {"DateLocal", "DateGMT",  "Frequency",
                                             "Mode",      "CallSign", "Description"}
                             << 0;
    QTest::newRow("menu") << "Menu"
                          << "Menu.sqlite"
                          << QStringList {"Menu", "Value", "Options", "Description"} << 0;
}

void tst_Database::newFolderGetsEveryTable()
{
    QFETCH(QString, table);
    QFETCH(QString, file);
    QFETCH(QStringList, columns);
    QFETCH(int, rows);
    const TableSchema *schema = tableNamed(table);
    QVERIFY(schema);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("not/yet/there"));
    Database db(*schema, folder);
    QVERIFY2(db.open(), qPrintable(db.errorText()));
    QCOMPARE(db.filePath(), QDir(folder).filePath(file));
    QCOMPARE(db.schemaVersion(), schema->steps.size());

    StoredTable stored(db.filePath());
    QSqlQuery info(db.connection());
    QVERIFY(info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table)));
    QStringList found;
    while (info.next()) {
        found << info.value(1).toString();
        if (found.last() != QLatin1String(KeyColumn))
            QCOMPARE(info.value(2).toString(), QStringLiteral("TEXT"));
    }
    QCOMPARE(found, columns + QStringList {QLatin1String(KeyColumn)});

    const QList<QStringList> content = stored.rows(*schema);
    QCOMPARE(content.size(), rows);
    if (table == QLatin1String("Band"))
        QCOMPARE(content, SchemaSteps::bandRows());
    if (table == QLatin1String("Scan"))
        QCOMPARE(content, SchemaSteps::scanRows());
    for (int i = 0; table == QLatin1String("Memory") && i < content.size(); ++i) {
        QStringList expected(columns.size(), QStringLiteral(" "));
        expected[0] = QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
        QCOMPARE(content.at(i), expected);
    }
}

void tst_Database::replayFromEveryEarlierStep_data()
{
    QTest::addColumn<TableSchema>("table");
    QTest::addColumn<int>("leftAt");
    const QList<TableSchema> tables {threeSteps(),   Tables::memory(),  Tables::band(),
                                     Tables::scan(), Tables::logging(), Tables::menu()};
    for (const TableSchema &table : tables) {
        for (int step = 0; step < table.steps.size(); ++step)
            QTest::addRow("%s at step %d", qPrintable(table.tableName), step) << table << step;
    }
}

void tst_Database::replayFromEveryEarlierStep()
{
    QFETCH(TableSchema, table);
    QFETCH(int, leftAt);
    QTemporaryDir fresh;
    QList<QStringList> expected;
    {
        Database db(table, fresh.path());
        QVERIFY2(db.open(), qPrintable(db.errorText()));
        expected = StoredTable(db.filePath()).rows(table);
    }
    QTemporaryDir old;
    {
        TableSchema earlier = table;
        earlier.steps = table.steps.mid(0, leftAt);
        Database db(earlier, old.path());
        QVERIFY2(db.open(), qPrintable(db.errorText()));
        QCOMPARE(db.schemaVersion(), leftAt);
    }
    Database db(table, old.path());
    QVERIFY2(db.open(), qPrintable(db.errorText()));
    QCOMPARE(db.schemaVersion(), table.steps.size());
    QCOMPARE(StoredTable(db.filePath()).rows(table), expected);
    if (table.tableName == QLatin1String("Steps"))
        QCOMPARE(expected,
                 (QList<QStringList> {{QStringLiteral("a"), QStringLiteral("1x")},
                                      {QStringLiteral("b"), QStringLiteral(" x")}}));
}

void tst_Database::seedRowsNeverJoinTheOperatorsRows()
{
    QTemporaryDir dir;
    TableSchema table = threeSteps();
    TableSchema first = table;
    first.steps = table.steps.mid(0, 1);
    {
        Database db(first, dir.path());
        QVERIFY(db.open());
        StoredTable(db.filePath())
            .exec({QStringLiteral("INSERT INTO Steps (Name, Value) VALUES ('mine', '7')")});
    }
    Database db(table, dir.path());
    QVERIFY2(db.open(), qPrintable(db.errorText()));
    QCOMPARE(StoredTable(db.filePath()).rows(table),
             (QList<QStringList> {{QStringLiteral("mine"), QStringLiteral("7x")}}));
}

void tst_Database::journalAndSyncSettings()
{
    QTemporaryDir dir;
    Database db(Tables::memory(), dir.path());
    QVERIFY2(db.open(), qPrintable(db.errorText()));
    const auto pragma = [&db](const char *name) {
        QSqlQuery query(db.connection());
        return query.exec(QStringLiteral("PRAGMA %1").arg(QLatin1String(name))) && query.next()
            ? query.value(0).toString()
            : QString();
    };
    QCOMPARE(pragma("journal_mode"), QStringLiteral("wal"));
    QCOMPARE(pragma("synchronous"), QStringLiteral("2")); // FULL
    QCOMPARE(pragma("foreign_keys"), QStringLiteral("1"));
}

void tst_Database::refusedFileLeftUntouched_data()
{
    QTest::addColumn<QByteArray>("text"); // a file of these bytes, or built by SQL when empty
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QString>("reason");
    // The program's own file, grown over several pages, then damaged on disk.
    const QStringList grown {
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 400) "
        "INSERT INTO Memory (Mem, Description) SELECT 'x', printf('%0200d', i) FROM n"};
    QTest::newRow("truncated") << QByteArray("truncate:5000") << grown << "is damaged: ";
    QTest::newRow("a page overwritten") << QByteArray("overwrite:8192") << grown << "is damaged: ";
    QTest::newRow("text file") << QByteArray("Mem;FreqMain\n00;14,200\n01;7,050\n") << QStringList()
                               << "is not an SQLite database";
    QTest::newRow("short file") << QByteArray("SQLite") << QStringList()
                                << "is not an SQLite database";
    QTest::newRow("table without a column")
        << QByteArray()
        << QStringList {"CREATE TABLE Memory (Mem TEXT, FreqMain TEXT, FreqSplit TEXT, Mode TEXT, "
                        "Description TEXT, Scan TEXT, Id INTEGER PRIMARY KEY)",
                        "INSERT INTO Memory (Mem, FreqMain) VALUES ('00', '14,200')",
                        "PRAGMA user_version=1"}
        << "lacks the column Tone";
    QTest::newRow("table missing")
        << QByteArray() << QStringList {"CREATE TABLE Other (A TEXT)", "PRAGMA user_version=1"}
        << "has no table Memory";
    QTest::newRow("someone else's database")
        << QByteArray()
        << QStringList {"CREATE TABLE Contacts (Call TEXT)",
                        "INSERT INTO Contacts VALUES ('DL1ABC')"}
        << "holds other data than the Memory table (Contacts)";
    QTest::newRow("newer version")
        << QByteArray()
        << QStringList {"CREATE TABLE Memory (Mem TEXT, FreqMain TEXT, FreqSplit TEXT, Mode TEXT, "
                        "Tone TEXT, Description TEXT, Scan TEXT, Id INTEGER PRIMARY KEY)",
                        "PRAGMA user_version=7"}
        << "comes from a newer version of Vantelo (schema step 7; this version knows 2)";
}

void tst_Database::refusedFileLeftUntouched()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, statements);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("memory.sqlite"));
    if (!text.isEmpty() && !statements.isEmpty()) {
        {
            Database made(Tables::memory(), dir.path());
            QVERIFY(made.open());
            QCOMPARE(StoredTable(path).exec(statements), QString());
        }
        QVERIFY(!QFileInfo::exists(path + QStringLiteral("-wal")));
    }
    if (statements.isEmpty()) {
        writeFile(path, text);
    } else if (!text.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QList<QByteArray> how = text.split(':');
        if (how.at(0) == "truncate")
            QVERIFY(file.resize(how.at(1).toInt()));
        else
            QVERIFY(file.seek(how.at(1).toInt()) && file.write(QByteArray(4096, '\xff')) == 4096);
    } else {
        StoredTable stored(path);
        QCOMPARE(stored.exec(statements), QString());
    }
    const QByteArray before = contents(path);
    const QStringList filesBefore = QDir(dir.path()).entryList(QDir::Files);

    Database db(Tables::memory(), dir.path());
    QVERIFY(!db.open());
    QVERIFY(!db.isOpen());
    QVERIFY2(db.errorText().contains(path), qPrintable(db.errorText()));
    QVERIFY2(db.errorText().contains(reason), qPrintable(db.errorText()));
    QVERIFY2(db.errorText().contains(QLatin1String("; the file has been left as it is. There is "
                                                   "no backup of it in ")
                                     + dir.filePath(QStringLiteral("backups yet."))),
             qPrintable(db.errorText()));
    QCOMPARE(contents(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), filesBefore);
    // A second try finds it just the same.
    QVERIFY(!db.open());
    QCOMPARE(contents(path), before);
}

void tst_Database::transactionWritesAllOrNothing()
{
    QTemporaryDir dir;
    Database db(Tables::band(), dir.path());
    QVERIFY(db.open());
    QVERIFY(QSqlQuery(db.connection()).exec(QStringLiteral("DELETE FROM Band"))); // the seeds
    const auto insert = [&db](const char *frequency) {
        QSqlQuery query(db.connection());
        return query.exec(QStringLiteral("INSERT INTO Band (Frequency) VALUES ('%1')")
                              .arg(QLatin1String(frequency)));
    };
    {
        Transaction transaction(db.connection());
        QVERIFY(transaction.isActive());
        QVERIFY(insert("7050"));
        // Leaving the scope without commit rolls back.
    }
    {
        Transaction transaction(db.connection());
        QVERIFY(insert("14200"));
        QVERIFY(transaction.commit());
        QVERIFY(!transaction.isActive());
    }
    QCOMPARE(StoredTable(db.filePath()).rows(Tables::band()),
             (QList<QStringList> {{QStringLiteral("14200"), QString(), QString()}}));
}

void tst_Database::logbookCutInItsLastPage()
{
    // The cells of a row sit at the end of their page: cut there, the row would show blank.
    QTemporaryDir dir;
    const QString path = logbookWithOneContact(dir);
    QVERIFY(!path.isEmpty());
    QVERIFY(QFile::resize(path, 5000));
    const QByteArray before = contents(path);
    Database db(Tables::logging(), dir.path());
    QVERIFY(!db.open());
    QVERIFY2(db.errorText().startsWith(path + QStringLiteral(" is damaged: Fragmentation of")),
             qPrintable(db.errorText()));
    QCOMPARE(contents(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList {"Logging.sqlite"});
}

void tst_Database::dailyBackupMadeOnceAndPrunedToSeven()
{
    QTemporaryDir dir;
    const QString path = logbookWithOneContact(dir);
    QVERIFY(!path.isEmpty());
    const QDate today = QDate::currentDate();
    const QString todays = dir.filePath(
        QStringLiteral("backups/Logging-%1.sqlite").arg(today.toString(Qt::ISODate)));
    QVERIFY(!QFileInfo::exists(todays)); // a table just made has nothing to keep yet
    {
        Database db(Tables::logging(), dir.path());
        QVERIFY(db.open());
        QCOMPARE(StoredTable(path).exec({"INSERT INTO Logging (CallSign) VALUES ('DL1XYZ')"}),
                 QString());
    }
    // The copy holds the table as it was opened, and opens as the table.
    QCOMPARE(StoredTable(todays).rows(Tables::logging()).size(), 1);
    QCOMPARE(StoredTable(todays).value("PRAGMA user_version"),
             QString::number(Tables::logging().steps.size()));
    {
        Database db(Tables::logging(), dir.path());
        QVERIFY(db.open());
    }
    QCOMPARE(StoredTable(todays).rows(Tables::logging()).size(), 1); // made once a day
    // Put back in the table's place, it opens as it lies.
    QVERIFY(QFile::remove(path) && QFile::copy(todays, path));
    const QByteArray restored = contents(path);
    {
        Database db(Tables::logging(), dir.path());
        QVERIFY2(db.open(), qPrintable(db.errorText()));
    }
    QCOMPARE(contents(path), restored);

    Database db(Tables::logging(), dir.path());
    QVERIFY(db.open());
    QStringList expected {todays};
    for (int daysAgo = 1; daysAgo <= 9; ++daysAgo) {
        QCOMPARE(DailyBackup::make(db.connection(), path, today.addDays(-daysAgo)), QString());
        if (daysAgo < DailyBackup::Kept)
            expected << DailyBackup::pathFor(path, today.addDays(-daysAgo));
    }
    QCOMPARE(DailyBackup::existing(path), expected);
    QCOMPARE(QDir(dir.filePath("backups")).entryList(QDir::Files).size(), DailyBackup::Kept);
    QVERIFY(DailyBackup::restoreText(path).contains(QFileInfo(todays).fileName()));
}

void tst_Database::oneCopyPerFolder()
{
    QTemporaryDir dir;
    // The other copy: this program run again, holding the folder until its input closes.
    const auto otherCopy = [&dir](QProcess &process) {
        process.start(QCoreApplication::applicationFilePath(),
                      {QStringLiteral("--hold-lock"), dir.path()});
        return process.waitForReadyRead(10000) && process.readAll() == "held\n";
    };
    {
        QProcess other;
        QVERIFY(otherCopy(other));
        FolderLock second(dir.path());
        QCOMPARE(second.take(), FolderLock::Outcome::HeldByAnother);
        QVERIFY2(second.problemText().startsWith(
                     QStringLiteral("Another Vantelo (process %1) is using the tables in %2.")
                         .arg(other.processId())
                         .arg(dir.path())),
                 qPrintable(second.problemText()));
        other.closeWriteChannel();
        QVERIFY(other.waitForFinished(10000));
        QCOMPARE(other.exitCode(), 0);
        QCOMPARE(second.take(), FolderLock::Outcome::Held); // let go of at its end
    }
    // A copy that crashed leaves its lock behind; the next copy takes it over.
    QProcess crashed;
    QVERIFY(otherCopy(crashed));
    crashed.kill();
    QVERIFY(crashed.waitForFinished(10000));
    QVERIFY(QFileInfo::exists(dir.filePath(QLatin1String(FolderLock::FileName))));
    FolderLock next(dir.path());
    QCOMPARE(next.take(), FolderLock::Outcome::Held);
}

namespace {
// Runs as the other copy of the program for oneCopyPerFolder().
int holdLock(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    FolderLock lock(QString::fromLocal8Bit(argv[2]));
    if (lock.take() != FolderLock::Outcome::Held)
        return 2;
    std::fputs("held\n", stdout);
    std::fflush(stdout);
    while (std::getchar() != EOF) { }
    return 0;
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--hold-lock") == 0)
        return holdLock(argc, argv);
    QCoreApplication app(argc, argv);
    tst_Database test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_database.moc"
