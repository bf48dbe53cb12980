// The memory scan: which rows it tunes and in what order, the wrap to the start row, Stop
// inside a dwell, refused boxes and the dwell taken from the pause box. Every pause is set to
// an hour and ended by hand, so each step of the scan is checked on its own.
#include "common/commandlog.h"
#include "core/memory/memoryscan.h"

#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

class TableView : public MemoryScanView
{
public:
    explicit TableView(int rowCount)
    {
        for (int i = 0; i < rowCount; ++i)
            rows << MemoryRow {
                QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')), " ", " ", " ", " ", " ", " "};
    }
    void mark(int index, const char *code, const char *freq, const char *mode)
    {
        rows[index].Scan = code;
        rows[index].FreqMain = freq;
        rows[index].Mode = mode;
    }
    int rowCount() const override { return int(rows.size()); }
    MemoryRow row(int index) const override { return rows.at(index); }
    MemoryScanBoxes boxes() const override { return box; }

    QList<MemoryRow> rows;
    MemoryScanBoxes box;
};

constexpr int Hour = 3'600'000;

struct Bench
{
    explicit Bench(int rowCount, const char *vfo = "0")
        : view(rowCount)
    {
        radio.state().VFO = vfo;
        scan.setTiming({Hour, Hour});
    }

    // Ends the pause that is running; the scan takes its next step.
    void endPause()
    {
        QTimer *timer = scan.findChild<QTimer *>("scanTimer");
        QVERIFY(timer && timer->isActive());
        timer->stop();
        QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
    }
    bool pausing() const { return scan.findChild<QTimer *>("scanTimer")->isActive(); }
    int pauseMs() const { return scan.findChild<QTimer *>("scanTimer")->interval(); }

    Radio radio;
    CommandLog log {radio};
    TableView view;
    MemoryScan scan {radio, view};
    QSignalSpy rows {&scan, &MemoryScan::rowChanged};
    QSignalSpy captions {&scan, &MemoryScan::captionChanged};
    QSignalSpy refusals {&scan, &MemoryScan::refused};
};

QList<int> rowsOf(QSignalSpy &spy)
{
    QList<int> out;
    for (const QVariantList &args : std::as_const(spy))
        out << args.at(0).toInt();
    spy.clear();
    return out;
}

} // namespace

class TestMemoryScan : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void defaultsWrapAtEndChannel();
    void wrapPastLastRow();
    void refusedBoxes_data();
    void refusedBoxes();
    void otherReceiveFunction();
    void dwellFromPauseBox_data();
    void dwellFromPauseBox();
    void clickWhileStopping();
    void destroyedWhileStopping();
};

void TestMemoryScan::defaultsWrapAtEndChannel()
{
    Bench b(100);
    b.view.mark(5, "A", "3,650", "LSB"); // before the start row
    b.view.mark(12, "A", "14,200", "USB");
    b.view.mark(14, "A", " ", "USB"); // no frequency: no dwell
    b.view.mark(30, "a", "21,300", "USB"); // another code
    b.view.mark(48, "A", "7,050.5", "LSB");
    b.view.mark(60, "A", "28,500", "USB"); // after the end channel

    b.scan.cmdActivate_Click();
    QCOMPARE(b.captions.takeFirst().at(0).toString(), "Stop");
    QCOMPARE(b.scan.scanActive(), "Y");
    QVERIFY(b.scan.scanRunning());
    QCOMPARE(b.log.take(), (QStringList {"FA00014200000;", "MD2;", "MD;"}));
    QCOMPARE(rowsOf(b.rows), (QList<int> {10, 12}));
    QCOMPARE(b.scan.scanFreqText, "14,200");

    b.endPause();
    QCOMPARE(b.log.take(), (QStringList {"FA00007050500;", "MD1;", "MD;"}));
    b.endPause(); // row 50 leads back to row 10
    QCOMPARE(b.log.take(), (QStringList {"FA00014200000;", "MD2;", "MD;"}));
    QCOMPARE(rowsOf(b.rows), (QList<int> {48, 12}));

    // Stop inside the dwell: nothing more is tuned, and each of the two status requests comes
    // after a pause.
    b.scan.cmdActivate_Click();
    QCOMPARE(b.captions.takeFirst().at(0).toString(), "Start");
    QCOMPARE(b.scan.scanActive(), "N");
    QVERIFY(!b.scan.scanRunning());
    QCOMPARE(rowsOf(b.rows), QList<int> {10});
    QCOMPARE(b.log.take(), QStringList());
    b.endPause();
    QCOMPARE(b.log.take(), QStringList {"IF;"});
    b.endPause();
    QCOMPARE(b.log.take(), QStringList {"IF;"});
    QVERIFY(!b.pausing());
    QCOMPARE(b.captions.count(), 0);
}

void TestMemoryScan::wrapPastLastRow()
{
    Bench b(40, "1");
    b.view.box.txtStartMem = "30";
    b.view.box.txtEndMem = "50"; // no row has this channel
    b.view.mark(20, "A", "3,650", "LSB");
    b.view.mark(32, "A", "14,200", "USB");
    b.view.mark(35, "A", "21,300.25", "CW");

    b.scan.cmdActivate_Click();
    QCOMPARE(b.log.take(), (QStringList {"FB00014200000;", "MD2;", "MD;"}));
    b.endPause();
    QCOMPARE(b.log.take(), (QStringList {"FB00021300250;", "MD3;", "MD;"}));
    b.endPause(); // past row 39 the scan goes on from row 30
    QCOMPARE(b.log.take(), (QStringList {"FB00014200000;", "MD2;", "MD;"}));
    QCOMPARE(rowsOf(b.rows), (QList<int> {30, 32, 35, 32}));

    // An edit made during the scan is seen at the next visit.
    b.view.rows[35].Scan = "B";
    b.endPause();
    QCOMPARE(b.log.take(), (QStringList {"FB00014200000;", "MD2;", "MD;"}));

    // With no row left to tune, the scan looks again after a pause instead of spinning.
    b.view.rows[32].Scan = " ";
    b.endPause();
    QCOMPARE(b.log.take(), QStringList());
    QVERIFY(b.pausing());
    b.view.rows[20].Scan = "A";
    b.view.box.txtStartMem = "0"; // read at the start click only
    b.endPause();
    QCOMPARE(b.log.take(), QStringList());
}

