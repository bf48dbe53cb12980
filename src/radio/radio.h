// The radio core: the port MSComm1, the receive buffer Out, the radio state and the reply
// interpreter RadioControl, with the start-up synchronisation. One object, handed to the windows.
#pragma once

#include "commport.h"
#include "linkwatch.h"
#include "radiodisplay.h"
#include "radiostate.h"
#include "replyinterpreter.h"

#include <QObject>
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

Q_SIGNALS:
    // Every command written to the port, in order (including the ones dropped while closed).
    void commandWritten(const QByteArray &command);

private:
    void handleReply(QStringView text);
    // code: the code of the reply just taken; empty for noise.
    void startupStep(QStringView code);
    void repeatOrGiveUp();
    void advanceStartup();
    void sendStartupCommand();
    void startupReplyOverdue();
    void abandonStartup();
    void resume(bool reopened);

    CommPort *m_port = nullptr;
    LinkWatch *m_link = nullptr;
    RadioState m_state;
    NullDisplay m_nullDisplay;
    RadioDisplay *m_display = &m_nullDisplay;
    ReplyInterpreter m_interpreter;
    QTimer *m_startupTimer = nullptr;
    bool m_pausing = false;
    bool m_receiving = false;
};
