// The reply interpreter: what each reply does to the radio state and the display, the
// start-up query list, and the framing of replies in the receive buffer.
#include "common/recordingdisplay.h"
#include "common/statusword.h"
#include "core/radio/cattables.h"
#include "core/radio/radio.h"

#include <QSignalSpy>
#include <QTest>

using RadioView::Label;

Q_DECLARE_METATYPE(RadioView::Label)

namespace {

// State fields the tables below check, by name.
const QMap<QString, QString RadioState::*> &stateFields()
{
    static const QMap<QString, QString RadioState::*> fields = {
        {"Freq", &RadioState::Freq},
        {"VFOAFreq", &RadioState::VFOAFreq},
        {"VFOBFreq", &RadioState::VFOBFreq},
        {"VFO", &RadioState::VFO},
        {"Mode", &RadioState::Mode},
        {"ToneOn", &RadioState::ToneOn},
        {"ToneNum", &RadioState::ToneNum},
        {"PCValue", &RadioState::PCValue},
        {"PCLevel", &RadioState::PCLevel},
        {"KSLevel", &RadioState::KSLevel},
        {"VDValue", &RadioState::VDValue},
        {"VDLevel", &RadioState::VDLevel},
        {"LockOn", &RadioState::LockOn},
        {"PreAmpOn", &RadioState::PreAmpOn},
        {"NRMode", &RadioState::NRMode},
        {"AttOn", &RadioState::AttOn},
        {"AGCOn", &RadioState::AGCOn},
        {"AntNum", &RadioState::AntNum},
        {"ATState", &RadioState::ATState},
        {"TXState", &RadioState::TXState},
        {"replyMemChannel", &RadioState::replyMemChannel},
        {"FilterWidth", &RadioState::FilterWidth},
        {"MemChannel", &RadioState::MemChannel},
        {"RITXITOffset", &RadioState::RITXITOffset},
        {"Split", &RadioState::Split},
        {"PowerOn", &RadioState::PowerOn},
    };
    return fields;
}

struct Rig
{
    Radio radio;
    RecordingDisplay display;
    QList<QByteArray> sent;
    Rig()
    {
        radio.setDisplay(&display);
        QObject::connect(&radio, &Radio::commandWritten, &radio,
                         [this](const QByteArray &c) { sent << c; });
    }
    void feed(const QByteArray &bytes) { radio.receive(bytes); }
};

} // namespace

class TestInterpreter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void statusWord_data();
    void statusWord();
    void replies_data();
    void replies();
    void repliesTooShortChangeNothing_data();
    void repliesTooShortChangeNothing();
    void repliesOutOfLayoutChangeNothing_data();
    void repliesOutOfLayoutChangeNothing();
    void memoryStep_data();
    void memoryStep();
    void memoryDownloadHandOff();
    void startupWalksTheWholeList();
    void startupRepeatsAndGivesUp();
    void startupAnsweredByShortReply();
    void startupRepeatsUnansweredQueries();
    void startupThroughStrayBytes();
    void synchroniseRestarts();
    void framing_data();
    void framing();
    void noiseIsBounded();
    void capKeepsAReplyStillArriving_data();
    void capKeepsAReplyStillArriving();
    void sendButton();
};

