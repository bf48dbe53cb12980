// The shared radio end to end: Hamlib's rigctl ("rigctl -m 2", as WSJT-X or fldigi would) and
// raw clients work the simulated radio on a pseudo-terminal through the server, the radio
// backend and the radio core. What the radio ends up holding, what the display shows and what
// went over the serial line are checked, with the program's own work (start-up, transfers,
// scans, the S-meter) going on beside. rigctl cases are skipped where it is not installed.
#include "common/recordingdisplay.h"
#include "common/spinuntil.h"
#include "core/bands/frequencyscan.h"
#include "core/cw/cwsender.h"
#include "core/memory/memorydownload.h"
#include "core/memory/memoryscan.h"
#include "core/net/radiorigcodes.h"
#include "core/net/radiosharing.h"
#include "core/net/rigcaps.h"
#include "core/radio/smeterpoll.h"
#include "sim/simptyserver.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>


namespace {

const QString Rigctl = QStandardPaths::findExecutable(QStringLiteral("rigctl"));
constexpr int WaitMs = 15000;

// One write to the radio and what else held the line at that moment.
struct Write
{
    QByteArray command;
    bool programWork = false; // start-up, transfer, scan or pause
    bool clientRequest = false;
    bool meter = false;
};

// The radio core on the simulator's line, shared on a free port of 127.0.0.1.
struct Station
{
    explicit Station(const SimOptions &options = {})
        : sim(options)
    {
        radio.setDisplay(&display);
        radio.setStartupReplyTimeout(50);
        sharing.backend().setKeyer(&keyer);
        QObject::connect(&radio, &Radio::commandWritten, &radio, [this](const QByteArray &c) {
            using A = Radio::Activity;
            writes.append({c,
                           radio.isActive(A::Startup) || radio.isActive(A::Transfer)
                               || radio.isActive(A::Scan) || radio.isActive(A::Pause),
                           radio.isActive(A::ClientRequest), radio.isActive(A::Meter)});
        });
    }

    bool start()
    {
        if (!sim.start() || !radio.MSComm1().setCommPort(sim.devicePath())
            || !radio.MSComm1().setPortOpen(true))
            return false;
        radio.Synchronise();
        if (!spinUntil([this] { return radio.isIdle(); }, WaitMs))
            return false;
        return sharing.apply({true, QStringLiteral("127.0.0.1"), 0});
    }
    quint16 port() { return sharing.server().port(); }
    QList<QByteArray> written(const QByteArray &start) const
    {
        QList<QByteArray> out;
        for (const Write &w : writes) {
            if (w.command.startsWith(start))
                out << w.command;
        }
        return out;
    }

