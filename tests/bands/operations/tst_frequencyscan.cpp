// The frequency scan: the visited frequencies and the wrap, the resume rule, the dwell taken
// from the row, refused rows, Stop inside a dwell and the window closing. The second and the
// pauses last minutes and are ended by hand, so each step is checked on its own.
#include "bands/operations/frequencyscan.h"
#include "panels/commandlog.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(ScanRow)

namespace {

constexpr int Minute = 60'000; // one second of the scan lasts a minute here

ScanRow scanRow(const char *start, const char *end, const char *step, const char *pause = "1",
                const char *mode = "CW")
{
    return ScanRow {start, end, mode, step, pause, QStringLiteral("test")};
}

struct Bench
{
    explicit Bench(const char *vfo = "0", FrequencyScan::Timing timing = {Minute, Minute})
    {
        radio.state().VFO = vfo;
        scan.setTiming(timing);
    }

    QTimer *timer() const { return scan.findChild<QTimer *>(QStringLiteral("scanTimer")); }
    bool waiting() const { return timer()->isActive(); }
    // Ends the wait that is running; the scan takes its next step.
    void endWait()
    {
        QVERIFY(waiting());
        timer()->stop();
        QVERIFY(QMetaObject::invokeMethod(timer(), "timeout"));
    }
    // Presses Start and ends the second after the mode commands.
    void start(const ScanRow &row, int rowNumber = 1)
    {
        scan.cmdStart_Click(row, rowNumber);
        endWait();
    }
    // Ends n dwells and returns what they sent.
    QStringList dwell(int n)
    {
        for (int i = 0; i < n; ++i)
            endWait();
        return log.take();
    }
    QString caption() const
    {
        return captions.isEmpty() ? QString() : captions.last().at(0).toString();
    }

    Radio radio;
    CommandLog log {radio};
    FrequencyScan scan {radio};
    QSignalSpy captions {&scan, &FrequencyScan::captionChanged};
    QSignalSpy titles {&scan, &FrequencyScan::titleChanged};
    QSignalSpy refusals {&scan, &FrequencyScan::refused};
    QSignalSpy finished {&scan, &FrequencyScan::finished};
};

} // namespace

class tst_FrequencyScan : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void visitsAndWraps_data();
    void visitsAndWraps();
    void stopInsideADwell();
    void resumeRule();
    void dwellFromThePause_data();
    void dwellFromThePause();
    void refusedRows_data();
    void refusedRows();
    void refusedRowStillStops();
    void neitherVfo();
    void pressDuringTheFirstSecond();
    void windowClosing();
};

void tst_FrequencyScan::visitsAndWraps_data()
{
    QTest::addColumn<QString>("vfo");
    QTest::addColumn<ScanRow>("row");
    QTest::addColumn<QStringList>("visits"); // the first six dwells
    QTest::newRow("7000-7010 step 3, VFO A")
        << "0" << scanRow("7000", "7010", "3")
        << QStringList {"FA00007000000;", "FA00007003000;", "FA00007006000;",
                        "FA00007009000;", "FA00007012000;", "FA00007000000;"};
    QTest::newRow("decimal steps on VFO B do not drift")
        << "1" << scanRow("7000", "7000.3", "0.1")
        << QStringList {"FB00007000000;", "FB00007000100;", "FB00007000200;",
                        "FB00007000300;", "FB00007000000;", "FB00007000100;"};
    QTest::newRow("step 0 keeps the start")
        << "0" << scanRow("14200", "14300", "0") << QStringList(6, "FA00014200000;");
    QTest::newRow("start equals end")
        << "0" << scanRow("3700", "3700", "5") << QStringList(6, "FA00003700000;");
}

void tst_FrequencyScan::visitsAndWraps()
{
    QFETCH(QString, vfo);
    QFETCH(ScanRow, row);
    QFETCH(QStringList, visits);
    Bench b(qPrintable(vfo));
    b.scan.cmdStart_Click(row, 1);
    QCOMPARE(b.log.take(), (QStringList {"MD3;", "MD;"}));
    QCOMPARE(b.timer()->interval(), Minute); // the fixed second
    QVERIFY(b.captions.isEmpty());
    b.endWait();
    QCOMPARE(b.caption(), QStringLiteral("Stop"));
    QCOMPARE(b.scan.scanActive(), QStringLiteral("Y"));
    QStringList sent = b.log.take();
    sent += b.dwell(5);
    QCOMPARE(sent, visits);
    QVERIFY(b.scan.scanning());
}