void TestInterpreter::statusWord_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QStringList>("labels"); // "label=text" for lblFreq, lblRitXitFreq ...

    StatusWord w;
    QTest::newRow("plain USB on A")
        << QByteArray() << w.reply()
        << QStringList {"lblFreq=14,200.000", "lblRitXitFreq= ", "lblRit= ",          "lblXit= ",
                        "LblMode=USB",        "lblVFO=A",        "lblSubFrequency= ", "LblTone= "};
    w.rit = '1';
    w.offset = 150;
    QTest::newRow("RIT +150") << QByteArray() << w.reply()
                              << QStringList {"lblFreq=14,200.150", "lblRitXitFreq=0.150 Khz",
                                              "lblRit=RIT", "lblXit= "};
    w.rit = '0';
    w.xit = '1';
    w.offset = -200;
    QTest::newRow("XIT leaves the display unshifted")
        << QByteArray() << w.reply()
        << QStringList {"lblFreq=14,200.000", "lblRitXitFreq=-0.200 Khz", "lblRit= ", "lblXit=XIT"};
    w = StatusWord();
    w.vfo = '2';
    w.channel = 7;
    w.mode = '3';
    QTest::newRow("memory channel")
        << QByteArray() << w.reply() << QStringList {"lblVFO=Mem 07", "LblMode=CW"};
    w = StatusWord();
    w.split = '1';
    QTest::newRow("split on A shows B") << QByteArray("FB00007050500;") << w.reply()
                                        << QStringList {"lblSubFrequency=SPLIT  7,050.500"};
    w.vfo = '1';
    QTest::newRow("split on B shows A")
        << QByteArray("FA00021300000;") << w.reply()
        << QStringList {"lblSubFrequency=SPLIT  21,300.000", "lblVFO=B"};
    QTest::newRow("split on B before A is known")
        << QByteArray("FB00007050500;") << w.reply() << QStringList {"lblSubFrequency=SPLIT"};
    w.vfo = '0';
    QTest::newRow("split on A before B is known")
        << QByteArray("FA00014200000;") << w.reply() << QStringList {"lblSubFrequency=SPLIT"};
    w.vfo = '2';
    QTest::newRow("split in memory mode leaves the line")
        << QByteArray() << w.reply() << QStringList {"lblSubFrequency=<unset>"};
    w = StatusWord();
    w.mode = '0';
    w.tone = '1';
    w.toneNumber = 12;
    QTest::newRow("mode 0 and tone")
        << QByteArray() << w.reply() << QStringList {"LblMode=None", "LblTone=TONE"};
    w.mode = 'x';
    w.vfo = '7';
    QTest::newRow("unknown mode and function leave labels")
        << QByteArray() << w.reply() << QStringList {"LblMode=<unset>", "lblVFO=<unset>"};
}

static Label labelByName(const QString &name)
{
    static const QMap<QString, Label> names = {
        {"lblFreq", Label::lblFreq},
        {"lblRitXitFreq", Label::lblRitXitFreq},
        {"lblRit", Label::lblRit},
        {"lblXit", Label::lblXit},
        {"LblMode", Label::LblMode},
        {"lblVFO", Label::lblVFO},
        {"lblSubFrequency", Label::lblSubFrequency},
        {"LblTone", Label::LblTone},
        {"lblPowerlevel", Label::lblPowerlevel},
        {"lblKeyerLevel", Label::lblKeyerLevel},
        {"lblDelayLevel", Label::lblDelayLevel},
        {"lblFLock", Label::lblFLock},
        {"lblPreamp", Label::lblPreamp},
        {"lblNR", Label::lblNR},
        {"lblAtt", Label::lblAtt},
        {"lblAGC", Label::lblAGC},
        {"lblAnt", Label::lblAnt},
        {"lblAT", Label::lblAT},
        {"lblTx", Label::lblTx},
        {"LblRX", Label::LblRX},
        {"lblFunction", Label::lblFunction},
        {"LblISFreq", Label::LblISFreq},
        {"lblLevel", Label::lblLevel},
        {"lblNB", Label::lblNB},
    };
    Q_ASSERT(names.contains(name));
    return names.value(name);
}

static void checkLabels(const RecordingDisplay &display, const QStringList &labels)
{
    for (const QString &entry : labels) {
        const auto eq = entry.indexOf(QLatin1Char('='));
        const QString name = entry.left(eq);
        QCOMPARE(name + QLatin1Char('=') + display.label(labelByName(name)), entry);
    }
}

void TestInterpreter::statusWord()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, reply);
    QFETCH(QStringList, labels);
    Rig rig;
    rig.feed(before);
    rig.feed(reply);
    QCOMPARE(reply.size(), 38);
    checkLabels(rig.display, labels);
    QVERIFY(rig.radio.Out.isEmpty());
}

