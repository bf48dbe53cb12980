#include "guiheaders.h" // first: see there

#include "commandlog.h"
#include "panels/frmfunctions.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <memory>

using Display::Label;
using Display::Option;
using Display::Slider;

namespace {

struct Panel
{
    Radio radio;
    CommandLog log {radio};
    std::unique_ptr<frmFunctions> form;

    void open() { form = std::make_unique<frmFunctions>(radio); }
    template<class T> T *control(const char *name) const
    {
        T *w = form->findChild<T *>(QString::fromLatin1(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
};

} // namespace

class TestFrmFunctions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void opening_data();
    void opening();
    void optionClick_data();
    void optionClick();
    void selectOptionFromCode();
    void toneOnOpening_data();
    void toneOnOpening();
    void toneChoice_data();
    void toneChoice();
    void toneTyped_data();
    void toneTyped();
    void sliderRelease_data();
    void sliderRelease();
    void sliderKeyboard_data();
    void sliderKeyboard();
    void valuesOnOpening_data();
    void valuesOnOpening();
    void setSliderFromCode_data();
    void setSliderFromCode();
    void levelLabels();
    void closeRestoresCursorAndUnloads();
    void controlsAreAccessible();
};

void TestFrmFunctions::opening_data()
{
    QTest::addColumn<QString>("nb");
    QTest::addColumn<QString>("ant");
    QTest::addColumn<QString>("agc");
    QTest::addColumn<QString>("playback");
    QTest::addColumn<QStringList>("sent");

    QTest::newRow("all set") << "1"
                             << "2"
                             << "004"
                             << "0" << QStringList {"NB1;", "AN2;", "GT004;", "PB0;"};
    QTest::newRow("other choices") << "0"
                                   << "1"
                                   << "002"
                                   << "3" << QStringList {"NB0;", "AN1;", "GT002;", "PB3;"};
    QTest::newRow("nothing reported") << ""
                                      << ""
                                      << ""
                                      << "" << QStringList {"NB0;"};
    QTest::newRow("no antenna") << "1"
                                << ""
                                << "002"
                                << "2" << QStringList {"NB1;", "GT002;", "PB2;"};
    QTest::newRow("values outside the tables") << "2"
                                               << "3"
                                               << "003"
                                               << "4" << QStringList {"NB0;"};
    QTest::newRow("padded values") << " 1"
                                   << "1 "
                                   << "2"
                                   << "00" << QStringList {"NB0;"};
}

void TestFrmFunctions::opening()
{
    QFETCH(QString, nb);
    QFETCH(QString, ant);
    QFETCH(QString, agc);
    QFETCH(QString, playback);
    QFETCH(QStringList, sent);

    Panel p;
    p.radio.state().NBOn = nb;
    p.radio.state().AntNum = ant;
    p.radio.state().AGCOn = agc;
    p.radio.state().PlayBackNum = playback;
    p.open();
    QCOMPARE(p.log.commands, sent);
    QCOMPARE(p.form->windowTitle(), QStringLiteral("Function"));
    QVERIFY(!p.form->isVisible());

    // Exactly the options whose commands were sent are selected.
    const char *options[][2]
        = {{"OptNBOn", "NB1;"},  {"OptNBOff", "NB0;"},     {"OptAnt1", "AN1;"},
           {"OptAnt2", "AN2;"},  {"OptAGCFast", "GT002;"}, {"OptAGCSlow", "GT004;"},
           {"OptChan0", "PB0;"}, {"OptChan1", "PB1;"},     {"OptChan2", "PB2;"},
           {"OptChan3", "PB3;"}};
    for (const auto &o : options)
        QCOMPARE(p.control<QRadioButton>(o[0])->isChecked(),
                 sent.contains(QString::fromLatin1(o[1])));
}

void TestFrmFunctions::optionClick_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QStringList>("sent");