void tst_FrequencyScan::stopInsideADwell()
{
    Bench b;
    b.start(scanRow("7000", "7010", "3"));
    QCOMPARE(b.titles.last().at(0).toString(), QStringLiteral("Frequency Scan:  7,000.000 Khz"));
    b.dwell(1);
    QCOMPARE(b.titles.last().at(0).toString(), QStringLiteral("Frequency Scan:  7,003.000 Khz"));
    QVERIFY(b.waiting()); // inside the dwell on 7003

    // Stop ends the dwell at once and sends the selected row's mode.
    b.scan.cmdStart_Click(scanRow("7000", "7010", "3", "2", "USB"), 1);
    QCOMPARE(b.log.take(), (QStringList {"MD2;", "MD;"}));
    QCOMPARE(b.caption(), QStringLiteral("Start"));
    QVERIFY(!b.scan.scanning());
    QCOMPARE(b.scan.scanActive(), QStringLiteral("N"));
    QCOMPARE(b.timer()->interval(), Minute); // the fixed second
    b.endWait();
    QCOMPARE(b.timer()->interval(), 2 * Minute); // the stop's pause, from the pressed row
    QVERIFY(b.log.take().isEmpty());
    b.endWait();
    QCOMPARE(b.log.take(), QStringList {"IF;"});
    QVERIFY(b.finished.isEmpty());
    b.endWait(); // the interrupted scan's own pause and status request
    QCOMPARE(b.log.take(), QStringList {"IF;"});
    QCOMPARE(b.finished.size(), 1);
    QVERIFY(!b.waiting());
    QCOMPARE(b.titles.size(), 2);
}

void tst_FrequencyScan::resumeRule()
{
    Bench b;
    const ScanRow forty = scanRow("7000", "7010", "3");
    const auto stop = [&b](const ScanRow &row) {
        b.scan.cmdStart_Click(row, 1);
        b.dwell(3);
    };
    b.start(forty);
    b.dwell(2); // on 7006
    stop(forty);

    // The same range resumes on the frequency it was stopped on.
    b.start(forty);
    QCOMPARE(b.log.take(), (QStringList {"MD3;", "MD;", "FA00007006000;"}));
    QCOMPARE(b.dwell(1), QStringList {"FA00007009000;"});
    stop(forty);

    // A range that holds 7009 resumes there and steps on from it, though it starts elsewhere.
    b.start(scanRow("7001", "7020", "2"));
    QCOMPARE(b.log.take(), (QStringList {"MD3;", "MD;", "FA00007009000;"}));
    QCOMPARE(b.dwell(1), QStringList {"FA00007011000;"});
    stop(forty);

    // A range without it starts at its start.
    b.start(scanRow("14150", "14350", "1", "1", "USB"));
    QCOMPARE(b.log.take(), (QStringList {"MD2;", "MD;", "FA00014150000;"}));
    QCOMPARE(b.dwell(1), QStringList {"FA00014151000;"});
}

void tst_FrequencyScan::dwellFromThePause_data()
{
    QTest::addColumn<QString>("pause");
    QTest::addColumn<int>("dwellMs");
    QTest::newRow("0.25 s") << "0.25" << 250;
    QTest::newRow("2 s") << "2" << 2000;
    QTest::newRow("the longest, 32.767 s") << "32.767" << 32767;
    // A pause of 0 would flood the port: the dwell is at least the shortest one.
    QTest::newRow("0 s") << "0" << 100;
}

void tst_FrequencyScan::dwellFromThePause()
{
    QFETCH(QString, pause);
    QFETCH(int, dwellMs);
    Bench b("0", FrequencyScan::Timing {});
    b.scan.cmdStart_Click(scanRow("7000", "7010", "1", qPrintable(pause)), 1);
    QCOMPARE(b.timer()->interval(), 1000);
    b.endWait();
    QCOMPARE(b.timer()->interval(), dwellMs);
    QCOMPARE(int(b.scan.scanPauseMs()), qMin(dwellMs, int(pause.toDouble() * 1000 + 0.5)));
}

void tst_FrequencyScan::refusedRows_data()
{
    QTest::addColumn<ScanRow>("row");
    QTest::addColumn<int>("rowNumber");
    QTest::addColumn<QStringList>("named"); // what the message must name
    QTest::newRow("pause above 32.767 s")
        << scanRow("7000", "7010", "1", "32.768") << 3 << QStringList {"Row 3", "Pause", "32.768"};
    QTest::newRow("negative pause")
        << scanRow("7000", "7010", "1", "-1") << 2 << QStringList {"Row 2", "Pause", "\"-1\""};
    QTest::newRow("pause not a number")
        << scanRow("7000", "7010", "1", "1s") << 1 << QStringList {"Row 1", "Pause", "\"1s\""};
    QTest::newRow("negative step")
        << scanRow("7000", "7010", "-0.5") << 1 << QStringList {"Step", "\"-0.5\""};
    QTest::newRow("start not a number")
        << scanRow("7000abc", "7010", "1") << 5 << QStringList {"Row 5", "FreqStart", "7000abc"};
    QTest::newRow("empty end") << scanRow("7000", "", "1") << 1
                               << QStringList {"FreqEnd", "(empty)"};
    QTest::newRow("step not a number")
        << scanRow("7000", "7010", "one") << 1 << QStringList {"Step", "\"one\""};
    QTest::newRow("mode with a command")
        << scanRow("7000", "7010", "1", "1", "USB;TX1") << 1 << QStringList {"Mode", "USB;TX1"};
    QTest::newRow("two cells at once")
        << scanRow("x", "7010", "1", "40") << 1 << QStringList {"FreqStart", "Pause"};
    QTest::newRow("no row selected")
        << scanRow("7000", "7010", "1") << 0 << QStringList {"No row is selected"};
}

