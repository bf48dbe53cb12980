// End to end: the radio core and the tuning operations work the simulated radio over a
// pseudo-terminal while the simulator spoils the line (stray bytes, lost replies). Whatever the
// line does, the start-up ends and the program's picture of the radio is the radio's own.
#include "common/faultmatrix.h"
#include "common/recordingdisplay.h"
#include "common/spinuntil.h"
#include "core/control/tuningcontrols.h"
#include "core/radio/cat.h"
#include "core/radio/radio.h"
#include "sim/simptyserver.h"

#include <QTest>
#include <QThread>

#include <memory>
#include <vector>

namespace {

constexpr int SyncTimeoutMs = 15000;
// Short enough that lost replies cost little time, long enough that a loaded machine still
// answers a query before it is asked again.
constexpr int ReplyTimeoutMs = 50;

using FaultMatrix::OperatorsRadio;

// The fault matrix in CI: short scans, ten pairs of client sets, replies held back 50 ms (the
// benchmark's 300 ms make a memory download a minute long) and a lost memory reply asked
// again after 200 ms.
constexpr FaultMatrix::Size MatrixSize {6, 10, 50, 200};

// The radio core on the simulator's line, asking again soon for a lost start-up reply.
struct Station : FaultMatrix::Station
{
    explicit Station(const SimOptions &options)
        : FaultMatrix::Station(options)
    {
        radio.setStartupReplyTimeout(ReplyTimeoutMs);
    }
    bool synchronise() { return FaultMatrix::Station::synchronise(SyncTimeoutMs); }
};

QStringList differences(Station &station)
{
    return FaultMatrix::stateDifferences(station.radio.state(), station.display,
                                         station.server.radio());
}

} // namespace

class tst_e2e_radiocore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void noisyStartupsEndWithTheRadiosState();
    void lostRepliesAreAskedAgain_data();
    void lostRepliesAreAskedAgain();
    void copyThenStepKeepsTheVfoInUse_data();
    void copyThenStepKeepsTheVfoInUse();
    void faultMatrix();
};

void tst_e2e_radiocore::noisyStartupsEndWithTheRadiosState()
{
    for (quint32 seed = 1; seed <= 200; ++seed) {
        SimOptions options;
        options.noise = true;
        options.seed = seed;
        Station station(options);
        QCOMPARE(station.server.radio().handle(OperatorsRadio), QByteArray());
        QVERIFY2(station.open(), qPrintable(station.radio.MSComm1().lastError()));
        QVERIFY2(station.synchronise(), qPrintable(QStringLiteral("seed %1").arg(seed)));
        const QStringList wrong = differences(station);
        QVERIFY2(wrong.isEmpty(),
                 qPrintable(QStringLiteral("seed %1: %2").arg(seed).arg(wrong.join(u"; "))));
        QVERIFY(!station.display.progressOpen);
    }
}

void tst_e2e_radiocore::lostRepliesAreAskedAgain_data()
{
    QTest::addColumn<int>("dropEvery");
    QTest::addColumn<bool>("noise");
    QTest::newRow("every 5th reply lost") << 5 << false;
    QTest::newRow("every 2nd reply lost, noisy line") << 2 << true;
}

void tst_e2e_radiocore::lostRepliesAreAskedAgain()
{
    QFETCH(int, dropEvery);
    QFETCH(bool, noise);
    SimOptions options;
    options.dropEvery = dropEvery;
    options.noise = noise;
    Station station(options);
    QCOMPARE(station.server.radio().handle(OperatorsRadio), QByteArray());
    QVERIFY2(station.open(), qPrintable(station.radio.MSComm1().lastError()));
    QVERIFY(station.synchronise());
    QVERIFY(station.server.repliesDropped() > 0);
    // The progress window came up with the first reply and is closed again.
    QVERIFY(station.display.progressShows > 0);
    QVERIFY(!station.display.progressOpen);
    QCOMPARE(station.display.progressCloses, 1);
    // Each lost answer was asked for again, so nothing is missing.
    const QStringList wrong = differences(station);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u"; ")));
}

void tst_e2e_radiocore::copyThenStepKeepsTheVfoInUse_data()
{
    QTest::addColumn<QByteArray>("radioSetup");
    QTest::addColumn<bool>("onVfoA");
    QTest::newRow("A=B on VFO A, then >>") << QByteArray() << true;
    QTest::newRow("B=A on VFO B, then >>") << QByteArray("FR1;") << false;
}

