// Imports and exports between a file and a table's SQLite file: a malformed file changes
// nothing, a good one is written in one go (after a snapshot, for the memory table), and an
// export that cannot be written leaves the file that was there.
#include "common/memoryuse.h"
#include "common/storedtable.h"
#include "core/db/database.h"
#include "core/db/tablesnapshots.h"
#include "core/exchange/bandfile.h"
#include "core/exchange/logbookadif.h"
#include "core/exchange/logbookfile.h"
#include "core/exchange/memoryfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class tst_ExchangeFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void malformedFileChangesNothing_data();
    void malformedFileChangesNothing();
    void logbookExportAndImport();
    void memoryImportKeepsASnapshotFirst();
    void bandImportAppends();
    void exportThatCannotBeWrittenSaysWhy();
    void channelRanges();
    void largeImportKeepsLittleInMemory();

private:
    Database &open(const TableSchema &table);
    QList<QStringList> stored(const TableSchema &table)
    {
        return StoredTable(m_dir->filePath(table.fileName)).rows(table);
    }
    QString path(const char *name) const { return m_dir->filePath(QLatin1String(name)); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::vector<std::unique_ptr<Database>> m_databases;
};

void tst_ExchangeFiles::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void tst_ExchangeFiles::cleanup()
{
    m_databases.clear();
    m_dir.reset();
}

Database &tst_ExchangeFiles::open(const TableSchema &table)
{
    m_databases.push_back(std::make_unique<Database>(table, m_dir->path()));
    Database &db = *m_databases.back();
    if (!db.open())
        qFatal("%s", qPrintable(db.errorText()));
    return db;
}

void tst_ExchangeFiles::malformedFileChangesNothing_data()
{
    QTest::addColumn<int>("table"); // 0 logbook, 1 memory, 2 band list
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message");
    QTest::newRow("logbook") << 0
                             << QByteArray("<CALL:4>W1AW<QSO_DATE:8>20261206<TIME_ON:4>0910<EOR>\n"
                                           "<CALL:4>K2BB<QSO_DATE:7>2026120<TIME_ON:4>0910<EOR>\n")
                             << ", line 2: the record of K2BB has QSO_DATE \"2026120\", which is "
                                "no date written YYYYMMDD.";
    QTest::newRow("memory") << 1 << QByteArray("Location,Frequency,Mode\n0,14.2,USB\n1,145.5,NFM\n")
                            << ", line 3: Mode \"NFM\" is none of the modes a channel holds";
    QTest::newRow("band list") << 2 << QByteArray("Location,Frequency\n0,14.2\n1,\n")
                               << ", line 3: Frequency \"\" is no frequency in MHz.";
    QTest::newRow("missing file") << 2 << QByteArray() << "cannot be read";
}

void tst_ExchangeFiles::malformedFileChangesNothing()
{
    QFETCH(int, table);
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    const TableSchema &schema = table == 0 ? Tables::logging()
        : table == 1                       ? Tables::memory()
                                           : Tables::band();
    Database &db = open(schema);
    const QList<QStringList> before = stored(schema);
    const QString name = path("in.txt");
    if (!file.isEmpty())
        writeFile(name, file);
    const ExchangeOutcome outcome = table == 0 ? LogbookFile::importFrom(db, name, "+10")
        : table == 1                           ? MemoryFile::importFrom(db, name)
                                               : BandFile::importFrom(db, name);
    QVERIFY(outcome.failed);
    QVERIFY(!outcome.changed);
    QVERIFY2(outcome.message.startsWith(QLatin1String("Nothing was imported")),
             qPrintable(outcome.message));
    QVERIFY2(outcome.message.contains(message), qPrintable(outcome.message));
    QCOMPARE(stored(schema), before);
    if (table == 1)
        QVERIFY(TableSnapshots(db).list().isEmpty());
}