    QTest::newRow("antenna 1") << "OptAnt1" << QStringList {"AN1;"};
    QTest::newRow("antenna 2") << "OptAnt2" << QStringList {"AN2;"};
    QTest::newRow("AGC fast") << "OptAGCFast" << QStringList {"GT002;"};
    QTest::newRow("AGC slow") << "OptAGCSlow" << QStringList {"GT004;"};
    QTest::newRow("NB on") << "OptNBOn" << QStringList {"NB1;"};
    QTest::newRow("NB off, already selected") << "OptNBOff" << QStringList {};
    QTest::newRow("channel cancel") << "OptChan0" << QStringList {"PB0;"};
    QTest::newRow("channel 1") << "OptChan1" << QStringList {"PB1;"};
    QTest::newRow("channel 2") << "OptChan2" << QStringList {"PB2;"};
    QTest::newRow("channel 3") << "OptChan3" << QStringList {"PB3;"};
}

void TestFrmFunctions::optionClick()
{
    QFETCH(QString, option);
    QFETCH(QStringList, sent);

    Panel p;
    p.open(); // nothing reported: only the noise blanker's "off" is selected
    p.log.take();
    auto *button = p.control<QRadioButton>(option.toLatin1().constData());
    button->click();
    QCOMPARE(p.log.take(), sent);
    QVERIFY(button->isChecked());
    button->click();
    QCOMPARE(p.log.take(), QStringList {});
}

void TestFrmFunctions::selectOptionFromCode()
{
    Panel p;
    p.radio.state().AntNum = QStringLiteral("1");
    p.open();
    p.log.take();

    p.form->selectOption(Option::OptAGCFast);
    QCOMPARE(p.log.take(), QStringList {"GT002;"});
    p.form->selectOption(Option::OptAGCFast);
    QCOMPARE(p.log.take(), QStringList {});

    p.form->selectOption(Option::OptAGCSlow);
    QCOMPARE(p.log.take(), QStringList {"GT004;"});
    QVERIFY(!p.control<QRadioButton>("OptAGCFast")->isChecked());
    // Each frame is its own group: the other frames keep their choice.
    QVERIFY(p.control<QRadioButton>("OptAnt1")->isChecked());
    QVERIFY(p.control<QRadioButton>("OptNBOff")->isChecked());

    p.form->selectOption(Option::OptNBOn);
    QCOMPARE(p.log.take(), QStringList {"NB1;"});
    QVERIFY(p.control<QRadioButton>("OptAGCSlow")->isChecked());
}

void TestFrmFunctions::toneOnOpening_data()
{
    QTest::addColumn<QString>("toneOn");
    QTest::addColumn<QString>("toneNum");
    QTest::addColumn<QString>("shown");

    QTest::newRow("tone off") << "0"
                              << "12"
                              << "Off";
    QTest::newRow("nothing reported") << ""
                                      << ""
                                      << "Off";
    QTest::newRow("tone 12") << "1"
                             << "12"
                             << "100.0";
    QTest::newRow("first tone") << "1"
                                << "01"
                                << "67.0";
    QTest::newRow("tone burst") << "1"
                                << "39"
                                << "1750";
    QTest::newRow("blank number") << "1"
                                  << " "
                                  << "Off";
    QTest::newRow("number past the table") << "1"
                                           << "40"
                                           << "Tone";
    QTest::newRow("number zero") << "1"
                                 << "00"
                                 << "Tone";
    QTest::newRow("one digit") << "1"
                               << "5"
                               << "Tone";
    QTest::newRow("not a number") << "1"
                                  << "x1"
                                  << "Tone";
}

void TestFrmFunctions::toneOnOpening()
{
    QFETCH(QString, toneOn);
    QFETCH(QString, toneNum);
    QFETCH(QString, shown);

    Panel p;
    p.radio.state().ToneOn = toneOn;
    p.radio.state().ToneNum = toneNum;
    p.open();
    auto *combo = p.control<QComboBox>("Combo1");
    QCOMPARE(combo->currentText(), shown);
    QCOMPARE(combo->count(), 40);
    QCOMPARE(combo->itemText(0), QStringLiteral("Off"));
    QCOMPARE(combo->itemText(2), QStringLiteral("71.9"));
    QCOMPARE(combo->itemText(39), QStringLiteral("1750"));
    for (const QString &c : p.log.commands)
        QVERIFY2(!c.startsWith(QLatin1String("TO")) && !c.startsWith(QLatin1String("TN")),
                 qPrintable(c));
}

void TestFrmFunctions::toneChoice_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("sent");

