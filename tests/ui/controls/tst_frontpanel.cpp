// The main window's control frames: names, captions and accessibility of every control, the
// commands their clicks write, the sliders' operator changes, the knob's release and Enter
// Freq. with its refusal message.
#include "common/recordingdisplay.h"
#include "core/control/tuningcontrols.h"
#include "core/radio/radio.h"
#include "ui/controls/cbotknob.h"
#include "ui/controls/frontpanel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

namespace {

struct Bench
{
    Bench()
    {
        radio.setDisplay(&display);
        radio.state().VFO = QStringLiteral("0");
        radio.state().Freq = QStringLiteral("14200");
        QObject::connect(&radio, &Radio::commandWritten, &radio,
                         [this](const QByteArray &c) { sent.append(c); });
        panel.setMessageBox([this](const QString &text) { messages.append(text); });
    }
    ~Bench() { radio.setDisplay(nullptr); }

    template<typename T> T *find(const QString &name) { return window.findChild<T *>(name); }

    Radio radio;
    RecordingDisplay display;
    QWidget window;
    FrontPanel panel {radio, &window};
    QByteArrayList sent;
    QStringList messages;
};

} // namespace

Q_DECLARE_METATYPE(FrontPanel::Window)

class TestFrontPanel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void controls_data();
    void controls();
    void frames();
    void everyControlIsAccessible();
    void buttonCommands_data();
    void buttonCommands();
    void stepOptions();
    void windowButtons_data();
    void windowButtons();
    void sliderOperatorChanges_data();
    void sliderOperatorChanges();
    void setSliderFromCode();
    void pageKeysBeforeFocusedSlider_data();
    void pageKeysBeforeFocusedSlider();
    void knobRelease();
    void enterFrequency_data();
    void enterFrequency();
    void memoryStepContinues();
};

void TestFrontPanel::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");

    const char *rows[][2] = {
        {"Opt1Hz", "1 Hz"},
        {"Opt100Hz", "100 hz "},
        {"Opt1khz", "1 Khz "},
        {"Opt5Khz", "5 Khz "},
        {"Opt10Khz", "10 Khz "},
        {"Opt500Khz", "0.5 Mhz"},
        {"Opt1Mhz", "1 Mhz"},
        {"CmdStepDwn", "&<<"},
        {"CmdStepUp", "&>>"},
        {"CmdDwn", "&Dwn"},
        {"CmdUp", "&Up"},
        {"CmdFreqEnter", "Enter Freq."},
        {"CmdBand", "Band"},
        {"CmdFreqScan", "Freq Scan"},
        {"CmdMemory", "&Mem"},
        {"Command9", "LSB"},
        {"Command10", "USB"},
        {"Command11", "CW"},
        {"Command12", "FM"},
        {"Command8", "AM"},
        {"Command6", "FSK"},
        {"cmdCWRev", "CW-R"},
        {"cmdFSKRev", "FSK-R"},
        {"cmdSplitOn", "On"},
        {"cmdSplitOff", "Off"},
        {"cndTFSet", "TF-Set"},
        {"cmdRIT", "RIT"},
        {"cmdXIT", "XIT"},
        {"cmdRitXitUp", "Up"},
        {"cmdRitXitDn", "Dwn"},
        {"cmdRitXitClear", "Clear"},
        {"cmdAtt", "Att"},
        {"CmdATTune", "AT "},
        {"CmdPreAmp", "Pre-am"},
        {"cmdProcOn", "Proc"},
        {"CmdVoxOn", "Vox"},
        {"cmdBC", "BC"},
        {"cmdNR12", "NR1/2"},
        {"cmdFLock", "Flock"},
        {"cmdPower", "Power"},
        {"cmdCWT", "CW T"},
        {"CmdVFOA", "&A"},
        {"CmdVFOB", "&B"},
        {"Command30", "M"},
        {"CmdAeqB", "A=B"},
        {"CmdBeqA", "B=A"},
        {"cmdFilter", "Filter"},
        {"cmdFunctions", "Power Mic Key Delay VOX SQL Ant AGC Tone Ch1 Ch2 Ch3"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << QString::fromLatin1(row[0]) << QString::fromLatin1(row[1]);
}

void TestFrontPanel::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);

    Bench b;
    auto *button = b.find<QAbstractButton>(name);
    QVERIFY2(button, qPrintable(name));
    QCOMPARE(button->text(), caption);
    QVERIFY(!button->accessibleName().isEmpty());
    QVERIFY(button->focusPolicy() & Qt::TabFocus);
}