    QList<Write> writes; // outlives the clients, whose going away may still write
    SimPtyServer sim;
    RecordingDisplay display; // outlives the radio that shows on it
    Radio radio;
    CwSender keyer {radio};
    RadioSharing sharing {radio};
};

QByteArrayList runRigctl(quint16 port, const QStringList &commands)
{
    QProcess process;
    process.start(Rigctl,
                  QStringList {QStringLiteral("-m"), QStringLiteral("2"), QStringLiteral("-r"),
                               QStringLiteral("127.0.0.1:%1").arg(port)}
                      + commands);
    // The server answers from this event loop, so the wait keeps it running.
    if (!spinUntil([&] { return process.state() == QProcess::NotRunning; }, 20000)) {
        process.kill();
        process.waitForFinished();
        return {"rigctl did not end"};
    }
    if (process.exitCode() != 0)
        return {"rigctl failed: " + process.readAllStandardError()};
    return process.readAllStandardOutput().trimmed().split('\n');
}

// A raw client: sends text and collects the answer lines.
struct Client
{
    explicit Client(quint16 port) { socket.connectToHost(QHostAddress::LocalHost, port); }
    bool connected() { return socket.waitForConnected(WaitMs); }
    // Sends the text and waits for this many answer lines in all.
    QByteArrayList ask(const QByteArray &text, int lines)
    {
        socket.write(text);
        spinUntil(
            [&] {
                received += socket.readAll();
                return received.count('\n') >= lines;
            },
            WaitMs);
        return received.trimmed().split('\n');
    }
    QTcpSocket socket;
    QByteArray received;
};

// Four memory rows to scan, 7,000 to 7,003 kHz in CW.
struct ScanTable : MemoryScanView
{
    int rowCount() const override { return 4; }
    MemoryRow row(int index) const override
    {
        return {QStringLiteral("0%1").arg(index),
                QStringLiteral("700%1").arg(index),
                QStringLiteral(" "),
                QStringLiteral("CW"),
                QStringLiteral(" "),
                QString(),
                QStringLiteral("A")};
    }
    MemoryScanBoxes boxes() const override
    {
        return {QStringLiteral("00"), QStringLiteral("03"), QStringLiteral("0.02"),
                QStringLiteral("A")};
    }
};

QString simSummary(const SimRadio &sim)
{
    return QStringLiteral("A %1 B %2 rx %3 tx %4 mode %5 width %6 rit %7 %8 ptt %9")
        .arg(sim.frequencyA())
        .arg(sim.frequencyB())
        .arg(int(sim.receiveFunction()))
        .arg(int(sim.transmitFunction()))
        .arg(QLatin1Char(sim.mode()))
        .arg(QString::fromLatin1(sim.filterWidth()))
        .arg(sim.ritOn() ? 1 : 0)
        .arg(sim.offsetHz())
        .arg(sim.transmitting() ? 1 : 0);
}

} // namespace

class tst_RadioSharing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void codes();
    void rigctlCommands_data();
    void rigctlCommands();
    void twoClientsAtOnce();
    void morseThroughTheServer();
    void clientGoneMidCommand();
    void randomLines();
    void failures_data();
    void failures();
    void freshStateAnswersWithoutTheRadio();
    void requestsWaitForTheProgramsWork_data();
    void requestsWaitForTheProgramsWork();
    void meterPolling();
    void applyingStartsStopsAndRebinds();
};

// Every passband the server offers maps to a width code of the radio and back; codes that a
// mode does not have read as nothing.
void tst_RadioSharing::codes()
{
    for (const QByteArray &name : RigTokens::modeNames()) {
        const RigMode mode = *RigTokens::modeFromName(name);
        QCOMPARE(RadioRigCodes::modeOf(QString(QLatin1Char(RadioRigCodes::modeDigit(mode)))), mode);
        for (int hz : RigCaps::passbands(mode)) {
            const auto code = RadioRigCodes::widthCode(mode, hz);
            QVERIFY2(code, name.constData());
            QCOMPARE(RadioRigCodes::passbandOf(mode, QString::fromLatin1(*code)), hz);
        }
        QVERIFY(!RadioRigCodes::widthCode(mode, 3));
        QVERIFY(!RadioRigCodes::passbandOf(mode, u"0003"));
        QVERIFY(!RadioRigCodes::passbandOf(mode, u"12"));
    }
    QVERIFY(!RadioRigCodes::modeOf(u"8"));
    QVERIFY(!RadioRigCodes::modeOf(u""));
}