    QTest::newRow("off") << "Off" << QStringList {"TO0;"};
    QTest::newRow("71.9") << "71.9" << QStringList {"TO1;", "TN02;"};
    QTest::newRow("100.0") << "100.0" << QStringList {"TO1;", "TN12;"};
    QTest::newRow("1750") << "1750" << QStringList {"TO1;", "TN39;"};
    QTest::newRow("junk") << "junk" << QStringList {};
    QTest::newRow("empty") << "" << QStringList {};
    QTest::newRow("design text") << "Tone" << QStringList {};
    QTest::newRow("close to a tone") << "100" << QStringList {};
}

void TestFrmFunctions::toneChoice()
{
    QFETCH(QString, text);
    QFETCH(QStringList, sent);

    Panel p;
    p.open();
    p.log.take();
    auto *combo = p.control<QComboBox>("Combo1");
    combo->setEditText(text);
    QCOMPARE(p.log.take(), QStringList {}); // setting the text from code sends nothing
    p.form->Combo1_Click();
    QCOMPARE(p.log.take(), sent);

    // Choosing the entry from the list sends the same.
    const int i = combo->findText(text, Qt::MatchExactly);
    if (i >= 0) {
        combo->setCurrentIndex(i);
        Q_EMIT combo->activated(i);
        QCOMPARE(p.log.take(), sent);
    }
}

void TestFrmFunctions::toneTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("sent");

    QTest::newRow("a tone") << "71.9" << QStringList {"TO1;", "TN02;"};
    QTest::newRow("off") << "Off" << QStringList {"TO0;"};
    QTest::newRow("junk") << "abc;MD1" << QStringList {};
    QTest::newRow("the tone already shown") << "100.0" << QStringList {};
}

void TestFrmFunctions::toneTyped()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, sent);

    Panel p;
    p.radio.state().ToneOn = QStringLiteral("1");
    p.radio.state().ToneNum = QStringLiteral("12");
    p.open();
    p.log.take();
    auto *combo = p.control<QComboBox>("Combo1");
    combo->lineEdit()->clear();
    QTest::keyClicks(combo->lineEdit(), typed);
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    QCOMPARE(p.log.take(), sent);
    QCOMPARE(combo->count(), 40); // typed text is never added to the list
}

void TestFrmFunctions::sliderRelease_data()
{
    QTest::addColumn<QString>("slider");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("sent");

    QTest::newRow("power low") << "SliderPower" << 5 << "PC005;";
    QTest::newRow("power high") << "SliderPower" << 100 << "PC100;";
    QTest::newRow("mic low") << "SliderMic" << 0 << "MG000;";
    QTest::newRow("mic high") << "SliderMic" << 100 << "MG100;";
    QTest::newRow("keyer low") << "SliderKeyer" << 10 << "KS010;";
    QTest::newRow("keyer high") << "SliderKeyer" << 60 << "KS060;";
    QTest::newRow("delay low") << "SliderDelay" << 0 << "VD0000;";
    QTest::newRow("delay 50") << "SliderDelay" << 50 << "VD0050;";
    QTest::newRow("delay high") << "SliderDelay" << 3000 << "VD3000;";
    QTest::newRow("vox low") << "SliderVox" << 1 << "VG001;";
    QTest::newRow("vox high") << "SliderVox" << 9 << "VG009;";
    QTest::newRow("squelch low") << "SliderSQL" << 0 << "SQ000;";
    QTest::newRow("squelch high") << "SliderSQL" << 255 << "SQ255;";
}

