// Function switch buttons and level sliders: the commands for each state, and the state and
// labels the frequency lock, power and antenna tuner buttons keep themselves.
#include "common/recordingdisplay.h"
#include "core/control/functionswitches.h"
#include "core/radio/radio.h"

#include <QMap>
#include <QTest>

namespace {

struct Bench
{
    Bench()
    {
        radio.setDisplay(&display);
        QObject::connect(&radio, &Radio::commandWritten, &radio,
                         [this](const QByteArray &c) { sent.append(c); });
    }
    ~Bench() { radio.setDisplay(nullptr); }

    Radio radio;
    RecordingDisplay display;
    FunctionSwitches switches {radio};
    QByteArrayList sent;
};

using Click = void (FunctionSwitches::*)();
using Flag = QString RadioState::*;

struct Button
{
    Click click;
    Flag flag;
};

const QMap<QString, Button> &buttons()
{
    static const QMap<QString, Button> map {
        {"Att", {&FunctionSwitches::cmdAtt_Click, &RadioState::AttOn}},
        {"Pre-am", {&FunctionSwitches::CmdPreAmp_Click, &RadioState::PreAmpOn}},
        {"Proc", {&FunctionSwitches::cmdProcOn_Click, &RadioState::ProcOn}},
        {"Vox", {&FunctionSwitches::CmdVoxOn_Click, &RadioState::VoxOn}},
        {"BC", {&FunctionSwitches::cmdBC_Click, &RadioState::BCOn}},
        {"NR1/2", {&FunctionSwitches::cmdNR12_Click, &RadioState::NRMode}},
        {"Flock", {&FunctionSwitches::cmdFLock_Click, &RadioState::LockOn}},
        {"Power", {&FunctionSwitches::cmdPower_Click, &RadioState::PowerOn}},
        {"CW T", {&FunctionSwitches::cmdCWT_Click, &RadioState::CWTuneOn}},
    };
    return map;
}

QByteArrayList cmds(const char *text)
{
    QByteArrayList list;
    for (const QByteArray &part : QByteArray(text).split(' ')) {
        if (!part.isEmpty())
            list.append(part);
    }
    return list;
}

} // namespace

class TestSwitches : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void buttons_data();
    void buttons();
    void powerTwice();
    void nrCycles();
    void antennaTuner_data();
    void antennaTuner();
    void sliders_data();
    void sliders();
};

void TestSwitches::buttons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QByteArrayList>("expected");
    QTest::addColumn<QString>("stateAfter");
    QTest::addColumn<QString>("flockLabel"); // empty: not touched

    QTest::newRow("Att before reply") << "Att"
                                      << "" << QByteArrayList() << ""
                                      << "";
    QTest::newRow("Att off") << "Att"
                             << "00" << cmds("RA01; RA;") << "00"
                             << "";
    QTest::newRow("Att on") << "Att"
                            << "01" << cmds("RA00; RA;") << "01"
                            << "";
    QTest::newRow("Att unknown") << "Att"
                                 << "02" << QByteArrayList() << "02"
                                 << "";
    QTest::newRow("Pre-am before reply") << "Pre-am"
                                         << "" << cmds("PA1;") << ""
                                         << "";
    QTest::newRow("Pre-am on") << "Pre-am"
                               << "1" << cmds("PA0;") << "1"
                               << "";
    QTest::newRow("Pre-am off") << "Pre-am"
                                << "0" << cmds("PA1;") << "0"
                                << "";
    QTest::newRow("Proc off") << "Proc"
                              << "0" << cmds("PR1;") << "0"
                              << "";
    QTest::newRow("Proc on") << "Proc"
                             << "1" << cmds("PR0;") << "1"
                             << "";
    QTest::newRow("Vox off") << "Vox"
                             << "" << cmds("VX1;") << ""
                             << "";
    QTest::newRow("Vox on") << "Vox"
                            << "1" << cmds("VX0;") << "1"
                            << "";
    QTest::newRow("BC off") << "BC"
                            << "0" << cmds("BC1;") << "0"
                            << "";
    QTest::newRow("BC on") << "BC"
                           << "1" << cmds("BC0;") << "1"
                           << "";
    QTest::newRow("NR before reply") << "NR1/2"
                                     << "" << QByteArrayList() << ""
                                     << "";
    QTest::newRow("NR off") << "NR1/2"
                            << "0" << cmds("NR1;") << "0"
                            << "";
    QTest::newRow("NR1") << "NR1/2"
                         << "1" << cmds("NR2;") << "1"
                         << "";
    QTest::newRow("NR2") << "NR1/2"
                         << "2" << cmds("NR0;") << "2"
                         << "";
    QTest::newRow("NR unknown") << "NR1/2"
                                << "3" << QByteArrayList() << "3"
                                << "";
    QTest::newRow("Flock before reply") << "Flock"
                                        << "" << cmds("LK1; AI3;") << "1"
                                        << "F.LOCK";
    QTest::newRow("Flock unlocked") << "Flock"
                                    << "0" << cmds("LK1; AI3;") << "1"
                                    << "F.LOCK";
    QTest::newRow("Flock locked") << "Flock"
                                  << "1" << cmds("LK0;") << "0"
                                  << " ";
    QTest::newRow("Power before reply") << "Power"
                                        << "" << cmds("PS1; AI3; IF;") << "1"
                                        << "";
    QTest::newRow("Power off") << "Power"
                               << "0" << cmds("PS1; AI3; IF;") << "1"
                               << "";
    QTest::newRow("Power on") << "Power"
                              << "1" << cmds("PS0;") << "0"
                              << "";
    QTest::newRow("CW T") << "CW T"
                          << "" << cmds("CA1;") << ""
                          << "";
}

