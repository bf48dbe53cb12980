// The band list: the operator's favourite frequencies in a table window, and "Activate",
// which tunes the radio to the selected row. A cell the activation refuses is named in a
// message beside the window.
#pragma once

#include "bands/operations/bandrow.h"
#include "tablewindow/tablewindow.h"

class Radio;

class frmBand : public TableWindow
{
    Q_OBJECT
public:
    explicit frmBand(Radio &radio, QWidget *parent = nullptr, const QString &folder = QString());

    // Tunes the radio to the current row (the edit being made in it counts).
    void cmdActivate_Click();

    BandRow row(int index) const { return BandRow::fromCells(rowCells(index)); }

    QPushButton *cmdActivate = nullptr;
    QPushButton *cmdClose = nullptr;

Q_SIGNALS:
    // A message for the operator (a refused cell); shown in a box beside the window.
    void message(const QString &text);

private:
    void showMessage(const QString &text);

    Radio &m_radio;
};
