// What the simulated radio does as its own clock moves: CW auto-tune and tuner runs end by
// themselves, the S-meter wanders. The clock is moved by hand, so nothing here waits.
#include "sim/simradio.h"

#include <QTest>

namespace {

// The reports without the status words that come with a change of mode or VFO.
QByteArray withoutStatusWords(const QByteArray &out)
{
    QByteArray kept;
    for (const QByteArray &reply : out.split(';')) {
        if (!reply.isEmpty() && !reply.startsWith("IF"))
            kept += reply + ';';
    }
    return kept;
}

} // namespace

class TestSimRadioClock : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void runsEndByThemselves_data();
    void runsEndByThemselves();
    void runsEndInTheOrderTheyStarted();
    void meterWandersSlowly();
    void meterWanderIsSeeded();
};

void TestSimRadioClock::runsEndByThemselves_data()
{
    QTest::addColumn<QByteArray>("setup");
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QByteArray>("answer"); // to the start command
    QTest::addColumn<qint64>("runsMs"); // -1: nothing runs
    QTest::addColumn<QByteArray>("ended"); // reported when the run ends
    QTest::addColumn<QByteArray>("after"); // "CA;AC;" once the clock has moved on

    QTest::newRow("auto-tune in CW")
        << QByteArray("AI3;MD3;") << QByteArray("CA1;") << QByteArray("CA1;") << qint64(1000)
        << QByteArray("CA0;") << QByteArray("CA0;AC000;");
    QTest::newRow("auto-tune in CW-R, reports off")
        << QByteArray("AI0;MD7;") << QByteArray("CA1;") << QByteArray() << qint64(1000)
        << QByteArray() << QByteArray("CA0;AC000;");
    QTest::newRow("auto-tune cancelled")
        << QByteArray("AI3;MD3;CA1;") << QByteArray("CA0;") << QByteArray("CA0;") << qint64(-1)
        << QByteArray() << QByteArray("CA0;AC000;");
    QTest::newRow("auto-tune ends when the mode leaves CW")
        << QByteArray("AI1;MD3;CA1;") << QByteArray("FR1;") << QByteArray("FR1;CA0;") << qint64(-1)
        << QByteArray() << QByteArray("CA0;AC000;");
    QTest::newRow("auto-tune refused in USB")
        << QByteArray("AI3;") << QByteArray("CA1;") << QByteArray("?;") << qint64(-1)
        << QByteArray() << QByteArray("CA0;AC000;");
    QTest::newRow("tuner in line, tuning")
        << QByteArray("AI3;") << QByteArray("AC011;") << QByteArray("AC011;") << qint64(2000)
        << QByteArray("AC010;") << QByteArray("CA0;AC010;");
    QTest::newRow("tuner, receive digit left blank")
        << QByteArray("AI3;AC110;") << QByteArray("AC 11;") << QByteArray("AC111;") << qint64(2000)
        << QByteArray("AC110;") << QByteArray("CA0;AC110;");
    QTest::newRow("tuner through for transmit, tuning")
        << QByteArray("AI3;") << QByteArray("AC001;") << QByteArray("AC001;") << qint64(2000)
        << QByteArray("AC000;") << QByteArray("CA0;AC000;");
    QTest::newRow("tuner run cancelled")
        << QByteArray("AI3;AC011;") << QByteArray("AC000;") << QByteArray("AC000;") << qint64(-1)
        << QByteArray() << QByteArray("CA0;AC000;");
    QTest::newRow("tuner, reports off")
        << QByteArray("AI0;") << QByteArray("AC011;") << QByteArray() << qint64(2000)
        << QByteArray() << QByteArray("CA0;AC010;");
    QTest::newRow("power off ends both")
        << QByteArray("AI3;MD3;CA1;AC011;") << QByteArray("PS0;") << QByteArray() << qint64(-1)
        << QByteArray() << QByteArray();
}

void TestSimRadioClock::runsEndByThemselves()
{
    QFETCH(QByteArray, setup);
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, answer);
    QFETCH(qint64, runsMs);
    QFETCH(QByteArray, ended);
    QFETCH(QByteArray, after);

    SimRadio radio;
    radio.handle(setup);
    radio.advance(100);
    QCOMPARE(withoutStatusWords(radio.handle(start)), answer);
    QCOMPARE(radio.msUntilNextEvent(), runsMs);
    if (runsMs > 0) {
        QCOMPARE(radio.advance(runsMs - 1), QByteArray());
        QVERIFY(radio.cwTuning() || radio.tunerTuning());
        QCOMPARE(radio.msUntilNextEvent(), qint64(1));
    }
    QCOMPARE(radio.advance(1), ended);
    QCOMPARE(radio.advance(10'000), QByteArray());
    QCOMPARE(radio.msUntilNextEvent(), qint64(-1));
    QVERIFY(!radio.cwTuning() && !radio.tunerTuning());
    QCOMPARE(radio.handle("CA;AC;"), after);
}

void TestSimRadioClock::runsEndInTheOrderTheyStarted()
{
    SimRadio radio;
    radio.setTiming({.cwTuneMs = 300, .tunerTuneMs = 200, .meterStepMs = 0});
    radio.handle("AI2;MD3;AC011;");
    radio.advance(50);
    radio.handle("CA1;");
    QCOMPARE(radio.msUntilNextEvent(), qint64(150)); // the tuner ends first
    QCOMPARE(radio.advance(1000), QByteArray("AC010;CA0;"));

    // A run that is due ends even when the clock is not moved on.
    radio.handle("CA1;");
    radio.setTiming({.cwTuneMs = 0, .tunerTuneMs = 0, .meterStepMs = 0});
    radio.handle("AC011;");
    QCOMPARE(radio.msUntilNextEvent(), qint64(0));
    QCOMPARE(radio.advance(0), QByteArray("AC010;"));
    QCOMPARE(radio.advance(-5), QByteArray());
}

void TestSimRadioClock::meterWandersSlowly()
{
    // Polled four times a second for a minute, as the program polls it.
    SimRadio radio(7);
    radio.handle("AI3;");
    const int steps = radio.timing().meterStepMs;
    QVERIFY(steps > 0 && steps <= 250);
    int last = radio.setting("SM");
    int moved = 0;
    for (int poll = 0; poll < 240; ++poll) {
        QCOMPARE(radio.advance(250), QByteArray()); // never reported by itself
        const QByteArray reply = radio.handle("SM;");
        QCOMPARE(reply.size(), 7);
        const int value = reply.mid(2, 4).toInt();
        QVERIFY2(value >= 0 && value <= 30, reply.constData());
        QVERIFY2(qAbs(value - last) <= 250 / steps + 1, reply.constData()); // slow
        moved += value != last;
        last = value;
    }
    QVERIFY2(moved > 240 / 3, QByteArray::number(moved).constData()); // and visibly moving
}

void TestSimRadioClock::meterWanderIsSeeded()
{
    auto readings = [](quint32 seed) {
        SimRadio radio(seed);
        QByteArray all;
        for (int i = 0; i < 40; ++i) {
            radio.advance(250);
            all += radio.handle("SM;");
        }
        return all;
    };
    QCOMPARE(readings(3), readings(3));
    QVERIFY(readings(3) != readings(4));

    // One long stretch of time costs no more than a bounded walk.
    SimRadio radio;
    QCOMPARE(radio.advance(30LL * 24 * 3600 * 1000), QByteArray());
    QCOMPARE(radio.handle("SM;").size(), 7);
}

QTEST_GUILESS_MAIN(TestSimRadioClock)
#include "tst_simradioclock.moc"
