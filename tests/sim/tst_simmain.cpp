// The vantelo-radio-sim program: device path first, serving, clean end on SIGTERM/SIGINT,
// refusal of bad options; its link and memory file across runs.
#include "sim/ptyclient.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
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
    void linkAndMemoryOutliveARun();
    void badFilesAreRefused_data();
    void badFilesAreRefused();

private:
    // Starts the program; the device it prints, or empty when it printed none.
    static QString startSim(QProcess &sim, const QStringList &arguments);
};

QString TestSimMain::startSim(QProcess &sim, const QStringList &arguments)
{
    sim.start(QStringLiteral(SIM_EXECUTABLE), arguments);
    if (!sim.waitForStarted(10000))
        return {};
    QDeadlineTimer deadline(10000);
    while (!sim.canReadLine() && sim.state() != QProcess::NotRunning && !deadline.hasExpired())
        QTest::qWait(10);
    return QString::fromLocal8Bit(sim.readLine().trimmed());
}

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

void TestSimMain::linkAndMemoryOutliveARun()
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("radio"));
    const QString memory = dir.filePath(QStringLiteral("memory.txt"));
    const QStringList arguments {"--link", link, "--memory", memory};
    const QByteArray written = "MW1 050000000000020000 ;MW0 050001419550020000 ;";

    // First run: no memory file yet, so an empty radio; a channel is written.
    QProcess first;
    const QString device = startSim(first, arguments);
    QCOMPARE(QFileInfo(link).symLinkTarget(), device);
    {
        PtyClient client(link);
        QVERIFY(client.write("MR0 00;" + written + "MR0 05;"));
        QTRY_COMPARE(client.data, QByteArray("MR0 000000000000000000 ;MR0 050001419550020000 ;"));
    }
    ::kill(pid_t(first.processId()), SIGTERM);
    QTRY_VERIFY_WITH_TIMEOUT(first.state() == QProcess::NotRunning, 10000);
    QCOMPARE(first.exitCode(), 0);
    QVERIFY(!QFileInfo(link).isSymLink());
    QFile file(memory);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("\nMW0 050001419550020000 ;\n"));

    // Second run, killed outright: its link is left behind, and the third run replaces it.
    for (const int signal : {SIGKILL, SIGINT}) {
        QProcess next;
        const QString nextDevice = startSim(next, arguments);
        QCOMPARE(QFileInfo(link).symLinkTarget(), nextDevice);
        {
            PtyClient client(link);
            QVERIFY(client.write("MR0 05;"));
            QTRY_COMPARE(client.data, QByteArray("MR0 050001419550020000 ;"));
        }
        ::kill(pid_t(next.processId()), signal);
        QTRY_VERIFY_WITH_TIMEOUT(next.state() == QProcess::NotRunning, 10000);
        QCOMPARE(QFileInfo(link).isSymLink(), signal == SIGKILL);
    }
}

void TestSimMain::badFilesAreRefused_data()
{
    QTest::addColumn<QStringList>("arguments"); // "@" stands for the temporary folder
    QTest::addColumn<QByteArray>("message");

    QTest::newRow("malformed memory file")
        << QStringList {"--memory", "@/bad.txt"} << QByteArray("@/bad.txt: line 2 is not");
    QTest::newRow("memory file is a folder")
        << QStringList {"--memory", "@"} << QByteArray("@: not a file");
    QTest::newRow("a file where the link goes")
        << QStringList {"--link", "@/bad.txt"}
        << QByteArray("@/bad.txt: exists and is not a symbolic link");
}

void TestSimMain::badFilesAreRefused()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, message);
    QTemporaryDir dir;
    const QByteArray bad = "MW0 010000705000010000 ;\nMW0 9;\n";
    QFile file(dir.filePath(QStringLiteral("bad.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bad) == bad.size());
    file.close();
    arguments.replaceInStrings(QStringLiteral("@"), dir.path());

    QProcess sim;
    QVERIFY(startSim(sim, arguments).isEmpty()); // no device: nothing to open
    QTRY_VERIFY_WITH_TIMEOUT(sim.state() == QProcess::NotRunning, 10000);
    QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.exitCode(), 2);
    const QByteArray error = sim.readAllStandardError();
    QVERIFY2(error.contains(message.replace('@', QFile::encodeName(dir.path()))),
             error.constData());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bad); // left as it was
}

QTEST_GUILESS_MAIN(TestSimMain)
#include "tst_simmain.moc"
