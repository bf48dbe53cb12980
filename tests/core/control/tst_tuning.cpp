// Tuning operations: the commands each control writes for the radio states that matter, and
// what the frequency display shows.
#include "core/control/tuningcontrols.h"
#include "core/radio/radio.h"

#include <QMap>
#include <QTest>

namespace {

class RecordingDisplay : public NullDisplay
{
public:
    void setLabel(RadioView::Label label, const QString &text) override { labels[label] = text; }
    void showProgress(const QString &message, bool barVisible, bool percentVisible) override
    {
        progress = message;
        progressBar = barVisible;
        progressPercent = percentVisible;
    }
    void closeProgress() override { ++closed; }
    void memoryStep(bool up) override
    {
        if (tuning)
            tuning->continueMemoryStep(up);
    }

    QMap<RadioView::Label, QString> labels;
    QString progress;
    bool progressBar = true;
    bool progressPercent = false;
    int closed = 0;
    TuningControls *tuning = nullptr;
};

struct Bench
{
    Bench(const QString &vfo, const QString &freq)
    {
        radio.setDisplay(&display);
        radio.state().VFO = vfo;
        radio.state().Freq = freq;
        display.tuning = &tuning;
        QObject::connect(&radio, &Radio::commandWritten, &radio,
                         [this](const QByteArray &c) { sent.append(c); });
    }
    ~Bench() { radio.setDisplay(nullptr); }

    Radio radio;
    RecordingDisplay display;
    TuningControls tuning {radio};
    QByteArrayList sent;
};

QByteArrayList cmds(const char *text)
{
    // "FA00014201000;|IF;" -> two commands
    QByteArrayList list;
    for (const QByteArray &part : QByteArray(text).split('|')) {
        if (!part.isEmpty())
            list.append(part);
    }
    return list;
}

// A memory reply for the receive side of a channel: empty when hz is 0.
QByteArray memoryReply(const QString &channel, qint64 hz)
{
    return "MR0 " + channel.toLatin1() + QByteArray::number(hz).rightJustified(11, '0') + "200"
        + "00 ;";
}

} // namespace

class TestTuning : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void frequencyWrites_data();
    void frequencyWrites();
    void knobShowsWhileTurning_data();
    void knobShowsWhileTurning();
    void twoQuickStepsFromSameFreq();
    void stepOptions_data();
    void stepOptions();
    void memoryStep_data();
    void memoryStep();
    void memorySearchKeepsDirectionPastWrap();
    void memorySearchOfEmptyChannelsEnds();
    void freqEnter_data();
    void freqEnter();
    void vfoSelection_data();
    void vfoSelection();
    void split_data();
    void split();
    void splitBeforeTheOtherVfoIsKnown();
    void ritXit_data();
    void ritXit();
    void modes_data();
    void modes();
    void keys_data();
    void keys();
};

