// The windows the main window opens: each is created on first use, shown without blocking the
// others and brought forward when asked for again; a window that closed itself is created anew
// at the next request. The functions and filter panels are created hidden when a reply needs
// them before the operator has opened them.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class CwSender;
class frmBand;
class frmFilter;
class frmFreqScan;
class frmFunctions;
class frmMemory;
class frmMessage;
class MemoryController;
class QWidget;
class Radio;
class RadioSharing;

class TerminalWindows : public QObject
{
    Q_OBJECT
public:
    // parent: the main window, which every window opened here belongs to.
    TerminalWindows(Radio &radio, QWidget &parent);

    void showSetup(RadioSharing *sharing);
    void showTesting();
    void showAbout();
    void showHelp();
    void showMemory();
    void showBand();
    void showFreqScan();
    void showLogging();
    void showRadioMenu();
    void showFunctions();
    void showFilter();
    void showCwKeyboard();

    // The sender the CW keyboard feeds the radio's keyer through (shared with the network
    // clients); without one the window gets a sender of its own.
    void setKeyer(CwSender *keyer) { m_keyer = keyer; }

    // The panels and the progress window, created hidden when they do not exist yet.
    frmFunctions &functions();
    frmFilter &filter();
    frmMessage &progress();
    frmFunctions *functionsIfOpen() const { return m_functions; }
    frmFilter *filterIfOpen() const { return m_filter; }
    frmMessage *progressIfOpen() const { return m_message; }

    frmMemory *memoryWindow() const;
    MemoryController *memoryController() const;
    frmBand *bandWindow() const;
    frmFreqScan *freqScanWindow() const;

    // The frequency in the memory and scan windows' titles, also for those opened later.
    void setFrequencyCaptions(const QString &frequencyText);

    static void bringForward(QWidget *window);

private:
    void show(QPointer<QWidget> &slot, const std::function<QWidget *()> &create);

    Radio &m_radio;
    QWidget &m_parent;
    QString m_frequencyCaption;
    QPointer<frmFunctions> m_functions;
    QPointer<frmFilter> m_filter;
    QPointer<frmMessage> m_message;
    QPointer<QWidget> m_help;
    QPointer<QWidget> m_testing;
    QPointer<QWidget> m_setup;
    QPointer<QWidget> m_about;
    QPointer<QWidget> m_band;
    QPointer<QWidget> m_freqScan;
    QPointer<QWidget> m_memory;
    QPointer<MemoryController> m_memoryController;
    QPointer<QWidget> m_logging;
    QPointer<QWidget> m_radioMenu;
    QPointer<QWidget> m_cwKeyboard;
    CwSender *m_keyer = nullptr;
};