void TestInterpreter::replies_data()
{
    QTest::addColumn<QByteArray>("replies");
    QTest::addColumn<QStringList>("state"); // "Field=value"
    QTest::addColumn<QStringList>("labels"); // "label=text"

    QTest::newRow("FA") << QByteArray("FA00007050500;")
                        << QStringList {"Freq=7050.5", "VFOAFreq=7050.5"}
                        << QStringList {"lblFreq=<unset>"};
    QTest::newRow("FB") << QByteArray("FB00014195000;")
                        << QStringList {"Freq=14195", "VFOBFreq=14195", "VFOAFreq="}
                        << QStringList {};
    StatusWord onB;
    onB.vfo = '1';
    onB.hz = 7050000;
    QTest::newRow("FA on VFO A") << StatusWord {}.reply() + "FA00014201000;"
                                 << QStringList {"Freq=14201", "VFOAFreq=14201"} << QStringList {};
    QTest::newRow("FB on VFO A keeps Freq")
        << StatusWord {}.reply() + "FB00007050000;" << QStringList {"Freq=14200", "VFOBFreq=7050"}
        << QStringList {};
    QTest::newRow("FA on VFO B keeps Freq")
        << onB.reply() + "FA00014200000;" << QStringList {"Freq=7050", "VFOAFreq=14200"}
        << QStringList {};
    QTest::newRow("FB on VFO B") << onB.reply() + "FB00007051000;"
                                 << QStringList {"Freq=7051", "VFOBFreq=7051"} << QStringList {};
    QTest::newRow("FB in memory mode sets Freq")
        << QByteArray("FR2;FB00007050000;") << QStringList {"Freq=7050", "VFOBFreq=7050"}
        << QStringList {};
    QTest::newRow("status word reads from position 4")
        << StatusWord {}.reply() << QStringList {"Freq=14200", "VFO=0", "Mode=2", "Split=0"}
        << QStringList {};
    QTest::newRow("FR") << QByteArray("FR1;") << QStringList {"VFO=1"} << QStringList {};
    QTest::newRow("FT ignored") << QByteArray("FT1;") << QStringList {"VFO="} << QStringList {};
    QTest::newRow("MD") << QByteArray("MD3;") << QStringList {"Mode=3"}
                        << QStringList {"LblMode=CW"};
    QTest::newRow("MD 8") << QByteArray("MD8;") << QStringList {"Mode=8"}
                          << QStringList {"LblMode=None"};
    QTest::newRow("TO shows T") << QByteArray("TO1;") << QStringList {"ToneOn=1"}
                                << QStringList {"LblTone=T"};
    QTest::newRow("TN") << QByteArray("TN12;") << QStringList {"ToneNum=12"} << QStringList {};
    QTest::newRow("PC 000") << QByteArray("PC000;") << QStringList {"PCValue=000", "PCLevel= W"}
                            << QStringList {"lblPowerlevel= W"};
    QTest::newRow("PC 050") << QByteArray("PC050;") << QStringList {"PCLevel=50 W"}
                            << QStringList {"lblPowerlevel=50 W"};
    QTest::newRow("KS") << QByteArray("KS020;") << QStringList {"KSLevel=20 WPM"}
                        << QStringList {"lblKeyerLevel=20 WPM"};
    QTest::newRow("VD") << QByteArray("VD0300;") << QStringList {"VDValue=0300", "VDLevel=300"}
                        << QStringList {"lblDelayLevel=300 Ms"};
    QTest::newRow("LK on then off")
        << QByteArray("LK1;LK0;") << QStringList {"LockOn=0"} << QStringList {"lblFLock= "};
    QTest::newRow("LK on") << QByteArray("LK1;") << QStringList {"LockOn=1"}
                           << QStringList {"lblFLock=F.LOCK"};
    QTest::newRow("LK unknown leaves label")
        << QByteArray("LK5;") << QStringList {"LockOn=5"} << QStringList {"lblFLock=<unset>"};
    QTest::newRow("PA on") << QByteArray("PA1;") << QStringList {"PreAmpOn=1"}
                           << QStringList {"lblPreamp=PREAMP"};
    QTest::newRow("PA other blanks")
        << QByteArray("PA7;") << QStringList {"PreAmpOn=7"} << QStringList {"lblPreamp= "};
    QTest::newRow("PS") << QByteArray("PS1;") << QStringList {"PowerOn=1"} << QStringList {};
    QTest::newRow("NR2") << QByteArray("NR2;") << QStringList {"NRMode=2"}
                         << QStringList {"lblNR=NR2"};
    QTest::newRow("RA on") << QByteArray("RA01;") << QStringList {"AttOn=01"}
                           << QStringList {"lblAtt=ATT"};
    QTest::newRow("GT fast") << QByteArray("GT002;") << QStringList {"AGCOn=002"}
                             << QStringList {"lblAGC=FAST"};
    QTest::newRow("GT slow") << QByteArray("GT004;") << QStringList {"AGCOn=004"}
                             << QStringList {"lblAGC= "};
    QTest::newRow("AN1 keeps its blank")
        << QByteArray("AN1;") << QStringList {"AntNum=1"} << QStringList {"lblAnt=ANT1 "};
    QTest::newRow("AC reads the 4th character")
        << QByteArray("AC010;") << QStringList {"ATState=1"} << QStringList {"lblAT=AT"};
    QTest::newRow("AC off") << QByteArray("AC100;") << QStringList {"ATState=0"}
                            << QStringList {"lblAT= "};
    QTest::newRow("TX") << QByteArray("TX;") << QStringList {"TXState=TX"}
                        << QStringList {"lblTx=TX", "LblRX= "};
    QTest::newRow("RX") << QByteArray("TX;RX;") << QStringList {"TXState=RX"}
                        << QStringList {"lblTx= ", "LblRX=RX"};
    QTest::newRow("MC") << QByteArray("MC 05;") << QStringList {"replyMemChannel=05"}
                        << QStringList {};
    QTest::newRow("CA in CW") << QByteArray("MD3;CA1;") << QStringList {}
                              << QStringList {"lblFunction=CW TUNE"};
    QTest::newRow("CA in USB unchanged")
        << QByteArray("MD2;CA1;") << QStringList {} << QStringList {"lblFunction=<unset>"};
    QTest::newRow("CA off") << QByteArray("CA0;") << QStringList {}
                            << QStringList {"lblFunction= "};
    QTest::newRow("IS minus") << QByteArray("IS-0200;") << QStringList {}
                              << QStringList {"LblISFreq= -200 Hz"};
    QTest::newRow("IS zero") << QByteArray("IS+0000;") << QStringList {}
                             << QStringList {"LblISFreq= 000 Hz"};
    QTest::newRow("AG") << QByteArray("AG086;") << QStringList {} << QStringList {"lblLevel=86"};
    QTest::newRow("AG zero") << QByteArray("AG000;") << QStringList {} << QStringList {"lblLevel="};
    QTest::newRow("FW") << QByteArray("FW0050;") << QStringList {"FilterWidth=0050"}
                        << QStringList {};
    QTest::newRow("unknown code") << QByteArray("ZZ123;?;") << QStringList {"Freq=999999999"}
                                  << QStringList {};
    // Stray bytes in front of a reply, capital letters too, do not make it another reply.
    QTest::newRow("R before GT is no RF gain")
        << QByteArray("RGT004;") << QStringList {"AGCOn=004"} << QStringList {"lblAGC= "};
    QTest::newRow("R before AC is no attenuator")
        << QByteArray("RAC000;") << QStringList {"ATState=0", "AttOn="}
        << QStringList {"lblAT= ", "lblAtt=<unset>"};
    QTest::newRow("Q before RA") << QByteArray("QRA01;") << QStringList {"AttOn=01"}
                                 << QStringList {"lblAtt=ATT"};
    QTest::newRow("R before RX") << QByteArray("RRX;") << QStringList {"TXState=RX"}
                                 << QStringList {"LblRX=RX"};
    QTest::newRow("W, digits and blanks before MD")
        << QByteArray("W5 9MD3;") << QStringList {"Mode=3"} << QStringList {"LblMode=CW"};
    QTest::newRow("line ends before a status word")
        << "\r\nR" + StatusWord {}.reply() << QStringList {"Freq=14200", "VFO=0"}
        << QStringList {"lblVFO=A"};
}

