// The main window: its read-out before and after the radio answers, the menus, the Send
// button, the panels the interpreter reaches, the Page keys and a picture for people to look at.
#include "common/statusword.h"
#include "core/clock/clocktext.h"
#include "core/radio/radio.h"
#include "ui/main/displaylabels.h"
#include "ui/main/displaypanel.h"
#include "ui/main/frmterminal.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

class tst_terminal : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void designTexts_data();
    void designTexts();
    void everyReadOutIsNamedForScreenReaders();
    void clockShowsEveryDateInFull();
    void displayFollowsReplies_data();
    void displayFollowsReplies();
    void sMeterHeldInRange_data();
    void sMeterHeldInRange();
    void malformedRepliesLeaveTheWindowWhole_data();
    void malformedRepliesLeaveTheWindowWhole();
    void randomRepliesNeverCrash();
    void functionsPanelCreatedHiddenForItsLevels();
    void filterPanelCreatedHiddenForItsList();
    void filterPanelOffersThePresentModesWidths();
    void frequencyReadOutStandsOut();
    void menus_data();
    void menus();
    void radioMenuOpensTheMenuTable();
    void sendButton_data();
    void sendButton();
    void frontPanelButtonsOpenWindows_data();
    void frontPanelButtonsOpenWindows();
    void pageKeysGoToTheFrontPanelFirst();
    void helpContentsShowsTheProgramsOwnPage();
    void closedPortShownInStatusBarNotInBoxes();
    void renderAt1024x768();

private:
    QTemporaryDir m_config;
    QLabel *label(const char *name) const
    {
        return m_window->findChild<QLabel *>(QLatin1String(name));
    }
    QAction *action(const char *name) const
    {
        return m_window->findChild<QAction *>(QLatin1String(name));
    }

    Radio *m_radio = nullptr;
    frmTerminal *m_window = nullptr;
    QList<QByteArray> m_written;
    QStringList m_boxes;
};

void tst_terminal::initTestCase()
{
    // Run by hand, outside ctest, the test still never touches the operator's own settings.
    if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"))
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
}

void tst_terminal::init()
{
    m_radio = new Radio;
    m_window = new frmTerminal(*m_radio);
    m_written.clear();
    m_boxes.clear();
    connect(m_radio, &Radio::commandWritten, this,
            [this](const QByteArray &command) { m_written << command; });
    m_window->prompts().warning = [this](QWidget *, const QString &text) { m_boxes << text; };
    m_window->prompts().serialError = [this](QWidget *, const QString &text) {
        m_boxes << text;
        return 1;
    };
    m_window->prompts().dataCannotBeSent = [this](QWidget *) {
        m_boxes << QStringLiteral("Data cannot be sent");
        return 5;
    };
}

void tst_terminal::cleanup()
{
    delete m_window;
    delete m_radio;
}

void tst_terminal::designTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    for (const auto &entry : DisplayLabels::mainWindow())
        QTest::newRow(entry.objectName) << entry.objectName << entry.designText;
    QTest::newRow("Label2") << "Label2"
                            << "S Meter";
    QTest::newRow("Label4") << "Label4"
                            << "SWR";
    QTest::newRow("lblDate") << "lblDate"
                             << "Date";
    QTest::newRow("lblGMTDate") << "lblGMTDate"
                                << "GMT Date";
}

void tst_terminal::designTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QLabel *shown = m_window->findChild<QLabel *>(name);
    QVERIFY2(shown, qPrintable(name));
    QCOMPARE(shown->text(), text);
}

// The clock's labels keep one size while their texts change each second: at every date the
// whole text fits.
void tst_terminal::clockShowsEveryDateInFull()
{
    DisplayPanel *display = m_window->displayPanel();
    auto *local = m_window->findChild<QLabel *>(QStringLiteral("lblDate"));
    auto *gmt = m_window->findChild<QLabel *>(QStringLiteral("lblGMTDate"));
    QVERIFY(local && gmt);
    for (int month = 1; month <= 12; ++month) {
        const QDateTime at(QDate(2026, month, 30 - month), QTime(23, 58, 58), Qt::UTC);
        display->setClock(ClockText::localText(at), ClockText::gmtText(at, QStringLiteral("0")));
        for (QLabel *clock : {local, gmt})
            QVERIFY2(clock->sizeHint().width() <= clock->width()
                         && clock->sizeHint().height() <= clock->height(),
                     qPrintable(clock->text()));
    }
}