void TestFrmFunctions::sliderRelease()
{
    QFETCH(QString, slider);
    QFETCH(int, value);
    QFETCH(QString, sent);

    Panel p;
    p.open();
    p.log.take();
    auto *s = p.control<QSlider>(slider.toLatin1().constData());
    // The operator drags the handle to the value and lets go.
    s->setSliderDown(true);
    s->setSliderPosition(value);
    QCOMPARE(p.log.take(), QStringList {}); // nothing while the handle is held
    s->setSliderDown(false);
    QCOMPARE(p.log.take(), QStringList {sent});
    QCOMPARE(s->value(), value);
}

void TestFrmFunctions::sliderKeyboard_data()
{
    QTest::addColumn<QString>("slider");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("sent");

    QTest::newRow("delay small step")
        << "SliderDelay" << 100 << int(Qt::Key_Right) << QStringList {"VD0150;"};
    QTest::newRow("delay large step")
        << "SliderDelay" << 100 << int(Qt::Key_PageUp) << QStringList {"VD0200;"};
    QTest::newRow("keyer down") << "SliderKeyer" << 20 << int(Qt::Key_PageDown)
                                << QStringList {"KS015;"};
    QTest::newRow("power to minimum")
        << "SliderPower" << 50 << int(Qt::Key_Home) << QStringList {"PC005;"};
    QTest::newRow("power at its end")
        << "SliderPower" << 100 << int(Qt::Key_Right) << QStringList {};
    QTest::newRow("keyer at its end") << "SliderKeyer" << 10 << int(Qt::Key_Left) << QStringList {};
}

void TestFrmFunctions::sliderKeyboard()
{
    QFETCH(QString, slider);
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(QStringList, sent);

    Panel p;
    p.open();
    auto *s = p.control<QSlider>(slider.toLatin1().constData());
    s->setValue(start);
    p.log.take();
    QTest::keyClick(s, Qt::Key(key));
    QCOMPARE(p.log.take(), sent);
}

void TestFrmFunctions::valuesOnOpening_data()
{
    QTest::addColumn<QString>("slider");
    QTest::addColumn<QString>("reported");
    QTest::addColumn<int>("shown");

    QTest::newRow("power in range") << "SliderPower"
                                    << "050" << 50;
    QTest::newRow("power below its minimum") << "SliderPower"
                                             << "000" << 5;
    QTest::newRow("power past its maximum") << "SliderPower"
                                            << "150" << 100;
    QTest::newRow("power overflowing") << "SliderPower"
                                       << "99999999999999999999" << 100;
    QTest::newRow("keyer below its minimum") << "SliderKeyer"
                                             << "000" << 10;
    QTest::newRow("delay past its maximum") << "SliderDelay"
                                            << "9999" << 3000;
    QTest::newRow("vox below its minimum") << "SliderVox"
                                           << "000" << 1;
    QTest::newRow("mic not a number") << "SliderMic"
                                      << "abc" << 0;
    QTest::newRow("squelch leading number") << "SliderSQL"
                                            << "12x" << 12;
    QTest::newRow("squelch empty") << "SliderSQL"
                                   << "" << 0;
    QTest::newRow("squelch negative") << "SliderSQL"
                                      << "-20" << 0;
}

void TestFrmFunctions::valuesOnOpening()
{
    QFETCH(QString, slider);
    QFETCH(QString, reported);
    QFETCH(int, shown);

    Panel p;
    RadioState &s = p.radio.state();
    const std::pair<const char *, QString *> values[]
        = {{"SliderPower", &s.PCValue}, {"SliderMic", &s.MGValue}, {"SliderKeyer", &s.KSValue},
           {"SliderDelay", &s.VDValue}, {"SliderVox", &s.VGValue}, {"SliderSQL", &s.SQValue}};
    for (const auto &[name, value] : values) {
        if (slider == QLatin1String(name))
            *value = reported;
    }
    s.PCLevel = QStringLiteral(" W");
    s.VDLevel = QStringLiteral("150 Ms");
    p.open();
    QCOMPARE(p.control<QSlider>(slider.toLatin1().constData())->value(), shown);
    // The labels show what the radio reported, not the slider's clamped position.
    QCOMPARE(p.control<QLabel>("lblPowerlevel")->text(), QStringLiteral(" W"));
    QCOMPARE(p.control<QLabel>("lblDelayLevel")->text(), QStringLiteral("150 Ms"));
    QCOMPARE(p.log.commands, QStringList {"NB0;"});
}

