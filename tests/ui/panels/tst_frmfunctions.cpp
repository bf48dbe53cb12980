#include <QApplication>
#include <QTest>

#include "common/commandlog.h"
#include "ui/panels/frmfunctions.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QWheelEvent>
#include <memory>

using RadioView::Label;
using RadioView::Option;
using RadioView::Slider;

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
    auto row = [](const char *name, QString nb, QString ant, QString agc, QString pb,
                  QStringList sent) { QTest::newRow(name) << nb << ant << agc << pb << sent; };

    row("all set", "1", "2", "004", "0", {"NB1;", "AN2;", "GT004;", "PB0;"});
    row("other choices", "0", "1", "002", "3", {"NB0;", "AN1;", "GT002;", "PB3;"});
    row("nothing reported", "", "", "", "", {"NB0;"});
    row("no antenna", "1", "", "002", "2", {"NB1;", "GT002;", "PB2;"});
    row("values outside the tables", "2", "3", "003", "4", {"NB0;"});
    row("padded values", " 1", "1 ", "2", "00", {"NB0;"});
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
    auto row = [](const char *name, QString option, QStringList sent) {
        QTest::newRow(name) << option << sent;
    };

    row("antenna 1", "OptAnt1", {"AN1;"});
    row("antenna 2", "OptAnt2", {"AN2;"});
    row("AGC fast", "OptAGCFast", {"GT002;"});
    row("AGC slow", "OptAGCSlow", {"GT004;"});
    row("NB on", "OptNBOn", {"NB1;"});
    row("NB off, already selected", "OptNBOff", {});
    row("channel cancel", "OptChan0", {"PB0;"});
    row("channel 1", "OptChan1", {"PB1;"});
    row("channel 2", "OptChan2", {"PB2;"});
    row("channel 3", "OptChan3", {"PB3;"});
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
    auto row = [](const char *name, QString on, QString num, QString shown) {
        QTest::newRow(name) << on << num << shown;
    };

    row("tone off", "0", "12", "Off");
    row("nothing reported", "", "", "Off");
    row("tone 12", "1", "12", "100.0");
    row("first tone", "1", "01", "67.0");
    row("tone burst", "1", "39", "1750");
    row("blank number", "1", " ", "Off");
    row("number past the table", "1", "40", "Tone");
    row("number zero", "1", "00", "Tone");
    row("one digit", "1", "5", "Tone");
    row("not a number", "1", "x1", "Tone");
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
    auto row = [](const char *name, QString text, QStringList sent) {
        QTest::newRow(name) << text << sent;
    };

    row("off", "Off", {"TO0;"});
    row("71.9", "71.9", {"TO1;", "TN02;"});
    row("100.0", "100.0", {"TO1;", "TN12;"});
    row("1750", "1750", {"TO1;", "TN39;"});
    row("junk", "junk", {});
    row("empty", "", {});
    row("design text", "Tone", {});
    row("close to a tone", "100", {});
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
    auto row = [](const char *name, QString typed, QStringList sent) {
        QTest::newRow(name) << typed << sent;
    };

    row("a tone", "71.9", {"TO1;", "TN02;"});
    row("off", "Off", {"TO0;"});
    row("junk", "abc;MD1", {});
    row("the tone already shown", "100.0", {});
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
    auto row = [](const char *name, QString slider, int value, QString sent) {
        QTest::newRow(name) << slider << value << sent;
    };

    row("power low", "SliderPower", 5, "PC005;");
    row("power high", "SliderPower", 100, "PC100;");
    row("mic low", "SliderMic", 0, "MG000;");
    row("mic high", "SliderMic", 100, "MG100;");
    row("keyer low", "SliderKeyer", 10, "KS010;");
    row("keyer high", "SliderKeyer", 60, "KS060;");
    row("delay low", "SliderDelay", 0, "VD0000;");
    row("delay 50", "SliderDelay", 50, "VD0050;");
    row("delay high", "SliderDelay", 3000, "VD3000;");
    row("vox low", "SliderVox", 1, "VG001;");
    row("vox high", "SliderVox", 9, "VG009;");
    row("squelch low", "SliderSQL", 0, "SQ000;");
    row("squelch high", "SliderSQL", 255, "SQ255;");
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
    auto row = [](const char *name, QString slider, int start, Qt::Key key, QStringList sent) {
        QTest::newRow(name) << slider << start << int(key) << sent;
    };

    row("delay small step", "SliderDelay", 100, Qt::Key_Right, {"VD0150;"});
    row("delay large step", "SliderDelay", 100, Qt::Key_PageUp, {"VD0200;"});
    row("keyer down", "SliderKeyer", 20, Qt::Key_PageDown, {"KS015;"});
    row("power to minimum", "SliderPower", 50, Qt::Key_Home, {"PC005;"});
    row("power at its end", "SliderPower", 100, Qt::Key_Right, {});
    row("keyer at its end", "SliderKeyer", 10, Qt::Key_Left, {});
    // Qt::Key_unknown: a step of the mouse wheel towards higher values.
    row("power by the wheel", "SliderPower", 50, Qt::Key_unknown, {"PC055;"});
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
    if (key == Qt::Key_unknown) {
        const QPointF centre = QRectF(s->rect()).center();
        QWheelEvent wheel(centre, s->mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(s, &wheel);
    } else {
        QTest::keyClick(s, Qt::Key(key));
    }
    QCOMPARE(p.log.take(), sent);
}

void TestFrmFunctions::valuesOnOpening_data()
{
    QTest::addColumn<QString>("slider");
    QTest::addColumn<QString>("reported");
    QTest::addColumn<int>("shown");
    auto row = [](const char *name, QString slider, QString reported, int shown) {
        QTest::newRow(name) << slider << reported << shown;
    };

    row("power in range", "SliderPower", "050", 50);
    row("power below its minimum", "SliderPower", "000", 5);
    row("power past its maximum", "SliderPower", "150", 100);
    row("power overflowing", "SliderPower", "99999999999999999999", 100);
    row("keyer below its minimum", "SliderKeyer", "000", 10);
    row("delay past its maximum", "SliderDelay", "9999", 3000);
    row("vox below its minimum", "SliderVox", "000", 1);
    row("mic not a number", "SliderMic", "abc", 0);
    row("squelch leading number", "SliderSQL", "12x", 12);
    row("squelch empty", "SliderSQL", "", 0);
    row("squelch negative", "SliderSQL", "-20", 0);
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
    auto row = [](const char *name, Slider slider, int value, QString widget, int shown) {
        QTest::newRow(name) << int(slider) << value << widget << shown;
    };

    row("power", Slider::SliderPower, 40, "SliderPower", 40);
    row("power below", Slider::SliderPower, 0, "SliderPower", 5);
    row("keyer below", Slider::SliderKeyer, 0, "SliderKeyer", 10);
    row("delay above", Slider::SliderDelay, 5000, "SliderDelay", 3000);
    row("squelch", Slider::SliderSQL, 255, "SliderSQL", 255);
    row("vox negative", Slider::SliderVox, -3, "SliderVox", 1);
    row("main window slider", Slider::SliderVolume, 80, "SliderMic", 0);
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
        QVERIFY(p.control<QLabel>(name)->accessibleName().startsWith(text));
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
             QStringLiteral("Cancel, voice playback channel"));
}

QTEST_MAIN(TestFrmFunctions)
#include "tst_frmfunctions.moc"
