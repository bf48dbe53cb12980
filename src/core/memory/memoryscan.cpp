#include "core/memory/memoryscan.h"

#include "core/memory/memorycells.h"
#include "core/radio/cat.h"
#include "core/radio/radio.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace {

// The longest pause the box may ask for: a day.
constexpr double MaxPauseMs = 24.0 * 3600.0 * 1000.0;

QString startCaption()
{
    return MemoryScan::tr("Start");
}

} // namespace

MemoryScan::MemoryScan(Radio &radio, MemoryScanView &view, QObject *parent)
    : QObject(parent)
    , m_radio(radio)
    , m_view(view)
    , m_timer(new QTimer(this))
{
    m_timer->setObjectName(QStringLiteral("scanTimer"));
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &MemoryScan::timerFired);
}

MemoryScan::~MemoryScan()
{
    for (; m_statusRequestsOwed > 0; --m_statusRequestsOwed)
        m_radio.send(Cat::query("IF"));
}

int MemoryScan::pauseMs(const MemoryScanBoxes &boxes) const
{
    // The box's number by the decimal rule: text that is no number counts as 0.
    const double ms = Cat::readDecimal(boxes.txtScanPause) * m_timing.msPerPauseSecond;
    if (!(ms > 0.0))
        return 0;
    return int(std::llround(std::min(ms, MaxPauseMs)));
}

void MemoryScan::cmdActivate_Click()
{
    if (m_phase == Phase::Finishing) {
        // The stop before is still sending its status requests; this click follows them.
        m_clickWaiting = true;
        return;
    }
    const MemoryScanBoxes boxes = m_view.boxes();
    if (m_scanRunning) {
        stop(boxes);
        return;
    }

    const std::optional<int> start = MemoryCells::channelNumber(boxes.txtStartMem);
    const std::optional<int> end = MemoryCells::channelNumber(boxes.txtEndMem);
    if (!start || !end) {
        const QString bad = start ? boxes.txtEndMem : boxes.txtStartMem;
        Q_EMIT refused(tr("The memory range takes channel numbers from 00 to 99; \"%1\" is not "
                          "one. The scan was not started.")
                           .arg(bad));
        return;
    }
    if (*start >= m_view.rowCount()) {
        Q_EMIT refused(tr("The memory table has no channel %1 to start from. The scan was not "
                          "started.")
                           .arg(MemoryCells::channelText(*start)));
        return;
    }

    m_start = *start;
    m_endText = MemoryCells::channelText(*end);
    m_position = m_start;
    Q_EMIT rowChanged(m_position);
    m_busy = std::make_unique<Radio::ActivityGuard>(m_radio, Radio::Activity::Scan);
    m_vfo = m_radio.state().VFO;
    if (m_vfo != QLatin1String("0") && m_vfo != QLatin1String("1")) {
        finishWith(1); // no VFO to tune: only the status request after the pause
        return;
    }
    Q_EMIT captionChanged(tr("Stop"));
    m_scanRunning = true;
    m_scanActive = QStringLiteral("Y");
    m_phase = Phase::Scanning;
    scanStep();
}

void MemoryScan::stop(const MemoryScanBoxes &boxes)
{
    // The click returns to the start row as every click does (when the box still names one).
    const std::optional<int> start = MemoryCells::channelNumber(boxes.txtStartMem);
    if (start && *start < m_view.rowCount())
        Q_EMIT rowChanged(*start);
    m_timer->stop();
    m_scanRunning = false;
    m_scanActive = QStringLiteral("N");
    Q_EMIT captionChanged(startCaption());
    // One pause and status request for the Stop click, one for the end of the scan.
    finishWith(2);
}

void MemoryScan::finishWith(int statusRequests)
{
    m_phase = Phase::Finishing;
    m_statusRequestsOwed = statusRequests;
    m_timer->start(pauseMs(m_view.boxes()));
}

void MemoryScan::timerFired()
{
    switch (m_phase) {
    case Phase::Idle:
        return;
    case Phase::Scanning:
        if (m_tuned && m_position < m_view.rowCount())
            advance(m_view.row(m_position));
        scanStep();
        return;
    case Phase::Finishing:
        --m_statusRequestsOwed;
        m_radio.send(Cat::query("IF"));
        if (m_statusRequestsOwed > 0) {
            m_timer->start(pauseMs(m_view.boxes()));
            return;
        }
        m_phase = Phase::Idle;
        m_busy.reset();
        if (std::exchange(m_clickWaiting, false))
            cmdActivate_Click();
        return;
    }
}

void MemoryScan::scanStep()
{
    const MemoryScanBoxes boxes = m_view.boxes();
    const int count = m_view.rowCount();
    // At most one lap per step: rows that are not tuned cost no time, and a lap that tunes
    // nothing waits before the next look instead of spinning.
    for (int visited = 0; visited < count; ++visited) {
        if (m_position < 0 || m_position >= count)
            m_position = m_start < count ? m_start : 0;
        const MemoryRow row = m_view.row(m_position);
        if (row.Scan == boxes.txtScanCode && tune(row)) {
            Q_EMIT rowChanged(m_position);
            m_tuned = true;
            m_timer->start(std::max(pauseMs(boxes), m_timing.minimumStepMs));
            return;
        }
        advance(row);
    }
    m_tuned = false;
    m_timer->start(m_timing.minimumStepMs);
}

bool MemoryScan::tune(const MemoryRow &row)
{
    // A row without a receive frequency (or with none readable) is passed over.
    const std::optional<qint64> hz = MemoryCells::frequencyHz(row.FreqMain);
    if (!hz || *hz == 0)
        return false;
    scanFreqText = row.FreqMain;
    m_radio.send(Cat::setFrequency(m_vfo == QLatin1String("0") ? 'A' : 'B', *hz));
    const char mode = MemoryCells::modeDigit(row.Mode).value_or('0');
    memModeText = QString(QLatin1Char(mode));
    m_radio.send(Cat::setMode(mode));
    m_radio.send(Cat::query("MD"));
    return true;
}

void MemoryScan::advance(const MemoryRow &row)
{
    const int count = m_view.rowCount();
    if (row.Mem == m_endText)
        m_position = m_start;
    else
        ++m_position;
    // Past the last row the scan goes on from its start row.
    if (m_position >= count)
        m_position = m_start < count ? m_start : 0;
}