void TestFrmFunctions::setSliderFromCode_data()
{
    QTest::addColumn<int>("slider");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("shown");

    QTest::newRow("power") << int(Slider::SliderPower) << 40 << "SliderPower" << 40;
    QTest::newRow("power below") << int(Slider::SliderPower) << 0 << "SliderPower" << 5;
    QTest::newRow("keyer below") << int(Slider::SliderKeyer) << 0 << "SliderKeyer" << 10;
    QTest::newRow("delay above") << int(Slider::SliderDelay) << 5000 << "SliderDelay" << 3000;
    QTest::newRow("squelch") << int(Slider::SliderSQL) << 255 << "SliderSQL" << 255;
    QTest::newRow("vox negative") << int(Slider::SliderVox) << -3 << "SliderVox" << 1;
    QTest::newRow("main window slider") << int(Slider::SliderVolume) << 80 << "SliderMic" << 0;
}

void TestFrmFunctions::setSliderFromCode()
{
    QFETCH(int, slider);
    QFETCH(int, value);
    QFETCH(QString, name);
    QFETCH(int, shown);

    Panel p;
    p.open();
    p.log.take();
    p.form->setSlider(Slider(slider), value);
    QCOMPARE(p.control<QSlider>(name.toLatin1().constData())->value(), shown);
    QCOMPARE(p.log.take(), QStringList {});
}

void TestFrmFunctions::levelLabels()
{
    Panel p;
    p.open();
    const std::pair<Label, const char *> labels[]
        = {{Label::lblPowerlevel, "lblPowerlevel"}, {Label::lblMicGainLevel, "lblMicGainLevel"},
           {Label::lblKeyerLevel, "lblKeyerLevel"}, {Label::lblSQLLevel, "lblSQLLevel"},
           {Label::lblVoxLevel, "lblVoxLevel"},     {Label::lblDelayLevel, "lblDelayLevel"}};
    for (const auto &[label, name] : labels) {
        const QString text = QStringLiteral("%1 text").arg(QLatin1String(name));
        p.form->setLevelLabel(label, text);
        QCOMPARE(p.control<QLabel>(name)->text(), text);
        QVERIFY(p.control<QLabel>(name)->accessibleName().endsWith(text));
    }
    // A main-window label changes none of the panel's.
    p.form->setLevelLabel(Label::lblFreq, QStringLiteral("14,200.000"));
    for (const auto &[label, name] : labels)
        QVERIFY(p.control<QLabel>(name)->text() != QLatin1String("14,200.000"));
    QCOMPARE(p.log.commands, QStringList {"NB0;"});
}

void TestFrmFunctions::closeRestoresCursorAndUnloads()
{
    Radio radio;
    QPointer<frmFunctions> form = new frmFunctions(radio);
    form->show();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    form->findChild<QPushButton *>(QStringLiteral("cmdClose"))->click();
    QVERIFY(!QApplication::overrideCursor());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(form.isNull());
}

void TestFrmFunctions::controlsAreAccessible()
{
    Panel p;
    p.open();
    const QList<QWidget *> controls = p.form->findChildren<QWidget *>();
    int checked = 0;
    for (QWidget *w : controls) {
        if (!qobject_cast<QRadioButton *>(w) && !qobject_cast<QSlider *>(w)
            && !qobject_cast<QComboBox *>(w) && !qobject_cast<QPushButton *>(w))
            continue;
        ++checked;
        QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
        QVERIFY2(w->focusPolicy() & Qt::TabFocus, qPrintable(w->objectName()));
    }
    QCOMPARE(checked, 10 + 1 + 6 + 1);
    QCOMPARE(p.control<QRadioButton>("OptChan0")->accessibleName(),
             QStringLiteral("Channel Cancel"));
}

QTEST_MAIN(TestFrmFunctions)
#include "tst_frmfunctions.moc"
