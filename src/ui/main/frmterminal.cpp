#include "ui/main/frmterminal.h"

#include "core/clock/clocktext.h"
#include "core/net/radiosharing.h"
#include "core/radio/radio.h"
#include "core/settings/settingsstore.h"
#include "ui/common/elidedtext.h"
#include "ui/common/spokenname.h"
#include "ui/common/windowplacement.h"
#include "ui/main/displaylabels.h"
#include "ui/main/displaypanel.h"
#include "ui/main/portstartup.h"
#include "ui/memory/memorycontroller.h"
#include "ui/panels/frmfilter.h"
#include "ui/panels/frmfunctions.h"
#include "ui/settings/frmproperties.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {
QAction *menuAction(QMenu *menu, const char *objectName, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(objectName));
    return action;
}

void addSeparator(QMenu *menu, const char *objectName)
{
    menu->addSeparator()->setObjectName(QLatin1String(objectName));
}

QMenu *addMenu(QMenuBar *bar, const char *objectName, const QString &caption)
{
    QMenu *menu = bar->addMenu(caption);
    menu->setObjectName(QLatin1String(objectName));
    return menu;
}
} // namespace

frmTerminal::frmTerminal(Radio &radio, TerminalOptions options, QWidget *parent)
    : QMainWindow(parent)
    , m_radio(radio)
    , m_options(std::move(options))
{
    setObjectName(QStringLiteral("frmTerminal"));
    setWindowTitle(QStringLiteral("Vantelo - "));
    m_timer4 = new QTimer(this);
    m_timer4->setObjectName(QStringLiteral("Timer4"));
    m_timer4->setInterval(1000);

    m_windows = new TerminalWindows(m_radio, *this);
    m_windows->setKeyer(m_options.keyer);
    buildMenus();
    buildLayout();
    wireUp();
    m_radio.setDisplay(this);
    m_timer4->start();
    updatePortStatus();
}

frmTerminal::~frmTerminal()
{
    qApp->removeEventFilter(this);
    m_radio.setDisplay(nullptr);
}

void frmTerminal::buildMenus()
{
    QMenuBar *bar = menuBar();
    QMenu *file = addMenu(bar, "mnuFile", QStringLiteral("&File"));
    menuAction(file, "mnuSetup", QStringLiteral("Setup"));
    addSeparator(file, "Bar2");
    menuAction(file, "mnuBand", QStringLiteral("&Band"));
    menuAction(file, "mnuFreqScan", QStringLiteral("&Frequency Scan"));
    menuAction(file, "mnuMemory", QStringLiteral("&Memory"));
    menuAction(file, "mnuLogging", QStringLiteral("&Logging"));
    menuAction(file, "mnuCwKeyboard", QStringLiteral("&CW Keyboard"));
    menuAction(file, "MnuRadioMenu", QStringLiteral("Me&nu"));
    addSeparator(file, "MBar1");
    menuAction(file, "mnuTestScreen", QStringLiteral("&Test Screen"));
    addSeparator(file, "mBar3");
    menuAction(file, "mnuFileExit", QStringLiteral("E&xit"));

    QMenu *port = addMenu(bar, "mnuPort", QStringLiteral("&Communications"));
    menuAction(port, "mnuOpen", QStringLiteral("Synchronise &Radio"));
    menuAction(port, "mnuProperties", QStringLiteral("Properties..."));

    QMenu *help = addMenu(bar, "mnuHelp", QStringLiteral("&Help"));
    menuAction(help, "mnuContents", QStringLiteral("Contents"))
        ->setShortcut(QKeySequence::HelpContents);
    addSeparator(help, "mbar4");
    menuAction(help, "mnuAbout", QStringLiteral("&About"));
}