void TestInterpreter::replies()
{
    QFETCH(QByteArray, replies);
    QFETCH(QStringList, state);
    QFETCH(QStringList, labels);
    Rig rig;
    rig.feed(replies);
    for (const QString &entry : state) {
        const auto eq = entry.indexOf(QLatin1Char('='));
        const QString name = entry.left(eq);
        QVERIFY2(stateFields().contains(name), qPrintable(name));
        QCOMPARE(name + QLatin1Char('=') + rig.radio.state().*stateFields().value(name), entry);
    }
    checkLabels(rig.display, labels);
}

void TestInterpreter::repliesTooShortChangeNothing_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::newRow("FA without digits") << QByteArray("FA;");
    QTest::newRow("FB cut short") << QByteArray("FB0001420;");
    QTest::newRow("status word cut by noise") << StatusWord {}.reply().left(30) + ';';
    QTest::newRow("status word one short") << StatusWord {}.reply().left(35) + ';';
    QTest::newRow("MD without digit") << QByteArray("MD;");
    QTest::newRow("PC two digits") << QByteArray("PC05;");
    QTest::newRow("VD three digits") << QByteArray("VD030;");
    QTest::newRow("IS without digits") << QByteArray("IS-02;");
    QTest::newRow("GT two digits") << QByteArray("GT00;");
    QTest::newRow("AC three characters") << QByteArray("AC0;");
    QTest::newRow("MR cut short") << QByteArray("MR0 0500014200;");
    QTest::newRow("MC one digit") << QByteArray("MC 5;");
}