void tst_terminal::everyReadOutIsNamedForScreenReaders()
{
    const auto labels = m_window->findChildren<QLabel *>();
    for (QLabel *shown : labels) {
        if (shown->text().isEmpty() && shown->objectName().isEmpty())
            continue;
        QVERIFY2(!shown->accessibleName().isEmpty() || shown->buddy(),
                 qPrintable(shown->objectName() + QLatin1Char(' ') + shown->text()));
    }
    for (const char *bar : {"ProgressBar1", "ProgressBar4"})
        QVERIFY(
            !m_window->findChild<QProgressBar *>(QLatin1String(bar))->accessibleName().isEmpty());
    QVERIFY(!m_window->portStatus()->accessibleName().isEmpty());
}

void tst_terminal::displayFollowsReplies_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");

    StatusWord w;
    QTest::newRow("IF frequency") << w.reply() << "lblFreq"
                                  << "14,200.000";
    QTest::newRow("IF mode USB") << w.reply() << "LblMode"
                                 << "USB";
    QTest::newRow("IF VFO A") << w.reply() << "lblVFO"
                              << "A";
    w.mode = '3';
    QTest::newRow("IF mode CW") << w.reply() << "LblMode"
                                << "CW";
    w.vfo = '1';
    QTest::newRow("IF VFO B") << w.reply() << "lblVFO"
                              << "B";
    w.vfo = '2';
    w.channel = 5;
    QTest::newRow("IF memory") << w.reply() << "lblVFO"
                               << "Mem 05";
    StatusWord rit;
    rit.rit = '1';
    rit.offset = 150;
    QTest::newRow("RIT shifts the display") << rit.reply() << "lblFreq"
                                            << "14,200.150";
    QTest::newRow("RIT flag") << rit.reply() << "lblRit"
                              << "RIT";
    QTest::newRow("RIT offset") << rit.reply() << "lblRitXitFreq"
                                << "0.150 Khz";
    StatusWord tone;
    tone.tone = '1';
    QTest::newRow("tone") << tone.reply() << "LblTone"
                          << "TONE";
    QTest::newRow("split off blanks") << StatusWord().reply() << "lblSubFrequency"
                                      << " ";
    QTest::newRow("TX") << QByteArray("TX;") << "lblTx"
                        << "TX";
    QTest::newRow("RX") << QByteArray("RX;") << "LblRX"
                        << "RX";
    QTest::newRow("lock") << QByteArray("LK1;") << "lblFLock"
                          << "F.LOCK";
    QTest::newRow("pre-amp off") << QByteArray("PA0;") << "lblPreamp"
                                 << " ";
    QTest::newRow("NR2") << QByteArray("NR2;") << "lblNR"
                         << "NR2";
    QTest::newRow("AF level") << QByteArray("AG128;") << "lblLevel"
                              << "128";
    QTest::newRow("IF shift") << QByteArray("IS-0200;") << "LblISFreq"
                              << " -200 Hz";
    QTest::newRow("reply in two pieces") << QByteArray("MD") << "LblMode"
                                         << "MODE";
    QTest::newRow("unknown reply") << QByteArray("ZZ123;") << "lblFreq"
                                   << "999,999.999";
    QTest::newRow("garbage") << QByteArray("\x01\xff;;;IF;") << "lblFreq"
                             << "999,999.999";
}

void tst_terminal::displayFollowsReplies()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, name);
    QFETCH(QString, text);
    m_radio->receive(reply);
    QLabel *shown = m_window->findChild<QLabel *>(name);
    QVERIFY(shown);
    QCOMPARE(shown->text(), text);
    QVERIFY2(shown->accessibleName().startsWith(text.trimmed()),
             qPrintable(shown->accessibleName()));
}

void tst_terminal::sMeterHeldInRange_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("value");
    QTest::newRow("mid scale") << QByteArray("SM0015;") << 15;
    QTest::newRow("full scale") << QByteArray("SM0030;") << DisplayPanel::SMeterMaximum;
    QTest::newRow("beyond the scale") << QByteArray("SM9999;") << DisplayPanel::SMeterMaximum;
    QTest::newRow("negative") << QByteArray("SM-005;") << 0;
}

void tst_terminal::sMeterHeldInRange()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, value);
    m_radio->receive(reply);
    QCOMPARE(m_window->findChild<QProgressBar *>(QStringLiteral("ProgressBar1"))->value(), value);
}

