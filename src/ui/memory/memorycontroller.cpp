#include "ui/memory/memorycontroller.h"

#include "core/db/dataerror.h"
#include "core/db/tablesnapshots.h"
#include "core/exchange/memoryfile.h"
#include "core/memory/memorycells.h"
#include "core/radio/radio.h"
#include "ui/memory/frmmemory.h"
#include "ui/memory/frmsnapshots.h"
#include "ui/settings/frmmessage.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>

// The scan reads the window's rows and boxes as they stand at each step.
class MemoryController::ScanView : public MemoryScanView
{
public:
    explicit ScanView(frmMemory &window)
        : m_window(window)
    {
    }
    int rowCount() const override { return frmMemory::ChannelCount; }
    MemoryRow row(int channel) const override { return m_window.channel(channel); }
    MemoryScanBoxes boxes() const override
    {
        return {m_window.txtStartMem->text(), m_window.txtEndMem->text(),
                m_window.txtScanPause->text(), m_window.txtScanCode->text()};
    }

private:
    frmMemory &m_window;
};

MemoryController::MemoryController(Radio &radio, frmMemory &window)
    : QObject(&window)
    , m_radio(radio)
    , m_window(window)
    , m_download(radio)
    , m_upload(radio)
    , m_exchange(radio)
    , m_scanView(std::make_unique<ScanView>(window))
    , m_scan(std::make_unique<MemoryScan>(radio, *m_scanView))
{
    setObjectName(QStringLiteral("memoryController"));
    m_progress = new frmMessage(&window);
    m_message = [this](const QString &text) {
        auto *box = new QMessageBox(QMessageBox::Information, QCoreApplication::applicationName(),
                                    text, QMessageBox::Ok, &m_window);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setWindowModality(Qt::WindowModal);
        box->show();
    };
    wireUp();
}

MemoryController::~MemoryController() = default;

void MemoryController::wireUp()
{
    connect(&m_window, &frmMemory::radioToPcRequested, this, &MemoryController::startDownload);
    connect(&m_window, &frmMemory::pcToRadioRequested, this, &MemoryController::startUpload);
    connect(&m_window, &frmMemory::memToVfoRequested, this, &MemoryController::memoryToVfo);
    connect(&m_window, &frmMemory::vfoToMemRequested, this, &MemoryController::vfoToMemory);
    connect(&m_window, &frmMemory::startStopRequested, this, &MemoryController::startStopScan);
    connect(&m_window, &frmMemory::restoreSnapshotRequested, this,
            &MemoryController::chooseSnapshot);
    // Close stops a running scan first (its closing status requests go out as it ends).
    connect(&m_window, &TableWindow::closing, this, [this] {
        if (m_scan->scanActive() == QLatin1String("Y"))
            m_scan->cmdActivate_Click();
    });

    connect(m_progress, &frmMessage::cancelRequested, this, &MemoryController::cancelRequested);
    connect(&m_download, &MemoryDownload::progressChanged, this,
            [this](int value, const QString &percent) {
                m_progress->setProgress(value);
                m_progress->setPercent(percent);
            });
    connect(&m_download, &MemoryDownload::rowsDownloaded, this, &MemoryController::rowsDownloaded);
    connect(&m_download, &MemoryDownload::finished, this, &MemoryController::downloadFinished);
    connect(&m_upload, &MemoryUpload::progressChanged, this,
            [this](int value, const QString &percent) {
                m_progress->setProgress(value);
                m_progress->setPercent(percent);
            });
    connect(&m_upload, &MemoryUpload::finished, this, &MemoryController::uploadFinished);

    connect(m_scan.get(), &MemoryScan::captionChanged, &m_window, &frmMemory::setScanCaption);
    connect(m_scan.get(), &MemoryScan::rowChanged, &m_window, &frmMemory::showChannel);
    connect(m_scan.get(), &MemoryScan::refused, this, &MemoryController::tell);
}

frmSnapshots *MemoryController::snapshotWindow() const
{
    return m_snapshots.data();
}

void MemoryController::memoryDownload(const QString &reply)
{
    m_download.memoryDownload(reply);
}