void TestInterpreter::repliesOutOfLayoutChangeNothing_data()
{
    QTest::addColumn<QByteArray>("reply");
    StatusWord w;
    w.mode = 'x';
    QTest::newRow("status word with a letter for its mode") << w.reply();
    QTest::newRow("status word one long") << StatusWord {}.reply().insert(20, '0');
    QTest::newRow("FA one digit long") << QByteArray("FA000070505000;");
    QTest::newRow("FA with a letter") << QByteArray("FA0000705O500;");
    QTest::newRow("overlong FA") << QByteArray("FA0000705050099999999999999999999;");
    QTest::newRow("IS without its sign") << QByteArray("IS00200;");
    QTest::newRow("IS with another sign") << QByteArray("IS*0200;");
    QTest::newRow("TX with a digit") << QByteArray("TX0;");
    QTest::newRow("attenuator with a letter") << QByteArray("RAC0;");
    QTest::newRow("GT with a blank") << QByteArray("GT 04;");
    QTest::newRow("memory reply with a letter") << QByteArray("MR0 05000142000x0020112 ;");
    QTest::newRow("lower-case code") << QByteArray("fa00007050500;");
    QTest::newRow("stray bytes only") << QByteArray("\r\nQRW#;");
    QTest::newRow("nothing before the terminator") << QByteArray(";");
}

// Feeds one reply and checks that nothing at all came of it.
static void expectNothingChanged(const QByteArray &reply)
{
    Rig rig;
    RadioState before = rig.radio.state();
    rig.feed(reply);
    RadioState after = rig.radio.state();
    after.ReplyCode = before.ReplyCode;
    QVERIFY(after == before);
    QVERIFY(rig.display.labels.isEmpty());
    QVERIFY(rig.display.sliders.isEmpty());
    QVERIFY(rig.display.steps.isEmpty());
    QVERIFY(rig.sent.isEmpty());
}

void TestInterpreter::repliesTooShortChangeNothing()
{
    QFETCH(QByteArray, reply);
    expectNothingChanged(reply);
}

void TestInterpreter::repliesOutOfLayoutChangeNothing()
{
    QFETCH(QByteArray, reply);
    expectNothingChanged(reply);
}

void TestInterpreter::memoryStep_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QList<bool>>("steps");
    QTest::addColumn<QList<QByteArray>>("sent");
    QTest::addColumn<QStringList>("labels");

    QTest::newRow("empty channel above start steps up")
        << "04" << QByteArray("MR0 050000000000000000 ;") << QList<bool> {true}
        << QList<QByteArray> {} << QStringList {"lblFreq=<unset>"};
    QTest::newRow("empty channel below start steps down")
        << "06" << QByteArray("MR0 050000000000000000 ;") << QList<bool> {false}
        << QList<QByteArray> {} << QStringList {};
    QTest::newRow("wrapped to 00 from 99 steps down")
        << "99" << QByteArray("MR0 000000000000000000 ;") << QList<bool> {false}
        << QList<QByteArray> {} << QStringList {};
    QTest::newRow("programmed channel")
        << "04" << QByteArray("MR0 050001420000020112 ;") << QList<bool> {}
        << QList<QByteArray> {"SQ000;", "AI3;"}
        << QStringList {"lblVFO=Mem 05", "lblFreq=14,200.000", "LblMode=USB", "LblTone=TONE"};
    QTest::newRow("programmed channel without a tone number")
        << "04" << QByteArray("MR0 0500014200000200   ;") << QList<bool> {}
        << QList<QByteArray> {"SQ000;", "AI3;"} << QStringList {"lblVFO=Mem 05", "LblTone= "};
    QTest::newRow("transmit side elsewhere")
        << "04" << QByteArray("MR0 050001420000020000 ;MR1 050001425000020000 ;") << QList<bool> {}
        << QList<QByteArray> {"SQ000;", "AI3;", "SQ000;"}
        << QStringList {"lblSubFrequency=<M>  14,250.000"};
    QTest::newRow("transmit side same")
        << "04" << QByteArray("MR0 050001420000020000 ;MR1 050001420000020000 ;") << QList<bool> {}
        << QList<QByteArray> {"SQ000;", "AI3;", "SQ000;"} << QStringList {"lblSubFrequency= "};
    QTest::newRow("transmit side of an empty channel")
        << "04" << QByteArray("MR1 050000000000000000 ;") << QList<bool> {} << QList<QByteArray> {}
        << QStringList {"lblSubFrequency=<unset>"};
}