void TestSwitches::buttons()
{
    QFETCH(QString, button);
    QFETCH(QString, state);
    QFETCH(QByteArrayList, expected);
    QFETCH(QString, stateAfter);
    QFETCH(QString, flockLabel);

    Bench b;
    const Button &which = ::buttons().value(button);
    b.radio.state().*which.flag = state;
    (b.switches.*which.click)();
    QCOMPARE(b.sent, expected);
    QCOMPARE(b.radio.state().*which.flag, stateAfter);
    QCOMPARE(b.display.labels.value(RadioView::Label::lblFLock), flockLabel);
}

void TestSwitches::powerTwice()
{
    // No PS reply in between: the button's own state decides the second click.
    Bench b;
    b.switches.cmdPower_Click();
    b.switches.cmdPower_Click();
    QCOMPARE(b.sent, cmds("PS1; AI3; IF; PS0;"));
    QCOMPARE(b.radio.state().PowerOn, QStringLiteral("0"));
}

void TestSwitches::nrCycles()
{
    // off -> NR1 -> NR2 -> off, each step after the radio's report.
    Bench b;
    b.radio.state().NRMode = QStringLiteral("0");
    for (const char *reply : {"NR1;", "NR2;", "NR0;"}) {
        b.switches.cmdNR12_Click();
        QCOMPARE(b.sent.last(), QByteArray(reply));
        b.radio.receive(reply);
        QCOMPARE(b.radio.state().NRMode, QString(QLatin1Char(reply[2])));
    }
    QCOMPARE(b.sent, cmds("NR1; NR2; NR0;"));
}

void TestSwitches::antennaTuner_data()
{
    QTest::addColumn<QString>("atState");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QByteArrayList>("expected");
    QTest::addColumn<QString>("atLabel"); // empty: not touched
    QTest::addColumn<QString>("tuning");

    QTest::newRow("out of line: put in line") << "0" << 1 << cmds("AC010;") << "AT"
                                              << "";
    QTest::newRow("in line: start tuning") << "1" << 1 << cmds("AC011;") << ""
                                           << "1";
    QTest::newRow("second click ends tuning") << "1" << 2 << cmds("AC011; AC000;") << "  "
                                              << "0";
    QTest::newRow("third click tunes again") << "1" << 3 << cmds("AC011; AC000; AC011;") << "  "
                                             << "1";
    QTest::newRow("before reply") << "" << 1 << QByteArrayList() << ""
                                  << "";
    QTest::newRow("unknown state") << "5" << 2 << QByteArrayList() << ""
                                   << "";
}

void TestSwitches::antennaTuner()
{
    QFETCH(QString, atState);
    QFETCH(int, clicks);
    QFETCH(QByteArrayList, expected);
    QFETCH(QString, atLabel);
    QFETCH(QString, tuning);

    Bench b;
    b.radio.state().ATState = atState;
    for (int i = 0; i < clicks; ++i)
        b.switches.CmdATTune_Click();
    QCOMPARE(b.sent, expected);
    QCOMPARE(b.display.labels.value(RadioView::Label::lblAT), atLabel);
    QCOMPARE(b.radio.state().ATTuning, tuning);
}

void TestSwitches::sliders_data()
{
    QTest::addColumn<int>("slider");
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArrayList>("expected");

    enum { Volume, RF, High, Low, IS };
    QTest::newRow("volume 7") << int(Volume) << 7 << cmds("AG007;");
    QTest::newRow("volume 255") << int(Volume) << 255 << cmds("AG255;");
    QTest::newRow("volume out of field") << int(Volume) << 1000 << QByteArrayList();
    QTest::newRow("volume negative") << int(Volume) << -1 << QByteArrayList();
    QTest::newRow("RF 0") << int(RF) << 0 << cmds("RG000;");
    QTest::newRow("RF 128") << int(RF) << 128 << cmds("RG128;");
    QTest::newRow("DSP high 12") << int(High) << 12 << cmds("SH12;");
    QTest::newRow("DSP low 3") << int(Low) << 3 << cmds("SL03;");
    QTest::newRow("DSP low 20") << int(Low) << 20 << cmds("SL20;");
    QTest::newRow("IF shift -100") << int(IS) << -100 << cmds("IS-0100;");
    QTest::newRow("IF shift 0") << int(IS) << 0 << cmds("IS+0000;");
    QTest::newRow("IF shift -1100") << int(IS) << -1100 << cmds("IS-1100;");
    QTest::newRow("IF shift 1100") << int(IS) << 1100 << cmds("IS+1100;");
    QTest::newRow("IF shift 50") << int(IS) << 50 << cmds("IS+0050;");
    QTest::newRow("IF shift out of field") << int(IS) << 10000 << QByteArrayList();
}

void TestSwitches::sliders()
{
    QFETCH(int, slider);
    QFETCH(int, value);
    QFETCH(QByteArrayList, expected);

    Bench b;
    void (FunctionSwitches::*clicks[])(int) = {
        &FunctionSwitches::SliderVolume_Click,  &FunctionSwitches::SliderRF_Click,
        &FunctionSwitches::SliderDSPHigh_Click, &FunctionSwitches::SliderDSPLow_Click,
        &FunctionSwitches::SliderIS_Click,
    };
    (b.switches.*clicks[slider])(value);
    QCOMPARE(b.sent, expected);
}

QTEST_GUILESS_MAIN(TestSwitches)
#include "tst_switches.moc"