// Each case sets something in one run of rigctl and reads it back in a second one (within one
// run rigctl answers a get after a set from its own cache). The radio must hold the value and
// the main window's display must show it.
void tst_RadioSharing::rigctlCommands_data()
{
    QTest::addColumn<QStringList>("setRun");
    QTest::addColumn<QStringList>("getRun");
    QTest::addColumn<QByteArrayList>("getOutput");
    QTest::addColumn<QString>("radio");
    QTest::addColumn<int>("label");
    QTest::addColumn<QString>("shown");

    using L = RadioView::Label;
    const QString start = QStringLiteral("A 14200000 B 7050000 rx 0 tx 0 mode 2 width 0001 ");
    QTest::newRow("frequency") << QStringList {"F", "14074000"} << QStringList {"f"}
                               << QByteArrayList {"14074000"}
                               << "A 14074000 B 7050000 rx 0 tx 0 mode 2 width 0001 rit 0 0 ptt 0"
                               << int(L::lblFreq) << "14,074.000";
    QTest::newRow("mode and passband")
        << QStringList {"M", "CW", "500"} << QStringList {"m"} << QByteArrayList {"CW", "400"}
        << "A 14200000 B 7050000 rx 0 tx 0 mode 3 width 0400 rit 0 0 ptt 0" << int(L::LblMode)
        << "CW";
    QTest::newRow("narrow SSB") << QStringList {"M", "USB", "1800"} << QStringList {"m"}
                                << QByteArrayList {"USB", "1800"}
                                << "A 14200000 B 7050000 rx 0 tx 0 mode 2 width 0000 rit 0 0 ptt 0"
                                << int(L::LblMode) << "USB";
    QTest::newRow("VFO") << QStringList {"V", "VFOB"} << QStringList {"v", "f"}
                         << QByteArrayList {"VFOB", "7050000"}
                         << "A 14200000 B 7050000 rx 1 tx 1 mode 1 width 0001 rit 0 0 ptt 0"
                         << int(L::lblVFO) << "B";
    QTest::newRow("split") << QStringList {"S", "1", "VFOB"} << QStringList {"s"}
                           << QByteArrayList {"1", "VFOB"}
                           << "A 14200000 B 7050000 rx 0 tx 1 mode 2 width 0001 rit 0 0 ptt 0" << -1
                           << QString();
    // rigctl ends while transmitting: the server takes the radio back to receive.
    QTest::newRow("PTT") << QStringList {"T", "1"} << QStringList {"t"} << QByteArrayList {"0"}
                         << start + "rit 0 0 ptt 0" << int(L::LblRX) << "RX";
    QTest::newRow("RIT") << QStringList {"J", "-500"} << QStringList {"j"}
                         << QByteArrayList {"-500"} << start + "rit 1 -500 ptt 0" << int(L::lblRit)
                         << "RIT";
}

void tst_RadioSharing::rigctlCommands()
{
    if (Rigctl.isEmpty())
        QSKIP("rigctl (Hamlib) is not installed");
    QFETCH(QStringList, setRun);
    QFETCH(QStringList, getRun);
    QFETCH(QByteArrayList, getOutput);
    QFETCH(QString, radio);
    QFETCH(int, label);
    QFETCH(QString, shown);

    Station station;
    QVERIFY(station.start());
    QCOMPARE(runRigctl(station.port(), setRun), QByteArrayList {""});
    QCOMPARE(runRigctl(station.port(), getRun), getOutput);
    QTRY_COMPARE(simSummary(station.sim.radio()), radio);
    if (label >= 0)
        QCOMPARE(station.display.label(RadioView::Label(label)), shown);
    QCOMPARE(station.sim.radio().refusedCount(), 0);
    if (QTest::currentDataTag() == QByteArray("split"))
        QVERIFY(station.display.label(RadioView::Label::lblSubFrequency).startsWith("SPLIT"));
    if (QTest::currentDataTag() == QByteArray("PTT"))
        QCOMPARE(station.written("TX").size(), 1);
}