void TestInterpreter::memoryStep()
{
    QFETCH(QString, start);
    QFETCH(QByteArray, reply);
    QFETCH(QList<bool>, steps);
    QFETCH(QList<QByteArray>, sent);
    QFETCH(QStringList, labels);
    Rig rig;
    rig.radio.state().StartMemChannel = start;
    rig.feed(reply);
    QCOMPARE(rig.display.steps, steps);
    QCOMPARE(rig.sent, sent);
    checkLabels(rig.display, labels);
}

void TestInterpreter::memoryDownloadHandOff()
{
    Rig rig;
    rig.radio.state().DownloadSwitch = 1;
    // Only memory replies in their layout go to it; stray bytes in front are not passed on.
    rig.feed("MR0 050001420000020112 ;MR0 06;RMR0 070000706000010000 ;");
    QCOMPARE(rig.display.downloads,
             QStringList({"MR0 050001420000020112 ;", "MR0 070000706000010000 ;"}));
    QCOMPARE(rig.radio.state().Freq, QStringLiteral("999999999"));
    rig.radio.state().DownloadSwitch = 2;
    rig.feed("MR0 050001420000020112 ;");
    QCOMPARE(rig.display.downloads.size(), 2);
    QVERIFY(rig.display.labels.isEmpty());
}

// A reply the radio could give to each query.
static QByteArray answerTo(const QString &query)
{
    const QByteArray code = query.left(2).toLatin1();
    static const QMap<QByteArray, QByteArray> answers = {
        {"IF", StatusWord {}.reply()},
        {"FA", "FA00014200000;"},
        {"FB", "FB00007050000;"},
        {"AG", "AG100;"},
        {"RG", "RG255;"},
        {"SH", "SH12;"},
        {"SL", "SL03;"},
        {"IS", "IS+0000;"},
        {"LK", "LK0;"},
        {"PA", "PA1;"},
        {"PS", "PS1;"},
        {"PR", "PR0;"},
        {"NR", "NR0;"},
        {"NB", "NB0;"},
        {"BC", "BC0;"},
        {"VX", "VX0;"},
        {"TO", "TO0;"},
        {"MG", "MG050;"},
        {"PC", "PC100;"},
        {"KS", "KS020;"},
        {"CA", "CA0;"},
        {"FW", "FW0001;"},
        {"AN", "AN1;"},
        {"GT", "GT004;"},
        {"RA", "RA00;"},
        {"VD", "VD0300;"},
        {"VG", "VG004;"},
        {"PB", "PB0;"},
        {"TN", "TN08;"},
        {"SQ", "SQ000;"},
        {"AC", "AC000;"},
    };
    Q_ASSERT(answers.contains(code));
    return answers.value(code);
}

void TestInterpreter::startupWalksTheWholeList()
{
    Rig rig;
    rig.radio.Synchronise();
    QCOMPARE(rig.sent, QList<QByteArray>({"IF;", "AI3;"}));
    QCOMPARE(rig.radio.state().TXState, QStringLiteral("RX"));
    const auto list = Cat::startupCommands();
    for (int i = 0; i < 38; ++i) {
        QCOMPARE(rig.radio.state().StartupLoading, QStringLiteral("1"));
        QCOMPARE(i == 0 ? rig.sent.first() : rig.sent.last(), list[i].toLatin1());
        rig.feed(answerTo(list[i]));
        QVERIFY(rig.display.progressOpen || i == 37);
    }
    QCOMPARE(rig.radio.state().StartupLoading, QStringLiteral("0"));
    QCOMPARE(rig.display.progressMessage, QStringLiteral("Loading Data from Radio, Please Wait !"));
    QVERIFY(!rig.display.progressBar);
    QVERIFY(!rig.display.progressPercentVisible);
    QVERIFY(!rig.display.progressOpen);
    QCOMPARE(rig.display.progressCloses, 1);
    // Each query exactly once, in order, after "AI3;".
    QList<QByteArray> expected {"IF;", "AI3;"};
    for (int i = 1; i < 38; ++i)
        expected << list[i].toLatin1();
    QCOMPARE(rig.sent, expected);
    QCOMPARE(rig.radio.state().Freq, QStringLiteral("14200"));
    QCOMPARE(rig.radio.state().VGValue, QStringLiteral("004"));

    // Later replies leave the progress window alone.
    const int shows = rig.display.progressShows;
    rig.feed("FA00014100000;PA0;");
    QCOMPARE(rig.display.progressShows, shows);
    QCOMPARE(rig.sent.size(), expected.size());
}