void TestFrontPanel::frames()
{
    Bench b;
    QCOMPARE(b.panel.freqMemFrame()->title(), QStringLiteral("Freq. && Mem Select."));
    QCOMPARE(b.panel.controlsFrame()->title(), QStringLiteral("Controls"));
    QCOMPARE(b.panel.modeFrame()->title(), QStringLiteral("Mode"));
    QCOMPARE(b.panel.splitFrame()->title(), QStringLiteral("Split"));
    QCOMPARE(b.panel.ritXitFrame()->title(), QStringLiteral("RIT/XIT"));
    QCOMPARE(b.panel.knob()->objectName(), QStringLiteral("CbotKnob1"));
    QVERIFY(b.find<QAbstractButton>(QStringLiteral("Opt1khz"))->isChecked());

    struct SliderRow
    {
        const char *name;
        const char *label;
        int min, max, single, page, tick;
    };
    const SliderRow sliders[] = {
        {"SliderVolume", "Volume", 0, 255, 1, 5, 10},
        {"SliderRF", "RF", 0, 255, 1, 5, 10},
        {"SliderDSPHigh", "DSP High Cut", 0, 20, 1, 5, 1},
        {"SliderDSPLow", "DSP Low Cut", 0, 20, 1, 5, 1},
        {"SliderIS", "IF Shift", -1100, 1100, 50, 50, 100},
    };
    for (const SliderRow &row : sliders) {
        auto *s = b.find<QSlider>(QLatin1String(row.name));
        QVERIFY2(s, row.name);
        QCOMPARE(s->parentWidget(), b.panel.controlsFrame());
        QCOMPARE(s->minimum(), row.min);
        QCOMPARE(s->maximum(), row.max);
        QCOMPARE(s->singleStep(), row.single);
        QCOMPARE(s->pageStep(), row.page);
        QCOMPARE(s->tickInterval(), row.tick);
        QCOMPARE(s->orientation(), Qt::Horizontal);
        bool labelled = false;
        for (QLabel *label : b.panel.controlsFrame()->findChildren<QLabel *>())
            labelled |= label->buddy() == s && label->text() == QLatin1String(row.label);
        QVERIFY2(labelled, row.name);
    }
}

void TestFrontPanel::everyControlIsAccessible()
{
    Bench b;
    const QList<QWidget *> widgets = b.window.findChildren<QWidget *>();
    int controls = 0;
    for (QWidget *w : widgets) {
        if (!qobject_cast<QAbstractButton *>(w) && !qobject_cast<QAbstractSlider *>(w))
            continue;
        ++controls;
        QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
        QVERIFY2(w->focusPolicy() & Qt::TabFocus, qPrintable(w->objectName()));
    }
    QCOMPARE(controls, 48 + 3 + 5 + 1); // buttons and options, memory buttons, sliders, knob
}

