// The main window: frequency and status display, clock, menus and the operating controls; the
// radio core's display. Start-up (Form_Load), the clock (Timer4_Timer) and shutdown
// (Form_Unload) live here; the controls' logic lives in FrontPanel and the radio core.
#pragma once

#include "core/radio/radiodisplay.h"
#include "ui/controls/frontpanel.h"
#include "ui/main/outputdrain.h"
#include "ui/main/terminalprompts.h"
#include "ui/main/terminalwindows.h"
#include "ui/panels/frmfilter.h"
#include "ui/panels/frmfunctions.h"
#include "ui/settings/frmmessage.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>

class CwSender;
class DisplayPanel;
class frmBand;
class frmFreqScan;
class frmMemory;
class MemoryController;
class QLabel;
class QPushButton;
class QTimer;
class Radio;
class RadioSharing;

struct TerminalOptions
{
    // A device used in place of the stored port (the simulated radio's pseudo-terminal); the
    // settings store is then left as it is.
    QString simulatedPort;
    // The network sharing of the radio, which the Setup dialog turns on and off and whose
    // state the status bar shows; none when nullptr.
    RadioSharing *sharing = nullptr;
    // The sender that feeds the radio's keyer, shared with the network clients; the CW
    // keyboard makes one of its own when nullptr.
    CwSender *keyer = nullptr;
};

class frmTerminal : public QMainWindow, public RadioDisplay
{
    Q_OBJECT
public:
    explicit frmTerminal(Radio &radio, TerminalOptions options = {}, QWidget *parent = nullptr);
    ~frmTerminal() override;

    // The start-up sequence: centre, initial values, stored port settings, GMT offset, open the
    // port, synchronise. Returns false when it ended early (a refused setting or a port that
    // cannot be opened); the window stays usable either way.
    bool Form_Load();
    // Shutdown: drain the port's output (with the "Data cannot be sent" prompt) and close it.
    // Returns false when the operator chose Abort.
    bool Form_Unload();

    // Menu and button handlers.
    void Timer4_Timer();
    void mnuOpen_Click();
    void mnuProperties_Click();
    void mnuFileExit_Click();
    void MnuRadioMenu_Click();
    void mnuContents_Click();
    void mnuSetup_Click();
    void mnuTestScreen_Click();
    void mnuAbout_Click();
    void mnuMemory_Click();
    void mnuBand_Click();
    void mnuFreqScan_Click();
    void mnuLogging_Click();
    void mnuCwKeyboard_Click();
    void cmdSend_Click();
    void openWindow(FrontPanel::Window window);

    TerminalPrompts &prompts() { return m_prompts; }
    void setDrainTiming(OutputDrain::Timing timing) { m_drainTiming = timing; }
    // Replaces the modal port properties dialog (for tests); returns true for OK.
    void setPropertiesDialog(std::function<bool(QWidget *parent)> show)
    {
        m_propertiesDialog = std::move(show);
    }
    // Where the shutdown reads the count of unsent characters (the port's by default).
    void setPendingOutput(std::function<qint64()> pending) { m_pendingOutput = std::move(pending); }

    FrontPanel *frontPanel() const { return m_front; }
    DisplayPanel *displayPanel() const { return m_display; }
    QLabel *portStatus() const { return m_portStatus; }
    QLabel *sharingStatus() const { return m_sharingStatus; }
    frmFunctions *functionsPanel() const { return m_windows->functionsIfOpen(); }
    frmFilter *filterPanel() const { return m_windows->filterIfOpen(); }
    frmMessage *progressWindow() const { return m_windows->progressIfOpen(); }
    // The memory window while it is open, and what runs its buttons.
    frmMemory *memoryWindow() const { return m_windows->memoryWindow(); }
    // The band list and the scan window while they are open.
    frmBand *bandWindow() const { return m_windows->bandWindow(); }
    frmFreqScan *freqScanWindow() const { return m_windows->freqScanWindow(); }
    MemoryController *memoryController() const { return m_windows->memoryController(); }

    // RadioDisplay
    void setLabel(RadioView::Label label, const QString &text) override;
    void setSlider(RadioView::Slider slider, int value) override;
    void selectOption(RadioView::Option option) override;
    void setFilterText(RadioView::FilterList list, const QString &text) override;
    void setSMeter(int value) override;
    void setFrequencyCaptions(const QString &frequencyText) override;
    void showProgress(const QString &message, bool barVisible, bool percentVisible) override;
    void setProgressPercent(const QString &text) override;
    void closeProgress() override;
    void memoryStep(bool up) override;
    void memoryDownload(const QString &reply) override;
    int serialError(const QString &text) override;
    void portProblem(const QString &text) override;
    void showLink(RadioView::Link link, const QString &text) override;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void buildLayout();
    void wireUp();
    void updatePortStatus();
    void showSharingStatus(const QString &text);
    bool openPort();

    Radio &m_radio;
    TerminalOptions m_options;
    TerminalPrompts m_prompts = TerminalPrompts::standard();
    OutputDrain::Timing m_drainTiming;
    std::function<qint64()> m_pendingOutput;
    std::function<bool(QWidget *)> m_propertiesDialog;

    DisplayPanel *m_display = nullptr;
    FrontPanel *m_front = nullptr;
    QPushButton *m_cmdSend = nullptr;
    QPushButton *m_cmdCwKeyboard = nullptr;
    QLabel *m_portStatus = nullptr;
    QLabel *m_sharingStatus = nullptr;
    QTimer *m_timer4 = nullptr;

    TerminalWindows *m_windows = nullptr;

    QString m_lastPortProblem;
    RadioView::Link m_link = RadioView::Link::Up;
    QString m_linkText; // what the status bar says of the link since it last went down
    bool m_closing = false;
    // Start-up ended before the port was opened; an accepted Properties dialog finishes it.
    bool m_startupPending = false;
};