void tst_FrequencyScan::refusedRows()
{
    QFETCH(ScanRow, row);
    QFETCH(int, rowNumber);
    QFETCH(QStringList, named);
    Bench b;
    b.scan.cmdStart_Click(row, rowNumber);
    QVERIFY(b.log.commands.isEmpty());
    QVERIFY(!b.waiting());
    QVERIFY(b.scan.isIdle());
    QCOMPARE(b.refusals.size(), 1);
    const QString message = b.refusals.first().at(0).toString();
    for (const QString &part : std::as_const(named))
        QVERIFY2(message.contains(part), qPrintable(message));
    QVERIFY2(message.endsWith(QStringLiteral("Nothing was sent.")), qPrintable(message));
}

void tst_FrequencyScan::refusedRowStillStops()
{
    Bench b;
    b.start(scanRow("7000", "7010", "3"));
    b.log.take();
    b.scan.cmdStart_Click(scanRow("7000", "7010", "3", "99"), 1);
    QCOMPARE(b.refusals.size(), 1);
    QVERIFY(!b.scan.scanning());
    QCOMPARE(b.caption(), QStringLiteral("Start"));
    QCOMPARE(b.dwell(2), (QStringList {"IF;", "IF;"})); // no mode of the refused row
    QCOMPARE(b.finished.size(), 1);
}

void tst_FrequencyScan::neitherVfo()
{
    Bench b("2");
    b.start(scanRow("7000", "7010", "3"));
    QCOMPARE(b.log.take(), (QStringList {"MD3;", "MD;"}));
    QCOMPARE(b.dwell(1), QStringList {"IF;"});
    QVERIFY(!b.waiting());
    QVERIFY(b.captions.isEmpty());
    QCOMPARE(b.finished.size(), 1);
}

void tst_FrequencyScan::pressDuringTheFirstSecond()
{
    // A press while the start waits is taken when the scan begins: it stops at its first
    // frequency.
    Bench b;
    const ScanRow row = scanRow("7000", "7010", "3");
    b.scan.cmdStart_Click(row, 1);
    b.scan.cmdStart_Click(row, 1);
    b.scan.cmdStart_Click(row, 1); // a third press while one is held adds nothing
    b.endWait();
    QCOMPARE(b.log.take(), (QStringList {"MD3;", "MD;", "FA00007000000;", "MD3;", "MD;"}));
    QCOMPARE(b.caption(), QStringLiteral("Start"));
    QCOMPARE(b.dwell(3), (QStringList {"IF;", "IF;"}));
    QVERIFY(b.scan.isIdle());
    QVERIFY(!b.waiting());
}

void tst_FrequencyScan::windowClosing()
{
    const ScanRow row = scanRow("7000", "7010", "3");
    {
        // While scanning: stopped as Stop stops it.
        Bench b;
        b.start(row);
        b.log.take();
        b.scan.windowClosing(row, 1);
        QVERIFY(!b.scan.scanning());
        QCOMPARE(b.log.take(), (QStringList {"MD3;", "MD;"}));
        QCOMPARE(b.dwell(3), (QStringList {"IF;", "IF;"}));
    }
    {
        // Within the start's second: no scan, its pause and one status request.
        Bench b;
        b.scan.cmdStart_Click(row, 1);
        b.log.take();
        b.scan.windowClosing(row, 1);
        QCOMPARE(b.dwell(1), QStringList {"IF;"});
        QVERIFY(b.captions.isEmpty());
        QVERIFY(b.scan.isIdle());
    }
    {
        // A press held during a stop is dropped with the window.
        Bench b;
        b.start(row);
        b.scan.cmdStart_Click(row, 1);
        b.scan.cmdStart_Click(row, 1); // held
        b.log.take();
        b.scan.windowClosing(row, 1);
        QCOMPARE(b.dwell(3), (QStringList {"IF;", "IF;"}));
        QVERIFY(b.scan.isIdle());
        QVERIFY(!b.waiting());
    }
}

QTEST_GUILESS_MAIN(tst_FrequencyScan)
#include "tst_frequencyscan.moc"