void TestTuning::frequencyWrites_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("knob");
    QTest::addColumn<qint64>("step");
    QTest::addColumn<QString>("vfo");
    QTest::addColumn<QString>("freq");
    QTest::addColumn<QByteArrayList>("expected");
    QTest::addColumn<QString>("shown"); // empty: the display is left alone

    QTest::newRow("step up A") << "step+" << 0 << qint64(1000) << "0"
                               << "14200" << cmds("FA00014201000;|IF;") << "14,201.000";
    QTest::newRow("step down B") << "step-" << 0 << qint64(1000) << "1"
                                 << "7050" << cmds("FB00007049000;|IF;") << "7,049.000";
    QTest::newRow("step 1 Hz from fraction")
        << "step+" << 0 << qint64(1) << "0"
        << "14200.5" << cmds("FA00014200501;|IF;") << "14,200.501";
    QTest::newRow("step 1 MHz") << "step+" << 0 << qint64(1000000) << "0"
                                << "28500" << cmds("FA00029500000;|IF;") << "29,500.000";
    QTest::newRow("step no VFO") << "step+" << 0 << qint64(1000) << ""
                                 << "14200" << QByteArrayList() << "";
    QTest::newRow("step memory mode") << "step-" << 0 << qint64(1000) << "2"
                                      << "14200" << QByteArrayList() << "";
    QTest::newRow("step before first report") << "step+" << 0 << qint64(1000) << "0"
                                              << "999999999" << QByteArrayList() << "";
    QTest::newRow("step below zero") << "step-" << 0 << qint64(5000) << "0"
                                     << "3" << QByteArrayList() << "";
    QTest::newRow("step to the 11-digit limit")
        << "step+" << 0 << qint64(999) << "1"
        << "99999999" << cmds("FB99999999999;|IF;") << "99,999,999.999";
    QTest::newRow("up A") << "up" << 0 << qint64(1000) << "0"
                          << "14200" << cmds("FA00014200010;") << "14,200.010";
    QTest::newRow("down B ignores step") << "down" << 0 << qint64(500000) << "1"
                                         << "14200.5" << cmds("FB00014200490;") << "14,200.490";
    QTest::newRow("up no VFO") << "up" << 0 << qint64(1000) << ""
                               << "14200" << QByteArrayList() << "";
    QTest::newRow("down to below zero") << "down" << 0 << qint64(1000) << "0"
                                        << "0" << QByteArrayList() << "";
    QTest::newRow("knob -25 at 7050") << "knob" << -25 << qint64(1000) << "0"
                                      << "7050" << cmds("FA00007049750;|IF;") << "7,049.750";
    QTest::newRow("knob no VFO") << "knob" << 10 << qint64(1000) << ""
                                 << "7050" << QByteArrayList() << "7,050.100";
    QTest::newRow("knob beyond 3276 units")
        << "knob" << 3277 << qint64(1000) << "0"
        << "14200" << cmds("FA00014232770;|IF;") << "14,232.770";
    QTest::newRow("knob beyond -3276 units")
        << "knob" << -5000 << qint64(1000) << "1"
        << "14200" << cmds("FB00014150000;|IF;") << "14,150.000";
    QTest::newRow("knob wide turn") << "knob" << 100000 << qint64(1000) << "0"
                                    << "7050" << cmds("FA00008050000;|IF;") << "8,050.000";
    QTest::newRow("knob below zero") << "knob" << -1000 << qint64(1000) << "0"
                                     << "5" << QByteArrayList() << "";
    QTest::newRow("knob before first report") << "knob" << 1 << qint64(1000) << "0"
                                              << "999999999" << QByteArrayList() << "";
}

void TestTuning::frequencyWrites()
{
    QFETCH(QString, action);
    QFETCH(int, knob);
    QFETCH(qint64, step);
    QFETCH(QString, vfo);
    QFETCH(QString, freq);
    QFETCH(QByteArrayList, expected);
    QFETCH(QString, shown);

    Bench b(vfo, freq);
    b.tuning.setStep(step);
    if (action == QLatin1String("step+"))
        b.tuning.CmdStepUp_Click();
    else if (action == QLatin1String("step-"))
        b.tuning.CmdStepDwn_Click();
    else if (action == QLatin1String("up"))
        b.tuning.CmdUp_Click();
    else if (action == QLatin1String("down"))
        b.tuning.CmdDwn_Click();
    else {
        b.tuning.CbotKnob1_PositionChanged(knob);
        QCOMPARE(b.sent, QByteArrayList()); // nothing while turning
        b.tuning.CbotKnob1_MouseUp();
    }
    QCOMPARE(b.sent, expected);
    QCOMPARE(b.display.labels.value(RadioView::Label::lblFreq), shown);
}

void TestTuning::knobShowsWhileTurning_data()
{
    QTest::addColumn<QString>("freq");
    QTest::addColumn<QList<int>>("positions");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<qint64>("knobPosition");

    QTest::newRow("last position counts")
        << "7050" << QList<int> {1, 2, -25} << "7,049.750" << qint64(-25);
    QTest::newRow("past 16-bit product")
        << "14200" << QList<int> {3276, 3277, 4000} << "14,240.000" << qint64(4000);
    QTest::newRow("negative result left alone")
        << "0.1" << QList<int> {5, -20} << ".150" << qint64(-20);
}

void TestTuning::knobShowsWhileTurning()
{
    QFETCH(QString, freq);
    QFETCH(QList<int>, positions);
    QFETCH(QString, shown);
    QFETCH(qint64, knobPosition);

    Bench b(QStringLiteral("0"), freq);
    for (int p : positions)
        b.tuning.CbotKnob1_PositionChanged(p);
    QCOMPARE(b.display.labels.value(RadioView::Label::lblFreq), shown);
    QCOMPARE(b.tuning.KnobPosition, knobPosition);
    QVERIFY(b.sent.isEmpty());
}

