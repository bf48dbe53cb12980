// One client connection: reads its lines, runs its commands one after another through the
// backend and writes the answers in the order the commands came. Never blocks: an answer the
// radio must give arrives later through the backend's callback.
//
// A line longer than Limits::maxLineBytes is answered "RPRT -1" and skipped up to its end. A
// client that sends faster than it reads is held back: past Limits::maxQueuedCommands waiting
// commands, or Limits::maxUnsentBytes of answers it has not taken, the session stops reading
// until it catches up. A backend that does not answer within Limits::answerTimeoutMs gets the
// command answered "RPRT -5"; its late answer is dropped.
//
// A client that shuts down its sending side still gets an answer to every line it sent before
// (a last line without its newline counts); the connection closes once they are written. A
// client that goes away (or is sent away) has its waiting commands dropped, and the backend is
// told (RigBackend::clientGone), which releases a transmitter keyed for it.
#pragma once

#include "core/net/rigctlparser.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <deque>
#include <optional>

class RigBackend;
class RigctlSocket;
struct RigctlResult;

class RigctlSession : public QObject
{
    Q_OBJECT
public:
    struct Limits
    {
        int maxLineBytes = 1024;
        int maxQueuedCommands = 64;
        qint64 maxUnsentBytes = 256 * 1024;
        int answerTimeoutMs = 10000;
        // A client silent this long may be sent away to make room for a new one.
        int idleMs = 30000;
    };

    // Takes over the connection (it becomes a child of the session). The client number is the
    // one the backend knows its requests by; unique for the run.
    RigctlSession(RigctlSocket *socket, quint64 client, RigBackend &backend, const Limits &limits,
                  QObject *parent = nullptr);
    ~RigctlSession() override;

    // Since the client last sent anything (since it connected, if it never has).
    qint64 silentMs() const { return m_sinceInput.elapsed(); }
    // Sends the client away: the connection closes at once.
    void dismiss();
    // Still serving (false once the connection has ended).
    bool isActive() const { return !m_left; }

Q_SIGNALS:
    // The connection has ended, by either side. The session deletes itself afterwards.
    void finished();
    // A get has been answered; fromState tells whether the backend called it fresh when it
    // was asked (RigBackend::isFresh).
    void getAnswered(bool fromState);
    // A set failed; request is the command as the client wrote it ("I 7075000").
    void setFailed(const QString &request, RigError error);

private:
    void pump();
    bool readLines();
    void takeLine(const QByteArray &line);
    bool runQueued();
    void complete(quint64 id, const RigctlResult &result);
    void closeIfDone();
    void leave();
    bool paused() const;

    RigctlSocket *m_socket = nullptr;
    quint64 m_client = 0;
    RigBackend &m_backend;
    Limits m_limits;
    static constexpr qint64 ReadChunkBytes = 4096;

    QByteArray m_inbox; // read from the socket, not yet taken as lines
    bool m_skippingLine = false; // inside a line that was too long
    std::deque<RigctlRequest> m_queue;
    quint64 m_nextId = 1;
    // The command the backend still has to answer (id 0 for none), and for a get whether the
    // backend called it fresh.
    quint64 m_waitingFor = 0;
    RigctlRequest m_waiting;
    std::optional<bool> m_waitingFresh;
    bool m_pumping = false; // inside pump(), which a backend answering at once re-enters
    bool m_closing = false; // q was read, or the client has gone
    bool m_left = false;
    QTimer m_answerTimer;
    QElapsedTimer m_sinceInput;
};
