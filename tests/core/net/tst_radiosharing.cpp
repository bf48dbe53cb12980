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
#include "core/net/radioriglevels.h"
#include "core/net/radiosharing.h"
#include "core/net/rigcaps.h"
#include "core/net/rigdump.h"
#include "core/radio/smeterpoll.h"
#include "sim/simptyserver.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <memory>
#include <sys/socket.h>
#include <vector>

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
    void levelCodes_data();
    void levelCodes();
    void scriptedClients_data();
    void scriptedClients();
    void failSafe_data();
    void failSafe();
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
    QTest::addColumn<QStringList>("settings"); // "AG 128": the radio's setting AG holds 128

    using L = RadioView::Label;
    const QString start = QStringLiteral("A 14200000 B 7050000 rx 0 tx 0 mode 2 width 0001 ");
    QTest::newRow("frequency") << QStringList {"F", "14074000"} << QStringList {"f"}
                               << QByteArrayList {"14074000"}
                               << "A 14074000 B 7050000 rx 0 tx 0 mode 2 width 0001 rit 0 0 ptt 0"
                               << int(L::lblFreq) << "14,074.000" << QStringList();
    QTest::newRow("mode and passband")
        << QStringList {"M", "CW", "500"} << QStringList {"m"} << QByteArrayList {"CW", "400"}
        << "A 14200000 B 7050000 rx 0 tx 0 mode 3 width 0400 rit 0 0 ptt 0" << int(L::LblMode)
        << "CW" << QStringList();
    QTest::newRow("narrow SSB") << QStringList {"M", "USB", "1800"} << QStringList {"m"}
                                << QByteArrayList {"USB", "1800"}
                                << "A 14200000 B 7050000 rx 0 tx 0 mode 2 width 0000 rit 0 0 ptt 0"
                                << int(L::LblMode) << "USB" << QStringList();
    QTest::newRow("VFO") << QStringList {"V", "VFOB"} << QStringList {"v", "f"}
                         << QByteArrayList {"VFOB", "7050000"}
                         << "A 14200000 B 7050000 rx 1 tx 1 mode 1 width 0001 rit 0 0 ptt 0"
                         << int(L::lblVFO) << "B" << QStringList();
    QTest::newRow("split") << QStringList {"S", "1", "VFOB"} << QStringList {"s"}
                           << QByteArrayList {"1", "VFOB"}
                           << "A 14200000 B 7050000 rx 0 tx 1 mode 2 width 0001 rit 0 0 ptt 0" << -1
                           << QString() << QStringList();
    // rigctl ends while transmitting: the server takes the radio back to receive.
    QTest::newRow("PTT") << QStringList {"T", "1"} << QStringList {"t"} << QByteArrayList {"0"}
                         << start + "rit 0 0 ptt 0" << int(L::LblRX) << "RX" << QStringList();
    QTest::newRow("RIT") << QStringList {"J", "-500"} << QStringList {"j"}
                         << QByteArrayList {"-500"} << start + "rit 1 -500 ptt 0" << int(L::lblRit)
                         << "RIT" << QStringList();
    // WSJT-X's split on its transmit VFO; the display shows the transmit frequency. (Hamlib's
    // client reads a transmit frequency in split with "f", which names the receive VFO here, and
    // turns set_split_freq_mode into S, I and X: the radio and the display tell the frequency.)
    QTest::newRow("split frequency")
        << QStringList {"S", "1", "VFOB", "I", "7075000", "X", "USB", "-1"}
        << QStringList {"s", "x"} << QByteArrayList {"1", "VFOB", "USB", "2400"}
        << "A 14200000 B 7075000 rx 0 tx 1 mode 2 width 0001 rit 0 0 ptt 0"
        << int(L::lblSubFrequency) << "SPLIT  7,075.000" << QStringList();
    QTest::newRow("split frequency and mode")
        << QStringList {"set_split_freq_mode", "7080000", "CW", "0"} << QStringList {"s", "x"}
        << QByteArrayList {"1", "VFOB", "CW", "400"}
        << "A 14200000 B 7080000 rx 0 tx 1 mode 3 width 0400 rit 0 0 ptt 0"
        << int(L::lblSubFrequency) << "SPLIT  7,080.000" << QStringList();
    QTest::newRow("data mode") << QStringList {"M", "PKTLSB", "0"} << QStringList {"m"}
                               << QByteArrayList {"LSB", "2400"}
                               << "A 14200000 B 7050000 rx 0 tx 0 mode 1 width 0001 rit 0 0 ptt 0"
                               << int(L::LblMode) << "LSB" << QStringList();
    QTest::newRow("levels")
        << QStringList {"L",      "AF", "0.5", "L",   "RFPOWER", "0.5",    "L",       "AGC",
                        "2",      "L",  "ATT", "18",  "L",       "KEYSPD", "30",      "L",
                        "PREAMP", "0",  "L",   "SQL", "0.2",     "L",      "MICGAIN", "0.7"}
        << QStringList {"l", "AF",     "l", "RFPOWER", "l", "AGC", "l", "ATT",
                        "l", "KEYSPD", "l", "PREAMP",  "l", "SQL", "l", "MICGAIN"}
        << QByteArrayList {"0.501961", "0.500000", "2", "18", "30", "0", "0.200000", "0.700000"}
        << start + "rit 0 0 ptt 0" << int(L::lblAtt) << "ATT"
        << QStringList {"AG 128", "PC 50", "GT 2", "RA 1", "KS 30", "PA 0", "SQ 51", "MG 70"};
    QTest::newRow("functions")
        << QStringList {"U", "NB",  "1", "U", "NR",   "2", "U", "TUNER", "1", "U", "COMP", "1",
                        "U", "VOX", "1", "U", "LOCK", "1", "U", "BC",    "1", "U", "TONE", "1"}
        << QStringList {"u", "NB", "u", "NR", "u", "TUNER", "u", "FAGC", "u", "LOCK"}
        << QByteArrayList {"1", "2", "1", "0", "1"} << start + "rit 0 0 ptt 0" << int(L::lblAT)
        << "AT" << QStringList {"NB 1", "NR 2", "AC 010", "PR 1", "VX 1", "LK 1", "BC 1", "TO 1"};
    // The S-meter at 20 is S9+20 dB.
    QTest::newRow("S-meter") << QStringList() << QStringList {"l", "STRENGTH"}
                             << QByteArrayList {"20"} << start + "rit 0 0 ptt 0" << -1 << QString()
                             << QStringList();
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
    QFETCH(QStringList, settings);

    Station station;
    SimRadio &sim = station.sim.radio();
    sim.setTiming({1000, 2000, 0}); // the S-meter stays where it is put
    sim.setSetting("SM", 20);
    QVERIFY(station.start());
    if (!setRun.isEmpty())
        QCOMPARE(runRigctl(station.port(), setRun), QByteArrayList {""});
    QCOMPARE(runRigctl(station.port(), getRun), getOutput);
    QTRY_COMPARE(simSummary(sim), radio);
    for (const QString &setting : settings) {
        const QStringList codeValue = setting.split(QLatin1Char(' '));
        const QByteArray code = codeValue[0].toLatin1();
        const QString held = code == "AC" ? QString::fromLatin1(sim.tunerState())
                                          : QString::number(sim.setting(code.constData()));
        QCOMPARE(held,
                 codeValue[0] == QLatin1String("AC") ? codeValue[1]
                                                     : QString::number(codeValue[1].toInt()));
    }
    if (label >= 0)
        QTRY_COMPARE(station.display.label(RadioView::Label(label)), shown);
    if (QTest::currentDataTag() == QByteArray("levels")) {
        QCOMPARE(station.display.sliders.value(RadioView::Slider::SliderVolume), 128);
        QCOMPARE(station.display.sliders.value(RadioView::Slider::SliderPower), 50);
        QCOMPARE(station.display.label(RadioView::Label::lblAGC), QStringLiteral("FAST"));
    }
    if (QTest::currentDataTag() == QByteArray("functions"))
        QCOMPARE(station.display.label(RadioView::Label::lblNR), QStringLiteral("NR2"));
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
    QTest::newRow("transmit frequency of a memory")
        << "on memory" << QByteArray("I 7075000\n") << QByteArray("RPRT -11");
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
    // The status bar names the set that failed.
    if (request.startsWith('I')) {
        QVERIFY2(station.sharing.statusText().endsWith(
                     QStringLiteral(". \"I 7075000\" failed: not possible in the radio's present "
                                    "state")),
                 qPrintable(station.sharing.statusText()));
    }
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
    // What a client asks when it connects is still answered: no VFO mode, the radio's
    // capabilities, and the power as off.
    client.received.clear();
    const QByteArrayList opening = client.ask("\\chk_vfo\n\\get_powerstat\n\\dump_state\n",
                                              2 + int(RigDump::stateLines().size()));
    QCOMPARE(opening.mid(0, 3), (QByteArrayList {"0", "0", "1"}));
    QCOMPARE(opening.last(), "done");
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