void tst_ExchangeFiles::logbookExportAndImport()
{
    Database &db = open(Tables::logging());
    QCOMPARE(StoredTable(db.filePath())
                 .exec({"INSERT INTO Logging (DateLocal, DateGMT, Frequency, Mode, CallSign, "
                        "Description) VALUES ('2026-12-06T19:05:07', '2026-12-06T09:05:07', "
                        "'7,050.6', 'LSB', 'K1ABC', 'first')"}),
             QString());
    const ExchangeOutcome exported
        = LogbookFile::exportTo(db, path("log.adi"), QDateTime::currentDateTimeUtc());
    QVERIFY(!exported.failed);
    QCOMPARE(exported.message, QStringLiteral("Wrote 1 contact to %1.").arg(path("log.adi")));

    // Another program adds a contact; the file comes back: the new one is added, the old one
    // skipped as already there.
    writeFile(path("log.adi"),
              fileBytes(path("log.adi"))
                  + "<CALL:4>W1AW<QSO_DATE:8>20261206<TIME_ON:4>2330"
                    "<FREQ:6>14.025<MODE:2>CW<EOR>\n");
    const ExchangeOutcome imported = LogbookFile::importFrom(db, path("log.adi"), "+10");
    QVERIFY(!imported.failed);
    QVERIFY(imported.changed);
    QVERIFY2(imported.message.startsWith(
                 QStringLiteral("Imported 1 contact from %1 (the file holds 2 records). Their "
                                "local times are GMT plus 10 hours.\n\nSkipped 1 record already "
                                "there (the same call sign, GMT time to the minute, band and "
                                "mode): line ")
                     .arg(path("log.adi"))),
             qPrintable(imported.message));
    QCOMPARE(
        stored(Tables::logging()).last(),
        QStringList({"2026-12-07T09:30:00", "2026-12-06T23:30:00", "14,025", "CW", "W1AW", ""}));
}

void tst_ExchangeFiles::memoryImportKeepsASnapshotFirst()
{
    Database &db = open(Tables::memory());
    const QList<QStringList> before = stored(Tables::memory());
    writeFile(path("channels.csv"),
              "Location,Name,Frequency,Mode,Skip\n"
              "0,Net,14.195500,USB,S\n1,Beacon,28.200000,CW,\n"
              "2,X,7.05,LSB,\n5,Y,3.7,LSB,\n");
    const ExchangeOutcome outcome = MemoryFile::importFrom(db, path("channels.csv"));
    QVERIFY2(!outcome.failed, qPrintable(outcome.message));
    QCOMPARE(outcome.message,
             QStringLiteral("Imported 4 channels from %1 into channels 00-02, 05. The other 96 "
                            "channels were left as they were.\n\nThe table as it was before is "
                            "kept as a snapshot: Snapshots > Restore Snapshot... brings it back.")
                 .arg(path("channels.csv")));
    const QList<QStringList> after = stored(Tables::memory());
    QCOMPARE(after.at(0), QStringList({"00", "14,195.5", " ", "USB", " ", "Net", " "}));
    QCOMPARE(after.at(1), QStringList({"01", "28,200", " ", "CW", " ", "Beacon", "A"}));
    QCOMPARE(after.at(3), before.at(3));
    QCOMPARE(after.size(), 100);

    TableSnapshots snapshots(db);
    const QList<TableSnapshots::Snapshot> kept = snapshots.list();
    QCOMPARE(kept.size(), 1);
    QCOMPARE(kept.first().reason, QStringLiteral("before importing channels.csv"));
    QCOMPARE(*snapshots.rows(kept.first().id), before);
}

void tst_ExchangeFiles::bandImportAppends()
{
    Database &db = open(Tables::band());
    const QList<QStringList> before = stored(Tables::band());
    QVERIFY(BandFile::exportTo(db, path("bands.csv")).message.startsWith("Wrote 9 rows to "));
    // The list's own file adds nothing: every row is in the list already.
    ExchangeOutcome outcome = BandFile::importFrom(db, path("bands.csv"));
    QVERIFY(!outcome.changed);
    QVERIFY2(outcome.message.contains("Added 0 rows") && outcome.message.contains("Skipped 9 rows"),
             qPrintable(outcome.message));
    QCOMPARE(stored(Tables::band()), before);

    // A row differing in its description is new; one equal by value (14,200.000 is 14200) and
    // a second copy in the same file are skipped.
    writeFile(path("more.csv"),
              "Location,Name,Frequency,Mode\n"
              "0,20 m SSB,14.200000,USB\n0,20 m net,14.2,USB\n1,20 m net,14.2,USB\n");
    outcome = BandFile::importFrom(db, path("more.csv"));
    QVERIFY(outcome.changed);
    QVERIFY2(outcome.message.contains("Added 1 row") && outcome.message.contains("Skipped 2 rows"),
             qPrintable(outcome.message));
    QCOMPARE(stored(Tables::band()).size(), before.size() + 1);
}

