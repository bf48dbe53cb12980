#include "ui/bands/frmfreqscan.h"

#include "core/radio/radio.h"
#include "ui/tablewindow/datagrid.h"

#include <QHBoxLayout>
#include <QPushButton>

frmFreqScan::frmFreqScan(Radio &radio, QWidget *parent, const QString &folder)
    : TableWindow(Tables::scan(), WindowFacts::scan(), parent, folder)
    , m_radio(radio)
    , m_scan(new FrequencyScan(radio, this))
{
    cmdStart = addButton("cmdStart", QStringLiteral("&Start"), QString());
    setScanCaption(QStringLiteral("Start"));
    buttonLayout()->addStretch(1);
    cmdClose = addCloseButton(QStringLiteral("&Close"));
    addEditMenu(true, QStringLiteral("&Delete Row"));
    wireUp();
}

void frmFreqScan::wireUp()
{
    connect(cmdStart, &QPushButton::clicked, this, &frmFreqScan::cmdStart_Click);
    connect(m_scan, &FrequencyScan::captionChanged, this, &frmFreqScan::setScanCaption);
    connect(m_scan, &FrequencyScan::titleChanged, this, &QWidget::setWindowTitle);
    connect(m_scan, &FrequencyScan::refused, this, &frmFreqScan::message);
    connect(this, &frmFreqScan::message, this, &frmFreqScan::showMessage);
    connect(this, &TableWindow::closing, this, &frmFreqScan::windowClosing);
}

void frmFreqScan::setFrequencyText(const QString &text)
{
    if (!text.isEmpty())
        setWindowTitle(QStringLiteral("Frequency Scan: ") + text + QStringLiteral(" Khz"));
}

std::pair<ScanRow, int> frmFreqScan::selectedRow()
{
    grid()->commitOpenEditor();
    const int current = currentRow();
    if (current < 0)
        return {ScanRow(), 0};
    return {row(current), current + 1};
}

void frmFreqScan::cmdStart_Click()
{
    if (!m_scan)
        return;
    const auto [row, number] = selectedRow();
    m_scan->cmdStart_Click(row, number);
}

void frmFreqScan::setScanCaption(const QString &caption)
{
    const bool stop = caption == QLatin1String("Stop");
    cmdStart->setText(stop ? QStringLiteral("&Stop") : QStringLiteral("&Start"));
    cmdStart->setAccessibleName(stop ? QStringLiteral("Stop, end the frequency scan")
                                     : QStringLiteral("Start, scan the range of this row"));
}

void frmFreqScan::showMessage(const QString &text)
{
    if (m_closing)
        return; // the window and a box beside it are going
    showRefusal(text);
}

void frmFreqScan::windowClosing()
{
    if (!m_scan)
        return;
    m_closing = true;
    const auto [row, number] = selectedRow();
    m_scan->windowClosing(row, number);
    if (m_scan->isIdle())
        return;
    // The scan outlives the window until its last status request has gone out.
    disconnect(m_scan, nullptr, this, nullptr);
    m_scan->setParent(&m_radio);
    connect(m_scan, &FrequencyScan::finished, m_scan, &QObject::deleteLater);
    m_scan = nullptr;
}