void tst_terminal::malformedRepliesLeaveTheWindowWhole_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::newRow("short status word") << QByteArray("IF;");
    QTest::newRow("status word of blanks") << QByteArray("IF                                    ;");
    QTest::newRow("overlong status word") << QByteArray("IF") + QByteArray(400, '9') + ';';
    QTest::newRow("empty frequency") << QByteArray("FA;");
    QTest::newRow("empty S-meter") << QByteArray("SM;");
    QTest::newRow("empty memory read") << QByteArray("MR;");
    QTest::newRow("short memory read") << QByteArray("MR0 1;");
    QTest::newRow("level of letters") << QByteArray("PCabc;");
    QTest::newRow("antenna 9") << QByteArray("AN9;");
    QTest::newRow("playback channel 7") << QByteArray("PB7;");
    QTest::newRow("empty AGC") << QByteArray("GT;");
    QTest::newRow("empty filter width") << QByteArray("FW;");
    QTest::newRow("IF shift without digits") << QByteArray("IS-;");
    QTest::newRow("NUL bytes") << QByteArray("IF\0\0\0;", 6);
    QTest::newRow("error reply") << QByteArray("?;");
}

void tst_terminal::malformedRepliesLeaveTheWindowWhole()
{
    QFETCH(QByteArray, reply);
    m_radio->receive(reply);
    m_radio->receive(StatusWord().reply());
    QCOMPARE(label("lblFreq")->text(), QStringLiteral("14,200.000"));
    QVERIFY(m_boxes.isEmpty());
}

void tst_terminal::randomRepliesNeverCrash()
{
    static const char *const codes[]
        = {"IF", "FA", "FB", "FR", "MD", "TO", "TN", "CA", "FW", "SM", "AG", "RG", "SH",
           "SL", "IS", "PC", "MG", "KS", "SQ", "VG", "VD", "LK", "PA", "PS", "PR", "VX",
           "BC", "NB", "NR", "RA", "GT", "AN", "PB", "BY", "AC", "TX", "RX", "MC", "MR"};
    static const char alphabet[] = "0123456789+- ;AZ.\x7f";
    QRandomGenerator random(20261207);
    for (int i = 0; i < 3000; ++i) {
        QByteArray reply = codes[random.bounded(int(std::size(codes)))];
        const int length = random.bounded(45);
        for (int j = 0; j < length; ++j)
            reply += alphabet[random.bounded(int(sizeof(alphabet) - 1))];
        reply += ';';
        m_radio->receive(reply);
    }
    m_radio->receive(StatusWord().reply());
    QCOMPARE(label("lblFreq")->text(), QStringLiteral("14,200.000"));
}

void tst_terminal::functionsPanelCreatedHiddenForItsLevels()
{
    QVERIFY(!m_window->functionsPanel());
    m_radio->receive("PC050;");
    QVERIFY(m_window->functionsPanel());
    QVERIFY(!m_window->functionsPanel()->isVisible());
    auto *level = m_window->functionsPanel()->findChild<QLabel *>(QStringLiteral("lblPowerlevel"));
    QVERIFY(level);
    QCOMPARE(level->text(), QStringLiteral("50 W"));
    auto *slider = m_window->functionsPanel()->findChild<QSlider *>(QStringLiteral("SliderPower"));
    QVERIFY(slider);
    QCOMPARE(slider->value(), 50);
}

void tst_terminal::filterPanelCreatedHiddenForItsList()
{
    QVERIFY(!m_window->filterPanel());
    m_radio->receive("MD5;");
    m_radio->receive("FW0001;");
    QVERIFY(m_window->filterPanel());
    QVERIFY(!m_window->filterPanel()->isVisible());
}

// The panel is created hidden in USB by a width reply; the radio goes to FSK-R; the operator
// opens the panel; the radio's reports change the mode while it is open.
void tst_terminal::filterPanelOffersThePresentModesWidths()
{
    m_radio->receive("MD2;FW0001;MD9;");
    m_window->findChild<QPushButton *>(QStringLiteral("cmdFilter"))->click();
    frmFilter *panel = m_window->filterPanel();
    QVERIFY(panel && panel->isVisible());
    const auto shown = [panel] {
        QStringList lists;
        for (const char *name : {"Combo1", "Combo2", "Combo3"}) {
            if (!panel->findChild<QComboBox *>(QLatin1String(name))->isHidden())
                lists << QLatin1String(name);
        }
        return lists.join(QLatin1Char(' ')) + QLatin1Char(' ')
            + panel->findChild<QLabel *>(QStringLiteral("Label1"))->text();
    };
    QCOMPARE(shown(), QStringLiteral("Combo3 FSK-R"));

    auto *ssb = panel->findChild<QComboBox *>(QStringLiteral("Combo2"));
    m_written.clear();
    ssb->setCurrentIndex(0);
    Q_EMIT ssb->activated(0); // "Narrow"
    QCOMPARE(m_written, QList<QByteArray> {});

    StatusWord usb;
    m_radio->receive(usb.reply());
    QCOMPARE(shown(), QStringLiteral("Combo2 SSB/AM/FM"));
    m_radio->receive("MD7;");
    QCOMPARE(shown(), QStringLiteral("Combo1 CW-R"));
    auto *cw = panel->findChild<QComboBox *>(QStringLiteral("Combo1"));
    const int i = cw->findText(QStringLiteral("400 Hz"));
    cw->setCurrentIndex(i);
    Q_EMIT cw->activated(i);
    QCOMPARE(m_written, QList<QByteArray> {"FW0400;"});
}