void tst_RadioSharing::twoClientsAtOnce()
{
    if (Rigctl.isEmpty())
        QSKIP("rigctl (Hamlib) is not installed");
    Station station;
    QVERIFY(station.start());
    const auto args = [&](const QStringList &commands) {
        return QStringList {QStringLiteral("-m"), QStringLiteral("2"), QStringLiteral("-r"),
                            QStringLiteral("127.0.0.1:%1").arg(station.port())}
        + commands;
    };
    QProcess first;
    QProcess second;
    first.start(Rigctl, args({"f", "F", "14074000", "s", "f"}));
    second.start(Rigctl, args({"v", "M", "RTTY", "0", "j", "t"}));
    QVERIFY(spinUntil(
        [&] {
            return first.state() == QProcess::NotRunning && second.state() == QProcess::NotRunning;
        },
        20000));
    QCOMPARE(first.readAllStandardOutput().trimmed().split('\n'),
             (QByteArrayList {"14200000", "0", "VFOA", "14074000"}));
    QCOMPARE(second.readAllStandardOutput().trimmed().split('\n'),
             (QByteArrayList {"VFOA", "0", "0"}));
    QCOMPARE(simSummary(station.sim.radio()),
             "A 14074000 B 7050000 rx 0 tx 0 mode 6 width 1000 rit 0 0 ptt 0");
}

// fldigi and loggers send CW through the server to the same sender as the CW keyboard's; the
// simulated radio keys it. Outside CW the server refuses.
void tst_RadioSharing::morseThroughTheServer()
{
    if (Rigctl.isEmpty())
        QSKIP("rigctl (Hamlib) is not installed");
    Station station;
    QByteArrayList keyed;
    connect(&station.sim, &SimPtyServer::keyed, this, [&](const QByteArray &t) { keyed << t; });
    QVERIFY(station.start());
    Client client(station.port());
    QVERIFY(client.connected());
    QCOMPARE(client.ask("b CQ TEST\n", 1), QByteArrayList {"RPRT -9"});
    station.radio.send(QByteArrayLiteral("MD3;KS060;"));
    QVERIFY(spinUntil([&] { return station.radio.state().Mode == QLatin1String("3"); }, WaitMs));

    QCOMPARE(runRigctl(station.port(), {"b", "CQ TEST"}), QByteArrayList {""});
    QVERIFY(spinUntil([&] { return !keyed.isEmpty(); }, WaitMs));
    QCOMPARE(keyed, QByteArrayList {"CQ TEST"});
    QCOMPARE(client.ask("\\stop_morse\n", 2).last(), "RPRT 0");
    QVERIFY(spinUntil([&] { return !station.keyer.isBusy(); }, WaitMs));
    QCOMPARE(station.written("KY ").size(), 1);
}

// A client that goes away while its command is on the line leaves nothing stuck: the exchange
// ends, the next client is served and the line still carries commands.
void tst_RadioSharing::clientGoneMidCommand()
{
    SimOptions slow;
    slow.lateMs = 30;
    Station station(slow);
    QVERIFY(station.start());
    {
        Client client(station.port());
        QVERIFY(client.connected());
        client.socket.write("T 1\nF 7010000\nf\n");
        QVERIFY(spinUntil([&] { return !station.written("FA00007010000;").isEmpty(); }, WaitMs));
        QVERIFY(station.sharing.backend().exchangeRunning());
        client.socket.abort();
    }
    QTRY_VERIFY(!station.sharing.backend().exchangeRunning());
    QTRY_COMPARE(station.sharing.backend().queuedCount(), 0);
    QTRY_VERIFY(!station.sim.radio().transmitting());
    Client next(station.port());
    QVERIFY(next.connected());
    QCOMPARE(next.ask("F 7020000\nf\n", 2), (QByteArrayList {"RPRT 0", "7020000"}));
    QCOMPARE(station.sim.radio().frequencyA(), 7'020'000);
}

