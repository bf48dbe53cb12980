#include "core/bands/frequencyscan.h"

#include "core/radio/cat.h"
#include "core/radio/radio.h"

#include <QTimer>
#include <algorithm>
#include <limits>
#include <optional>

namespace {

std::optional<ScanRange> rangeOf(const ScanRow &row, int rowNumber, QString *refusal)
{
    if (rowNumber <= 0) {
        *refusal = QStringLiteral("No row is selected: choose the range to scan in the table.");
        return std::nullopt;
    }
    return ScanRange::fromRow(row, rowNumber, refusal);
}

} // namespace

FrequencyScan::FrequencyScan(Radio &radio, QObject *parent)
    : QObject(parent)
    , m_radio(radio)
    , m_timer(new QTimer(this))
{
    m_timer->setObjectName(QStringLiteral("scanTimer"));
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &FrequencyScan::timerFired);
}

int FrequencyScan::scaled(qint64 ms) const
{
    return int(
        std::clamp<qint64>(ms * m_timing.msPerSecond / 1000, 0, std::numeric_limits<int>::max()));
}

void FrequencyScan::cmdStart_Click(const ScanRow &row, int rowNumber)
{
    switch (m_phase) {
    case Phase::Idle:
        start(row, rowNumber);
        return;
    case Phase::Scanning:
        stop(row, rowNumber);
        return;
    case Phase::Starting:
    case Phase::Stopping:
    case Phase::Finishing:
        if (!m_pressHeld) {
            m_pressHeld = true;
            m_heldRow = row;
            m_heldRowNumber = rowNumber;
        }
        return;
    }
}

void FrequencyScan::windowClosing(const ScanRow &row, int rowNumber)
{
    m_pressHeld = false;
    switch (m_phase) {
    case Phase::Scanning:
        stop(row, rowNumber);
        break;
    case Phase::Starting:
        m_timer->stop();
        takeRange(m_pressed);
        finishWith(1);
        break;
    case Phase::Idle:
    case Phase::Stopping:
    case Phase::Finishing:
        break;
    }
}

void FrequencyScan::start(const ScanRow &row, int rowNumber)
{
    QString refusal;
    const std::optional<ScanRange> range = rangeOf(row, rowNumber, &refusal);
    if (!range) {
        Q_EMIT refused(refusal + QStringLiteral(" Nothing was sent."));
        return;
    }
    m_pressed = *range;
    m_busy = std::make_unique<Radio::ActivityGuard>(m_radio, Radio::Activity::Scan);
    sendMode(*range);
    m_phase = Phase::Starting;
    m_timer->start(scaled(1000));
}

void FrequencyScan::stop(const ScanRow &row, int rowNumber)
{
    m_timer->stop();
    m_scanning = false;
    m_scanActive = QStringLiteral("N");
    Q_EMIT captionChanged(QStringLiteral("Start"));
    QString refusal;
    const std::optional<ScanRange> range = rangeOf(row, rowNumber, &refusal);
    if (!range) {
        Q_EMIT refused(refusal
                       + QStringLiteral(" The scan was stopped without sending that row's mode."));
        finishWith(2);
        return;
    }
    m_pressed = *range;
    sendMode(*range);
    m_phase = Phase::Stopping;
    m_timer->start(scaled(1000));
}

void FrequencyScan::sendMode(const ScanRange &range)
{
    m_radio.send(QByteArrayLiteral("MD") + range.modeCode + ';');
    m_radio.send(Cat::query("MD"));
}

void FrequencyScan::takeRange(const ScanRange &range)
{
    m_range = range;
    if (range.startHz > m_scanFreq || range.endHz < m_scanFreq) {
        m_scanFreq = range.startHz;
        m_scanOffset = 0;
    } else {
        // Resumed inside the range: the next step follows the frequency visited last, even
        // when the range now starts elsewhere.
        m_scanOffset = m_scanFreq - range.startHz;
    }
}

void FrequencyScan::beginScan()
{
    Q_EMIT captionChanged(QStringLiteral("Stop"));
    m_scanning = true;
    m_scanActive = QStringLiteral("Y");
    m_phase = Phase::Scanning;
    visit();
    if (std::exchange(m_pressHeld, false))
        stop(m_heldRow, m_heldRowNumber);
}

void FrequencyScan::visit()
{
    m_radio.send(Cat::setFrequency(m_letters.at(1), m_scanFreq));
    Q_EMIT titleChanged(QStringLiteral("Frequency Scan:  ") + Cat::formatFreqHz(m_scanFreq)
                        + QStringLiteral(" Khz"));
    m_timer->start(std::max(scaled(m_range.pauseMs), m_timing.minimumDwellMs));
}

void FrequencyScan::advance()
{
    // The frequency is sent before it is tested, so the last one before the wrap may lie up to
    // one step beyond the end.
    if (m_range.endHz <= m_scanFreq) {
        m_scanFreq = m_range.startHz;
        m_scanOffset = 0;
    } else {
        m_scanOffset += m_range.stepHz;
        m_scanFreq = m_range.startHz + m_scanOffset;
    }
}

void FrequencyScan::finishWith(int statusRequests)
{
    m_phase = Phase::Finishing;
    m_statusRequestsOwed = statusRequests;
    m_timer->start(scaled(m_range.pauseMs));
}

void FrequencyScan::timerFired()
{
    switch (m_phase) {
    case Phase::Idle:
        return;
    case Phase::Starting: {
        takeRange(m_pressed);
        const QString vfo = m_radio.state().VFO;
        if (vfo == QLatin1String("0") || vfo == QLatin1String("1")) {
            m_letters
                = vfo == QLatin1String("0") ? QByteArrayLiteral("FA") : QByteArrayLiteral("FB");
            beginScan();
        } else {
            finishWith(1);
        }
        return;
    }
    case Phase::Scanning:
        advance();
        visit();
        return;
    case Phase::Stopping:
        takeRange(m_pressed);
        finishWith(2);
        return;
    case Phase::Finishing:
        m_radio.send(Cat::query("IF"));
        if (--m_statusRequestsOwed > 0) {
            m_timer->start(scaled(m_range.pauseMs));
            return;
        }
        m_phase = Phase::Idle;
        m_busy.reset();
        Q_EMIT finished();
        if (std::exchange(m_pressHeld, false))
            cmdStart_Click(m_heldRow, m_heldRowNumber);
        return;
    }
}
