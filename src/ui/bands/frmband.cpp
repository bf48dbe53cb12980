#include "ui/bands/frmband.h"

#include "core/bands/bandactivation.h"
#include "core/db/tablemodel.h"
#include "core/exchange/bandfile.h"
#include "ui/tablewindow/datagrid.h"

#include <QHBoxLayout>
#include <QMenuBar>
#include <QPushButton>

frmBand::frmBand(Radio &radio, QWidget *parent, const QString &folder)
    : TableWindow(Tables::band(), WindowFacts::band(), parent, folder)
    , m_radio(radio)
{
    cmdActivate = addButton("cmdActivate", QStringLiteral("&Activate"),
                            QStringLiteral("tune the radio to this row"));
    buttonLayout()->addStretch(1);
    cmdClose = addCloseButton(QStringLiteral("&Close"));
    connect(cmdActivate, &QPushButton::clicked, this, &frmBand::cmdActivate_Click);
    connect(this, &frmBand::message, this, &frmBand::showMessage);
    buildMenu();
    addEditMenu(true, QStringLiteral("&Delete Row"));
}

void frmBand::buildMenu()
{
    menuBar = addMenuBar();
    QMenu *bands = addWindowMenu(menuBar, "mnuBands", QStringLiteral("&Bands"));
    mnuExportCsv
        = addMenuEntry(bands, "mnuExportCsv", QStringLiteral("E&xport CSV..."),
                       QStringLiteral("Write the band list to a CSV file that CHIRP reads"));
    mnuImportCsv = addMenuEntry(
        bands, "mnuImportCsv", QStringLiteral("&Import CSV..."),
        QStringLiteral("Add the channels of a CHIRP CSV file at the end of the band list"));
    connect(mnuExportCsv, &QAction::triggered, this, &frmBand::mnuExportCsv_Click);
    connect(mnuImportCsv, &QAction::triggered, this, &frmBand::mnuImportCsv_Click);
}

void frmBand::mnuExportCsv_Click()
{
    if (!isLoaded() || !database().isOpen())
        return;
    m_files.exportTable(
        this,
        {true, QStringLiteral("Export CSV"), QStringLiteral("band-list.csv"),
         QLatin1String(FileCommand::CsvFilter)},
        [this] { return save(); },
        [this](const QString &path) { return BandFile::exportTo(database(), path); });
}

void frmBand::mnuImportCsv_Click()
{
    if (!isLoaded() || !database().isOpen() || refuseWhenReadOnly())
        return;
    m_files.importTable(
        this,
        {false, QStringLiteral("Import CSV"), QString(), QLatin1String(FileCommand::CsvFilter)},
        [this] { return save(); },
        [this](const QString &path) {
            const int before = model()->allRowCount();
            const ExchangeOutcome outcome = BandFile::importFrom(database(), path);
            // The first of the new rows becomes current, ready for Activate.
            if (outcome.changed && refresh())
                setCurrentRow(before);
            return outcome;
        });
}

void frmBand::cmdActivate_Click()
{
    grid()->commitOpenEditor();
    const int current = currentRow();
    if (current < 0) {
        Q_EMIT message(QStringLiteral("No row is selected: choose the band to tune to in the "
                                      "table. Nothing was sent."));
        return;
    }
    const QString refused = BandActivation::activate(m_radio, row(current), current + 1);
    // The grid is left on the row's Mode cell.
    grid()->setCurrentIndex(model()->index(current, model()->fieldIndex(QStringLiteral("Mode"))));
    if (!refused.isEmpty())
        Q_EMIT message(refused);
}

void frmBand::showMessage(const QString &text)
{
    showRefusal(text);
}