void TestTuning::twoQuickStepsFromSameFreq()
{
    Bench b(QStringLiteral("0"), QStringLiteral("14200"));
    b.tuning.CmdStepUp_Click();
    b.tuning.CmdStepUp_Click();
    QCOMPARE(b.sent, cmds("FA00014201000;|IF;|FA00014201000;|IF;"));
}

void TestTuning::stepOptions_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("stepSize");
    QTest::addColumn<QByteArray>("stepUp");

    QTest::newRow("1 Hz") << 0 << "1" << QByteArray("FA00007050001;");
    QTest::newRow("100 Hz") << 1 << "100" << QByteArray("FA00007050100;");
    QTest::newRow("1 kHz") << 2 << "1000" << QByteArray("FA00007051000;");
    QTest::newRow("5 kHz") << 3 << "5000" << QByteArray("FA00007055000;");
    QTest::newRow("10 kHz") << 4 << "10000" << QByteArray("FA00007060000;");
    QTest::newRow("0.5 MHz") << 5 << "500000" << QByteArray("FA00007550000;");
    QTest::newRow("1 MHz") << 6 << "1000000" << QByteArray("FA00008050000;");
}

void TestTuning::stepOptions()
{
    QFETCH(int, option);
    QFETCH(QString, stepSize);
    QFETCH(QByteArray, stepUp);

    Bench b(QStringLiteral("0"), QStringLiteral("7050"));
    QCOMPARE(b.tuning.StepSize, QStringLiteral("1000")); // at start
    b.tuning.Opt1Mhz_Click(); // something else first
    switch (option) {
    case 0:
        b.tuning.Opt1Hz_Click();
        break;
    case 1:
        b.tuning.Opt100Hz_Click();
        break;
    case 2:
        b.tuning.Opt1khz_Click();
        break;
    case 3:
        b.tuning.Opt5Khz_Click();
        break;
    case 4:
        b.tuning.Opt10Khz_Click();
        break;
    case 5:
        b.tuning.Opt500Khz_Click();
        break;
    default:
        b.tuning.Opt1Mhz_Click();
        break;
    }
    QCOMPARE(b.tuning.StepSize, stepSize);
    b.tuning.CmdStepUp_Click();
    QCOMPARE(b.sent, QByteArrayList({stepUp, "IF;"}));
}

void TestTuning::memoryStep_data()
{
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("channel");
    QTest::addColumn<QString>("next"); // empty: nothing is sent

    QTest::newRow("up 42") << true << "42"
                           << "43";
    QTest::newRow("down 42") << false << "42"
                             << "41";
    QTest::newRow("up wraps 99 to 00") << true << "99"
                                       << "00";
    QTest::newRow("down wraps 00 to 99") << false << "00"
                                         << "99";
    QTest::newRow("down 10") << false << "10"
                             << "09";
    QTest::newRow("channel not yet reported") << true << ""
                                              << "";
    QTest::newRow("one digit") << false << "7"
                               << "";
    QTest::newRow("not digits") << true << "a1"
                                << "";
    QTest::newRow("three digits") << true << "100"
                                  << "";
}

void TestTuning::memoryStep()
{
    QFETCH(bool, up);
    QFETCH(QString, channel);
    QFETCH(QString, next);

    Bench b(QStringLiteral("2"), QStringLiteral("14200"));
    b.radio.state().MemChannel = channel;
    up ? b.tuning.CmdUp_Click() : b.tuning.CmdDwn_Click();
    if (next.isEmpty()) {
        QVERIFY(b.sent.isEmpty());
        QVERIFY(b.display.progress.isEmpty());
        return;
    }
    const QByteArray nn = next.toLatin1();
    QCOMPARE(
        b.sent,
        QByteArrayList({"AI0;", "SQ255;", "MR0 " + nn + ";", "MR1 " + nn + ";", "MC " + nn + ";"}));
    QCOMPARE(b.tuning.NextMemChannel, next);
    QCOMPARE(b.radio.state().StartMemChannel, channel);
    QCOMPARE(b.display.progress, QStringLiteral("Checking next available Memory location !"));
    QVERIFY(!b.display.progressBar);
    QVERIFY(b.display.progressPercent);
    QVERIFY(!b.display.labels.contains(RadioView::Label::lblFreq));
}