// Each level and function read from a reply of the radio and written as its command; replies of
// another kind, another meter or malformed digits read as nothing, values the radio cannot take
// make no command.
void tst_RadioSharing::levelCodes_data()
{
    QTest::addColumn<QString>("name"); // a level, or a function ("u NB")
    QTest::addColumn<QString>("reply");
    QTest::addColumn<double>("value"); // -999: the reply carries nothing
    QTest::addColumn<double>("set");
    QTest::addColumn<QByteArray>("command"); // empty: refused

    QTest::newRow("AF") << "AF"
                        << "AG128" << 128 / 255.0 << 0.5 << QByteArray("AG128;");
    QTest::newRow("AF above 1") << "AF"
                                << "AG255" << 1.0 << 1.01 << QByteArray();
    QTest::newRow("RF power") << "RFPOWER"
                              << "PC050" << 0.5 << 0.05 << QByteArray("PC005;");
    QTest::newRow("RF power below 5 W") << "RFPOWER"
                                        << "PC005" << 0.05 << 0.04 << QByteArray();
    QTest::newRow("preamp") << "PREAMP"
                            << "PA1" << 12.0 << 12.0 << QByteArray("PA1;");
    QTest::newRow("preamp gain it lacks") << "PREAMP"
                                          << "PA0" << 0.0 << 6.0 << QByteArray();
    QTest::newRow("attenuator") << "ATT"
                                << "RA01" << 18.0 << 0.0 << QByteArray("RA00;");
    QTest::newRow("AGC slow") << "AGC"
                              << "GT004" << 3.0 << 2.0 << QByteArray("GT002;");
    QTest::newRow("AGC speed it lacks") << "AGC"
                                        << "GT003" << -999.0 << 1.0 << QByteArray();
    QTest::newRow("keyer speed") << "KEYSPD"
                                 << "KS030" << 30.0 << 60.0 << QByteArray("KS060;");
    QTest::newRow("keyer too fast") << "KEYSPD"
                                    << "KS010" << 10.0 << 61.0 << QByteArray();
    QTest::newRow("S0") << "STRENGTH"
                        << "SM0000" << -60.0 << 0.0 << QByteArray();
    QTest::newRow("S5") << "STRENGTH"
                        << "SM0010" << -20.0 << 0.0 << QByteArray();
    QTest::newRow("S9") << "STRENGTH"
                        << "SM0015" << 0.0 << 0.0 << QByteArray();
    QTest::newRow("S9+24") << "STRENGTH"
                           << "SM0021" << 24.0 << 0.0 << QByteArray();
    QTest::newRow("S9+60") << "STRENGTH"
                           << "SM0030" << 60.0 << 0.0 << QByteArray();
    QTest::newRow("S-meter noise") << "STRENGTH"
                                   << "SM00x1" << -999.0 << 0.0 << QByteArray();
    QTest::newRow("SWR 1.5") << "SWR"
                             << "RM10006" << 1.5 << 1.0 << QByteArray();
    QTest::newRow("SWR between") << "SWR"
                                 << "RM10015" << 2.5 << 1.0 << QByteArray();
    QTest::newRow("SWR of another meter") << "SWR"
                                          << "RM20006" << -999.0 << 1.0 << QByteArray();
    QTest::newRow("compression") << "COMP_METER"
                                 << "RM20010" << 10.0 << 1.0 << QByteArray();
    QTest::newRow("ALC") << "ALC"
                         << "RM30009" << 0.3 << 0.5 << QByteArray();
    QTest::newRow("reply of another code") << "AF"
                                           << "RG128" << -999.0 << 0.0 << QByteArray("AG000;");
    QTest::newRow("tuner in line") << "u TUNER"
                                   << "AC110" << 1.0 << 1.0 << QByteArray("AC 10;");
    QTest::newRow("tuner through") << "u TUNER"
                                   << "AC100" << 0.0 << 0.0 << QByteArray("AC 00;");
    QTest::newRow("fast AGC") << "u FAGC"
                              << "GT002" << 1.0 << 0.0 << QByteArray("GT004;");
    QTest::newRow("noise reduction 2") << "u NR"
                                       << "NR2" << 2.0 << 1.0 << QByteArray("NR1;");
    QTest::newRow("noise reduction 3") << "u NR"
                                       << "NR3" << -999.0 << 3.0 << QByteArray();
    QTest::newRow("processor") << "u COMP"
                               << "PR1" << 1.0 << 0.0 << QByteArray("PR0;");
    QTest::newRow("lock, short reply") << "u LOCK"
                                       << "LK" << -999.0 << 1.0 << QByteArray("LK1;");
}