void tst_terminal::frequencyReadOutStandsOut()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    const auto colour
        = [](const QLabel *shown) { return shown->palette().color(shown->foregroundRole()); };
    QLabel *freq = label("lblFreq");
    const QColor amber = colour(freq);
    for (const auto &entry : DisplayLabels::mainWindow()) {
        if (entry.label != RadioView::Label::lblFreq)
            QVERIFY2(colour(label(entry.objectName)) != amber, entry.objectName);
    }
    // And the figures are drawn in it.
    const QImage picture = freq->grab().toImage();
    int amberPixels = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            amberPixels += picture.pixelColor(x, y).rgb() == amber.rgb();
    }
    QVERIFY2(amberPixels > 50, qPrintable(QString::number(amberPixels)));
}

void tst_terminal::menus_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    const auto row = [](const char *menu, const char *name, const char *caption) {
        QTest::newRow(name) << menu << name << caption;
    };
    row("mnuFile", "mnuSetup", "Setup");
    row("mnuFile", "mnuBand", "&Band");
    row("mnuFile", "mnuFreqScan", "&Frequency Scan");
    row("mnuFile", "mnuMemory", "&Memory");
    row("mnuFile", "mnuLogging", "&Logging");
    row("mnuFile", "MnuRadioMenu", "Me&nu");
    row("mnuFile", "mnuTestScreen", "&Test Screen");
    row("mnuFile", "mnuFileExit", "E&xit");
    row("mnuPort", "mnuOpen", "Synchronise &Radio");
    row("mnuPort", "mnuProperties", "Properties...");
    row("mnuHelp", "mnuContents", "Contents");
    row("mnuHelp", "mnuAbout", "&About");
}

void tst_terminal::menus()
{
    QFETCH(QString, menu);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    auto *parent = m_window->findChild<QMenu *>(menu);
    QVERIFY(parent);
    QAction *item = nullptr;
    for (QAction *candidate : parent->actions()) {
        if (candidate->objectName() == name)
            item = candidate;
    }
    QVERIFY2(item, qPrintable(name));
    QCOMPARE(item->text(), caption);
    QVERIFY(item->isEnabled());
    QCOMPARE(m_window->findChild<QMenu *>(QStringLiteral("mnuFile"))->title(),
             QStringLiteral("&File"));
    QCOMPARE(m_window->findChild<QMenu *>(QStringLiteral("mnuPort"))->title(),
             QStringLiteral("&Communications"));
    QCOMPARE(m_window->findChild<QMenu *>(QStringLiteral("mnuHelp"))->title(),
             QStringLiteral("&Help"));
}

void tst_terminal::radioMenuOpensTheMenuTable()
{
    m_window->show();
    action("MnuRadioMenu")->trigger();
    QCoreApplication::processEvents();
    QList<QWidget *> opened;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->objectName() == QLatin1String("frmMenu"))
            opened << w;
    }
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened.first()->windowTitle(), QStringLiteral("Menu"));
    QVERIFY(!opened.first()->isModal());
    QVERIFY(m_written.isEmpty()); // the table is the operator's own: nothing goes to the radio
    QVERIFY(m_boxes.isEmpty());
    opened.first()->close();
}

void tst_terminal::sendButton_data()
{
    QTest::addColumn<QString>("txState");
    QTest::addColumn<QList<QByteArray>>("expected");
    QTest::newRow("transmitting") << "TX" << QList<QByteArray> {"RX;", "SM;"};
    QTest::newRow("receiving") << "RX" << QList<QByteArray> {"TX;", "SM;"};
    QTest::newRow("unknown") << "" << QList<QByteArray> {"TX;", "SM;"};
}