void tst_e2e_radiocore::copyThenStepKeepsTheVfoInUse()
{
    QFETCH(QByteArray, radioSetup);
    QFETCH(bool, onVfoA);
    Station station {SimOptions {}};
    SimRadio &sim = station.server.radio();
    QCOMPARE(sim.handle(radioSetup), QByteArray());
    QVERIFY2(station.open(), qPrintable(station.radio.MSComm1().lastError()));
    QVERIFY(station.synchronise());
    QCOMPARE(station.radio.state().VFO, onVfoA ? QStringLiteral("0") : QStringLiteral("1"));
    const qint64 inUse = onVfoA ? sim.frequencyA() : sim.frequencyB();
    const qint64 other = onVfoA ? sim.frequencyB() : sim.frequencyA();
    QVERIFY(inUse != other);

    // A=B asks for VFO B's frequency (B=A for A's); the answer is the last reply it brings.
    TuningControls tuning(station.radio);
    if (onVfoA)
        tuning.CmdAeqB_Click();
    else
        tuning.CmdBeqA_Click();
    const QString otherCode = onVfoA ? QStringLiteral("FB") : QStringLiteral("FA");
    QVERIFY(spinUntil([&] { return station.radio.state().ReplyCode == otherCode; }, SyncTimeoutMs));
    QCOMPARE(onVfoA ? station.radio.state().VFOBFreq : station.radio.state().VFOAFreq,
             Cat::khzText(other));
    QCOMPARE(station.radio.state().Freq, Cat::khzText(inUse));

    // ">>" with the 1 kHz step steps the VFO in use from where it is.
    tuning.CmdStepUp_Click();
    auto inUseNow = [&] { return onVfoA ? sim.frequencyA() : sim.frequencyB(); };
    QVERIFY(spinUntil([&] { return inUseNow() != inUse; }, SyncTimeoutMs));
    QCOMPARE(inUseNow(), inUse + 1000);
    QCOMPARE(onVfoA ? sim.frequencyB() : sim.frequencyA(), other);
    QVERIFY(spinUntil([&] { return station.radio.state().Freq == Cat::khzText(inUse + 1000); },
                      SyncTimeoutMs));
}

// Each long operation under each line fault, at a size that fits CI (bench_faultmatrix runs it
// larger and times it): the operation ends, and the program's state, its display and the table
// match the radio field by field. The sessions mostly wait on the line, so they all run at
// once, each in a thread of its own with its own radio, line and event loop.
void tst_e2e_radiocore::faultMatrix()
{
    struct Session
    {
        QString name;
        FaultMatrix::Operation operation;
        SimOptions fault;
        FaultMatrix::Result result;
    };
    QList<Session> sessions;
    for (const FaultMatrix::Fault &fault : FaultMatrix::faults(MatrixSize.lateMs)) {
        for (FaultMatrix::Operation operation : FaultMatrix::operations())
            sessions.append(
                {QStringLiteral("%1, %2").arg(QLatin1String(FaultMatrix::name(operation)),
                                              QLatin1String(fault.name)),
                 operation,
                 fault.options,
                 {}});
    }
    std::vector<std::unique_ptr<QThread>> threads;
    for (Session &session : sessions) {
        threads.emplace_back(QThread::create([&session] {
            session.result = FaultMatrix::run(session.operation, session.fault, MatrixSize);
        }));
        threads.back()->start();
    }
    for (auto &thread : threads)
        QVERIFY(thread->wait(QDeadlineTimer(FaultMatrix::GiveUpMs * 2)));

    QStringList wrong;
    for (const Session &session : sessions) {
        qDebug("%s: %.0f ms", qPrintable(session.name), session.result.ms);
        if (!session.result.wrongAnswers.isEmpty())
            qWarning("%s: %s", qPrintable(session.name),
                     qPrintable(session.result.wrongAnswers.join(u"; ")));
        if (!session.result.finished)
            wrong << session.name + QStringLiteral(": did not come to its end");
        for (const QString &mismatch : session.result.mismatches)
            wrong << session.name + QStringLiteral(": ") + mismatch;
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(tst_e2e_radiocore)
#include "tst_e2e_radiocore.moc"