void frmTerminal::buildLayout()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    setCentralWidget(central);

    m_display = new DisplayPanel(central);
    m_front = new FrontPanel(m_radio, this);

    m_cmdSend = new QPushButton(QStringLiteral("Send"), central);
    m_cmdSend->setObjectName(QStringLiteral("cmdSend"));
    m_cmdSend->setAccessibleName(
        SpokenName::of(m_cmdSend->text(), QStringLiteral("switch between transmit and receive")));
    m_cmdSend->setToolTip(QStringLiteral("Switch the radio between transmit and receive"));
    m_cmdCwKeyboard = new QPushButton(QStringLiteral("CW &Keyboard"), central);
    m_cmdCwKeyboard->setObjectName(QStringLiteral("cmdCwKeyboard"));
    m_cmdCwKeyboard->setAccessibleName(
        SpokenName::of(m_cmdCwKeyboard->text(), QStringLiteral("send typed text in CW")));

    QWidget *knob = m_front->knob();
    knob->setMinimumSize(150, 150);

    auto *tuning = new QHBoxLayout;
    tuning->addWidget(knob, 0, Qt::AlignTop);
    tuning->addWidget(m_front->freqMemFrame(), 1);
    auto *modeColumn = new QVBoxLayout;
    modeColumn->addWidget(m_front->modeFrame());
    auto *splitRit = new QHBoxLayout;
    splitRit->addWidget(m_front->splitFrame());
    splitRit->addWidget(m_front->ritXitFrame());
    modeColumn->addLayout(splitRit);
    tuning->addLayout(modeColumn, 1);

    // The AF gain level and the IF shift read best beside their sliders.
    if (auto *grid = qobject_cast<QGridLayout *>(m_front->controlsFrame()->layout())) {
        QLabel *level = m_display->label(RadioView::Label::lblLevel);
        QLabel *shift = m_display->label(RadioView::Label::LblISFreq);
        level->setMinimumWidth(
            level->fontMetrics().horizontalAdvance(QStringLiteral(" -1,100 Hz")));
        grid->addWidget(level, 0, 2);
        grid->addWidget(shift, 4, 2);
    }

    auto *lower = new QHBoxLayout;
    lower->addWidget(m_front->controlsFrame(), 2);
    auto *switches = new QVBoxLayout;
    switches->addWidget(m_front->switchButtons());
    auto *sendRow = new QHBoxLayout;
    sendRow->addWidget(m_cmdSend);
    sendRow->addWidget(m_cmdCwKeyboard);
    sendRow->addStretch();
    switches->addLayout(sendRow);
    switches->addStretch();
    lower->addLayout(switches, 3);

    auto *layout = new QVBoxLayout(central);
    layout->addWidget(m_display);
    layout->addLayout(tuning);
    layout->addLayout(lower);

    m_portStatus = new ElidedLabel(this);
    m_portStatus->setObjectName(QStringLiteral("lblPortStatus"));
    m_portStatus->setAccessibleDescription(QStringLiteral("Port status"));
    statusBar()->addPermanentWidget(m_portStatus, 1);
    m_sharingStatus = new ElidedLabel(this);
    m_sharingStatus->setObjectName(QStringLiteral("lblSharingStatus"));
    m_sharingStatus->setAccessibleDescription(QStringLiteral("Network sharing status"));
    m_sharingStatus->setAccessibleName(QStringLiteral("Radio not shared"));
    m_sharingStatus->hide();
    statusBar()->addPermanentWidget(m_sharingStatus);

    resize(1000, 700);
}

