// Snapshots of the memory table in memory.sqlite: what is kept and for how long, and a restore
// that puts the rows back all at once or not at all.
#include "common/storedtable.h"
#include "core/db/database.h"
#include "core/db/tablesnapshots.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Sets one cell of the stored table.
void setCell(StoredTable &stored, int row, const char *column, const QString &value)
{
    QCOMPARE(stored.exec({QStringLiteral("UPDATE Memory SET %1 = '%2' WHERE Id = %3")
                              .arg(QLatin1String(column), value)
                              .arg(row + 1)}),
             QString());
}

} // namespace

class tst_MemorySnapshots : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void keptWithTimeAndReason();
    void sameTableKeptOnce();
    void lastTenKept();
    void restorePutsRowsBack();
    void failedRestoreChangesNothing_data();
    void failedRestoreChangesNothing();

private:
    QList<QStringList> table() { return StoredTable(m_db->filePath()).rows(Tables::memory()); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Database> m_db;
};

void tst_MemorySnapshots::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_db = std::make_unique<Database>(Tables::memory(), m_dir->path());
    QVERIFY2(m_db->open(), qPrintable(m_db->errorText()));
}

void tst_MemorySnapshots::cleanup()
{
    m_db.reset();
    m_dir.reset();
}

void tst_MemorySnapshots::keptWithTimeAndReason()
{
    TableSnapshots snapshots(*m_db);
    QVERIFY(snapshots.list().isEmpty());
    const QDateTime taken(QDate(2024, 5, 1), QTime(14, 3, 12));
    snapshots.setClock([taken] { return taken; });
    StoredTable stored(m_db->filePath());
    setCell(stored, 5, "FreqMain", QStringLiteral("14,195.5"));
    const QList<QStringList> before = table();

    QVERIFY2(snapshots.take(QStringLiteral("before Radio to PC")),
             qPrintable(snapshots.errorText()));
    const QList<TableSnapshots::Snapshot> kept = snapshots.list();
    QCOMPARE(kept.size(), 1);
    QCOMPARE(kept.first().taken, taken);
    QCOMPARE(kept.first().reason, QStringLiteral("before Radio to PC"));
    QCOMPARE(kept.first().rowCount, 100);
    QCOMPARE(snapshots.rows(kept.first().id).value(), before);
    QCOMPARE(table(), before); // taking changes nothing in the table
}

void tst_MemorySnapshots::sameTableKeptOnce()
{
    // Download after download of the same radio must not push the operator's own table out.
    TableSnapshots snapshots(*m_db);
    QVERIFY(snapshots.take(QStringLiteral("first")));
    QVERIFY(snapshots.take(QStringLiteral("second")));
    QCOMPARE(snapshots.list().size(), 1);
    QCOMPARE(snapshots.list().first().reason, QStringLiteral("first"));
    StoredTable stored(m_db->filePath());
    setCell(stored, 0, "Description", QStringLiteral("changed"));
    QVERIFY(snapshots.take(QStringLiteral("third")));
    QCOMPARE(snapshots.list().size(), 2);
}

void tst_MemorySnapshots::lastTenKept()
{
    TableSnapshots snapshots(*m_db);
    StoredTable stored(m_db->filePath());
    for (int i = 0; i < 13; ++i) {
        setCell(stored, 0, "Description", QStringLiteral("version %1").arg(i));
        QVERIFY(snapshots.take(QStringLiteral("take %1").arg(i)));
    }
    const QList<TableSnapshots::Snapshot> kept = snapshots.list();
    QCOMPARE(kept.size(), TableSnapshots::Kept);
    QCOMPARE(kept.first().reason, QStringLiteral("take 12"));
    QCOMPARE(kept.last().reason, QStringLiteral("take 3"));
    // The rows of the snapshots that went are gone with them.
    QCOMPARE(stored.value(QStringLiteral("SELECT count(*) FROM MemorySnapshotRow")),
             QString::number(TableSnapshots::Kept * 100));
}

void tst_MemorySnapshots::restorePutsRowsBack()
{
    TableSnapshots snapshots(*m_db);
    StoredTable stored(m_db->filePath());
    for (int i = 0; i < TableSnapshots::Kept; ++i) {
        setCell(stored, 37, "FreqMain", QStringLiteral("7,0%1").arg(i, 2, 10, QLatin1Char('0')));
        QVERIFY(snapshots.take(QStringLiteral("take %1").arg(i)));
    }
    const TableSnapshots::Snapshot oldest = snapshots.list().last();
    const QList<QStringList> oldRows = snapshots.rows(oldest.id).value();
    setCell(stored, 37, "FreqMain", QStringLiteral("28,400.125"));
    const QList<QStringList> current = table();

    QVERIFY2(snapshots.restore(oldest.id), qPrintable(snapshots.errorText()));
    QCOMPARE(table(), oldRows);
    QCOMPARE(table().at(37).at(1), QStringLiteral("7,000"));
    // The table it replaced is kept, and the snapshot just restored (the oldest) stays.
    const QList<TableSnapshots::Snapshot> kept = snapshots.list();
    QCOMPARE(kept.first().reason, QStringLiteral("before restoring a snapshot"));
    QCOMPARE(snapshots.rows(kept.first().id).value(), current);
    QCOMPARE(kept.last().id, oldest.id);
}

void tst_MemorySnapshots::failedRestoreChangesNothing_data()
{
    QTest::addColumn<bool>("missing"); // the snapshot is not there
    QTest::addColumn<QString>("reason");
    QTest::newRow("no such snapshot") << true << "there is no snapshot";
    QTest::newRow("write fails half-way") << false << "disk refused row 50";
}

void tst_MemorySnapshots::failedRestoreChangesNothing()
{
    QFETCH(bool, missing);
    QFETCH(QString, reason);
    TableSnapshots snapshots(*m_db);
    QVERIFY(snapshots.take(QStringLiteral("before Radio to PC")));
    const qint64 id = snapshots.list().first().id;
    StoredTable stored(m_db->filePath());
    setCell(stored, 50, "FreqMain", QStringLiteral("18,100"));
    const QList<QStringList> before = table();
    // A write refused in the middle of the rows, on the connection the restore uses.
    QSqlQuery query(m_db->connection());
    QVERIFY(query.exec(QStringLiteral("CREATE TEMP TRIGGER refuse BEFORE INSERT ON Memory WHEN "
                                      "NEW.Mem = '50' BEGIN SELECT RAISE(ABORT, 'disk refused "
                                      "row 50'); END")));

    QVERIFY(!snapshots.restore(missing ? id + 1 : id));
    QVERIFY2(snapshots.errorText().contains(reason), qPrintable(snapshots.errorText()));
    QCOMPARE(table(), before);
    QCOMPARE(snapshots.list().size(), 1); // nor was the current table kept
    QCOMPARE(stored.value(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
}

QTEST_GUILESS_MAIN(tst_MemorySnapshots)
#include "tst_memorysnapshots.moc"