void tst_RadioSharing::levelCodes()
{
    QFETCH(QString, name);
    QFETCH(QString, reply);
    QFETCH(double, value);
    QFETCH(double, set);
    QFETCH(QByteArray, command);
    std::optional<double> read;
    std::optional<QByteArray> written;
    std::optional<double> settled;
    if (name.startsWith(QLatin1String("u "))) {
        const RigFunc func = *RigTokens::funcFromName(name.mid(2).toLatin1());
        const auto v = RadioRigLevels::value(func, reply);
        read = v ? std::optional<double>(*v) : std::nullopt;
        written = RadioRigLevels::setCommand(func, int(set));
        if (written)
            settled = RadioRigLevels::settledValue(func, *written);
    } else {
        const RigLevel level = *RigTokens::levelFromName(name.toLatin1());
        read = RadioRigLevels::value(level, reply);
        written = RadioRigLevels::setCommand(level, set);
        if (written)
            settled = RadioRigLevels::settledValue(level, *written);
    }
    QCOMPARE(read.has_value(), value != -999.0);
    if (read)
        QVERIFY2(qAbs(*read - value) < 1e-9, qPrintable(QString::number(*read)));
    QCOMPARE(written.value_or(QByteArray()), command);
    if (written) // the value the radio is left with is the one asked for
        QVERIFY2(qAbs(*settled - set) < 0.5 / 255, qPrintable(QString::number(*settled)));
}

