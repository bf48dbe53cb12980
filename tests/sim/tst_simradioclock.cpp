// What the simulated radio does as its own clock moves: CW auto-tune and tuner runs end by
// themselves, the keyer sends its text, the S-meter wanders. The clock is moved by hand, so
// nothing here waits.
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

// A keying command with its text filled to 24 characters.
QByteArray key(const QByteArray &text)
{
    return "KY " + text.leftJustified(24, ' ') + ';';
}

} // namespace

class TestSimRadioClock : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void runsEndByThemselves_data();
    void runsEndByThemselves();
    void runsEndInTheOrderTheyStarted();
    void keyer_data();
    void keyer();
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

void TestSimRadioClock::keyer_data()
{
    QTest::addColumn<QByteArray>("commands");
    QTest::addColumn<QByteArray>("answers");
    QTest::addColumn<qint64>("ms"); // the clock moved on after them
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QByteArray>("then"); // the answer to "KY;" afterwards

    // PARIS is 50 dots with the space after it; a dot lasts 1200 / wpm ms (60 ms at 20 wpm).
    const QByteArray cw = "MD3;KS020;";
    QTest::newRow("PARIS, one dot short") << cw + key("PARIS") << QByteArray() << qint64(2759)
                                          << QByteArray("PARI") << QByteArray("KY0;");
    QTest::newRow("PARIS") << cw + key("paris") << QByteArray() << qint64(2760)
                           << QByteArray("PARIS") << QByteArray("KY0;");
    QTest::newRow("two words, 50 dots apart")
        << cw + key("PARIS PARIS") << QByteArray() << qint64(50 * 60 + 2760)
        << QByteArray("PARIS PARIS") << QByteArray("KY0;");
    QTest::newRow("at 60 wpm") << QByteArray("MD7;KS060;") + key("PARIS") << QByteArray()
                               << qint64(920) << QByteArray("PARIS") << QByteArray("KY0;");
    QTest::newRow("a leading blank is a word space")
        << cw + key("E") + key(" T") << QByteArray() << qint64((4 + 4 + 6) * 60)
        << QByteArray("E T") << QByteArray("KY0;");
    QTest::newRow("full while it holds two")
        << cw + key("ABCDEFGHIJKLMNOPQRSTUVWX") + key("ABC") + "KY;" + key("D")
        << QByteArray("KY1;?;") << qint64(0) << QByteArray() << QByteArray("KY1;");
    QTest::newRow("room once the first is sent")
        << cw + key("EEE") + key("T") << QByteArray() << qint64(3 * 4 * 60) << QByteArray("EEE")
        << QByteArray("KY0;");
    QTest::newRow("refused outside CW") << QByteArray("MD2;") + key("CQ") << QByteArray("?;")
                                        << qint64(5000) << QByteArray() << QByteArray("KY0;");
    QTest::newRow("a character it does not send")
        << cw + key("CQ #") << QByteArray("?;") << qint64(5000) << QByteArray()
        << QByteArray("KY0;");
    QTest::newRow("text not filled to 24")
        << cw + "KY CQ;" << QByteArray("?;") << qint64(5000) << QByteArray() << QByteArray("KY0;");
    QTest::newRow("no command empties it")
        << cw + key("EEEEE") + "KY0;" << QByteArray("?;") << qint64(5 * 4 * 60)
        << QByteArray("EEEEE") << QByteArray("KY0;");
    QTest::newRow("leaving CW empties it")
        << cw + key("EEEEE") << QByteArray() << qint64(1000) << QByteArray() << QByteArray("KY0;");
}

void TestSimRadioClock::keyer()
{
    QFETCH(QByteArray, commands);
    QFETCH(QByteArray, answers);
    QFETCH(qint64, ms);
    QFETCH(QByteArray, sent);
    QFETCH(QByteArray, then);

    SimRadio radio;
    QCOMPARE(radio.handle(commands), answers);
    if (QByteArray(QTest::currentDataTag()).startsWith("leaving"))
        radio.handle("MD2;");
    QCOMPARE(radio.advance(ms), QByteArray()); // the keyer reports nothing
    QCOMPARE(radio.keyer().sent(), sent);
    QCOMPARE(radio.handle("KY;"), then);
    // What it sent is logged once, when it runs empty.
    radio.advance(100'000);
    QCOMPARE(radio.msUntilNextEvent(), qint64(-1));
    const QByteArrayList runs = radio.takeKeyed();
    QVERIFY(runs.size() <= 1);
    QCOMPARE(runs.join(), radio.keyer().sent());
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