void TestTuning::memorySearchKeepsDirectionPastWrap()
{
    // Up from 99 over an empty channel 00 goes on to 01, and stops at the programmed 01.
    Bench b(QStringLiteral("2"), QStringLiteral("14200"));
    b.radio.state().MemChannel = QStringLiteral("99");
    b.tuning.CmdUp_Click();
    b.sent.clear();
    b.radio.receive(memoryReply(QStringLiteral("00"), 0));
    QCOMPARE(b.sent, cmds("AI0;|SQ255;|MR0 01;|MR1 01;|MC 01;"));
    b.sent.clear();
    b.radio.receive(memoryReply(QStringLiteral("01"), 7050000));
    QCOMPARE(b.sent, cmds("SQ000;|AI3;"));
    QCOMPARE(b.display.closed, 1);
}

void TestTuning::memorySearchOfEmptyChannelsEnds()
{
    Bench b(QStringLiteral("2"), QStringLiteral("14200"));
    b.radio.state().MemChannel = QStringLiteral("40");
    b.tuning.CmdDwn_Click();
    // The radio answers every request with an empty channel.
    int requests = 1;
    while (b.sent.size() == 5 && b.sent.last().startsWith("MC ") && requests < 300) {
        const QString channel = QString::fromLatin1(b.sent.last().mid(3, 2));
        b.sent.clear();
        b.radio.receive(memoryReply(channel, 0));
        if (b.sent.size() == 5)
            ++requests;
    }
    QCOMPARE(requests, TuningControls::MemoryChannels - 1); // every other channel once
    QCOMPARE(b.sent, cmds("MC 40;|SQ000;|AI3;|IF;"));
    QCOMPARE(b.display.closed, 1);
    // A new click starts a new search.
    b.sent.clear();
    b.radio.state().MemChannel = QStringLiteral("40");
    b.tuning.CmdUp_Click();
    QCOMPARE(b.sent, cmds("AI0;|SQ255;|MR0 41;|MR1 41;|MC 41;"));
}

void TestTuning::freqEnter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("vfo");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArrayList>("expected");

    using K = FrequencyEntry::Kind;
    QTest::newRow("grouped 26,600 on A") << "26,600"
                                         << "0" << int(K::Frequency) << cmds("FA00026600000;");
    QTest::newRow("fraction on A") << "14200.5"
                                   << "0" << int(K::Frequency) << cmds("FA00014200500;");
    QTest::newRow("on B") << "7050"
                          << "1" << int(K::Frequency) << cmds("FB00007050000;");
    QTest::newRow("memory mode goes to B") << "7050"
                                           << "2" << int(K::Frequency) << cmds("FB00007050000;");
    QTest::newRow("no VFO goes to B") << "3500"
                                      << "" << int(K::Frequency) << cmds("FB00003500000;");
    QTest::newRow("grouped with fraction") << "7,050.25"
                                           << "0" << int(K::Frequency) << cmds("FA00007050250;");
    QTest::newRow("rounded to whole hertz") << "7050.0004"
                                            << "0" << int(K::Frequency) << cmds("FA00007050000;");
    QTest::newRow("blanks around") << " 10100 "
                                   << "0" << int(K::Frequency) << cmds("FA00010100000;");
    QTest::newRow("largest") << "99999999.999"
                             << "0" << int(K::Frequency) << cmds("FA99999999999;");
    QTest::newRow("cancel or empty") << ""
                                     << "0" << int(K::Ignored) << QByteArrayList();
    QTest::newRow("words") << "abc"
                           << "0" << int(K::Ignored) << QByteArrayList();
    QTest::newRow("zero") << "0"
                          << "0" << int(K::Ignored) << QByteArrayList();
    QTest::newRow("number then letters") << "12abc"
                                         << "0" << int(K::NotAFrequency) << QByteArrayList();
    QTest::newRow("two points") << "14.200.5"
                                << "0" << int(K::NotAFrequency) << QByteArrayList();
    QTest::newRow("negative") << "-7050"
                              << "0" << int(K::OutOfRange) << QByteArrayList();
    QTest::newRow("too many digits") << "100000000"
                                     << "1" << int(K::OutOfRange) << QByteArrayList();
    QTest::newRow("huge exponent") << "1e300"
                                   << "0" << int(K::OutOfRange) << QByteArrayList();
}

void TestTuning::freqEnter()
{
    QFETCH(QString, text);
    QFETCH(QString, vfo);
    QFETCH(int, kind);
    QFETCH(QByteArrayList, expected);

    Bench b(vfo, QStringLiteral("14200"));
    const FrequencyEntry entry = b.tuning.CmdFreqEnter(text);
    QCOMPARE(int(entry.kind), kind);
    QCOMPARE(b.tuning.FreqEntry, text);
    QCOMPARE(b.sent, expected);
    QVERIFY(b.display.labels.isEmpty()); // the radio's report shows the new frequency
}