// The line sequences WSJT-X (split "Rig"), fldigi and CQRLOG send through Hamlib's network
// client, and a logger reading the transmit meters, replayed over a socket: each reply as
// rigctld gives it (its layout; the values are this radio's), the radio where the client
// wanted it, and in transmit on the frequency asked for.
void tst_RadioSharing::scriptedClients_data()
{
    QTest::addColumn<QByteArrayList>("lines");
    QTest::addColumn<QByteArrayList>("replies"); // "<dump_state>": the whole capability dump
    QTest::addColumn<QString>("radio");

    QTest::newRow("WSJT-X")
        << QByteArrayList {"\\chk_vfo", "\\dump_state",     "v",        "s", "f", "m",   "t",
                           "S 1 VFOB",  "I 7075000.000000", "X USB -1", "i", "x", "T 1", "T 0",
                           "S 0 VFOA"}
        << QByteArrayList {"0\n",         "<dump_state>", "VFOA\n",   "0\nVFOA\n", "14200000\n",
                           "USB\n2400\n", "0\n",          "RPRT 0\n", "RPRT 0\n",  "RPRT 0\n",
                           "7075000\n",   "USB\n2400\n",  "RPRT 0\n", "RPRT 0\n",  "RPRT 0\n"}
        << "A 14200000 B 7075000 rx 0 tx 0 mode 2 width 0001 rit 0 0 ptt 0";
    QTest::newRow("fldigi") << QByteArrayList {"f", "m", "M LSB 2400", "T 3", "T 0", "F 0"}
                            << QByteArrayList {"14200000\n", "USB\n2400\n", "RPRT 0\n",
                                               "RPRT 0\n",   "RPRT 0\n",    "RPRT 0\n"}
                            << "A 14200000 B 7050000 rx 0 tx 0 mode 1 width 0001 rit 0 0 ptt 0";
    QTest::newRow("CQRLOG") << QByteArrayList {"fmv"}
                            << QByteArrayList {"14200000\nUSB\n2400\nVFOA\n"}
                            << "A 14200000 B 7050000 rx 0 tx 0 mode 2 width 0001 rit 0 0 ptt 0";
    // Without the tuner the simulated radio's SWR is 1.5; the processor compresses 10 dB; the
    // ALC follows the microphone gain. The S-meter stands at 10: S5, 20 dB below S9.
    QTest::newRow("meters")
        << QByteArrayList {"l STRENGTH",
                           "U COMP 1",
                           "T 1",
                           "l SWR",
                           "l COMP_METER",
                           "l ALC",
                           "T 0",
                           "+\\get_split_freq_mode",
                           "\\set_split_freq_mode 7010000 CW 0"}
        << QByteArrayList {"-20\n",
                           "RPRT 0\n",
                           "RPRT 0\n",
                           "1.500000\n",
                           "10.000000\n",
                           "0.300000\n",
                           "RPRT 0\n",
                           "get_split_freq_mode:\nTX Frequency: 7050000\nTX Mode: USB\n"
                           "TX Passband: 2400\nRPRT 0\n",
                           "RPRT 0\n"}
        << "A 14200000 B 7010000 rx 0 tx 0 mode 3 width 0400 rit 0 0 ptt 0";
}