void tst_terminal::sendButton()
{
    QFETCH(QString, txState);
    QFETCH(QList<QByteArray>, expected);
    m_radio->state().TXState = txState;
    auto *button = m_window->findChild<QPushButton *>(QStringLiteral("cmdSend"));
    QVERIFY(button);
    QCOMPARE(button->text(), QStringLiteral("Send"));
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(m_written, expected);
    QCOMPARE(m_radio->state().TXState, txState); // only the radio's reply changes it
    QVERIFY(m_boxes.isEmpty()); // the closed port is reported in the status bar
}

void tst_terminal::frontPanelButtonsOpenWindows_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("objectName");
    QTest::newRow("band") << int(FrontPanel::Window::Band) << "Band"
                          << "frmBand";
    QTest::newRow("scan") << int(FrontPanel::Window::FreqScan) << "Scan"
                          << "frmFreqScan";
    QTest::newRow("memory") << int(FrontPanel::Window::Memory) << "Memory"
                            << "frmMemory";
}

void tst_terminal::frontPanelButtonsOpenWindows()
{
    QFETCH(int, window);
    QFETCH(QString, title);
    QFETCH(QString, objectName);
    m_window->openWindow(FrontPanel::Window(window));
    m_window->openWindow(FrontPanel::Window(window)); // a second click raises the same window
    int shown = 0;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->windowTitle() == title) {
            ++shown;
            QCOMPARE(w->objectName(), objectName);
        }
    }
    QCOMPARE(shown, 1);
}

void tst_terminal::pageKeysGoToTheFrontPanelFirst()
{
    m_window->show();
    QApplication::setActiveWindow(m_window);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    auto *volume = m_window->findChild<QSlider *>(QStringLiteral("SliderVolume"));
    QVERIFY(volume);
    volume->setFocus();
    QCOMPARE(QApplication::focusWidget(), volume);
    m_radio->state().VFO = QStringLiteral("0");
    m_radio->state().Freq = QStringLiteral("14200");
    const int before = volume->value();
    QTest::keyClick(volume, Qt::Key_PageUp);
    QCOMPARE(volume->value(), before); // the slider never saw the key
    QVERIFY(!m_written.isEmpty());
    QVERIFY2(m_written.first().startsWith("FA"), m_written.first().constData());
    // Other keys still reach the focused control.
    m_written.clear();
    QTest::keyClick(volume, Qt::Key_Right);
    QVERIFY(volume->value() != before || volume->maximum() == before);
}

void tst_terminal::helpContentsShowsTheProgramsOwnPage()
{
    action("mnuContents")->trigger();
    QWidget *help = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("frmHelp") && w->isVisible())
            help = w;
    }
    QVERIFY(help);
    auto *browser = help->findChild<QWidget *>(QStringLiteral("helpBrowser"));
    QVERIFY(browser);
    const QString text = browser->property("plainText").toString();
    for (const char *needle :
         {"Communications > Properties...", "/dev/ttyUSB0", "9600,n,8,1", "vantelo --simulate"})
        QVERIFY2(text.contains(QLatin1String(needle)), needle);
}

void tst_terminal::closedPortShownInStatusBarNotInBoxes()
{
    m_window->cmdSend_Click();
    m_window->cmdSend_Click();
    QVERIFY(m_boxes.isEmpty());
    QVERIFY(m_window->portStatus()->text().startsWith(QStringLiteral("Port closed: ")));
    QCOMPARE(m_window->portStatus()->accessibleName(), m_window->portStatus()->text());
}

void tst_terminal::renderAt1024x768()
{
    m_window->resize(1024, 768);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    StatusWord w;
    w.rit = '1';
    w.offset = 150;
    m_radio->receive(w.reply());
    m_radio->receive("RX;");
    m_radio->receive("SM0012;");
    m_window->Timer4_Timer();
    QCoreApplication::processEvents();
    // Everything fits: the layout does not ask for more than the screen gives.
    QVERIFY2(m_window->minimumSizeHint().width() <= 1024,
             qPrintable(QString::number(m_window->minimumSizeHint().width())));
    QVERIFY2(m_window->minimumSizeHint().height() <= 768,
             qPrintable(QString::number(m_window->minimumSizeHint().height())));
    const QString dir = qEnvironmentVariable("VANTELO_TEST_OUTPUT", QDir::tempPath());
    QDir().mkpath(dir);
    QVERIFY(m_window->grab().save(dir + QStringLiteral("/frmterminal.png")));
}

QTEST_MAIN(tst_terminal)
#include "tst_terminal.moc"
