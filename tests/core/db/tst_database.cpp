// The data layer: files made by the schema steps from nothing and from every earlier step,
// the journal settings, files that are not the program's left untouched, and transactions that
// write all or nothing.
#include "common/storedtable.h"
#include "core/db/database.h"
#include "core/db/datafolder.h"
#include "core/db/transaction.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

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
    if (statements.isEmpty()) {
        writeFile(path, text);
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
    QVERIFY2(db.errorText().endsWith(QLatin1String("the file has been left as it is.")),
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

QTEST_GUILESS_MAIN(tst_Database)
#include "tst_database.moc"
