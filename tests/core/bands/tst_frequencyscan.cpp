// The frequency scan: the visited frequencies and the wrap, Stop inside a dwell, the resume
// rule, the dwell taken from the row and refused rows. The second and the pauses last minutes
// and are ended by hand, so each step is checked on its own.
#include "common/commandlog.h"
#include "core/bands/frequencyscan.h"

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
    // Ends n waits in turn and returns what they sent.
    QStringList endWaits(int n)
    {
        for (int i = 0; i < n; ++i) {
            if (!timer()->isActive())
                return log.take() << QStringLiteral("<not waiting>");
            timer()->stop();
            QMetaObject::invokeMethod(timer(), "timeout");
        }
        return log.take();
    }
    // Presses Start and ends the second after the mode commands.
    QStringList start(const ScanRow &row)
    {
        scan.cmdStart_Click(row, 1);
        return endWaits(1);
    }
    QString last(QSignalSpy &spy) const
    {
        return spy.isEmpty() ? QString() : spy.last().at(0).toString();
    }

    Radio radio;
    CommandLog log {radio};
    FrequencyScan scan {radio};
    QSignalSpy captions {&scan, &FrequencyScan::captionChanged};
    QSignalSpy titles {&scan, &FrequencyScan::titleChanged};
    QSignalSpy refusals {&scan, &FrequencyScan::refused};
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
    void closingWithinTheFirstSecond();
};

void tst_FrequencyScan::visitsAndWraps_data()
{
    QTest::addColumn<QString>("vfo");
    QTest::addColumn<ScanRow>("row");
    QTest::addColumn<QStringList>("sent"); // the press, the second and five dwells
    const QStringList mode {"MD3;", "MD;"};
    QTest::newRow("7000-7010 step 3, VFO A")
        << "0" << scanRow("7000", "7010", "3")
        << mode + QStringList {"FA00007000000;", "FA00007003000;", "FA00007006000;",
                               "FA00007009000;", "FA00007012000;", "FA00007000000;"};
    QTest::newRow("decimal steps on VFO B do not drift")
        << "1" << scanRow("7000", "7000.3", "0.1")
        << mode + QStringList {"FB00007000000;", "FB00007000100;", "FB00007000200;",
                               "FB00007000300;", "FB00007000000;", "FB00007000100;"};
    QTest::newRow("step 0 keeps the start")
        << "0" << scanRow("14200", "14300", "0") << mode + QStringList(6, "FA00014200000;");
    QTest::newRow("neither VFO: the pause and IF; only")
        << "2" << scanRow("7000", "7010", "3") << mode + QStringList {"IF;", "<not waiting>"};
}

void tst_FrequencyScan::visitsAndWraps()
{
    QFETCH(QString, vfo);
    QFETCH(ScanRow, row);
    QFETCH(QStringList, sent);
    Bench b(qPrintable(vfo));
    b.scan.cmdStart_Click(row, 1);
    QCOMPARE(b.timer()->interval(), Minute); // the fixed second
    const QStringList pressed = b.log.take();
    QCOMPARE(pressed + b.endWaits(6), sent);
    QCOMPARE(b.scan.scanning(), vfo != QLatin1String("2"));
}

void tst_FrequencyScan::stopInsideADwell()
{
    Bench b;
    b.start(scanRow("7000", "7010", "3"));
    QCOMPARE(b.endWaits(1), QStringList {"FA00007003000;"});
    QCOMPARE(b.last(b.titles), QStringLiteral("Frequency Scan:  7,003.000 Khz"));
    QCOMPARE(b.last(b.captions), QStringLiteral("Stop"));
    QCOMPARE(b.scan.scanActive(), QStringLiteral("Y"));

    // Stop ends the dwell at once and sends the selected row's mode; its pause is used.
    b.scan.cmdStart_Click(scanRow("7000", "7010", "3", "2", "USB"), 1);
    QCOMPARE(b.log.take(), (QStringList {"MD2;", "MD;"}));
    QCOMPARE(b.last(b.captions), QStringLiteral("Start"));
    QCOMPARE(b.scan.scanActive(), QStringLiteral("N"));
    QVERIFY(b.endWaits(1).isEmpty()); // the second
    QCOMPARE(b.timer()->interval(), 2 * Minute);
    // The stop's pause and status request, then the interrupted scan's own.
    QCOMPARE(b.endWaits(3), (QStringList {"IF;", "IF;", "<not waiting>"}));
    QVERIFY(b.scan.isIdle());
}