void TestMemoryScan::refusedBoxes_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("named");

    QTest::newRow("start not a number") << "abc"
                                        << "50"
                                        << "abc";
    QTest::newRow("start negative") << "-1"
                                    << "50"
                                    << "-1";
    QTest::newRow("start with text") << "5x"
                                     << "50"
                                     << "5x";
    QTest::newRow("end too large") << "10"
                                   << "100"
                                   << "100";
    QTest::newRow("end empty") << "10"
                               << ""
                               << "\"\"";
    QTest::newRow("start beyond table") << "45"
                                        << "50"
                                        << "45";
}

void TestMemoryScan::refusedBoxes()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, named);

    Bench b(40);
    b.view.mark(12, "A", "14,200", "USB");
    b.view.box.txtStartMem = start;
    b.view.box.txtEndMem = end;
    b.scan.cmdActivate_Click();
    QCOMPARE(b.refusals.count(), 1);
    QVERIFY(b.refusals.at(0).at(0).toString().contains(named));
    QCOMPARE(b.log.take(), QStringList());
    QCOMPARE(b.rows.count(), 0);
    QCOMPARE(b.captions.count(), 0);
    QVERIFY(!b.scan.scanRunning());
    QVERIFY(!b.pausing());
}

void TestMemoryScan::otherReceiveFunction()
{
    // In memory mode there is no VFO to tune: the click waits once and asks for the status.
    Bench b(100, "2");
    b.view.mark(12, "A", "14,200", "USB");
    b.scan.cmdActivate_Click();
    QCOMPARE(rowsOf(b.rows), QList<int> {10});
    QCOMPARE(b.log.take(), QStringList());
    b.endPause();
    QCOMPARE(b.log.take(), QStringList {"IF;"});
    QVERIFY(!b.pausing());
    QVERIFY(!b.scan.scanRunning());
    QCOMPARE(b.captions.count(), 0);
}

void TestMemoryScan::dwellFromPauseBox_data()
{
    QTest::addColumn<QString>("pause");
    QTest::addColumn<int>("dwellMs");
    QTest::addColumn<int>("stopPauseMs");

    QTest::newRow("default") << "1" << 1000 << 1000;
    QTest::newRow("fraction") << "0.25" << 250 << 250;
    QTest::newRow("number then text") << "2abc" << 2000 << 2000;
    QTest::newRow("zero") << "0" << 100 << 0;
    QTest::newRow("not a number") << "x" << 100 << 0;
    QTest::newRow("negative") << "-3" << 100 << 0;
    QTest::newRow("below the shortest step") << "0.05" << 100 << 50;
    QTest::newRow("exponent not read") << "1e9" << 1000 << 1000;
    QTest::newRow("a week, cut to a day") << "604800" << 86'400'000 << 86'400'000;
}

void TestMemoryScan::dwellFromPauseBox()
{
    QFETCH(QString, pause);
    QFETCH(int, dwellMs);
    QFETCH(int, stopPauseMs);

    Bench b(100);
    b.scan.setTiming({1000, 100});
    b.view.mark(12, "A", "14,200", "USB");
    b.view.box.txtScanPause = pause;
    b.scan.cmdActivate_Click();
    QVERIFY(b.pausing());
    QCOMPARE(b.pauseMs(), dwellMs);
    b.scan.cmdActivate_Click();
    QCOMPARE(b.pauseMs(), stopPauseMs);
}

void TestMemoryScan::clickWhileStopping()
{
    Bench b(100);
    b.view.mark(12, "A", "14,200", "USB");
    b.scan.cmdActivate_Click();
    b.scan.cmdActivate_Click(); // Stop
    b.log.take();
    b.captions.clear();
    // Start again before the stop has sent its status requests: the start follows them.
    b.scan.cmdActivate_Click();
    QCOMPARE(b.captions.count(), 0);
    b.endPause();
    b.endPause();
    QCOMPARE(b.log.take(), (QStringList {"IF;", "IF;", "FA00014200000;", "MD2;", "MD;"}));
    QCOMPARE(b.captions.takeFirst().at(0).toString(), "Stop");
    QVERIFY(b.scan.scanRunning());
}

void TestMemoryScan::destroyedWhileStopping()
{
    // The memory window's Close stops a running scan and goes away at once: the status
    // requests the stop owes still go out.
    Radio radio;
    radio.state().VFO = "0";
    CommandLog log(radio);
    TableView view(100);
    view.mark(12, "A", "14,200", "USB");
    auto scan = std::make_unique<MemoryScan>(radio, view);
    scan->setTiming({Hour, Hour});
    scan->cmdActivate_Click();
    QCOMPARE(scan->scanActive(), "Y");
    scan->cmdActivate_Click();
    log.take();
    scan.reset();
    QCOMPARE(log.take(), (QStringList {"IF;", "IF;"}));
}

QTEST_GUILESS_MAIN(TestMemoryScan)
#include "tst_memoryscan.moc"