// 1,000 lines of random text (some of them commands) from clients: no crash, no hang, nothing
// malformed reaches the radio, and a command afterwards still works.
void tst_RadioSharing::randomLines()
{
    Station station;
    QVERIFY(station.start());
    QRandomGenerator random(570);
    const QByteArray letters = "fFmMvVsStTjJq\\+_ ?0123456789-.xyzABC\t";
    int sent = 0;
    while (sent < 1000) {
        Client client(station.port());
        QVERIFY(client.connected());
        QByteArray batch;
        for (int i = 0; i < 50; ++i, ++sent) {
            const int length = int(random.bounded(40));
            QByteArray line;
            for (int k = 0; k < length; ++k) {
                line += random.bounded(4) == 0 ? char(random.bounded(1, 256))
                                               : letters.at(random.bounded(letters.size()));
            }
            batch += line.replace('\n', ' ') + '\n';
        }
        client.socket.write(batch + "q\n");
        // The session ends with the "q" at the end, or earlier with one among the lines.
        QVERIFY(spinUntil(
            [&] {
                client.socket.readAll();
                return client.socket.state() == QAbstractSocket::UnconnectedState;
            },
            WaitMs));
    }
    QTRY_VERIFY(!station.sharing.backend().exchangeRunning());
    QTRY_VERIFY(!station.sim.radio().transmitting());
    QCOMPARE(station.sim.radio().refusedCount(), 0);
    Client last(station.port());
    QVERIFY(last.connected());
    QCOMPARE(last.ask("F 21074000\nf\n", 2), (QByteArrayList {"RPRT 0", "21074000"}));
}

// What a client is told when the radio cannot do what it asks.
void tst_RadioSharing::failures_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("radio silent") << "silent" << QByteArray("f\n") << QByteArray("RPRT -5");
    QTest::newRow("radio refuses")
        << "empty channel" << QByteArray("V MEM\n") << QByteArray("RPRT -9");
    QTest::newRow("port closed") << "closed" << QByteArray("F 7001000\n") << QByteArray("RPRT -6");
    QTest::newRow("frequency of a memory")
        << "on memory" << QByteArray("F 7001000\n") << QByteArray("RPRT -11");
}

void tst_RadioSharing::failures()
{
    QFETCH(QString, situation);
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, answer);
    Station station;
    QVERIFY(station.start());
    RadioRigBackend::Limits limits;
    limits.replyMs = 200;
    station.sharing.backend().setLimits(limits);
    station.sharing.backend().setAnswerFromState(false);
    SimRadio &sim = station.sim.radio();
    if (situation == QLatin1String("silent")) {
        sim.handle("PS0;"); // switched off, it answers nothing but its power switch
    } else if (situation == QLatin1String("empty channel")) {
        sim.setChannel(sim.memoryChannel(), SimMemoryChannel());
    } else if (situation == QLatin1String("closed")) {
        station.radio.MSComm1().setPortOpen(false);
    } else {
        station.radio.send(QByteArrayLiteral("FR2;IF;"));
        QTRY_COMPARE(station.radio.state().VFO, QStringLiteral("2"));
    }
    Client client(station.port());
    QVERIFY(client.connected());
    QCOMPARE(client.ask(request, 1), QByteArrayList {answer});
    QTRY_VERIFY(!station.sharing.backend().exchangeRunning());
}

// While automatic reports keep the state current, a get is answered without a word to the radio;
// after a command that changes the radio it is asked again.
void tst_RadioSharing::freshStateAnswersWithoutTheRadio()
{
    Station station;
    QVERIFY(station.start());
    SMeterPoll meter(station.radio);
    meter.setIntervalMs(20);
    meter.start();
    QTRY_VERIFY(station.sharing.backend().isFresh(RigQuery::Frequency));
    Client client(station.port());
    QVERIFY(client.connected());
    const qsizetype before = station.writes.size();
    QCOMPARE(client.ask("f\nm\nv\ns\nt\nj\n", 7),
             (QByteArrayList {"14200000", "USB", "2400", "VFOA", "0", "VFOA", "0", "0"}));
    for (qsizetype i = before; i < station.writes.size(); ++i)
        QCOMPARE(station.writes.at(i).command, QByteArray("SM;"));
    QCOMPARE(station.sharing.server().answerCounts().fromState, 6);

    // Tuned from the program's own controls: until that has settled the radio is asked.
    station.radio.send(QByteArrayLiteral("FA00014100000;"));
    QVERIFY(!station.sharing.backend().isFresh(RigQuery::Frequency));
    client.received.clear();
    QCOMPARE(client.ask("f\n", 1), QByteArrayList {"14100000"});
    QCOMPARE(station.sharing.server().answerCounts().byRadio, 1);
}