void TestFrontPanel::buttonCommands_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("vfo");
    QTest::addColumn<QByteArrayList>("expected");

    QTest::newRow("step up") << "CmdStepUp"
                             << "0" << QByteArrayList {"FA00014201000;", "IF;"};
    QTest::newRow("step down no VFO") << "CmdStepDwn"
                                      << "" << QByteArrayList();
    QTest::newRow("up") << "CmdUp"
                        << "1" << QByteArrayList {"FB00014200010;"};
    QTest::newRow("down") << "CmdDwn"
                          << "0" << QByteArrayList {"FA00014199990;"};
    QTest::newRow("USB") << "Command10"
                         << "" << QByteArrayList {"MD2;", "FW;"};
    QTest::newRow("FSK-R") << "cmdFSKRev"
                           << "" << QByteArrayList {"MD9;", "FW;"};
    QTest::newRow("split on") << "cmdSplitOn"
                              << "0" << QByteArrayList {"FT1;", "IF;"};
    QTest::newRow("split off") << "cmdSplitOff"
                               << "1" << QByteArrayList {"FR1;", "IF;"};
    QTest::newRow("TF-Set") << "cndTFSet"
                            << "0" << QByteArrayList {"FR1;", "FT0;", "IF;"};
    QTest::newRow("RIT") << "cmdRIT"
                         << "0" << QByteArrayList {"RT1;"};
    QTest::newRow("XIT") << "cmdXIT"
                         << "0" << QByteArrayList {"XT1;"};
    QTest::newRow("RIT/XIT clear") << "cmdRitXitClear"
                                   << "0" << QByteArrayList {"RC;"};
    QTest::newRow("A") << "CmdVFOA"
                       << "" << QByteArrayList {"FR0;", "FA;", "IF;"};
    QTest::newRow("M") << "Command30"
                       << "" << QByteArrayList {"FR2;", "IF;"};
    QTest::newRow("B=A") << "CmdBeqA"
                         << "" << QByteArrayList {"FA;", "FB00014200000;"};
    QTest::newRow("Att") << "cmdAtt"
                         << "0" << QByteArrayList();
    QTest::newRow("Pre-am") << "CmdPreAmp"
                            << "0" << QByteArrayList {"PA1;"};
    QTest::newRow("Flock") << "cmdFLock"
                           << "0" << QByteArrayList {"LK1;", "AI3;"};
    QTest::newRow("CW T") << "cmdCWT"
                          << "0" << QByteArrayList {"CA1;"};
}

void TestFrontPanel::buttonCommands()
{
    QFETCH(QString, name);
    QFETCH(QString, vfo);
    QFETCH(QByteArrayList, expected);

    Bench b;
    b.radio.state().VFO = vfo;
    b.find<QAbstractButton>(name)->click();
    QCOMPARE(b.sent, expected);
}

void TestFrontPanel::stepOptions()
{
    Bench b;
    b.find<QAbstractButton>(QStringLiteral("Opt500Khz"))->click();
    QCOMPARE(b.panel.tuning().StepSize, QStringLiteral("500000"));
    QVERIFY(!b.find<QAbstractButton>(QStringLiteral("Opt1khz"))->isChecked());
    b.find<QAbstractButton>(QStringLiteral("CmdStepDwn"))->click();
    QCOMPARE(b.sent, (QByteArrayList {"FA00013700000;", "IF;"}));
}

void TestFrontPanel::windowButtons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<FrontPanel::Window>("window");

    QTest::newRow("Band") << "CmdBand" << FrontPanel::Window::Band;
    QTest::newRow("Filter") << "cmdFilter" << FrontPanel::Window::Filter;
    QTest::newRow("Freq Scan") << "CmdFreqScan" << FrontPanel::Window::FreqScan;
    QTest::newRow("Functions") << "cmdFunctions" << FrontPanel::Window::Functions;
    QTest::newRow("Mem") << "CmdMemory" << FrontPanel::Window::Memory;
}

void TestFrontPanel::windowButtons()
{
    QFETCH(QString, name);
    QFETCH(FrontPanel::Window, window);

    Bench b;
    QSignalSpy opened(&b.panel, &FrontPanel::openWindow);
    b.find<QAbstractButton>(name)->click();
    QCOMPARE(opened.count(), 1);
    QCOMPARE(opened.at(0).at(0).value<FrontPanel::Window>(), window);
    QVERIFY(b.sent.isEmpty());
}