void frmTerminal::wireUp()
{
    const auto on = [this](const char *name, void (frmTerminal::*handler)()) {
        if (QAction *action = findChild<QAction *>(QLatin1String(name)))
            connect(action, &QAction::triggered, this, handler);
    };
    on("mnuOpen", &frmTerminal::mnuOpen_Click);
    on("mnuProperties", &frmTerminal::mnuProperties_Click);
    on("mnuFileExit", &frmTerminal::mnuFileExit_Click);
    on("MnuRadioMenu", &frmTerminal::MnuRadioMenu_Click);
    on("mnuContents", &frmTerminal::mnuContents_Click);

    on("mnuBand", &frmTerminal::mnuBand_Click);
    on("mnuFreqScan", &frmTerminal::mnuFreqScan_Click);
    on("mnuMemory", &frmTerminal::mnuMemory_Click);
    on("mnuLogging", &frmTerminal::mnuLogging_Click);
    on("mnuCwKeyboard", &frmTerminal::mnuCwKeyboard_Click);
    on("mnuSetup", &frmTerminal::mnuSetup_Click);
    on("mnuTestScreen", &frmTerminal::mnuTestScreen_Click);
    on("mnuAbout", &frmTerminal::mnuAbout_Click);

    connect(m_cmdSend, &QPushButton::clicked, this, &frmTerminal::cmdSend_Click);
    connect(m_cmdCwKeyboard, &QPushButton::clicked, this, &frmTerminal::mnuCwKeyboard_Click);
    connect(m_timer4, &QTimer::timeout, this, &frmTerminal::Timer4_Timer);
    connect(m_front, &FrontPanel::openWindow, this, &frmTerminal::openWindow);
    if (m_options.sharing) {
        connect(m_options.sharing, &RadioSharing::statusChanged, this,
                &frmTerminal::showSharingStatus);
        showSharingStatus(m_options.sharing->statusText());
    }
    qApp->installEventFilter(this);
}

bool frmTerminal::Form_Load()
{
    // The knob is part of the program; there is nothing to register for it.
    QCoreApplication::setApplicationName(QString::fromLatin1(SettingsStore::Application));
    setWindowTitle(m_options.simulatedPort.isEmpty() ? QStringLiteral("Vantelo - ")
                                                     : QStringLiteral("Vantelo - simulated radio"));
    WindowPlacement::centreOnScreen(*this);
    // The GMT offset is read with the start values, before the port settings, so that the clock
    // is right even when those are refused.
    PortStartup::setInitialState(m_radio.state());
    Timer4_Timer();
    // Values of the settings file that cannot be used are told once, before the port's own.
    if (const QStringList unusable = SettingsStore::takeProblems(); !unusable.isEmpty())
        m_prompts.warning(this,
                          unusable.join(QLatin1Char(' '))
                              + QStringLiteral(" Vantelo uses its own value in place of each."));

    CommPort &port = m_radio.MSComm1();
    m_startupPending = true;
    if (const auto refused = PortStartup::applyStored(port, m_options.simulatedPort)) {
        updatePortStatus();
        m_prompts.warning(this, *refused);
        return false;
    }
    if (!openPort())
        return false;
    mnuOpen_Click();
    return true;
}

bool frmTerminal::openPort()
{
    CommPort &port = m_radio.MSComm1();
    if (!port.setPortOpen(true)) {
        m_lastPortProblem = port.lastError();
        updatePortStatus();
        m_prompts.warning(this,
                          QStringLiteral("The port %1 cannot be opened: %2\n\nChoose "
                                         "Communications > Properties... to select the "
                                         "port the radio is connected to.")
                              .arg(CommPort::devicePath(port.commPort()), port.lastError()));
        return false;
    }
    m_startupPending = false;
    m_lastPortProblem.clear();
    updatePortStatus();
    return true;
}

bool frmTerminal::Form_Unload()
{
    CommPort &port = m_radio.MSComm1();
    if (!port.portOpen())
        return true;
    // Clients go first, so that a transmitter one of them keyed is released on the line.
    if (m_options.sharing)
        m_options.sharing->stop();
    const auto pending
        = [this, &port] { return m_pendingOutput ? m_pendingOutput() : port.outBufferCount(); };
    const auto ask = [this] {
        const int answer = m_prompts.dataCannotBeSent(this);
        m_radio.MsgResult = qint16(answer);
        return answer;
    };
    if (!OutputDrain::wait(pending, ask, m_drainTiming))
        return false;
    port.setPortOpen(false);
    updatePortStatus();
    return true;
}