void tst_ExchangeFiles::exportThatCannotBeWrittenSaysWhy()
{
    Database &db = open(Tables::band());
    // A file where a folder should be: nothing can be written below it.
    writeFile(path("plain"), "a file");
    const QString target = path("plain/bands.csv");
    const ExchangeOutcome outcome = BandFile::exportTo(db, target);
    QVERIFY(outcome.failed);
    QVERIFY2(outcome.message.startsWith(
                 QStringLiteral("Nothing was exported: %1 cannot be written: ").arg(target)),
             qPrintable(outcome.message));

    // Over an existing file, the export replaces it whole.
    writeFile(path("bands.csv"), QByteArray(5000, '~'));
    QVERIFY(!BandFile::exportTo(db, path("bands.csv")).failed);
    QVERIFY(fileBytes(path("bands.csv")).startsWith("Location,Name,Frequency,"));
    QVERIFY(!fileBytes(path("bands.csv")).contains('~'));
}

void tst_ExchangeFiles::channelRanges()
{
    QCOMPARE(MemoryFile::channelRanges({0, 1, 2, 5, 7, 8, 99}),
             QStringLiteral("00-02, 05, 07-08, 99"));
}

// A large ADIF import keeps no more in memory than a few times the file: the records are read,
// checked and written one at a time, in one transaction. 100,000 contacts, 8 MB.
void tst_ExchangeFiles::largeImportKeepsLittleInMemory()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("AddressSanitizer keeps freed memory aside, so the process's peak says nothing here");
#endif
    constexpr int Contacts = 100'000;
    qint64 fileSize = 0;
    {
        QList<QStringList> rows;
        const QDateTime start(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC);
        for (int n = 0; n < Contacts; ++n) {
            const QString gmt = start.addSecs(qint64(n) * 61).toString(Qt::ISODate).chopped(1);
            rows << QStringList {gmt,
                                 gmt,
                                 QStringLiteral("14,0%1").arg(n % 90 + 10),
                                 QStringLiteral("CW"),
                                 QStringLiteral("K%1AB").arg(n),
                                 QStringLiteral("contact %1").arg(n)};
        }
        const QByteArray bytes = LogbookAdif::write(rows, start).bytes;
        fileSize = bytes.size();
        writeFile(path("large.adi"), bytes);
    }
    Database &logbook = open(Tables::logging());
    const std::optional<qint64> before = Memory::resetPeak();
    if (!before)
        QSKIP("the system does not let a process reset its peak memory");

    const ExchangeOutcome outcome = LogbookFile::importFrom(logbook, path("large.adi"), "0");
    const qint64 peakGrowth = Memory::peak() - *before;
    qInfo("peak grew by %lld MB for %lld MB", peakGrowth >> 20, fileSize >> 20);
    QVERIFY2(!outcome.failed, qPrintable(outcome.message));
    QCOMPARE(StoredTable(logbook.filePath()).value("SELECT COUNT(*) FROM Logging"),
             QString::number(Contacts));
    QVERIFY2(peakGrowth < 4 * fileSize + 100 * 1024 * 1024,
             qPrintable(QStringLiteral("%1 MB more at the peak for a file of %2 MB")
                            .arg(peakGrowth / (1024 * 1024))
                            .arg(fileSize / (1024 * 1024))));
}

QTEST_GUILESS_MAIN(tst_ExchangeFiles)
#include "tst_exchangefiles.moc"
