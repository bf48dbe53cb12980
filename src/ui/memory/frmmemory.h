// The memory window: the PC's copy of the radio's 100 memory channels in a table window, the
// transfer and exchange buttons and the Scan frame. The window reports each press as a signal;
// the transfers, the exchange and the scan are run by the memory operations, which read and
// write the rows and the scan boxes through this class. The "&Channels" menu exports the
// channels as a CSV file in CHIRP's layout and imports one (MemoryFile), itself.
#pragma once

#include "core/memory/memoryrow.h"
#include "ui/exchange/filecommand.h"
#include "ui/tablewindow/tablewindow.h"

class QAction;
class QGroupBox;
class QLineEdit;
class QMenuBar;

class frmMemory : public TableWindow
{
    Q_OBJECT
public:
    explicit frmMemory(QWidget *parent = nullptr, const QString &folder = QString());

    // The main window's frequency as it shows it ("14,200.000"): the title becomes
    // "Memory: 14,200.000 Khz". Empty text (no frequency reported yet) leaves "Memory".
    void setFrequencyText(const QString &text);

    void cmdMemtoRad_Click() { Q_EMIT pcToRadioRequested(); }
    void CmdRadtoMem_Click() { Q_EMIT radioToPcRequested(); }
    void cmdVFOtoMem_Click() { Q_EMIT vfoToMemRequested(); }
    void CmdMemtoVFO_Click() { Q_EMIT memToVfoRequested(); }
    void cmdActivate_Click() { Q_EMIT startStopRequested(); }
    void mnuRestoreSnapshot_Click() { Q_EMIT restoreSnapshotRequested(); }
    void mnuExportCsv_Click();
    void mnuImportCsv_Click();

    // Where the CSV commands ask for their file and tell what they did (Qt's file dialog and a
    // message box by default).
    void setFileChooser(FileCommand::Chooser choose) { m_files.setFileChooser(std::move(choose)); }
    void setOutcomeTeller(FileCommand::Teller tell) { m_files.setOutcomeTeller(std::move(tell)); }

    // The channels in row order (row i is radio channel i). row() is empty for a row that is
    // not there.
    int channelCount();
    MemoryRow row(int index) const;
    // Writes rows from firstRow on in one transaction; false (reported) leaves every row as it
    // was.
    bool writeChannels(int firstRow, const QList<MemoryRow> &rows);

    // "Start" or "Stop" on cmdActivate.
    void setScanCaption(const QString &caption);

    // The transfers hide the window while they run: the row being edited is saved first.
    // Showing it again brings it forward and runs the activation (plain order, no row current).
    void hideForTransfer();
    void showAfterTransfer();

    QPushButton *cmdMemtoRad = nullptr;
    QPushButton *CmdRadtoMem = nullptr;
    QPushButton *cmdVFOtoMem = nullptr;
    QPushButton *CmdMemtoVFO = nullptr;
    QPushButton *cmdClose = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLineEdit *txtStartMem = nullptr;
    QLineEdit *txtEndMem = nullptr;
    QLineEdit *txtScanPause = nullptr;
    QLineEdit *txtScanCode = nullptr;
    QPushButton *cmdActivate = nullptr;
    QMenuBar *menuBar = nullptr;
    QAction *mnuRestoreSnapshot = nullptr; // "&Snapshots" > "&Restore Snapshot..."
    QAction *mnuExportCsv = nullptr; // "&Channels" > "E&xport CSV..."
    QAction *mnuImportCsv = nullptr; // "&Channels" > "&Import CSV..."

Q_SIGNALS:
    void pcToRadioRequested();
    void radioToPcRequested();
    void vfoToMemRequested();
    void memToVfoRequested();
    void startStopRequested();
    void restoreSnapshotRequested();

private:
    void buildMenu();
    void buildScanFrame();
    void wireUp();

    FileCommand::TableCommands m_files;
};
