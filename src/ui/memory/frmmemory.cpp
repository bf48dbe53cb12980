#include "ui/memory/frmmemory.h"

#include "core/db/tablemodel.h"
#include "core/exchange/memoryfile.h"
#include "core/memory/memorycells.h"
#include "ui/common/windowplacement.h"
#include "ui/tablewindow/datagrid.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace {
QLineEdit *scanBox(QWidget *parent, const char *name, const QString &text,
                   const QString &accessibleName)
{
    auto *box = new QLineEdit(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessibleName);
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    return box;
}
} // namespace

frmMemory::frmMemory(QWidget *parent, const QString &folder)
    : TableWindow(Tables::memory(), WindowFacts::memory(), parent, folder)
{
    cmdMemtoRad = addButton("cmdMemtoRad", QStringLiteral("&PC to Radio"),
                            QStringLiteral("write the table into the radio's channels"));
    CmdRadtoMem = addButton("CmdRadtoMem", QStringLiteral("&Radio to PC"),
                            QStringLiteral("read the radio's channels into the table"));
    cmdVFOtoMem
        = addButton("cmdVFOtoMem", QStringLiteral("&VFO>Mem"),
                    QStringLiteral("store the radio's frequency and mode in the current row"));
    CmdMemtoVFO = addButton("CmdMemtoVFO", QStringLiteral("&Mem>VFO"),
                            QStringLiteral("tune the radio to the current row"));
    buildScanFrame();
    cmdClose = addCloseButton(QStringLiteral("Close"));
    buildMenu();
    // The table keeps its 100 channels: a channel is cleared, never deleted or added.
    addEditMenu(false, QStringLiteral("&Clear Channel"));
    wireUp();
}

void frmMemory::buildMenu()
{
    menuBar = addMenuBar();
    QMenu *snapshots = addWindowMenu(menuBar, "mnuSnapshots", QStringLiteral("&Snapshots"));
    mnuRestoreSnapshot = addMenuEntry(
        snapshots, "mnuRestoreSnapshot", QStringLiteral("&Restore Snapshot..."),
        QStringLiteral("Put back the table as it was before a download from the radio"));
    QMenu *channels = addWindowMenu(menuBar, "mnuChannels", QStringLiteral("&Channels"));
    mnuExportCsv
        = addMenuEntry(channels, "mnuExportCsv", QStringLiteral("E&xport CSV..."),
                       QStringLiteral("Write the channels to a CSV file that CHIRP reads"));
    mnuImportCsv = addMenuEntry(
        channels, "mnuImportCsv", QStringLiteral("&Import CSV..."),
        QStringLiteral("Put the channels of a CHIRP CSV file into their rows, keeping the table "
                       "as a snapshot first"));
}

void frmMemory::buildScanFrame()
{
    Frame1 = new QGroupBox(QStringLiteral("Scan"), buttonPanel());
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setAccessibleName(QStringLiteral("Scan"));
    txtStartMem = scanBox(Frame1, "txtStartMem", QStringLiteral("10"),
                          QStringLiteral("Memory Range, first channel"));
    txtEndMem
        = scanBox(Frame1, "txtEndMem", QStringLiteral("50"), QStringLiteral("to, last channel"));
    txtScanPause = scanBox(Frame1, "txtScanPause", QStringLiteral("1"),
                           QStringLiteral("Pause, seconds on each channel"));
    txtScanCode = scanBox(Frame1, "txtScanCode", QStringLiteral("A"),
                          QStringLiteral("Code, the Scan cell of the channels to visit"));
    cmdActivate = new QPushButton(Frame1);
    cmdActivate->setObjectName(QStringLiteral("cmdActivate"));
    cmdActivate->setAutoDefault(false);
    setScanCaption(QStringLiteral("Start"));

    const auto label = [this](const char *name, const QString &text, QLineEdit *box) {
        QLabel *caption = WindowPlacement::namedLabel(Frame1, name, text);
        caption->setBuddy(box);
        return caption;
    };
    // Access keys that none of the window's buttons and menus use: G, O, U, D and T.
    auto *layout = new QGridLayout(Frame1);
    layout->addWidget(label("lblRange", QStringLiteral("Memory Ran&ge"), txtStartMem), 0, 0);
    layout->addWidget(txtStartMem, 0, 1);
    layout->addWidget(label("lblTo", QStringLiteral("t&o"), txtEndMem), 0, 2);
    layout->addWidget(txtEndMem, 0, 3);
    layout->addWidget(label("lblPause", QStringLiteral("Pa&use"), txtScanPause), 1, 0);
    layout->addWidget(txtScanPause, 1, 1);
    layout->addWidget(label("lblCode", QStringLiteral("Co&de"), txtScanCode), 1, 2);
    layout->addWidget(txtScanCode, 1, 3);
    layout->addWidget(cmdActivate, 0, 4, 2, 1);

    buttonLayout()->addStretch(1);
    buttonLayout()->addWidget(Frame1);
}

