// A standard client, Hamlib's rigctl for the TS-570D, works the simulated radio: it reads and
// sets frequency, mode, VFO and memory channel. Skipped where rigctl is not installed.
#include "sim/simptyserver.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

class TestSimRigctl : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rigctlSession();
};

void TestSimRigctl::rigctlSession()
{
    const QString rigctl = QStandardPaths::findExecutable(QStringLiteral("rigctl"));
    if (rigctl.isEmpty())
        QSKIP("rigctl (Hamlib) is not installed");

    SimPtyServer server {SimOptions()};
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QProcess process;
    process.setProgram(rigctl);
    process.setArguments({QStringLiteral("-m"),       QStringLiteral("2004"), QStringLiteral("-r"),
                          server.devicePath(),        QStringLiteral("f"),    QStringLiteral("F"),
                          QStringLiteral("14100000"), QStringLiteral("f"),    QStringLiteral("m"),
                          QStringLiteral("M"),        QStringLiteral("CW"),   QStringLiteral("0"),
                          QStringLiteral("m"),        QStringLiteral("v"),    QStringLiteral("V"),
                          QStringLiteral("VFOB"),     QStringLiteral("v"),    QStringLiteral("e"),
                          QStringLiteral("E"),        QStringLiteral("5"),    QStringLiteral("e")});
    // The server answers from this event loop, so the wait must keep it running.
    process.start();
    QTRY_VERIFY_WITH_TIMEOUT(process.state() == QProcess::NotRunning, 25000);
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);

    // f, f, m (mode and width), m, v, v, e, e: one answer a line.
    const QList<QByteArray> lines = process.readAllStandardOutput().trimmed().split('\n');
    QCOMPARE(lines.size(), 10);
    QCOMPARE(lines[0], QByteArray("14200000"));
    QCOMPARE(lines[1], QByteArray("14100000"));
    QCOMPARE(lines[2], QByteArray("USB"));
    QCOMPARE(lines[4], QByteArray("CW"));
    QCOMPARE(lines[6], QByteArray("VFOA"));
    QCOMPARE(lines[7], QByteArray("VFOB"));
    QCOMPARE(lines[8], QByteArray("0"));
    QCOMPARE(lines[9], QByteArray("5"));

    const SimRadio &radio = server.radio();
    QCOMPARE(radio.frequencyA(), 14'100'000);
    QCOMPARE(radio.receiveFunction(), SimRadio::VfoB);
    QCOMPARE(radio.memoryChannel(), 5);
    QCOMPARE(radio.refusedCount(), 0);
}

QTEST_GUILESS_MAIN(TestSimRigctl)
#include "tst_simrigctl.moc"
