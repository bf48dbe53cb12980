// The memory scan of the memory window's "Scan" frame: from the start channel on, every channel
// whose Scan cell equals the scan code and that has a receive frequency is tuned on the VFO in
// use and held for the pause; the end channel, or channel 99, leads back to the start channel.
// Channels go by their number, whatever order the window shows its rows in. Start/Stop is one
// button; a stop ends, after the pause each time, with the two "IF;" status requests the display
// follows.
#pragma once

#include "core/memory/memoryrow.h"
#include "core/radio/radio.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

// The texts of the Scan frame's boxes as they stand.
struct MemoryScanBoxes
{
    QString txtStartMem = QStringLiteral("10");
    QString txtEndMem = QStringLiteral("50");
    QString txtScanPause = QStringLiteral("1"); // seconds
    QString txtScanCode = QStringLiteral("A");
};

// What the scan reads from the memory window, live: the channels (edits made during a scan are
// seen at the next visit) and the boxes. row(n) is channel n, the row whose Mem cell is n.
class MemoryScanView
{
public:
    virtual ~MemoryScanView() = default;
    virtual int rowCount() const = 0;
    virtual MemoryRow row(int channel) const = 0;
    virtual MemoryScanBoxes boxes() const = 0;
};

class MemoryScan : public QObject
{
    Q_OBJECT
public:
    struct Timing
    {
        // Milliseconds of one second in the pause box.
        int msPerPauseSecond = 1000;
        // The shortest time between two tuned rows (a pause of 0 would otherwise flood the
        // port), and the wait before a scan that found no row to tune looks again.
        int minimumStepMs = 100;
    };

    MemoryScan(Radio &radio, MemoryScanView &view, QObject *parent = nullptr);
    // Status requests still owed by a stop are sent at once.
    ~MemoryScan() override;

    void setTiming(Timing timing) { m_timing = timing; }

    // "Start" / "Stop" (also the memory window's Close while scanActive() is "Y"). A start is
    // refused with a message, and nothing sent, when the start or end box is not a channel
    // number 00 to 99 or the table has no start row.
    void cmdActivate_Click();

    QString scanActive() const { return m_scanActive; } // "Y" running, "N" stopped
    bool scanRunning() const { return m_scanRunning; }

    QString scanFreqText; // the receive frequency of the row tuned last
    QString memModeText; // its mode digit

Q_SIGNALS:
    // The button's caption: "Stop" while scanning, "Start" otherwise.
    void captionChanged(const QString &caption);
    // The channel the scan stands on (the start channel at each click, then every channel it
    // tunes).
    void rowChanged(int channel);
    void refused(const QString &message);

private:
    enum class Phase { Idle, Scanning, Finishing };

    void stop(const MemoryScanBoxes &boxes);
    void scanStep();
    bool tune(const MemoryRow &row);
    void advance(const MemoryRow &row);
    void finishWith(int statusRequests);
    void timerFired();
    int pauseMs(const MemoryScanBoxes &boxes) const;

    Radio &m_radio;
    // From the start click until the scan is idle again the line is the scan's.
    std::unique_ptr<Radio::ActivityGuard> m_busy;
    MemoryScanView &m_view;
    Timing m_timing;
    QTimer *m_timer = nullptr; // "scanTimer": dwell, idle lap and the stop's pauses
    Phase m_phase = Phase::Idle;
    QString m_scanActive;
    bool m_scanRunning = false;
    QString m_vfo; // noted at the start click
    int m_start = 0;
    QString m_endText; // the end channel, two digits
    int m_position = 0;
    bool m_tuned = false; // the timer ends a dwell on m_position
    int m_statusRequestsOwed = 0;
    bool m_clickWaiting = false; // a click while a stop was finishing
};
