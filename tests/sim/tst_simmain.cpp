// The vantelo-radio-sim program: device path first, serving, clean end on SIGTERM/SIGINT,
// refusal of bad options.
#include "ptyclient.h"

#include <QProcess>
#include <QTest>

#include <csignal>

class TestSimMain : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void servesUntilSignalled_data();
    void servesUntilSignalled();
    void badOptionsAreRefused_data();
    void badOptionsAreRefused();
};

void TestSimMain::servesUntilSignalled_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("signal");
    QTest::newRow("plain, SIGTERM") << QStringList() << int(SIGTERM);
    QTest::newRow("all switches but drop, SIGINT")
        << QStringList {"--baud", "19200", "--split", "--merge", "--late", "5", "--seed", "9"}
        << int(SIGINT);
}

void TestSimMain::servesUntilSignalled()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, signal);

    QProcess sim;
    sim.start(QStringLiteral(SIM_EXECUTABLE), arguments);
    QTRY_VERIFY_WITH_TIMEOUT(sim.canReadLine(), 10000);
    const QString device = QString::fromLocal8Bit(sim.readLine().trimmed());
    QVERIFY2(device.startsWith(QLatin1String("/dev/")), qPrintable(device));

    PtyClient client(device);
    QVERIFY(client.isOpen());
    QVERIFY(client.write("ID;FA00007100000;FA;"));
    QTRY_COMPARE(client.data, QByteArray("ID017;FA00007100000;"));

    ::kill(pid_t(sim.processId()), signal);
    QTRY_VERIFY_WITH_TIMEOUT(sim.state() == QProcess::NotRunning, 10000);
    QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.exitCode(), 0);
}

void TestSimMain::badOptionsAreRefused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("drop not a number") << QStringList {"--drop", "x"};
    QTest::newRow("negative late") << QStringList {"--late", "-5"};
    QTest::newRow("baud too high") << QStringList {"--baud", "99999999"};
    QTest::newRow("seed too wide") << QStringList {"--seed", "4294967296"};
}

void TestSimMain::badOptionsAreRefused()
{
    QFETCH(QStringList, arguments);
    QProcess sim;
    sim.start(QStringLiteral(SIM_EXECUTABLE), arguments);
    QTRY_VERIFY_WITH_TIMEOUT(sim.state() == QProcess::NotRunning, 10000);
    QCOMPARE(sim.exitCode(), 2);
    QVERIFY(sim.readAllStandardOutput().isEmpty()); // no device: nothing to open
    QVERIFY(sim.readAllStandardError().contains("needs a whole number"));
}

QTEST_GUILESS_MAIN(TestSimMain)
#include "tst_simmain.moc"
