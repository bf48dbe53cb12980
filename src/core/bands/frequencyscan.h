// The frequency scan of the scan window: the range of the selected row is stepped through on
// the VFO the radio is using, one frequency per dwell, until the operator stops it. It runs on
// a timer, so the windows stay responsive and Stop takes effect at once.
//
// A press of Start sends the row's mode ("MD" + code + ";", "MD;") and waits one second. Then,
// unless the frequency visited last lies inside the row's range (a new scan of it resumes
// there), the scan begins at the range's start. With the radio on VFO A ("0") or B ("1") each
// dwell sends "FA"/"FB" + 11 digits of hertz + ";" and holds for the row's pause; after the
// frequency at or beyond the range's end it goes back to the start, so 7000 to 7010 in steps of
// 3 visits 7000, 7003, 7006, 7009, 7012 and 7000 again. With the radio on neither VFO a press
// only waits the pause and sends "IF;".
//
// A press while scanning ends the dwell at once, sends the selected row's mode and waits one
// second as every press does, then ends as the scan always has: the pause, "IF;", the pause
// and "IF;" again, so that the main window takes up the radio's state. The frequency being
// visited stays the one a resumed scan starts from. A press made during the waits of a start or
// a stop is taken when they are over.
#pragma once

#include "core/bands/scanrange.h"
#include "core/radio/radio.h"

#include <QObject>
#include <QString>

#include <memory>

class QTimer;

class FrequencyScan : public QObject
{
    Q_OBJECT
public:
    struct Timing
    {
        // Milliseconds of one second of the pauses (the fixed second and the row's pause).
        int msPerSecond = 1000;
        // The shortest dwell: a pause of 0 would otherwise flood the port with frequencies.
        int minimumDwellMs = 100;
    };

    explicit FrequencyScan(Radio &radio, QObject *parent = nullptr);

    void setTiming(Timing timing) { m_timing = timing; }

    // Start or Stop with the selected row (rowNumber counts from 1; 0 when no row is selected).
    // A row that cannot be scanned is refused with a message and nothing is sent; a refused row
    // still stops a running scan, without its mode.
    void cmdStart_Click(const ScanRow &row, int rowNumber);
    // The window is closing: a running scan stops as Stop stops it (with the row the window
    // names), a start still in its first second is given up and ends with its pause and "IF;",
    // and a press held for later is dropped. The waits and status requests still run.
    void windowClosing(const ScanRow &row, int rowNumber);

    bool isIdle() const { return m_phase == Phase::Idle; }
    bool scanning() const { return m_scanning; }
    QString scanActive() const { return m_scanActive; } // "Y" once started, "N" once stopped
    qint64 scanFreqHz() const { return m_scanFreq; } // the frequency being visited
    qint16 scanPauseMs() const { return m_range.pauseMs; }

Q_SIGNALS:
    // "Start" or "Stop" for the button.
    void captionChanged(const QString &caption);
    // "Frequency Scan:  7,003.000 Khz" at each visited frequency.
    void titleChanged(const QString &title);
    void refused(const QString &message);
    // The last status request has been sent; the scan is idle.
    void finished();

private:
    enum class Phase {
        Idle,
        Starting, // the second after a start's mode commands
        Scanning, // a dwell
        Stopping, // the second after a stop's mode commands
        Finishing, // the pauses before the status requests still owed
    };

    void start(const ScanRow &row, int rowNumber);
    void stop(const ScanRow &row, int rowNumber);
    void sendMode(const ScanRange &range);
    void takeRange(const ScanRange &range);
    void beginScan();
    void visit();
    void advance();
    void finishWith(int statusRequests);
    void timerFired();
    int scaled(qint64 ms) const;

    Radio &m_radio;
    // From a press of Start until the scan is idle again the line is the scan's.
    std::unique_ptr<Radio::ActivityGuard> m_busy;
    Timing m_timing;
    QTimer *m_timer = nullptr; // "scanTimer": the second, the dwell and the final pauses
    Phase m_phase = Phase::Idle;

    ScanRange m_range; // ScanStart, ScanEnd, ScanStep, ScanPause and ScanModeCode
    ScanRange m_pressed; // the range of the press whose second is running
    qint64 m_scanOffset = 0; // hertz added to the start so far
    qint64 m_scanFreq = 0;
    bool m_scanning = false;
    QString m_scanActive;
    QByteArray m_letters; // "FA" or "FB"
    int m_statusRequestsOwed = 0;

    // A press made while a start or a stop was waiting.
    bool m_pressHeld = false;
    ScanRow m_heldRow;
    int m_heldRowNumber = 0;
};