void TestInterpreter::startupRepeatsAndGivesUp()
{
    Rig rig;
    rig.radio.Synchronise();
    const auto list = Cat::startupCommands();
    for (int i = 0; i < 6; ++i)
        rig.feed(answerTo(list[i]));
    QCOMPARE(rig.radio.state().StartupCommand, QStringLiteral("RG;"));
    rig.sent.clear();
    // Unrelated automatic reports: the query is sent again three times, then given up.
    rig.feed("FA00014200000;");
    rig.feed("FA00014200000;");
    rig.feed("FA00014200000;");
    QCOMPARE(rig.sent, QList<QByteArray>({"RG;", "RG;", "RG;"}));
    rig.feed("FA00014200000;");
    QCOMPARE(rig.sent.last(), QByteArray("SH;"));
    QCOMPARE(rig.radio.state().StartupRetries, qint16(0));
    // Replies that arrive in one event are each counted.
    rig.sent.clear();
    rig.feed("PA1;PA1;PA1;PA1;");
    QCOMPARE(rig.sent, QList<QByteArray>({"SH;", "SH;", "SH;", "SL;"}));
}

void TestInterpreter::startupAnsweredByShortReply()
{
    // A reply too short for its layout is noise: it changes no state and does not answer the
    // query, which is asked again.
    Rig rig;
    rig.radio.Synchronise();
    rig.feed("IF;");
    QCOMPARE(rig.radio.state().Freq, QStringLiteral("999999999"));
    QCOMPARE(rig.radio.state().StartupCommand, QStringLiteral("IF;"));
    QCOMPARE(rig.sent.last(), QByteArray("IF;"));
    QCOMPARE(rig.radio.state().StartupRetries, qint16(1));
}

void TestInterpreter::startupRepeatsUnansweredQueries()
{
    Rig rig;
    rig.radio.setStartupReplyTimeout(20);
    rig.radio.Synchronise();
    // One unrelated reply, then silence: the waits count toward the same three repeats, and
    // then the list moves on.
    rig.feed("PA1;");
    QTRY_VERIFY(rig.sent.size() >= 6);
    QCOMPARE(rig.sent.mid(0, 6), QList<QByteArray>({"IF;", "AI3;", "IF;", "IF;", "IF;", "FA;"}));
    QCOMPARE(rig.radio.state().StartupLoading, QStringLiteral("1"));

    // The radio answers from here on, well within the wait; a late answer to a repeated query
    // does no harm.
    rig.radio.setStartupReplyTimeout(60000);
    const auto list = Cat::startupCommands();
    rig.feed(answerTo(list[0]));
    for (int i = 1; i < 38; ++i)
        rig.feed(answerTo(list[i]));
    QCOMPARE(rig.radio.state().StartupLoading, QStringLiteral("0"));
    QVERIFY(!rig.display.progressOpen);
    // Once the list is done nothing is asked again.
    rig.radio.setStartupReplyTimeout(5);
    const qsizetype sentAtEnd = rig.sent.size();
    QTest::qWait(50);
    QCOMPARE(rig.sent.size(), sentAtEnd);
}

void TestInterpreter::startupThroughStrayBytes()
{
    // Stray bytes in front of each answer cost nothing: every query is sent once, in order.
    static const QByteArray Noise[] = {"R", "Q", "W", "\r\n", "5 ", "RRR"};
    Rig rig;
    rig.radio.Synchronise();
    const auto list = Cat::startupCommands();
    for (int i = 0; i < 38; ++i)
        rig.feed(Noise[i % std::size(Noise)] + answerTo(list[i]));
    QCOMPARE(rig.radio.state().StartupLoading, QStringLiteral("0"));
    QList<QByteArray> expected {"IF;", "AI3;"};
    for (int i = 1; i < 38; ++i)
        expected << list[i].toLatin1();
    QCOMPARE(rig.sent, expected);
    QCOMPARE(rig.radio.state().AGCOn, QStringLiteral("004"));
    QCOMPARE(rig.radio.state().AttOn, QStringLiteral("00"));
    QCOMPARE(rig.display.sliders.value(RadioView::Slider::SliderRF), 255);
}

void TestInterpreter::synchroniseRestarts()
{
    Rig rig;
    rig.radio.Synchronise();
    rig.feed(StatusWord {}.reply());
    rig.feed("FA00014200000;");
    rig.sent.clear();
    rig.radio.Synchronise();
    QCOMPARE(rig.sent, QList<QByteArray>({"IF;", "AI3;"}));
    QCOMPARE(rig.radio.state().StartupIndex, qint16(0));
    rig.feed(StatusWord {}.reply());
    QCOMPARE(rig.sent.last(), QByteArray("FA;"));
    QVERIFY(rig.display.progressOpen);
}

