#include "ui/main/terminalwindows.h"

#include "core/cw/cwsender.h"
#include "core/db/tablemodel.h"
#include "core/net/radiosharing.h"
#include "core/radio/radio.h"
#include "ui/bands/frmband.h"
#include "ui/bands/frmfreqscan.h"
#include "ui/cw/frmcwkeyboard.h"
#include "ui/logbook/frmlogging.h"
#include "ui/main/helpwindow.h"
#include "ui/memory/frmmemory.h"
#include "ui/memory/memorycontroller.h"
#include "ui/menu/frmmenu.h"
#include "ui/panels/frmfilter.h"
#include "ui/panels/frmfunctions.h"
#include "ui/settings/frmabout.h"
#include "ui/settings/frmmessage.h"
#include "ui/settings/frmsetup.h"
#include "ui/settings/frmtesting.h"

#include <QWidget>

namespace {

// The call of the contact chosen in the logbook window; empty when it is not open or no row
// with a call is chosen.
QString chosenCall(const frmLogging *logbook)
{
    if (!logbook || !logbook->isLoaded())
        return {};
    const int row = logbook->currentRow();
    const int column = logbook->model()->fieldIndex(QStringLiteral("CallSign"));
    if (row < 0 || column < 0)
        return {};
    return logbook->model()->index(row, column).data().toString().trimmed();
}

} // namespace

TerminalWindows::TerminalWindows(Radio &radio, QWidget &parent)
    : QObject(&parent)
    , m_radio(radio)
    , m_parent(parent)
{
}

void TerminalWindows::bringForward(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

void TerminalWindows::show(QPointer<QWidget> &slot, const std::function<QWidget *()> &create)
{
    if (!slot)
        slot = create();
    bringForward(slot);
}

void TerminalWindows::showSetup(RadioSharing *sharing)
{
    show(m_setup, [this, sharing] {
        auto *setup = new frmSetup(&m_parent);
        connect(setup, &frmSetup::gmtOffsetChanged, this,
                [this](const QString &offset) { m_radio.state().GMTOffset = offset; });
        if (sharing)
            connect(setup, &frmSetup::sharingChanged, sharing, &RadioSharing::apply);
        return setup;
    });
}

void TerminalWindows::showTesting()
{
    show(m_testing, [this] { return new frmTesting(m_radio, &m_parent); });
}

void TerminalWindows::showAbout()
{
    show(m_about, [this] { return new frmAbout(&m_parent); });
}

void TerminalWindows::showHelp()
{
    show(m_help, [this] { return new HelpWindow(&m_parent); });
}

void TerminalWindows::showMemory()
{
    // During a transfer the memory window stays hidden; its progress window comes forward.
    if (m_memoryController && m_memoryController->isTransferring()) {
        m_memoryController->raiseProgress();
        return;
    }
    show(m_memory, [this] {
        auto *window = new frmMemory(&m_parent);
        window->setFrequencyText(m_frequencyCaption);
        m_memoryController = new MemoryController(m_radio, *window);
        return window;
    });
}

void TerminalWindows::showBand()
{
    show(m_band, [this] { return new frmBand(m_radio, &m_parent); });
}

void TerminalWindows::showFreqScan()
{
    show(m_freqScan, [this] { return new frmFreqScan(m_radio, &m_parent); });
}

void TerminalWindows::showLogging()
{
    show(m_logging, [this] { return new frmLogging(m_radio.state(), &m_parent); });
}

void TerminalWindows::showRadioMenu()
{
    show(m_radioMenu, [this] { return new frmMenu(&m_parent); });
}

void TerminalWindows::showCwKeyboard()
{
    show(m_cwKeyboard, [this] {
        if (!m_keyer)
            m_keyer = new CwSender(m_radio, this);
        auto *window = new frmCwKeyboard(m_radio, *m_keyer, &m_parent);
        window->setCallSource(
            [this] { return chosenCall(qobject_cast<frmLogging *>(m_logging.data())); });
        return window;
    });
}

void TerminalWindows::showFunctions()
{
    bringForward(&functions());
}

void TerminalWindows::showFilter()
{
    bringForward(&filter());
}

frmFunctions &TerminalWindows::functions()
{
    if (!m_functions)
        m_functions = new frmFunctions(m_radio, &m_parent); // hidden until the operator opens it
    return *m_functions;
}

frmFilter &TerminalWindows::filter()
{
    if (!m_filter)
        m_filter = new frmFilter(m_radio, &m_parent);
    return *m_filter;
}

frmMessage &TerminalWindows::progress()
{
    if (!m_message)
        m_message = new frmMessage(&m_parent);
    return *m_message;
}

frmMemory *TerminalWindows::memoryWindow() const
{
    return qobject_cast<frmMemory *>(m_memory.data());
}

MemoryController *TerminalWindows::memoryController() const
{
    return m_memoryController.data();
}

frmBand *TerminalWindows::bandWindow() const
{
    return qobject_cast<frmBand *>(m_band.data());
}

frmFreqScan *TerminalWindows::freqScanWindow() const
{
    return qobject_cast<frmFreqScan *>(m_freqScan.data());
}

void TerminalWindows::setFrequencyCaptions(const QString &frequencyText)
{
    m_frequencyCaption = frequencyText;
    if (frmMemory *memory = memoryWindow())
        memory->setFrequencyText(frequencyText);
    if (frmFreqScan *scan = freqScanWindow())
        scan->setFrequencyText(frequencyText);
}
