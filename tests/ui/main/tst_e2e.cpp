// End to end: the main window works the simulated radio over a pseudo-terminal. Buttons are
// clicked as an operator clicks them; the display must follow what the radio reports.
#include "common/settingsfiles.h"
#include "core/radio/cat.h"
#include "core/radio/cattables.h"
#include "core/radio/radio.h"
#include "sim/simptyserver.h"
#include "ui/cw/frmcwkeyboard.h"
#include "ui/main/frmterminal.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QWheelEvent>

#include <QAbstractButton>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {
constexpr int ReplyTimeoutMs = 10000;
}

class tst_e2e : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void stepModeAndVfo();
    void stepOnVfoB();
    void cwKeyboard();

private:
    QTemporaryDir m_config;
    QAbstractButton *button(const char *name) const
    {
        auto *b = m_window->findChild<QAbstractButton *>(QLatin1String(name));
        if (!b)
            qWarning("no button %s", name);
        return b;
    }
    QString text(const char *label) const
    {
        return m_window->findChild<QLabel *>(QLatin1String(label))->text();
    }
    QString shownFrequency() const { return Cat::formatFreqHz(m_sim->radio().frequency()); }

    std::unique_ptr<SimPtyServer> m_sim;
    std::unique_ptr<Radio> m_radio;
    std::unique_ptr<frmTerminal> m_window;
    QStringList m_boxes;
};

void tst_e2e::initTestCase()
{
    // Run by hand, outside ctest, the test still never touches the operator's own settings.
    if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"))
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
}

