// The band list: the operator's favourite frequencies in a table window, and "Activate",
// which tunes the radio to the selected row. A cell the activation refuses is named in a
// message beside the window. The "&Bands" menu exports the list as a CSV file in CHIRP's layout
// and imports one at its end (BandFile).
#pragma once

#include "core/bands/bandrow.h"
#include "ui/exchange/filecommand.h"
#include "ui/tablewindow/tablewindow.h"

class QAction;
class QMenuBar;
class Radio;

class frmBand : public TableWindow
{
    Q_OBJECT
public:
    explicit frmBand(Radio &radio, QWidget *parent = nullptr, const QString &folder = QString());

    // Tunes the radio to the current row (the edit being made in it counts).
    void cmdActivate_Click();

    BandRow row(int index) const { return BandRow::fromCells(rowCells(index)); }

    void mnuExportCsv_Click();
    void mnuImportCsv_Click();
    // Where the CSV commands ask for their file and tell what they did (Qt's file dialog and a
    // message box by default).
    void setFileChooser(FileCommand::Chooser choose) { m_files.setFileChooser(std::move(choose)); }
    void setOutcomeTeller(FileCommand::Teller tell) { m_files.setOutcomeTeller(std::move(tell)); }

    QPushButton *cmdActivate = nullptr;
    QPushButton *cmdClose = nullptr;
    QMenuBar *menuBar = nullptr;
    QAction *mnuExportCsv = nullptr; // "&Bands" > "E&xport CSV..."
    QAction *mnuImportCsv = nullptr; // "&Bands" > "&Import CSV..."

Q_SIGNALS:
    // A message for the operator (a refused cell); shown in a box beside the window.
    void message(const QString &text);

private:
    void buildMenu();
    void showMessage(const QString &text);

    Radio &m_radio;
    FileCommand::TableCommands m_files;
};
