// The radio core: the port MSComm1, the receive buffer Out, the radio state and the reply
// interpreter RadioControl, with the start-up synchronisation. One object, handed to the windows.
#pragma once

#include "core/radio/commport.h"
#include "core/radio/linkwatch.h"
#include "core/radio/radiodisplay.h"
#include "core/radio/radiostate.h"
#include "core/radio/replyinterpreter.h"

#include <QObject>
#include <QPointer>
#include <array>
#include <optional>

class QTimer;

class Radio : public QObject
{
    Q_OBJECT
public:
    // Text that has found no ";" within this many characters is discarded as line noise, all
    // but a reply that may still be arriving at its end.
    static constexpr int MaxPendingReply = 1024;
    static constexpr int PausingMs = 100;
    // A start-up query whose reply has not come within this time is asked again.
    static constexpr int StartupReplyTimeoutMs = 1000;

    explicit Radio(QObject *parent = nullptr);
    ~Radio() override;

    CommPort &MSComm1() { return *m_port; }
    // Notices a lost device or a silent radio, and tries again until the radio is back.
    LinkWatch &link() { return *m_link; }
    // The port is open and the link watch counts the radio as reachable: what the program's
    // own polls and the network clients wait for.
    bool lineUp() const;
    RadioState &state() { return m_state; }
    const RadioState &state() const { return m_state; }

    // The windows' side; nullptr restores a display that shows nothing.
    void setDisplay(RadioDisplay *display);
    RadioDisplay &display() { return *m_display; }

    // Writes one complete command (or several in a row). A command written while the port is
    // closed is dropped and reported to the display; the program goes on.
    void send(const QByteArray &command);
    // A command a builder refused (negative or overlong value) is not sent.
    void send(const std::optional<QByteArray> &command);

    // A fixed 100 ms wait between commands. Windows keep painting but take no input, and no
    // reply is interpreted until it ends.
    void Pausing();

    // The port's event handler: receive events append to Out and interpret every complete
    // reply; error events are reported.
    void MSComm1_OnComm();
    // Appends received text as a receive event does (used by the event handler, tests and
    // benchmarks).
    void receive(const QByteArray &data);

    // Interprets the reply at the start of Out (up to its first ";", or all of Out when it has
    // none), runs the start-up step and removes that reply from Out.
    void RadioControl();

    // "Synchronise Radio": restart the start-up query list and switch automatic reports on.
    // A query that gets no reply within the start-up reply timeout is asked again; each such
    // repeat counts as an unrelated reply does, so a silent radio cannot hold the list up.
    // While the link is down nothing is sent: the link watch synchronises once the radio is
    // back, and the list also stops when the link goes down.
    void Synchronise();
    // Tests and slow lines may shorten or lengthen the wait for a start-up reply.
    void setStartupReplyTimeout(int ms);
    // The transmit/receive button: "RX;" when transmitting, else "TX;"; then "SM;".
    void cmdSend_Click();

    QString Out;
    qint16 MsgResult = 0;

    // What keeps the line busy. The radio is idle while none of these is going on; work that
    // shares the line with the program's own (a network client's request, the S-meter
    // reading, the keyer's text) waits for idle and marks itself while it runs.
    enum class Activity { Startup, Pause, Transfer, Scan, ClientRequest, Meter, Keyer };
    static constexpr int ActivityCount = 7;
    class ActivityGuard;

    void beginActivity(Activity activity);
    void endActivity(Activity activity);
    bool isIdle() const { return m_activeCount == 0; }
    // Idle but for this activity (which its holder may itself be).
    bool isIdleApartFrom(Activity activity) const;
    bool isActive(Activity activity) const { return m_activities[int(activity)] > 0; }

Q_SIGNALS:
    // Every command written to the port, in order (including the ones dropped while closed).
    void commandWritten(const QByteArray &command);
    // Each reply the interpreter has taken, after it changed the state: the text before ";"
    // from its code on ("FA00014200000"), or "?" when the radio refused a command.
    void replyTaken(const QString &reply);
    // An activity began or ended.
    void activityChanged(Radio::Activity activity, bool active);
    // The radio became idle or busy.
    void idleChanged(bool idle);

private:
    void handleReply(QStringView text);
    // code: the code of the reply just taken; empty for noise.
    void startupStep(QStringView code);
    void repeatOrGiveUp();
    void advanceStartup();
    void sendStartupCommand();
    void startupReplyOverdue();
    void abandonStartup();
    void linkRestored();
    void resume();

    CommPort *m_port = nullptr;
    LinkWatch *m_link = nullptr;
    RadioState m_state;
    NullDisplay m_nullDisplay;
    RadioDisplay *m_display = &m_nullDisplay;
    ReplyInterpreter m_interpreter;
    QTimer *m_startupTimer = nullptr;
    bool m_pausing = false;
    bool m_receiving = false;
    // From the link's return until its synchronisation starts nothing else takes the line.
    bool m_resyncHeld = false;
    std::array<int, ActivityCount> m_activities {};
    int m_activeCount = 0;
};

// Marks an activity for as long as it lives. Harmless when the radio has gone first.
class Radio::ActivityGuard
{
public:
    ActivityGuard(Radio &radio, Activity activity)
        : m_radio(&radio)
        , m_activity(activity)
    {
        radio.beginActivity(activity);
    }
    ~ActivityGuard()
    {
        if (m_radio)
            m_radio->endActivity(m_activity);
    }
    ActivityGuard(const ActivityGuard &) = delete;
    ActivityGuard &operator=(const ActivityGuard &) = delete;

private:
    QPointer<Radio> m_radio;
    Activity m_activity;
};