bool MemoryController::isTransferring() const
{
    return m_download.isRunning() || m_upload.isRunning();
}

void MemoryController::raiseProgress()
{
    m_progress->raise();
    m_progress->activateWindow();
}

void MemoryController::tell(const QString &text)
{
    if (m_message)
        m_message(text);
}

QList<MemoryRow> MemoryController::channels(QList<int> *missing)
{
    QList<MemoryRow> rows;
    const QList<int> where = m_window.channelRows();
    for (int channel = 0; channel < where.size(); ++channel) {
        if (where.at(channel) >= 0)
            rows << m_window.row(where.at(channel));
        else if (missing)
            *missing << channel;
        else
            rows << m_window.channel(channel);
    }
    return rows;
}

int MemoryController::nextChannelRow(int row)
{
    const std::optional<int> channel = MemoryCells::channelNumber(m_window.row(row).Mem);
    return channel ? m_window.rowOfChannel(*channel + 1) : -1;
}

QString MemoryController::channelName(int row)
{
    const QString mem = m_window.row(row).Mem.trimmed();
    return mem.isEmpty() ? MemoryCells::channelText(row) : mem;
}

// --- Transfers ---------------------------------------------------------------------------------

void MemoryController::showProgress(const QString &text, bool modal)
{
    m_progress->hide();
    m_progress->reset();
    m_progress->setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
    m_progress->setMessage(text);
    m_progress->ProgressBar1->setVisible(true);
    m_progress->lblPercent->setVisible(true);
    m_progress->setCancelVisible(true);
    m_progress->show();
    m_progress->raise();
    m_progress->activateWindow();
}

void MemoryController::closeProgress()
{
    m_progress->setCancelVisible(false);
    m_progress->close();
}

void MemoryController::stopScanForTransfer()
{
    // The window is hidden during a transfer: a scan left running could not be stopped.
    if (m_scan->scanRunning())
        m_scan->cmdActivate_Click();
}

bool MemoryController::portReady(const QString &refusal)
{
    // Commands for a closed port go nowhere: an upload would end as if it had written every
    // channel.
    if (m_radio.MSComm1().portOpen())
        return true;
    tell(refusal);
    return false;
}

void MemoryController::startDownload()
{
    if (isTransferring()
        || !portReady(tr("The radio's port is closed, so the channels cannot be read. Open it "
                         "with Communications > Properties... first.")))
        return;
    if (!m_window.database().isOpen()) {
        tell(tr("The memory table could not be opened, so nothing can be read into it."));
        return;
    }
    if (m_window.refuseWhenReadOnly())
        return;
    if (!m_window.save())
        return; // the data error has been reported; the table stays as it is
    TableSnapshots snapshots(m_window.database());
    if (!snapshots.take(tr("before Radio to PC"))) {
        m_window.reportDataError(snapshots.errorText()
                                 + tr(" (the table could not be kept as a snapshot, so the "
                                      "download was not started)"));
        return;
    }
    stopScanForTransfer();
    const QList<MemoryRow> rows = channels();
    m_storeFailed = false;
    showProgress(MemoryDownload::progressMessage(), false);
    m_window.hideForTransfer();
    m_download.start(rows);
}

void MemoryController::rowsDownloaded(const QList<MemoryRow> &rows)
{
    // Each channel goes into the row whose Mem cell names it, whatever order the grid shows.
    m_storeFailed = !m_window.storeChannels(rows);
}

void MemoryController::downloadFinished(MemoryDownload::Outcome outcome, const QString &message)
{
    closeProgress();
    m_window.showAfterTransfer();
    if (outcome == MemoryDownload::Outcome::Completed && m_storeFailed) {
        tell(tr("The channels read from the radio could not be stored; the memory table is "
                "unchanged."));
    } else if (!message.isEmpty()) {
        tell(message);
    }
}

void MemoryController::startUpload()
{
    if (isTransferring()
        || !portReady(tr("The radio's port is closed, so the channels cannot be written. Open "
                         "it with Communications > Properties... first.")))
        return;
    if (!m_window.save())
        return;
    m_missing.clear();
    const QList<MemoryRow> rows = channels(&m_missing);
    if (rows.isEmpty()) {
        tell(tr("The memory table has no rows to write into the radio."));
        return;
    }
    stopScanForTransfer();
    showProgress(MemoryUpload::progressMessage(), true);
    m_window.hideForTransfer();
    m_upload.start(rows);
}

