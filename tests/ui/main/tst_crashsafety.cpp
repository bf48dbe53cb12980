// Crash safety: the program killed outright (SIGKILL) during a memory download, an upload, a
// logbook edit, a snapshot restore, an ADIF import and a CSV import leaves every table whole
// (PRAGMA integrity_check), every commit it made in place and nothing half-written. A handful
// of moments per operation, random but seeded (the seed is printed; VANTELO_CRASH_SEED sets
// it), and for the download the moments right after a memory read whose reply the radio
// loses, so that the kill lands before that reply could arrive. bench_crashsafety kills fifty
// times per operation.
#include "common/crashsafety.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using CrashSafety::Operation;

namespace {

constexpr int MomentsPerOperation = 4;

QString program()
{
    return QCoreApplication::applicationFilePath();
}

} // namespace

class tst_CrashSafety : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void killed_data();
    void killed();

private:
    // Per operation: the table as prepared, as a finished run leaves it, and how long the run
    // took from its start.
    struct Run
    {
        CrashSafety::Rows before;
        CrashSafety::Rows after;
        double ms = 0;
    };
    QMap<Operation, Run> m_runs;
    quint32 m_seed = 0;
};

void tst_CrashSafety::initTestCase()
{
    m_seed = qEnvironmentVariableIsSet("VANTELO_CRASH_SEED")
        ? quint32(qEnvironmentVariableIntValue("VANTELO_CRASH_SEED"))
        : 20261208u;
    qInfo("kill moments seeded with %u (VANTELO_CRASH_SEED)", m_seed);
    // Each operation run to its end once: the table it leaves, and how long it takes.
    for (Operation operation : CrashSafety::operations()) {
        QTemporaryDir folder;
        QVERIFY(CrashSafety::prepare(folder.path(), operation));
        Run run;
        run.before = StoredTable(CrashSafety::tablePath(folder.path(), operation))
                         .rows(CrashSafety::schema(operation));
        const CrashSafety::Child child
            = CrashSafety::runChild(program(), operation, folder.path(), -1);
        QVERIFY2(child.failure.isEmpty() && child.finished, qPrintable(child.failure));
        run.after = StoredTable(CrashSafety::tablePath(folder.path(), operation))
                        .rows(CrashSafety::schema(operation));
        run.ms = child.runMs;
        QVERIFY2(run.after != run.before || operation == Operation::Upload,
                 CrashSafety::name(operation));
        if (operation == Operation::LogbookEdit)
            QCOMPARE(run.after, CrashSafety::logbookAfter(CrashSafety::LogbookEdits));
        if (operation == Operation::SnapshotRestore)
            QCOMPARE(run.after, CrashSafety::restoredAfter(CrashSafety::Restores));
        qInfo("%s runs %.0f ms", CrashSafety::name(operation), run.ms);
        m_runs.insert(operation, run);
    }
}

void tst_CrashSafety::killed_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("afterMs"); // the kill's moment after the start; -1: after killAt
    QTest::addColumn<QByteArray>("killAt"); // the line of the child's after which it dies
    QTest::addColumn<int>("lostReply"); // the radio's reply lost meanwhile; 0: none
    QRandomGenerator random(m_seed);
    for (Operation operation : CrashSafety::operations()) {
        const int span = int(m_runs.value(operation).ms * 1.1) + 1;
        for (int moment = 0; moment < MomentsPerOperation; ++moment) {
            const int afterMs = int(random.bounded(span));
            QTest::addRow("%s, moment %d", CrashSafety::name(operation), moment + 1)
                << int(operation) << afterMs << QByteArray() << 0;
        }
    }
    const int download = int(Operation::Download);
    QTest::newRow("memory download, first channel asked")
        << download << -1 << QByteArray("MR1 00;") << 2;
    QTest::newRow("memory download, half-way") << download << -1 << QByteArray("MR0 50;") << 101;
    QTest::newRow("memory download, last channel")
        << download << -1 << QByteArray("MR0 99;") << 199;
    QTest::newRow("memory download, last reply on its way")
        << download << -1 << QByteArray("MR1 99;") << 0;
}

void tst_CrashSafety::killed()
{
    QFETCH(int, operation);
    QFETCH(int, afterMs);
    QFETCH(QByteArray, killAt);
    QFETCH(int, lostReply);
    const auto op = Operation(operation);
    if (afterMs >= 0)
        qInfo("killed %d ms after the start", afterMs);
    QTemporaryDir folder;
    QVERIFY(CrashSafety::prepare(folder.path(), op));

    const CrashSafety::Child child
        = CrashSafety::runChild(program(), op, folder.path(), afterMs, killAt, lostReply);
    QVERIFY2(child.failure.isEmpty(), qPrintable(child.failure));
    QVERIFY(child.killed || child.finished);
    const Run &run = m_runs[op];
    const CrashSafety::Outcome outcome
        = CrashSafety::check(folder.path(), op, child, run.before, run.after);
    QVERIFY2(outcome.problem.isEmpty(), qPrintable(outcome.problem));
    // A lost reply holds the download up: killed there, it had not stored anything yet.
    if (lostReply > 0)
        QCOMPARE(int(outcome.landed), int(CrashSafety::Outcome::Before));
}

int main(int argc, char *argv[])
{
    if (argc >= 4 && qstrcmp(argv[1], CrashSafety::ChildArgument) == 0)
        return CrashSafety::childMain(argc, argv);
    QCoreApplication app(argc, argv);
    tst_CrashSafety test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crashsafety.moc"