void tst_RadioSharing::scriptedClients()
{
    QFETCH(QByteArrayList, lines);
    QFETCH(QByteArrayList, replies);
    QFETCH(QString, radio);
    Station station;
    SimRadio &sim = station.sim.radio();
    sim.setTiming({1000, 2000, 0});
    sim.setSetting("SM", 10);
    QVERIFY(station.start());
    Client client(station.port());
    QVERIFY(client.connected());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray expected = replies[i];
        if (expected == "<dump_state>")
            expected = RigDump::stateLines().join('\n') + '\n';
        client.received.clear();
        client.ask(lines[i] + '\n', int(expected.count('\n')));
        QCOMPARE(client.received, expected);
        if (lines[i].startsWith("T ") && lines[i] != "T 0") {
            // Transmitting where the client asked: on VFO B's 7,075 kHz in split.
            QVERIFY(sim.transmitting());
            if (sim.split())
                QCOMPARE(sim.frequencyB(), 7'075'000);
        }
    }
    QCOMPARE(simSummary(sim), radio);
    QCOMPARE(sim.refusedCount(), 0);
}

namespace {

// Shuts down the client's sending side and collects what comes until the server closes.
QByteArray halfCloseAndRead(QTcpSocket &socket)
{
    socket.waitForBytesWritten(WaitMs);
    ::shutdown(int(socket.socketDescriptor()), SHUT_WR);
    QByteArray got;
    spinUntil(
        [&] {
            got += socket.readAll();
            return socket.state() == QAbstractSocket::UnconnectedState;
        },
        WaitMs);
    return got + socket.readAll();
}

// Closes the connection with a reset, as a client that crashes or loses its network does.
void resetConnection(QTcpSocket &socket)
{
    const linger reset {1, 0};
    ::setsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    socket.abort();
}

} // namespace

// What attacks on the server leave behind, checked in the simulated radio.
void tst_RadioSharing::failSafe_data()
{
    QTest::addColumn<QString>("attack");
    QTest::newRow("close at once after T 1") << "close";
    QTest::newRow("vanish while T 1 waits behind a transfer") << "vanish";
    QTest::newRow("half-close after T 1") << "half-close T";
    QTest::newRow("half-close after f") << "half-close f";
    QTest::newRow("17 silent connections, then a real client") << "silent";
    QTest::newRow("replies dropped on the line") << "drop";
}