// A client's request that arrives while the program's own work holds the line waits for it to
// end, then goes out and is answered.
void tst_RadioSharing::requestsWaitForTheProgramsWork_data()
{
    QTest::addColumn<QString>("work");
    QTest::newRow("memory download") << "download";
    QTest::newRow("frequency scan") << "scan";
    QTest::newRow("memory scan") << "memory scan";
    QTest::newRow("start-up synchronisation") << "startup";
}

void tst_RadioSharing::requestsWaitForTheProgramsWork()
{
    QFETCH(QString, work);
    SimOptions options;
    options.lateMs = 5; // each reply a little late, so the work lasts long enough to be seen
    Station station(options);
    QVERIFY(station.start());
    MemoryDownload download(station.radio);
    FrequencyScan scan(station.radio);
    scan.setTiming({10, 20});
    ScanTable table;
    MemoryScan memoryScan(station.radio, table);
    memoryScan.setTiming({1000, 20});
    ScanRow row {QStringLiteral("7000"), QStringLiteral("7100"), QStringLiteral("CW"),
                 QStringLiteral("1"),    QStringLiteral("0"),    QString()};
    if (work == QLatin1String("download"))
        QVERIFY(download.start({}));
    else if (work == QLatin1String("scan"))
        scan.cmdStart_Click(row, 1);
    else if (work == QLatin1String("memory scan"))
        memoryScan.cmdActivate_Click();
    else
        station.radio.Synchronise();
    QVERIFY(!station.radio.isIdle());

    Client client(station.port());
    QVERIFY(client.connected());
    client.socket.write("F 3510000\n");
    QTRY_COMPARE(station.sharing.backend().queuedCount(), 1);
    QVERIFY(!station.radio.isIdleApartFrom(Radio::Activity::ClientRequest));
    if (work.endsWith(QLatin1String("scan"))) {
        QTRY_VERIFY(station.written("FA0000700").size() >= 3);
        if (work == QLatin1String("scan"))
            scan.cmdStart_Click(row, 1);
        else
            memoryScan.cmdActivate_Click();
    }
    QCOMPARE(client.ask({}, 1), QByteArrayList {"RPRT 0"});
    QVERIFY(!download.isRunning() && scan.isIdle() && memoryScan.scanActive() != u"Y");
    const auto sets = station.written("FA00003510000;");
    QCOMPARE(sets.size(), 1);
    for (const Write &w : std::as_const(station.writes)) {
        if (w.command.startsWith("FA00003510000;")) {
            QVERIFY(!w.programWork);
            QVERIFY(!w.meter);
        }
    }
    QCOMPARE(station.sim.radio().frequencyA(), 3'510'000);
}

