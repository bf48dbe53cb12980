// End to end: the radio core and the tuning operations work the simulated radio over a
// pseudo-terminal while the simulator spoils the line (stray bytes, lost replies). Whatever the
// line does, the start-up ends and the program's picture of the radio is the radio's own.
#include "common/recordingdisplay.h"
#include "common/spinuntil.h"
#include "core/control/tuningcontrols.h"
#include "core/radio/cat.h"
#include "core/radio/radio.h"
#include "sim/simptyserver.h"

#include <QTest>

namespace {

constexpr int SyncTimeoutMs = 15000;
// Short enough that lost replies cost little time, long enough that a loaded machine still
// answers a query before it is asked again.
constexpr int ReplyTimeoutMs = 50;

// An operator's radio, unlike the factory state in every field the start-up reads.
const QByteArray OperatorsRadio = "FA00014074000;FB00021074000;MD3;FW0400;FT1;RT1;RU;RU;"
                                  "AG086;RG200;SH05;SL02;IS-0200;LK1;PA0;PR1;NR2;NB1;BC1;VX1;"
                                  "TO1;TN12;MG030;PC050;KS025;AN2;GT002;RA01;VD0500;VG006;PB2;"
                                  "SQ010;AC110;";

// The radio core on the simulator's line.
struct Station
{
    explicit Station(const SimOptions &options)
        : server(options)
    {
        radio.setDisplay(&display);
        radio.setStartupReplyTimeout(ReplyTimeoutMs);
    }
    bool open()
    {
        return server.start() && radio.MSComm1().setCommPort(server.devicePath())
            && radio.MSComm1().setPortOpen(true);
    }
    bool synchronise()
    {
        radio.Synchronise();
        return spinUntil([this] { return radio.state().StartupLoading == QLatin1String("0"); },
                         SyncTimeoutMs);
    }

    SimPtyServer server;
    RecordingDisplay display; // outlives the radio that shows on it
    Radio radio;
};

QString onOff(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// Every field the start-up fills, compared with the simulated radio's own state; one line per
// difference.
QStringList differences(Station &station)
{
    const RadioState &s = station.radio.state();
    const SimRadio &sim = station.server.radio();
    QStringList out;
    auto check = [&out](const QString &name, const QString &program, const QString &radio) {
        if (program != radio)
            out << QStringLiteral("%1: program %2, radio %3").arg(name, program, radio);
    };

    // Values kept as the text of the radio's own reply field.
    static const std::pair<const char *, QString RadioState::*> RawFields[] = {
        {"PC", &RadioState::PCValue},  {"MG", &RadioState::MGValue},
        {"KS", &RadioState::KSValue},  {"SQ", &RadioState::SQValue},
        {"VG", &RadioState::VGValue},  {"VD", &RadioState::VDValue},
        {"LK", &RadioState::LockOn},   {"PA", &RadioState::PreAmpOn},
        {"PS", &RadioState::PowerOn},  {"PR", &RadioState::ProcOn},
        {"VX", &RadioState::VoxOn},    {"BC", &RadioState::BCOn},
        {"NB", &RadioState::NBOn},     {"NR", &RadioState::NRMode},
        {"AN", &RadioState::AntNum},   {"PB", &RadioState::PlayBackNum},
        {"TO", &RadioState::ToneOn},   {"TN", &RadioState::ToneNum},
        {"CA", &RadioState::CWTuneOn}, {"FW", &RadioState::FilterWidth},
        {"GT", &RadioState::AGCOn},    {"RA", &RadioState::AttOn},
    };
    for (const auto &[code, field] : RawFields) {
        const QByteArray reply = sim.readReply(code);
        check(QString::fromLatin1(code), s.*field,
              QString::fromLatin1(reply.mid(2, reply.size() - 3)));
    }
    // Levels shown on the main window's sliders only.
    static const std::pair<const char *, RadioView::Slider> Sliders[] = {
        {"AG", RadioView::Slider::SliderVolume},
        {"RG", RadioView::Slider::SliderRF},
        {"SH", RadioView::Slider::SliderDSPHigh},
        {"SL", RadioView::Slider::SliderDSPLow},
    };
    for (const auto &[code, slider] : Sliders) {
        check(QString::fromLatin1(code), QString::number(station.display.sliders.value(slider, -1)),
              QString::number(sim.setting(code)));
    }
    check(QStringLiteral("IS"),
          QString::number(station.display.sliders.value(RadioView::Slider::SliderIS, -1)),
          QString::number(sim.ifShiftHz()));

    check(QStringLiteral("Freq"), s.Freq, Cat::khzText(sim.frequency()));
    check(QStringLiteral("VFOAFreq"), s.VFOAFreq, Cat::khzText(sim.frequencyA()));
    check(QStringLiteral("VFOBFreq"), s.VFOBFreq, Cat::khzText(sim.frequencyB()));
    check(QStringLiteral("Mode"), s.Mode, QString(QLatin1Char(sim.mode())));
    check(QStringLiteral("VFO"), s.VFO, QString::number(sim.receiveFunction()));
    check(QStringLiteral("Split"), s.Split, onOff(sim.split()));
    check(QStringLiteral("RITOn"), s.RITOn, onOff(sim.ritOn()));
    check(QStringLiteral("XITOn"), s.XITOn, onOff(sim.xitOn()));
    check(QStringLiteral("RITXITOffset"), s.RITXITOffset, Cat::khzText(sim.offsetHz()));
    check(QStringLiteral("ATState"), s.ATState, QString(QLatin1Char(sim.tunerState().at(1))));
    check(QStringLiteral("TXState"), s.TXState, QStringLiteral("RX"));
    return out;
}

} // namespace

class tst_e2e_radiocore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void noisyStartupsEndWithTheRadiosState();
    void lostRepliesAreAskedAgain_data();
    void lostRepliesAreAskedAgain();
    void copyThenStepKeepsTheVfoInUse_data();
    void copyThenStepKeepsTheVfoInUse();
};

