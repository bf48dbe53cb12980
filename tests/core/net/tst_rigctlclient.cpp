// Hamlib's own network client, "rigctl -m 2", works the radio through the server: it reads
// \dump_state when it connects and then reads and sets frequency, mode and passband, VFO,
// split, PTT and RIT. Skipped where rigctl is not installed.
#include "core/net/fakerigbackend.h"
#include "core/net/rigctlserver.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {

const QString Rigctl = QStandardPaths::findExecutable(QStringLiteral("rigctl"));

// Starts rigctl against the server with these commands.
void startRigctl(QProcess &process, quint16 port, const QStringList &commands)
{
    process.start(Rigctl,
                  QStringList {QStringLiteral("-m"), QStringLiteral("2"), QStringLiteral("-r"),
                               QStringLiteral("127.0.0.1:%1").arg(port)}
                      + commands);
}

// Waits for rigctl to end (the server answers from this event loop, so the wait keeps it
// running) and returns its output lines; empty when it failed.
QByteArrayList rigctlOutput(QProcess &process)
{
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 20000)) {
        process.kill();
        process.waitForFinished();
        qWarning("rigctl did not end");
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qWarning("rigctl failed: %s", process.readAllStandardError().constData());
        return {};
    }
    return process.readAllStandardOutput().trimmed().split('\n');
}

QByteArrayList runRigctl(quint16 port, const QStringList &commands)
{
    QProcess process;
    startRigctl(process, port, commands);
    return rigctlOutput(process);
}

} // namespace

class TestRigctlClient : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void commands_data();
    void commands();
    void twoClientsAtOnce();
    void capsThroughHamlib();

private:
    FakeRigBackend m_backend;
    RigctlServer m_server {m_backend};
};

void TestRigctlClient::init()
{
    if (Rigctl.isEmpty())
        QSKIP("rigctl (Hamlib) is not installed");
    m_backend = FakeRigBackend();
    if (!m_server.isListening())
        QVERIFY2(m_server.listen(QHostAddress::LocalHost, 0), qPrintable(m_server.errorString()));
}

// Each case sets something in one run of rigctl and reads it back in a second one: within one
// run rigctl answers a get after a set from its own cache.
void TestRigctlClient::commands_data()
{
    QTest::addColumn<QStringList>("setRun");
    QTest::addColumn<QByteArrayList>("setOutput");
    QTest::addColumn<QStringList>("getRun");
    QTest::addColumn<QByteArrayList>("getOutput");
    QTest::addColumn<QStringList>("calls");

    QTest::newRow("frequency") << QStringList {"f", "F", "14100000"} << QByteArrayList {"14200000"}
                               << QStringList {"f"} << QByteArrayList {"14100000"}
                               << QStringList {"setFrequency currVFO 14100000"};
    QTest::newRow("mode and passband")
        << QStringList {"m", "M", "CW", "500"} << QByteArrayList {"USB", "2400"}
        << QStringList {"m"} << QByteArrayList {"CW", "400"} << QStringList {"setMode CW 400"};
    QTest::newRow("VFO") << QStringList {"v", "V", "VFOB"} << QByteArrayList {"VFOA"}
                         << QStringList {"v", "f"} << QByteArrayList {"VFOB", "7050000"}
                         << QStringList {"setVfo VFOB"};
    QTest::newRow("split") << QStringList {"s", "S", "1", "VFOB"} << QByteArrayList {"0", "VFOA"}
                           << QStringList {"s"} << QByteArrayList {"1", "VFOB"}
                           << QStringList {"setSplit 1 VFOB"};
    // rigctl ends while transmitting: the server takes the radio back to receive.
    QTest::newRow("PTT") << QStringList {"t", "T", "1"} << QByteArrayList {"0"} << QStringList {"t"}
                         << QByteArrayList {"0"} << QStringList {"setPtt 1", "setPtt 0"};
    QTest::newRow("RIT") << QStringList {"j", "J", "-500"} << QByteArrayList {"0"}
                         << QStringList {"j"} << QByteArrayList {"-500"}
                         << QStringList {"setRit -500"};
}

void TestRigctlClient::commands()
{
    QFETCH(QStringList, setRun);
    QFETCH(QByteArrayList, setOutput);
    QFETCH(QStringList, getRun);
    QFETCH(QByteArrayList, getOutput);
    QFETCH(QStringList, calls);

    QCOMPARE(runRigctl(m_server.port(), setRun), setOutput);
    QTRY_COMPARE(m_backend.calls, calls);
    QCOMPARE(runRigctl(m_server.port(), getRun), getOutput);
}

void TestRigctlClient::twoClientsAtOnce()
{
    QProcess first;
    QProcess second;
    startRigctl(first, m_server.port(), {"f", "F", "14074000", "s", "f"});
    startRigctl(second, m_server.port(), {"v", "M", "RTTY", "0", "j", "t"});
    QCOMPARE(rigctlOutput(first), (QByteArrayList {"14200000", "0", "VFOA", "14074000"}));
    QCOMPARE(rigctlOutput(second), (QByteArrayList {"VFOA", "0", "0"}));
    QCOMPARE(m_backend.frequencyA, 14'074'000);
    QCOMPARE(m_backend.mode.mode, RigMode::Rtty);
    QCOMPARE(m_backend.mode.passbandHz, 1000);
}

// Hamlib's client reads \dump_state into its own capabilities: its dump lists the levels and
// functions served, the AGC speeds and the tones. (rigctl 4.5 takes the long command without its
// backslash on its command line.)
void TestRigctlClient::capsThroughHamlib()
{
    const QByteArrayList caps = runRigctl(m_server.port(), {"dump_caps"});
    const auto line = [&caps](const QByteArray &start) {
        for (const QByteArray &l : caps) {
            if (l.startsWith(start))
                return l.mid(start.size()).trimmed();
        }
        return QByteArray("<missing>");
    };
    QCOMPARE(line("Get functions:"), "FAGC NB COMP VOX TONE NR LOCK BC TUNER");
    QCOMPARE(line("Set functions:"), "FAGC NB COMP VOX TONE NR LOCK BC TUNER");
    QByteArrayList got = line("Get level:").split(' ');
    for (QByteArray &name : got)
        name = name.left(name.indexOf('('));
    QCOMPARE(got,
             (QByteArrayList {"PREAMP", "ATT", "AF", "RF", "SQL", "RFPOWER", "MICGAIN", "KEYSPD",
                              "AGC", "SWR", "ALC", "STRENGTH", "COMP_METER"}));
    QByteArrayList set = line("Set level:").split(' ');
    for (QByteArray &name : set)
        name = name.left(name.indexOf('('));
    QCOMPARE(set,
             (QByteArrayList {"PREAMP", "ATT", "AF", "RF", "SQL", "RFPOWER", "MICGAIN", "KEYSPD",
                              "AGC"}));
    QVERIFY(line("AGC levels:").startsWith("2=FAST 3=SLOW"));
    QVERIFY(line("CTCSS:").startsWith("67.0 71.9 "));
    QVERIFY(line("CTCSS:").endsWith("250.3 Hz, 38 tones"));
    QCOMPARE(line("Can set Split Freq:"), "Y");
}

QTEST_GUILESS_MAIN(TestRigctlClient)
#include "tst_rigctlclient.moc"