void frmTerminal::closeEvent(QCloseEvent *event)
{
    if (m_closing) {
        event->ignore(); // a second request while the output is still draining
        return;
    }
    m_closing = true;
    const bool mayClose = Form_Unload();
    m_closing = false;
    if (!mayClose) {
        event->ignore();
        return;
    }
    event->accept();
    m_timer4->stop();
    // The program ends with its main window: every other window closes with it.
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window != this && window->isVisible())
            window->close();
    }
}

bool frmTerminal::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && m_front && QApplication::activeWindow() == this) {
        // Only the first delivery of the key (to the focused control, or to this window when
        // nothing has focus) is taken, so a key passed on to a parent is not seen twice.
        QWidget *first = QApplication::focusWidget() ? QApplication::focusWidget() : this;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (watched == first && (key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown))
            return m_front->handleKey(key->key(), key->modifiers());
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmTerminal::Timer4_Timer()
{
    const QDateTime now = QDateTime::currentDateTime();
    m_display->setClock(ClockText::localText(now),
                        ClockText::gmtText(now, m_radio.state().GMTOffset));
    updatePortStatus();
}

void frmTerminal::updatePortStatus()
{
    const CommPort &port = m_radio.MSComm1();
    QString device = CommPort::devicePath(port.commPort());
    if (device.isEmpty())
        device = port.commPort();
    QString text = port.portOpen() ? QStringLiteral("Port open: %1").arg(device)
                                   : QStringLiteral("Port closed: %1").arg(device);
    // While the link is down its sentence takes the place of the port's state.
    const bool linkDown = m_link != RadioView::Link::Up;
    if (linkDown)
        text = m_linkText;
    else if (!m_linkText.isEmpty())
        text += QStringLiteral(". ") + m_linkText;
    if (!m_options.simulatedPort.isEmpty())
        text = QStringLiteral("Simulated radio. ") + text;
    if ((!port.portOpen() || linkDown) && !m_lastPortProblem.isEmpty())
        text += QStringLiteral(" (%1)").arg(m_lastPortProblem);
    if (m_portStatus->text() != text) {
        m_portStatus->setText(text);
        m_portStatus->setAccessibleName(text);
    }
}

void frmTerminal::mnuOpen_Click()
{
    m_radio.Synchronise();
}

void frmTerminal::mnuProperties_Click()
{
    bool accepted = false;
    {
        // The simulated radio's device is never stored as the radio's port; a real port chosen
        // here is stored as usual.
        const PortStartup::StoredPortGuard guard(m_options.simulatedPort);
        if (m_propertiesDialog) {
            accepted = m_propertiesDialog(this);
        } else {
            frmProperties dialog(m_radio.MSComm1(), this);
            accepted = dialog.exec() == QDialog::Accepted;
        }
    }
    // When the port could not be opened at start-up, the operator's new choice finishes the
    // start-up: the port is opened and the radio synchronised.
    if (accepted && m_startupPending && !m_radio.MSComm1().portOpen() && openPort())
        mnuOpen_Click();
    updatePortStatus();
}

void frmTerminal::mnuSetup_Click()
{
    m_windows->showSetup(m_options.sharing);
}

void frmTerminal::showSharingStatus(const QString &text)
{
    m_sharingStatus->setText(text);
    m_sharingStatus->setAccessibleName(text.isEmpty() ? QStringLiteral("Radio not shared") : text);
    m_sharingStatus->setVisible(!text.isEmpty());
}

void frmTerminal::mnuTestScreen_Click()
{
    m_windows->showTesting();
}

void frmTerminal::mnuAbout_Click()
{
    m_windows->showAbout();
}

void frmTerminal::mnuMemory_Click()
{
    m_windows->showMemory();
}

void frmTerminal::mnuBand_Click()
{
    m_windows->showBand();
}

void frmTerminal::mnuFreqScan_Click()
{
    m_windows->showFreqScan();
}

void frmTerminal::mnuFileExit_Click()
{
    close();
}

void frmTerminal::mnuLogging_Click()
{
    m_windows->showLogging();
}

void frmTerminal::mnuCwKeyboard_Click()
{
    m_windows->showCwKeyboard();
}

void frmTerminal::MnuRadioMenu_Click()
{
    m_windows->showRadioMenu();
}

void frmTerminal::mnuContents_Click()
{
    m_windows->showHelp();
}

void frmTerminal::cmdSend_Click()
{
    m_radio.cmdSend_Click();
}

void frmTerminal::openWindow(FrontPanel::Window window)
{
    switch (window) {
    case FrontPanel::Window::Filter:
        m_windows->showFilter();
        break;
    case FrontPanel::Window::Functions:
        m_windows->showFunctions();
        break;
    case FrontPanel::Window::Band:
        mnuBand_Click();
        break;
    case FrontPanel::Window::FreqScan:
        mnuFreqScan_Click();
        break;
    case FrontPanel::Window::Memory:
        mnuMemory_Click();
        break;
    }
}

// --- RadioDisplay -----------------------------------------------------------------------------

void frmTerminal::setLabel(RadioView::Label label, const QString &text)
{
    if (DisplayLabels::onFunctionsPanel(label)) {
        m_windows->functions().setLevelLabel(label, text);
        return;
    }
    m_display->setLabel(label, text);
    // The mode label follows every mode report; an open filter panel follows it too.
    if (frmFilter *filter = m_windows->filterIfOpen(); filter && label == RadioView::Label::LblMode)
        filter->followMode();
}

void frmTerminal::setSlider(RadioView::Slider slider, int value)
{
    if (!m_front->setSlider(slider, value))
        m_windows->functions().setSlider(slider, value);
}

void frmTerminal::selectOption(RadioView::Option option)
{
    m_windows->functions().selectOption(option);
}

void frmTerminal::setFilterText(RadioView::FilterList list, const QString &text)
{
    m_windows->filter().setListText(list, text);
}

void frmTerminal::setSMeter(int value)
{
    m_display->setSMeter(value);
}

void frmTerminal::setFrequencyCaptions(const QString &frequencyText)
{
    m_windows->setFrequencyCaptions(frequencyText);
}

void frmTerminal::showProgress(const QString &message, bool barVisible, bool percentVisible)
{
    frmMessage &window = m_windows->progress();
    window.setMessage(message);
    window.ProgressBar1->setVisible(barVisible);
    window.lblPercent->setVisible(percentVisible);
    if (!window.isVisible())
        window.show();
}

void frmTerminal::setProgressPercent(const QString &text)
{
    if (frmMessage *window = m_windows->progressIfOpen())
        window->setPercent(text);
}

void frmTerminal::closeProgress()
{
    if (frmMessage *window = m_windows->progressIfOpen())
        window->close();
    update();
}

void frmTerminal::memoryStep(bool up)
{
    m_front->memoryStep(up);
}

void frmTerminal::memoryDownload(const QString &reply)
{
    if (MemoryController *controller = m_windows->memoryController())
        controller->memoryDownload(reply);
}

int frmTerminal::serialError(const QString &text)
{
    const int answer = m_prompts.serialError(this, text);
    QTimer::singleShot(0, this, &frmTerminal::updatePortStatus);
    return answer;
}

void frmTerminal::portProblem(const QString &text)
{
    m_lastPortProblem = text;
    updatePortStatus();
}

void frmTerminal::showLink(RadioView::Link link, const QString &text)
{
    // A refusal the operator met stays on show while the link stays as it was: a repeated report
    // of the same state (a second error event of the same loss) is nothing newer.
    if (link != m_link)
        m_lastPortProblem.clear();
    // The radio is back: the box that told of its loss closes by itself (as OK, so the port that
    // works again stays open); the status bar keeps the story.
    if (link == RadioView::Link::Reading) {
        if (auto *box = findChild<QMessageBox *>(QLatin1String(TerminalPrompts::SerialErrorBox)))
            box->done(QMessageBox::Ok);
    }
    m_link = link;
    m_linkText = text;
    // Values read while the radio is read again are shown but stay marked until the list ends.
    m_display->setStale(link != RadioView::Link::Up);
    updatePortStatus();
}