void TestFrontPanel::sliderOperatorChanges_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QByteArrayList>("expected");

    QTest::newRow("volume right key")
        << "SliderVolume" << 6 << "right" << QByteArrayList {"AG007;"};
    QTest::newRow("volume page up key")
        << "SliderVolume" << 0 << "pageup" << QByteArrayList {"AG005;"};
    QTest::newRow("volume at end") << "SliderVolume" << 255 << "right" << QByteArrayList();
    QTest::newRow("RF drag") << "SliderRF" << 0 << "drag" << QByteArrayList {"RG012;"};
    QTest::newRow("DSP high drag") << "SliderDSPHigh" << 3 << "drag" << QByteArrayList {"SH12;"};
    QTest::newRow("DSP low left key") << "SliderDSPLow" << 4 << "left" << QByteArrayList {"SL03;"};
    QTest::newRow("IF shift left from 0")
        << "SliderIS" << 0 << "left" << QByteArrayList {"IS-0050;"};
    QTest::newRow("IF shift to -100") << "SliderIS" << -50 << "left" << QByteArrayList {"IS-0100;"};
    QTest::newRow("IF shift right to 0")
        << "SliderIS" << -50 << "right" << QByteArrayList {"IS+0000;"};
    QTest::newRow("IF shift lowest")
        << "SliderIS" << -1050 << "left" << QByteArrayList {"IS-1100;"};
    QTest::newRow("IF shift highest")
        << "SliderIS" << 1050 << "right" << QByteArrayList {"IS+1100;"};
}

void TestFrontPanel::sliderOperatorChanges()
{
    QFETCH(QString, name);
    QFETCH(int, start);
    QFETCH(QString, how);
    QFETCH(QByteArrayList, expected);

    Bench b;
    auto *slider = b.find<QSlider>(name);
    slider->setValue(start);
    QVERIFY(b.sent.isEmpty());
    if (how == QLatin1String("right"))
        QTest::keyClick(slider, Qt::Key_Right);
    else if (how == QLatin1String("left"))
        QTest::keyClick(slider, Qt::Key_Left);
    else if (how == QLatin1String("pageup"))
        QTest::keyClick(slider, Qt::Key_PageUp);
    else {
        // A drag: nothing while the handle moves, the value when it is let go.
        slider->setSliderDown(true);
        slider->setSliderPosition(start + 5);
        slider->setSliderPosition(12);
        QVERIFY(b.sent.isEmpty());
        slider->setSliderDown(false);
    }
    QCOMPARE(b.sent, expected);
}

void TestFrontPanel::setSliderFromCode()
{
    Bench b;
    const std::pair<RadioView::Slider, int> rows[] = {
        {RadioView::Slider::SliderVolume, 7},   {RadioView::Slider::SliderRF, 200},
        {RadioView::Slider::SliderDSPHigh, 12}, {RadioView::Slider::SliderDSPLow, 1},
        {RadioView::Slider::SliderIS, -200},
    };
    for (const auto &[slider, value] : rows)
        QVERIFY(b.panel.setSlider(slider, value));
    QCOMPARE(b.find<QSlider>(QStringLiteral("SliderIS"))->value(), -200);
    QCOMPARE(b.find<QSlider>(QStringLiteral("SliderRF"))->value(), 200);
    QVERIFY(!b.panel.setSlider(RadioView::Slider::SliderPower, 50));
    QVERIFY(b.sent.isEmpty());
}

void TestFrontPanel::pageKeysBeforeFocusedSlider_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QByteArrayList>("expected");

    QTest::newRow("Page Up") << int(Qt::Key_PageUp) << 0 << true
                             << QByteArrayList {"FA00014200010;"};
    QTest::newRow("Page Down") << int(Qt::Key_PageDown) << 0 << true
                               << QByteArrayList {"FA00014199990;"};
    QTest::newRow("Ctrl+Page Down") << int(Qt::Key_PageDown) << int(Qt::ControlModifier) << true
                                    << QByteArrayList {"FA00014199990;", "FA00014199000;", "IF;"};
    QTest::newRow("Shift+Page Up") << int(Qt::Key_PageUp) << int(Qt::ShiftModifier) << true
                                   << QByteArrayList {"FA00014200010;"};
    QTest::newRow("arrow stays with the slider")
        << int(Qt::Key_Right) << 0 << false << QByteArrayList();
}