void tst_e2e::init()
{
    SettingsFiles::clear();
    m_boxes.clear();
    m_sim = std::make_unique<SimPtyServer>(SimOptions {});
    QVERIFY2(m_sim->start(), qPrintable(m_sim->errorString()));
    m_radio = std::make_unique<Radio>();
    m_window = std::make_unique<frmTerminal>(*m_radio, TerminalOptions {m_sim->devicePath()});
    m_window->prompts().warning = [this](QWidget *, const QString &t) { m_boxes << t; };
    m_window->prompts().serialError = [this](QWidget *, const QString &t) {
        m_boxes << t;
        return 1;
    };
    m_window->show();
    QVERIFY(m_window->Form_Load());
    QTRY_COMPARE_WITH_TIMEOUT(m_radio->state().StartupLoading, QStringLiteral("0"), ReplyTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(text("lblFreq"), shownFrequency(), ReplyTimeoutMs);
}

void tst_e2e::cleanup()
{
    QVERIFY(m_boxes.isEmpty());
    m_window.reset();
    m_radio.reset();
    m_sim.reset();
}

void tst_e2e::stepModeAndVfo()
{
    QCOMPARE(m_sim->radio().receiveFunction(), SimRadio::VfoA);
    QTRY_COMPARE_WITH_TIMEOUT(text("lblVFO"), QStringLiteral("A"), ReplyTimeoutMs);
    const qint64 before = m_sim->radio().frequencyA();

    // "&>>" with the 1 kHz step the window starts with.
    QAbstractButton *stepUp = button("CmdStepUp");
    QVERIFY(stepUp);
    QTest::mouseClick(stepUp, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(m_sim->radio().frequencyA(), before + 1000, ReplyTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(text("lblFreq"), Cat::formatFreqHz(before + 1000), ReplyTimeoutMs);

    // A mode button.
    const char target = m_sim->radio().mode() == '3' ? '2' : '3';
    QAbstractButton *mode = button(target == '3' ? "Command11" : "Command10");
    QVERIFY(mode);
    QTest::mouseClick(mode, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(m_sim->radio().mode(), target, ReplyTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(text("LblMode"), Cat::modeName(QLatin1Char(target)), ReplyTimeoutMs);

    // VFO B.
    QAbstractButton *vfoB = button("CmdVFOB");
    QVERIFY(vfoB);
    QTest::mouseClick(vfoB, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(m_sim->radio().receiveFunction(), SimRadio::VfoB, ReplyTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(text("lblVFO"), QStringLiteral("B"), ReplyTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(text("lblFreq"), Cat::formatFreqHz(m_sim->radio().frequencyB()),
                              ReplyTimeoutMs);

    // And back to A, where the stepped frequency is still set.
    QTest::mouseClick(button("CmdVFOA"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(text("lblVFO"), QStringLiteral("A"), ReplyTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(text("lblFreq"), Cat::formatFreqHz(before + 1000), ReplyTimeoutMs);
}

void tst_e2e::stepOnVfoB()
{
    QTest::mouseClick(button("CmdVFOB"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(text("lblVFO"), QStringLiteral("B"), ReplyTimeoutMs);
    const qint64 beforeA = m_sim->radio().frequencyA();
    const qint64 beforeB = m_sim->radio().frequencyB();
    QTest::mouseClick(button("CmdStepDwn"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(m_sim->radio().frequencyB(), beforeB - 1000, ReplyTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(text("lblFreq"), Cat::formatFreqHz(beforeB - 1000), ReplyTimeoutMs);
    QCOMPARE(m_sim->radio().frequencyA(), beforeA);
}

// The CW keyboard, opened from the main window: outside CW it offers the switch, characters the
// keyer cannot send are refused as they are typed, the speed goes to the radio, typed text and
// macros are keyed by the radio, and a field without a value is named.
void tst_e2e::cwKeyboard()
{
    QByteArrayList keyed;
    connect(m_sim.get(), &SimPtyServer::keyed, this, [&](const QByteArray &t) { keyed << t; });
    QTest::mouseClick(button("cmdCwKeyboard"), Qt::LeftButton);
    frmCwKeyboard *cw = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        cw = cw ? cw : qobject_cast<frmCwKeyboard *>(w);
    QVERIFY(cw && cw->isVisible());
    QTRY_VERIFY(cw->cmdSwitchToCw->isVisible());
    QVERIFY(cw->findChild<QLabel *>(QStringLiteral("lblNotCw"))->text().contains("USB"));

    QTest::keyClicks(cw->txtSend, QStringLiteral("cq #"));
    QVERIFY2(cw->statusText().contains(QStringLiteral("\"#\"")), qPrintable(cw->statusText()));
    QTest::sendKeyEvent(QTest::Click, cw->txtSend, Qt::Key_Eacute, QStringLiteral("\u00e9"),
                        Qt::NoModifier);
    QCOMPARE(cw->txtSend->text(), QStringLiteral("CQ "));
    QVERIFY2(cw->statusText().contains(QStringLiteral("\u00e9")), qPrintable(cw->statusText()));
    QTest::mouseClick(cw->cmdSwitchToCw, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(m_sim->radio().mode(), '3', ReplyTimeoutMs);
    QTRY_VERIFY(!cw->cmdSwitchToCw->isVisible());
    // A step of the mouse wheel goes to the radio at once, as a key does.
    const int before = cw->SliderKeyer->value();
    const QPointF centre = QRectF(cw->SliderKeyer->rect()).center();
    QWheelEvent wheel(centre, cw->SliderKeyer->mapToGlobal(centre), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(cw->SliderKeyer, &wheel);
    QVERIFY(cw->SliderKeyer->value() > before);
    QTRY_COMPARE_WITH_TIMEOUT(m_sim->radio().setting("KS"), cw->SliderKeyer->value(),
                              ReplyTimeoutMs);
    cw->SliderKeyer->setFocus();
    QTest::keyClick(cw->SliderKeyer, Qt::Key_End);
    QTRY_COMPARE_WITH_TIMEOUT(m_sim->radio().setting("KS"), 60, ReplyTimeoutMs);
    QTRY_COMPARE(cw->lblKeyerLevel->text(), QStringLiteral("60 wpm"));

    QTest::keyClicks(cw->txtSend, QStringLiteral("test"));
    QTest::keyClick(cw->txtSend, Qt::Key_Return);
    QVERIFY(cw->txtSend->text().isEmpty());
    cw->txtMyCall->setText(QStringLiteral("DL1VTL"));
    QTest::keyClick(cw, Qt::Key_F6); // {MYCALL}
    QTRY_VERIFY_WITH_TIMEOUT(!keyed.isEmpty(), ReplyTimeoutMs);
    QCOMPARE(keyed.join(), QByteArray("CQ TEST DL1VTL"));

    QTest::keyClick(cw, Qt::Key_F2); // {CALL} DE {MYCALL} K, with no logbook open
    QVERIFY2(cw->statusText().startsWith(QStringLiteral("F2: {CALL} has no value.")),
             qPrintable(cw->statusText()));
    cw->close();
}

QTEST_MAIN(tst_e2e)
#include "tst_e2e.moc"