void MemoryController::uploadFinished(MemoryUpload::Outcome, const QString &message)
{
    closeProgress();
    m_window.showAfterTransfer();
    m_window.setCurrentRow(0);
    QStringList parts;
    if (!message.isEmpty())
        parts << message;
    if (!m_missing.isEmpty())
        parts << tr("The memory table has no row for channel %1, so the radio's were not "
                    "written.")
                     .arg(MemoryFile::channelRanges(m_missing));
    if (!parts.isEmpty())
        tell(parts.join(QLatin1Char('\n')));
}

void MemoryController::cancelRequested()
{
    if (m_download.isRunning()) {
        m_download.cancel();
    } else if (m_upload.isRunning()) {
        m_upload.cancel();
        m_progress->setCancelEnabled(false);
        m_progress->setMessage(tr("Stopping after this channel, Do Not Interrupt !"));
    }
}

// --- One channel at a time -----------------------------------------------------------------------

void MemoryController::memoryToVfo()
{
    const int row = m_window.currentRow();
    if (row < 0) {
        tell(tr("Choose a channel in the table first."));
        return;
    }
    m_window.save();
    const QStringList undefined = m_exchange.CmdMemtoVFO_Click(m_window.row(row));
    if (!undefined.isEmpty()) {
        tell(tr("Channel %1: %2 holds no frequency or mode and was sent as empty.")
                 .arg(channelName(row), undefined.join(QStringLiteral(", "))));
    }
    // Pressed again, it loads the next channel, wherever the grid shows it.
    if (const int next = nextChannelRow(row); next >= 0)
        m_window.setCurrentRow(next);
}

void MemoryController::vfoToMemory()
{
    const int row = m_window.currentRow();
    if (row < 0) {
        tell(tr("Choose a channel in the table first."));
        return;
    }
    const std::optional<MemoryRow> stored = m_exchange.cmdVFOtoMem_Click(m_window.row(row));
    if (!stored) {
        tell(tr("The radio has not reported its frequency yet; channel %1 is unchanged.")
                 .arg(channelName(row)));
        return;
    }
    const std::optional<int> channel = MemoryCells::channelNumber(stored->Mem);
    if (!m_window.writeRow(row, *stored))
        return; // reported as a data error
    // Saving may have moved the row in a sorted grid: the next channel is looked up afresh.
    if (const int next = channel ? m_window.rowOfChannel(*channel + 1) : -1; next >= 0)
        m_window.setCurrentRow(next);
}

void MemoryController::startStopScan()
{
    m_scan->cmdActivate_Click();
}

// --- Snapshots -----------------------------------------------------------------------------------

void MemoryController::chooseSnapshot()
{
    if (isTransferring() || m_snapshots)
        return;
    if (!m_window.database().isOpen()) {
        tell(tr("The memory table could not be opened, so it has no snapshots."));
        return;
    }
    TableSnapshots snapshots(m_window.database());
    const QList<TableSnapshots::Snapshot> kept = snapshots.list();
    if (!snapshots.errorText().isEmpty()) {
        m_window.reportDataError(snapshots.errorText());
        return;
    }
    if (kept.isEmpty()) {
        tell(tr("There is no snapshot yet. One is kept each time \"Radio to PC\" starts."));
        return;
    }
    m_snapshots = new frmSnapshots(kept, &m_window);
    m_snapshots->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_snapshots, &frmSnapshots::restoreChosen, this, &MemoryController::restoreSnapshot);
    m_snapshots->open();
}

bool MemoryController::restoreSnapshot(qint64 id)
{
    if (isTransferring() || m_window.refuseWhenReadOnly() || !m_window.save())
        return false;
    TableSnapshots snapshots(m_window.database());
    if (!snapshots.restore(id)) {
        m_window.reportDataError(snapshots.errorText());
        return false;
    }
    m_window.refresh();
    return true;
}