void TestFrontPanel::pageKeysBeforeFocusedSlider()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, taken);
    QFETCH(QByteArrayList, expected);

    Bench b;
    auto *slider = b.find<QSlider>(QStringLiteral("SliderVolume"));
    b.window.show();
    slider->setFocus();
    QCOMPARE(b.panel.handleKey(key, Qt::KeyboardModifiers(modifiers)), taken);
    QCOMPARE(b.sent, expected);
    QCOMPARE(slider->value(), 0);
}

void TestFrontPanel::knobRelease()
{
    Bench b;
    b.radio.state().Freq = QStringLiteral("7050");
    auto *knob = qobject_cast<CbotKnob *>(b.panel.knob());
    QVERIFY(knob);
    QSignalSpy released(knob, &CbotKnob::mouseUp);

    QTest::keyClick(knob, Qt::Key_Left);
    QTest::keyClick(knob, Qt::Key_Left);
    QCOMPARE(b.display.labels.value(RadioView::Label::lblFreq), QStringLiteral("7,049.980"));
    QVERIFY(b.sent.isEmpty());
    QVERIFY(released.wait(5000));
    QCOMPARE(b.sent, (QByteArrayList {"FA00007049980;", "IF;"}));
    QCOMPARE(knob->position(), 0);

    // The radio reports the new frequency; the next turn counts from there.
    b.radio.state().Freq = QStringLiteral("7049.98");
    b.sent.clear();
    QTest::keyClick(knob, Qt::Key_Right);
    QVERIFY(released.wait(5000));
    QCOMPARE(b.sent, (QByteArrayList {"FA00007049990;", "IF;"}));

    // A release without a turn writes nothing.
    b.sent.clear();
    Q_EMIT knob->mouseUp();
    QVERIFY(b.sent.isEmpty());
}

void TestFrontPanel::enterFrequency_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArrayList>("expected");
    QTest::addColumn<bool>("message");

    QTest::newRow("26,600") << "26,600" << QByteArrayList {"FA00026600000;"} << false;
    QTest::newRow("14200.5") << "14200.5" << QByteArrayList {"FA00014200500;"} << false;
    QTest::newRow("cancel") << "" << QByteArrayList() << false;
    QTest::newRow("abc") << "abc" << QByteArrayList() << false;
    QTest::newRow("12abc") << "12abc" << QByteArrayList() << true;
    QTest::newRow("negative") << "-100" << QByteArrayList() << true;
}

void TestFrontPanel::enterFrequency()
{
    QFETCH(QString, typed);
    QFETCH(QByteArrayList, expected);
    QFETCH(bool, message);

    Bench b;
    QString asked;
    b.panel.setTextPrompt([&](const QString &prompt) {
        asked = prompt;
        return typed;
    });
    b.find<QAbstractButton>(QStringLiteral("CmdFreqEnter"))->click();
    QCOMPARE(asked, QStringLiteral("Enter the Frequency, e.g. 26,600 Khz = 26600"));
    QCOMPARE(b.sent, expected);
    QCOMPARE(b.messages.size(), message ? 1 : 0);
    if (message)
        QVERIFY(b.messages.first().contains(typed));
}

void TestFrontPanel::memoryStepContinues()
{
    Bench b;
    b.radio.state().VFO = QStringLiteral("2");
    b.radio.state().MemChannel = QStringLiteral("05");
    b.panel.memoryStep(true);
    QCOMPARE(b.sent, (QByteArrayList {"AI0;", "SQ255;", "MR0 06;", "MR1 06;", "MC 06;"}));
}

QTEST_MAIN(TestFrontPanel)
#include "tst_frontpanel.moc"