void tst_FrequencyScan::resumeRule()
{
    Bench b;
    const ScanRow forty = scanRow("7000", "7010", "3");
    const auto stop = [&b](const ScanRow &row) {
        b.scan.cmdStart_Click(row, 1);
        b.endWaits(3);
    };
    b.start(forty);
    b.endWaits(2); // on 7006
    stop(forty);
    // The same range resumes on the frequency it was stopped on.
    QCOMPARE(b.start(forty), (QStringList {"MD3;", "MD;", "FA00007006000;"}));
    QCOMPARE(b.endWaits(1), QStringList {"FA00007009000;"});
    stop(forty);
    // A range holding 7009 resumes there and steps on from it, though it starts elsewhere.
    QCOMPARE(b.start(scanRow("7001", "7020", "2")),
             (QStringList {"MD3;", "MD;", "FA00007009000;"}));
    QCOMPARE(b.endWaits(1), QStringList {"FA00007011000;"});
    stop(forty);
    // A range without it starts at its start.
    QCOMPARE(b.start(scanRow("14150", "14350", "1", "1", "USB")),
             (QStringList {"MD2;", "MD;", "FA00014150000;"}));
}

void tst_FrequencyScan::dwellFromThePause_data()
{
    QTest::addColumn<QString>("pause");
    QTest::addColumn<int>("dwellMs");
    QTest::newRow("0.25 s") << "0.25" << 250;
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
    b.endWaits(1);
    QCOMPARE(b.timer()->interval(), dwellMs);
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
    QTest::newRow("negative step")
        << scanRow("7000", "7010", "-0.5") << 1 << QStringList {"Step", "\"-0.5\""};
    QTest::newRow("start not a number")
        << scanRow("7000abc", "7010", "1") << 5 << QStringList {"Row 5", "FreqStart", "7000abc"};
    QTest::newRow("empty end") << scanRow("7000", "", "1") << 1
                               << QStringList {"FreqEnd", "(empty)"};
    QTest::newRow("mode carrying a command")
        << scanRow("7000", "7010", "1", "1", "USB;TX1") << 1 << QStringList {"Mode", "USB;TX1"};
    QTest::newRow("two cells at once")
        << scanRow("x", "7010", "1", "40") << 1 << QStringList {"FreqStart", "Pause"};
    QTest::newRow("start above end") << scanRow("7,040", "7000", "1") << 4
                                     << QStringList {"Row 4", "FreqStart \"7,040\" is above"};
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
    QVERIFY(b.scan.isIdle() && !b.timer()->isActive());
    const QString message = b.last(b.refusals);
    for (const QString &part : std::as_const(named))
        QVERIFY2(message.contains(part), qPrintable(message));
    QVERIFY2(message.endsWith(QStringLiteral("Nothing was sent.")), qPrintable(message));
}

void tst_FrequencyScan::closingWithinTheFirstSecond()
{
    // No scan begins; the start's pause and one status request still go out.
    Bench b;
    b.scan.cmdStart_Click(scanRow("7000", "7010", "3"), 1);
    b.scan.windowClosing(scanRow("7000", "7010", "3"), 1);
    QCOMPARE(b.endWaits(2), (QStringList {"MD3;", "MD;", "IF;", "<not waiting>"}));
    QVERIFY(b.captions.isEmpty());
}

QTEST_GUILESS_MAIN(tst_FrequencyScan)
#include "tst_frequencyscan.moc"
