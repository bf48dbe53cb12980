// Puts the memory window's buttons to work: the transfers with their progress window, the
// exchange with the VFOs, the memory scan and the snapshot restore. It lives as long as the
// window (a child of it) and owns the operations; the main window hands it the memory replies
// of a download.
//
// Channels go by the Mem cell of their row, never by where the grid shows the row: a header
// sort changes nothing the radio receives or the table stores.
//
// A transfer hides the memory window and shows the progress window with Cancel; the upload's
// progress window is modal, so nothing can change the table while it is written. Before a
// download the table is kept as a snapshot; the downloaded rows are stored in one transaction
// when channel 99 has come, or not at all.
#pragma once

#include "core/memory/memorydownload.h"
#include "core/memory/memoryexchange.h"
#include "core/memory/memoryscan.h"
#include "core/memory/memoryupload.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class frmMemory;
class frmMessage;
class frmSnapshots;
class Radio;

class MemoryController : public QObject
{
    Q_OBJECT
public:
    MemoryController(Radio &radio, frmMemory &window);
    ~MemoryController() override;

    // A memory reply while DownloadSwitch is 1.
    void memoryDownload(const QString &reply);

    bool isTransferring() const;
    // The memory window stays hidden during a transfer: its progress window comes forward
    // instead.
    void raiseProgress();

    // What the operator is told (a message box over the memory window that does not block, by
    // default).
    using MessageBox = std::function<void(const QString &text)>;
    void setMessageBox(MessageBox box) { m_message = std::move(box); }

    // The window's buttons.
    void startDownload(); // "&Radio to PC"
    void startUpload(); // "&PC to Radio"
    void memoryToVfo(); // "&Mem>VFO"
    void vfoToMemory(); // "&VFO>Mem"
    void startStopScan(); // "Start" / "Stop"
    void chooseSnapshot(); // "&Restore Snapshot..."
    // Restores a snapshot of the table (after the operator has confirmed it).
    bool restoreSnapshot(qint64 id);

    frmMessage *progressWindow() const { return m_progress; }
    frmSnapshots *snapshotWindow() const;
    MemoryDownload &download() { return m_download; }
    MemoryUpload &upload() { return m_upload; }
    MemoryScan &scan() { return *m_scan; }

private:
    class ScanView;

    void wireUp();
    void showProgress(const QString &text, bool modal);
    void closeProgress();
    void cancelRequested();
    void downloadFinished(MemoryDownload::Outcome outcome, const QString &message);
    void rowsDownloaded(const QList<MemoryRow> &rows);
    void uploadFinished(MemoryUpload::Outcome outcome, const QString &message);
    void stopScanForTransfer();
    // False, with the refusal told, while the radio's port is closed.
    bool portReady(const QString &refusal);
    void tell(const QString &text);
    // Channels 00 to 99 in channel order. A channel no row holds is an empty channel, or with
    // missing given, left out and its number added there.
    QList<MemoryRow> channels(QList<int> *missing = nullptr);
    // The row of the channel after the one shown at row, -1 when there is none.
    int nextChannelRow(int row);
    QString channelName(int row);

    Radio &m_radio;
    frmMemory &m_window;
    MemoryDownload m_download;
    MemoryUpload m_upload;
    MemoryExchange m_exchange;
    std::unique_ptr<ScanView> m_scanView;
    std::unique_ptr<MemoryScan> m_scan;
    frmMessage *m_progress = nullptr;
    QPointer<frmSnapshots> m_snapshots;
    MessageBox m_message;
    bool m_storeFailed = false; // the downloaded rows could not be stored
    QList<int> m_missing; // channels the upload has no row for
};
