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
    static constexpr int ChannelCount = 100;

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

    // The rows in the order the grid shows them (a header click may have sorted them). row()
    // is empty for a row that is not there.
    int channelCount();
    MemoryRow row(int index) const;
    // Where each channel is: element n is the row whose Mem cell names channel n, -1 when none
    // does. Of two rows naming one channel the one stored first counts.
    QList<int> channelRows();
    int rowOfChannel(int channel);
    // Channel n as the table holds it; an empty channel numbered n when no row holds it.
    MemoryRow channel(int channel);
    // Makes the row of channel n current (none when the table has no such row).
    void showChannel(int channel);
    // Writes each row into the row of the channel its Mem cell names, adding a row for a
    // channel the table lacks, in one transaction. False (reported) when a row names no
    // channel 00 to 99 or the write fails; every row is then as it was.
    bool storeChannels(const QList<MemoryRow> &rows);
    // Writes one row over the row shown at index; false (reported) leaves it as it was.
    bool writeRow(int index, const MemoryRow &row);

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

protected:
    // "&Edit" > "&Clear Channel" (Delete): asks "Clear channel 05?", then blanks every cell of
    // the row but its Mem.
    void deleteRow() override;

private:
    void buildMenu();
    void buildScanFrame();
    void wireUp();

    FileCommand::TableCommands m_files;
};