void TestInterpreter::framing_data()
{
    QTest::addColumn<QList<QByteArray>>("pieces");
    QTest::addColumn<QString>("vfoA");
    QTest::addColumn<QString>("vfoB");
    QTest::addColumn<QString>("out");

    QTest::newRow("split over two events") << QList<QByteArray> {"FA000070", "50500;"} << "7050.5"
                                           << ""
                                           << "";
    QTest::newRow("piece without terminator waits") << QList<QByteArray> {"FA000070"} << ""
                                                    << ""
                                                    << "FA000070";
    QTest::newRow("two replies in one event")
        << QList<QByteArray> {"FA00007050500;FB00014200000;"} << "7050.5"
        << "14200"
        << "";
    QTest::newRow("one and a half") << QList<QByteArray> {"FA00007050500;FB0001"} << "7050.5"
                                    << ""
                                    << "FB0001";
    QTest::newRow("completed across three events")
        << QList<QByteArray> {"FA00007050500;FB0001", "42000", "00;"} << "7050.5"
        << "14200"
        << "";
    QTest::newRow("noise bytes before a reply")
        << QList<QByteArray> {QByteArray("\x00\xff\r\n", 4) + "FA00007050500;"} << "7050.5"
        << ""
        << "";
    QTest::newRow("error reply between") << QList<QByteArray> {"?;FA00007050500;"} << "7050.5"
                                         << ""
                                         << "";
}

void TestInterpreter::framing()
{
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(QString, vfoA);
    QFETCH(QString, vfoB);
    QFETCH(QString, out);
    Rig rig;
    for (const auto &p : pieces)
        rig.feed(p);
    QCOMPARE(rig.radio.state().VFOAFreq, vfoA);
    QCOMPARE(rig.radio.state().VFOBFreq, vfoB);
    QCOMPARE(rig.radio.Out, out);
}

void TestInterpreter::noiseIsBounded()
{
    Rig rig;
    for (int i = 0; i < 100; ++i) {
        rig.feed(QByteArray(100, 'x'));
        QVERIFY(rig.radio.Out.size() <= Radio::MaxPendingReply + 100);
    }
    rig.feed("FA00007050500;");
    QCOMPARE(rig.radio.state().VFOAFreq, QStringLiteral("7050.5"));
    QVERIFY(rig.radio.Out.isEmpty());
}

void TestInterpreter::capKeepsAReplyStillArriving_data()
{
    QTest::addColumn<QByteArray>("first"); // noise and the start of a reply, in one event
    QTest::addColumn<QByteArray>("rest"); // the next event
    QTest::addColumn<QString>("freq");

    QTest::newRow("FA after 1017 noise bytes")
        << QByteArray(1017, '#') + "FA000070" << QByteArray("50500;") << "7050.5";
    QTest::newRow("the longest reply, whole but for its terminator")
        << QByteArray(1000, '#') + StatusWord {}.reply().chopped(1) << QByteArray(";") << "14200";
    QTest::newRow("an earlier code in that stretch does no harm")
        << QByteArray(1010, '#') + "RG1#######FA000070" << QByteArray("50500;") << "7050.5";
    QTest::newRow("a code further back than the longest reply is not") << QByteArray(990, '#')
            + "FA00007" + QByteArray(40, '#') << QByteArray("050500;") << "999999999";
}

void TestInterpreter::capKeepsAReplyStillArriving()
{
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, rest);
    QFETCH(QString, freq);
    Rig rig;
    rig.feed(first);
    QVERIFY(rig.radio.Out.size() <= Radio::MaxPendingReply);
    rig.feed(rest);
    QCOMPARE(rig.radio.state().Freq, freq);
    QVERIFY(rig.radio.Out.isEmpty());
}

void TestInterpreter::sendButton()
{
    Rig rig;
    rig.radio.cmdSend_Click();
    QCOMPARE(rig.sent, QList<QByteArray>({"TX;", "SM;"}));
    rig.sent.clear();
    rig.feed("TX;");
    rig.radio.cmdSend_Click();
    QCOMPARE(rig.sent, QList<QByteArray>({"RX;", "SM;"}));
    // The button itself changes nothing: only the radio's reply does.
    QCOMPARE(rig.radio.state().TXState, QStringLiteral("TX"));
}

QTEST_GUILESS_MAIN(TestInterpreter)
#include "tst_interpreter.moc"