void tst_e2e_radiocore::noisyStartupsEndWithTheRadiosState()
{
    for (quint32 seed = 1; seed <= 200; ++seed) {
        SimOptions options;
        options.noise = true;
        options.seed = seed;
        Station station(options);
        QCOMPARE(station.server.radio().handle(OperatorsRadio), QByteArray());
        QVERIFY2(station.open(), qPrintable(station.radio.MSComm1().lastError()));
        QVERIFY2(station.synchronise(), qPrintable(QStringLiteral("seed %1").arg(seed)));
        const QStringList wrong = differences(station);
        QVERIFY2(wrong.isEmpty(),
                 qPrintable(QStringLiteral("seed %1: %2").arg(seed).arg(wrong.join(u"; "))));
        QVERIFY(!station.display.progressOpen);
    }
}

void tst_e2e_radiocore::lostRepliesAreAskedAgain_data()
{
    QTest::addColumn<int>("dropEvery");
    QTest::addColumn<bool>("noise");
    QTest::newRow("every 5th reply lost") << 5 << false;
    QTest::newRow("every 2nd reply lost, noisy line") << 2 << true;
}

void tst_e2e_radiocore::lostRepliesAreAskedAgain()
{
    QFETCH(int, dropEvery);
    QFETCH(bool, noise);
    SimOptions options;
    options.dropEvery = dropEvery;
    options.noise = noise;
    Station station(options);
    QCOMPARE(station.server.radio().handle(OperatorsRadio), QByteArray());
    QVERIFY2(station.open(), qPrintable(station.radio.MSComm1().lastError()));
    QVERIFY(station.synchronise());
    QVERIFY(station.server.repliesDropped() > 0);
    // The progress window came up with the first reply and is closed again.
    QVERIFY(station.display.progressShows > 0);
    QVERIFY(!station.display.progressOpen);
    QCOMPARE(station.display.progressCloses, 1);
    // Each lost answer was asked for again, so nothing is missing.
    const QStringList wrong = differences(station);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u"; ")));
}

void tst_e2e_radiocore::copyThenStepKeepsTheVfoInUse_data()
{
    QTest::addColumn<QByteArray>("radioSetup");
    QTest::addColumn<bool>("onVfoA");
    QTest::newRow("A=B on VFO A, then >>") << QByteArray() << true;
    QTest::newRow("B=A on VFO B, then >>") << QByteArray("FR1;") << false;
}

void tst_e2e_radiocore::copyThenStepKeepsTheVfoInUse()
{
    QFETCH(QByteArray, radioSetup);
    QFETCH(bool, onVfoA);
    Station station {SimOptions {}};
    SimRadio &sim = station.server.radio();
    QCOMPARE(sim.handle(radioSetup), QByteArray());
    QVERIFY2(station.open(), qPrintable(station.radio.MSComm1().lastError()));
    QVERIFY(station.synchronise());
    QCOMPARE(station.radio.state().VFO, onVfoA ? QStringLiteral("0") : QStringLiteral("1"));
    const qint64 inUse = onVfoA ? sim.frequencyA() : sim.frequencyB();
    const qint64 other = onVfoA ? sim.frequencyB() : sim.frequencyA();
    QVERIFY(inUse != other);

    // A=B asks for VFO B's frequency (B=A for A's); the answer is the last reply it brings.
    TuningControls tuning(station.radio);
    if (onVfoA)
        tuning.CmdAeqB_Click();
    else
        tuning.CmdBeqA_Click();
    const QString otherCode = onVfoA ? QStringLiteral("FB") : QStringLiteral("FA");
    QVERIFY(spinUntil([&] { return station.radio.state().ReplyCode == otherCode; }, SyncTimeoutMs));
    QCOMPARE(onVfoA ? station.radio.state().VFOBFreq : station.radio.state().VFOAFreq,
             Cat::khzText(other));
    QCOMPARE(station.radio.state().Freq, Cat::khzText(inUse));

    // ">>" with the 1 kHz step steps the VFO in use from where it is.
    tuning.CmdStepUp_Click();
    auto inUseNow = [&] { return onVfoA ? sim.frequencyA() : sim.frequencyB(); };
    QVERIFY(spinUntil([&] { return inUseNow() != inUse; }, SyncTimeoutMs));
    QCOMPARE(inUseNow(), inUse + 1000);
    QCOMPARE(onVfoA ? sim.frequencyB() : sim.frequencyA(), other);
    QVERIFY(spinUntil([&] { return station.radio.state().Freq == Cat::khzText(inUse + 1000); },
                      SyncTimeoutMs));
}

QTEST_GUILESS_MAIN(tst_e2e_radiocore)
#include "tst_e2e_radiocore.moc"