void TestTuning::vfoSelection_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("freq");
    QTest::addColumn<QByteArrayList>("expected");

    // No VFO has been reported in any of these: they send all the same.
    QTest::newRow("A") << "A"
                       << "14200" << cmds("FR0;|FA;|IF;");
    QTest::newRow("B") << "B"
                       << "14200" << cmds("FR1;|FB;|IF;");
    QTest::newRow("M") << "M"
                       << "14200" << cmds("FR2;|IF;");
    QTest::newRow("A=B") << "A=B"
                         << "14200.01" << cmds("FB;|FA00014200010;");
    QTest::newRow("B=A") << "B=A"
                         << "7050" << cmds("FA;|FB00007050000;");
    QTest::newRow("A=B before first report") << "A=B"
                                             << "999999999" << cmds("FB;");
}

void TestTuning::vfoSelection()
{
    QFETCH(QString, button);
    QFETCH(QString, freq);
    QFETCH(QByteArrayList, expected);

    Bench b(QString(), freq);
    if (button == QLatin1String("A"))
        b.tuning.CmdVFOA_Click();
    else if (button == QLatin1String("B"))
        b.tuning.CmdVFOB_Click();
    else if (button == QLatin1String("M"))
        b.tuning.Command30_Click();
    else if (button == QLatin1String("A=B"))
        b.tuning.CmdAeqB_Click();
    else
        b.tuning.CmdBeqA_Click();
    QCOMPARE(b.sent, expected);
    QVERIFY(b.display.labels.isEmpty());
}

void TestTuning::split_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("vfo");
    QTest::addColumn<QByteArrayList>("expected");
    QTest::addColumn<QString>("subFrequency"); // empty: not touched

    QTest::newRow("on A") << "on"
                          << "0" << cmds("FT1;|IF;") << "SPLIT  7,050.500";
    QTest::newRow("on B") << "on"
                          << "1" << cmds("FT0;|IF;") << "SPLIT  14,200.000";
    QTest::newRow("on memory") << "on"
                               << "2" << QByteArrayList() << "";
    QTest::newRow("on none") << "on"
                             << "" << QByteArrayList() << "";
    QTest::newRow("off A") << "off"
                           << "0" << cmds("FR0;|IF;") << "";
    QTest::newRow("off B") << "off"
                           << "1" << cmds("FR1;|IF;") << "";
    QTest::newRow("off none") << "off"
                              << "" << QByteArrayList() << "";
    QTest::newRow("TF-Set A") << "tf"
                              << "0" << cmds("FR1;|FT0;|IF;") << "";
    QTest::newRow("TF-Set B") << "tf"
                              << "1" << cmds("FR0;|FT1;|IF;") << "";
    QTest::newRow("TF-Set memory") << "tf"
                                   << "2" << QByteArrayList() << "";
    QTest::newRow("TF-Set none") << "tf"
                                 << "" << QByteArrayList() << "";
}

void TestTuning::split()
{
    QFETCH(QString, button);
    QFETCH(QString, vfo);
    QFETCH(QByteArrayList, expected);
    QFETCH(QString, subFrequency);

    Bench b(vfo, QStringLiteral("14200"));
    b.radio.state().VFOAFreq = QStringLiteral("14200");
    b.radio.state().VFOBFreq = QStringLiteral("7050.5");
    if (button == QLatin1String("on"))
        b.tuning.cmdSplitOn_Click();
    else if (button == QLatin1String("off"))
        b.tuning.cmdSplitOff_Click();
    else
        b.tuning.cndTFSet_Click();
    QCOMPARE(b.sent, expected);
    QCOMPARE(b.display.labels.value(RadioView::Label::lblSubFrequency), subFrequency);
}

void TestTuning::splitBeforeTheOtherVfoIsKnown()
{
    // No " .000" for a frequency the radio has not reported yet.
    Bench b(QStringLiteral("0"), QStringLiteral("14200"));
    b.radio.state().VFOAFreq = QStringLiteral("14200");
    b.tuning.cmdSplitOn_Click();
    QCOMPARE(b.display.labels.value(RadioView::Label::lblSubFrequency), QStringLiteral("SPLIT"));
}