// "SM;" four times a second (faster here) while the radio is idle and its port open; none while
// the program's work or a client's request holds the line, while the port is closed, or while the
// radio does not answer.
void tst_RadioSharing::meterPolling()
{
    Station station;
    QVERIFY(station.start());
    station.sim.radio().setSetting("SM", 12);
    SMeterPoll meter(station.radio);
    meter.setIntervalMs(10);
    meter.start();
    QTRY_COMPARE(station.display.sMeter, 12);
    QTRY_VERIFY(station.written("SM;").size() >= 3);

    {
        const Radio::ActivityGuard scanning(station.radio, Radio::Activity::Scan);
        QTRY_VERIFY(!meter.isWaiting());
        const qsizetype readings = station.written("SM;").size();
        QTest::qWait(100);
        QCOMPARE(station.written("SM;").size(), readings);
    }
    QTRY_VERIFY(station.written("SM;").size() >= 5);

    Client client(station.port());
    QVERIFY(client.connected());
    station.sharing.backend().setAnswerFromState(false);
    for (int i = 0; i < 20; ++i) {
        const QByteArray hz = QByteArray::number(7'000'000 + i * 1000);
        client.received.clear();
        QCOMPARE(client.ask("F " + hz + "\nf\n", 2), (QByteArrayList {"RPRT 0", hz}));
    }
    for (const Write &w : std::as_const(station.writes)) {
        if (w.command == "SM;")
            QVERIFY(!w.clientRequest && !w.programWork);
        if (w.clientRequest)
            QVERIFY(!w.meter);
    }

    station.radio.MSComm1().setPortOpen(false);
    const qsizetype readings = station.written("SM;").size();
    QTest::qWait(100);
    QCOMPARE(station.written("SM;").size(), readings);
    QVERIFY(station.display.problems.isEmpty());
    QVERIFY(station.radio.MSComm1().setPortOpen(true));
    QTRY_VERIFY(station.written("SM;").size() > readings);

    // A radio that falls silent takes the link down: the readings stop, and a client is told
    // at once that the radio is out of reach, with nothing written for it.
    station.radio.link().setReplyTimeout(50);
    station.radio.link().setRetryInterval(60000); // no retry inside the checks below
    station.sim.radio().handle("PS0;");
    QTRY_VERIFY(station.radio.link().isDown());
    const qsizetype silent = station.written("SM;").size();
    const qsizetype written = station.writes.size();
    QTest::qWait(100);
    QCOMPARE(station.written("SM;").size(), silent);
    client.received.clear();
    QCOMPARE(client.ask("f\n", 1), QByteArrayList {"RPRT -6"});
    QCOMPARE(station.writes.size(), written);
}

void tst_RadioSharing::applyingStartsStopsAndRebinds()
{
    Radio radio;
    RadioSharing sharing(radio);
    QVERIFY(!sharing.isSharing());
    QVERIFY(sharing.statusText().isEmpty());

    QTcpServer taken;
    QVERIFY(taken.listen(QHostAddress::LocalHost, 0));
    QVERIFY(!sharing.apply({true, QStringLiteral("127.0.0.1"), taken.serverPort()}));
    QVERIFY(!sharing.isSharing());
    QVERIFY2(
        sharing.statusText().startsWith(
            QStringLiteral("The radio cannot be shared on 127.0.0.1:%1: ").arg(taken.serverPort())),
        qPrintable(sharing.statusText()));

    QVERIFY(!sharing.apply({true, QStringLiteral("radio.example"), 4532}));
    QVERIFY(sharing.statusText().contains(QStringLiteral("not an IP address")));

    QVERIFY(sharing.apply({true, QStringLiteral("127.0.0.1"), 0}));
    QVERIFY(sharing.isSharing());
    QVERIFY(sharing.statusText().startsWith(QStringLiteral("Radio shared on 127.0.0.1:")));
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, sharing.server().port());
    QVERIFY(client.waitForConnected(WaitMs));
    QTRY_VERIFY(sharing.statusText().endsWith(QStringLiteral(", 1 client")));

    taken.close();
    QVERIFY(sharing.apply({true, QStringLiteral("::1"), 0}) || !QHostAddress("::1").isLoopback());
    QVERIFY(sharing.apply({false, QStringLiteral("127.0.0.1"), 4532}));
    QVERIFY(!sharing.isSharing());
    QVERIFY(sharing.statusText().isEmpty());
    QVERIFY(RadioSharing::isLocalOnly(QStringLiteral("127.0.0.1")));
    QVERIFY(RadioSharing::isLocalOnly(QStringLiteral("::1")));
    QVERIFY(!RadioSharing::isLocalOnly(QStringLiteral("0.0.0.0")));
    QVERIFY(!RadioSharing::isLocalOnly(QStringLiteral("192.168.1.5")));
    QVERIFY(!RadioSharing::isLocalOnly(QStringLiteral("localhost and more")));
}

QTEST_GUILESS_MAIN(tst_RadioSharing)
#include "tst_radiosharing.moc"