void tst_RadioSharing::failSafe()
{
    QFETCH(QString, attack);
    SimOptions options;
    options.dropEvery = attack == QLatin1String("drop") ? 5 : 0;
    options.lateMs = attack == QLatin1String("vanish") ? 5 : 0;
    Station station(options);
    QVERIFY(station.start());
    SimRadio &sim = station.sim.radio();
    RadioRigBackend::Limits limits;
    limits.replyMs = 200;
    station.sharing.backend().setLimits(limits);
    RigctlSession::Limits clientLimits;
    clientLimits.idleMs = 300;
    station.sharing.server().setLimits(clientLimits);
    const auto released = [&] {
        // Not transmitting, and any key-down that went out was followed by a release.
        const auto keyed = station.written("TX;");
        return !sim.transmitting() && (keyed.isEmpty() || !station.written("RX;").isEmpty());
    };

    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, station.port());
    QVERIFY(socket.waitForConnected(WaitMs));
    if (attack == QLatin1String("close")) {
        socket.write("T 1\n");
        socket.waitForBytesWritten(WaitMs);
        socket.close();
        QVERIFY(spinUntil([&] { return !station.written("TX;").isEmpty(); }, WaitMs));
        QTRY_VERIFY(released());
    } else if (attack == QLatin1String("vanish")) {
        MemoryDownload download(station.radio);
        QVERIFY(download.start({}));
        socket.write("T 1\n");
        QTRY_COMPARE(station.sharing.backend().queuedCount(), 1);
        resetConnection(socket);
        QTRY_COMPARE(station.sharing.backend().queuedCount(), 0);
        download.cancel();
        QTRY_VERIFY(station.radio.isIdle());
        QTest::qWait(200);
        QVERIFY(station.written("TX;").isEmpty()); // the key-down never went out
    } else if (attack == QLatin1String("half-close T")) {
        socket.write("T 1\n");
        QCOMPARE(halfCloseAndRead(socket), QByteArray("RPRT 0\n"));
        QTRY_VERIFY(released());
    } else if (attack == QLatin1String("half-close f")) {
        socket.write("F 7003000\nf\n");
        QCOMPARE(halfCloseAndRead(socket), QByteArray("RPRT 0\n7003000\n"));
    } else if (attack == QLatin1String("silent")) {
        std::vector<std::unique_ptr<QTcpSocket>> silent;
        for (int i = 0; i < 17; ++i) {
            silent.push_back(std::make_unique<QTcpSocket>());
            silent.back()->connectToHost(QHostAddress::LocalHost, station.port());
            QVERIFY(silent.back()->waitForConnected(WaitMs));
        }
        Client real(station.port());
        QVERIFY(real.connected());
        QCOMPARE(real.ask("F 7010000\nf\n", 2), (QByteArrayList {"RPRT 0", "7010000"}));
        QCOMPARE(sim.frequencyA(), 7'010'000);
        QVERIFY(station.sharing.server().clientCount() <= 16);
        QVERIFY(station.sharing.statusText().endsWith(QStringLiteral(", 16 clients")));
    } else {
        // Every set that the radio took is answered Ok, even when its confirmation was lost.
        const char *modes[] = {"USB", "LSB", "CW", "FM", "AM"};
        const char digits[] = {'2', '1', '3', '4', '5'};
        Client client(station.port());
        QVERIFY(client.connected());
        for (int i = 0; i < 15; ++i) {
            client.received.clear();
            QCOMPARE(client.ask(QByteArray("M ") + modes[i % 5] + " 0\n", 1),
                     QByteArrayList {"RPRT 0"});
            QCOMPARE(sim.mode(), digits[i % 5]);
        }
        QVERIFY(station.sim.repliesDropped() > 0);
    }
    QVERIFY(!sim.transmitting());
}

QTEST_GUILESS_MAIN(tst_RadioSharing)
#include "tst_radiosharing.moc"