void TestTuning::ritXit_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("on");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("RIT off") << "rit"
                             << "0" << QByteArray("RT1;");
    QTest::newRow("RIT unknown") << "rit"
                                 << "" << QByteArray("RT1;");
    QTest::newRow("RIT on") << "rit"
                            << "1" << QByteArray("RT0;");
    QTest::newRow("XIT off") << "xit"
                             << "" << QByteArray("XT1;");
    QTest::newRow("XIT on") << "xit"
                            << "1" << QByteArray("XT0;");
    QTest::newRow("Up") << "up"
                        << "" << QByteArray("RU;");
    QTest::newRow("Dwn") << "dn"
                         << "" << QByteArray("RD;");
    QTest::newRow("Clear") << "clear"
                           << "" << QByteArray("RC;");
}

void TestTuning::ritXit()
{
    QFETCH(QString, button);
    QFETCH(QString, on);
    QFETCH(QByteArray, expected);

    Bench b(QStringLiteral("0"), QStringLiteral("14200"));
    b.radio.state().RITOn = on;
    b.radio.state().XITOn = on;
    if (button == QLatin1String("rit"))
        b.tuning.cmdRIT_Click();
    else if (button == QLatin1String("xit"))
        b.tuning.cmdXIT_Click();
    else if (button == QLatin1String("up"))
        b.tuning.cmdRitXitUp_Click();
    else if (button == QLatin1String("dn"))
        b.tuning.cmdRitXitDn_Click();
    else
        b.tuning.cmdRitXitClear_Click();
    QCOMPARE(b.sent, QByteArrayList({expected}));
    QCOMPARE(b.radio.state().RITOn, on); // the status report changes the flags
    QCOMPARE(b.radio.state().XITOn, on);
}

void TestTuning::modes_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QByteArray>("expected");

    const char *commands[] = {"MD1;", "MD2;", "MD3;", "MD4;", "MD5;", "MD6;", "MD7;", "MD9;"};
    const char *names[] = {"LSB", "USB", "CW", "FM", "AM", "FSK", "CW-R", "FSK-R"};
    for (int i = 0; i < 8; ++i)
        QTest::newRow(names[i]) << i << QByteArray(commands[i]);
}

void TestTuning::modes()
{
    QFETCH(int, button);
    QFETCH(QByteArray, expected);

    Bench b(QString(), QStringLiteral("14200"));
    void (TuningControls::*clicks[])() = {
        &TuningControls::Command9_Click,  &TuningControls::Command10_Click,
        &TuningControls::Command11_Click, &TuningControls::Command12_Click,
        &TuningControls::Command8_Click,  &TuningControls::Command6_Click,
        &TuningControls::cmdCWRev_Click,  &TuningControls::cmdFSKRev_Click,
    };
    (b.tuning.*clicks[button])();
    QCOMPARE(b.sent, QByteArrayList({expected, "FW;"}));
}

void TestTuning::keys_data()
{
    QTest::addColumn<QString>("vfo");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("shift");
    QTest::addColumn<QByteArrayList>("expected");

    QTest::newRow("Page Up") << "0" << 33 << 0 << cmds("FA00014200010;");
    QTest::newRow("Page Down") << "0" << 34 << 0 << cmds("FA00014199990;");
    QTest::newRow("Ctrl+Page Up") << "0" << 33 << 2 << cmds("FA00014200010;|FA00014201000;|IF;");
    QTest::newRow("Ctrl+Page Down") << "1" << 34 << 2 << cmds("FB00014199990;|FB00014199000;|IF;");
    QTest::newRow("Shift+Page Up is Up") << "0" << 33 << 1 << cmds("FA00014200010;");
    QTest::newRow("Ctrl+Shift+Page Down is Down") << "0" << 34 << 3 << cmds("FA00014199990;");
    QTest::newRow("Ctrl+Page Up in memory mode")
        << "2" << 33 << 2 << cmds("AI0;|SQ255;|MR0 06;|MR1 06;|MC 06;");
    QTest::newRow("Page Up without VFO") << "" << 33 << 2 << QByteArrayList();
    QTest::newRow("other key") << "0" << 65 << 2 << QByteArrayList();
}

void TestTuning::keys()
{
    QFETCH(QString, vfo);
    QFETCH(int, key);
    QFETCH(int, shift);
    QFETCH(QByteArrayList, expected);

    Bench b(vfo, QStringLiteral("14200"));
    b.radio.state().MemChannel = QStringLiteral("05");
    b.tuning.Form_KeyDown(key, shift);
    QCOMPARE(b.sent, expected);
}

QTEST_GUILESS_MAIN(TestTuning)
#include "tst_tuning.moc"
