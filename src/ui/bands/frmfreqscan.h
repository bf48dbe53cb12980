// The scan window: the scan ranges in a table window, and "Start", which scans the range of
// the selected row until it is pressed again ("Stop"). The scan itself is FrequencyScan; the
// window hands it the selected row and shows its caption, title and messages. Closing the
// window stops a running scan; its last waits and status requests still go out after the
// window has gone.
#pragma once

#include "core/bands/frequencyscan.h"
#include "ui/tablewindow/tablewindow.h"

class Radio;

class frmFreqScan : public TableWindow
{
    Q_OBJECT
public:
    explicit frmFreqScan(Radio &radio, QWidget *parent = nullptr,
                         const QString &folder = QString());

    // The main window's frequency as it shows it ("14,200.000") on each status word: the title
    // becomes "Frequency Scan: 14,200.000 Khz". Empty text leaves the title as it is.
    void setFrequencyText(const QString &text);

    // Start or Stop with the selected row.
    void cmdStart_Click();

    ScanRow row(int index) const { return ScanRow::fromCells(rowCells(index)); }
    // The window's scan; none once the window has closed.
    FrequencyScan *scan() const { return m_scan; }

    QPushButton *cmdStart = nullptr;
    QPushButton *cmdClose = nullptr;

Q_SIGNALS:
    // A message for the operator (a refused row); shown in a box beside the window.
    void message(const QString &text);

private:
    void wireUp();
    void setScanCaption(const QString &caption);
    void showMessage(const QString &text);
    void windowClosing();
    // The selected row and its number counted from 1 (0 when none is selected).
    std::pair<ScanRow, int> selectedRow();

    Radio &m_radio;
    FrequencyScan *m_scan = nullptr;
    bool m_closing = false;
};