void frmMemory::wireUp()
{
    connect(cmdMemtoRad, &QPushButton::clicked, this, &frmMemory::cmdMemtoRad_Click);
    connect(CmdRadtoMem, &QPushButton::clicked, this, &frmMemory::CmdRadtoMem_Click);
    connect(cmdVFOtoMem, &QPushButton::clicked, this, &frmMemory::cmdVFOtoMem_Click);
    connect(CmdMemtoVFO, &QPushButton::clicked, this, &frmMemory::CmdMemtoVFO_Click);
    connect(cmdActivate, &QPushButton::clicked, this, &frmMemory::cmdActivate_Click);
    connect(mnuRestoreSnapshot, &QAction::triggered, this, &frmMemory::mnuRestoreSnapshot_Click);
    connect(mnuExportCsv, &QAction::triggered, this, &frmMemory::mnuExportCsv_Click);
    connect(mnuImportCsv, &QAction::triggered, this, &frmMemory::mnuImportCsv_Click);
}

void frmMemory::mnuExportCsv_Click()
{
    if (!isLoaded() || !database().isOpen())
        return;
    m_files.exportTable(
        this,
        {true, QStringLiteral("Export CSV"), QStringLiteral("memory-channels.csv"),
         QLatin1String(FileCommand::CsvFilter)},
        [this] { return save(); },
        [this](const QString &path) { return MemoryFile::exportTo(database(), path); });
}

void frmMemory::mnuImportCsv_Click()
{
    if (!isLoaded() || !database().isOpen() || refuseWhenReadOnly())
        return;
    m_files.importTable(
        this,
        {false, QStringLiteral("Import CSV"), QString(), QLatin1String(FileCommand::CsvFilter)},
        [this] { return save(); },
        [this](const QString &path) {
            const ExchangeOutcome outcome = MemoryFile::importFrom(database(), path);
            if (outcome.changed)
                refresh();
            return outcome;
        });
}

void frmMemory::setFrequencyText(const QString &text)
{
    setWindowTitle(text.isEmpty() ? QStringLiteral("Memory")
                                  : QStringLiteral("Memory: ") + text + QStringLiteral(" Khz"));
}

void frmMemory::setScanCaption(const QString &caption)
{
    // "S&tart" and "S&top": Alt+T either way.
    const bool stop = caption == QLatin1String("Stop");
    cmdActivate->setText(stop ? QStringLiteral("S&top") : QStringLiteral("S&tart"));
    cmdActivate->setAccessibleName(stop ? QStringLiteral("Stop, end the memory scan")
                                        : QStringLiteral("Start, scan the memory range"));
}

void frmMemory::hideForTransfer()
{
    if (isLoaded())
        save();
    hide();
}

void frmMemory::showAfterTransfer()
{
    show();
    raise();
    activateWindow();
    Form_Activate();
}

int frmMemory::channelCount()
{
    return model()->allRowCount();
}

MemoryRow frmMemory::row(int index) const
{
    return MemoryRow::fromCells(rowCells(index));
}

QList<int> frmMemory::channelRows()
{
    QList<int> rows(ChannelCount, -1);
    QList<qint64> keys(ChannelCount, 0);
    TableModel &table = *model();
    const int count = table.allRowCount();
    const int mem = table.fieldIndex(QStringLiteral("Mem"));
    for (int row = 0; row < count; ++row) {
        const std::optional<int> number
            = MemoryCells::channelNumber(table.index(row, mem).data(Qt::EditRole).toString());
        if (!number)
            continue;
        const qint64 key = table.index(row, table.keyColumn()).data(Qt::EditRole).toLongLong();
        if (rows.at(*number) < 0 || key < keys.at(*number)) {
            rows[*number] = row;
            keys[*number] = key;
        }
    }
    return rows;
}

int frmMemory::rowOfChannel(int channel)
{
    return channel >= 0 && channel < ChannelCount ? channelRows().at(channel) : -1;
}

MemoryRow frmMemory::channel(int channel)
{
    const int at = rowOfChannel(channel);
    if (at >= 0)
        return row(at);
    const QString blank = MemoryCells::blank();
    return MemoryRow {MemoryCells::channelText(channel), blank, blank, blank, blank, blank, blank};
}

void frmMemory::showChannel(int channel)
{
    if (const int at = rowOfChannel(channel); at >= 0)
        setCurrentRow(at);
}

bool frmMemory::storeChannels(const QList<MemoryRow> &rows)
{
    if (!database().isOpen() || !save())
        return false;
    QList<int> where = channelRows();
    QMap<int, QStringList> changed;
    QList<QStringList> added;
    for (const MemoryRow &row : rows) {
        const std::optional<int> number = MemoryCells::channelNumber(row.Mem);
        if (!number || *number >= ChannelCount) {
            reportDataError(QStringLiteral("the row \"%1\" names no memory channel 00 to 99; no "
                                           "channel was written")
                                .arg(row.Mem));
            return false;
        }
        if (where.at(*number) >= 0)
            changed.insert(where.at(*number), row.cells());
        else
            added << row.cells();
    }
    return writeRows(changed, added);
}

void frmMemory::deleteRow()
{
    if (!isLoaded() || !database().isOpen())
        return;
    grid()->commitOpenEditor();
    const int at = currentRow();
    if (at < 0)
        return;
    const QVariant key = keyOf(at);
    const QString mem = row(at).Mem;
    ask(QStringLiteral("Clear channel %1?").arg(mem.trimmed()), [this, key, at, mem] {
        const int now = rowOfKey(key, at);
        if (now < 0)
            return;
        const QString blank = MemoryCells::blank();
        if (writeRow(now, MemoryRow {mem, blank, blank, blank, blank, blank, blank}))
            setCurrentRow(rowOfKey(key, now));
    });
}

bool frmMemory::writeRow(int index, const MemoryRow &row)
{
    return writeRows({{index, row.cells()}});
}
