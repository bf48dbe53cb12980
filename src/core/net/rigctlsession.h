// One client connection: reads its lines, runs its commands one after another through the
// backend and writes the answers in the order the commands came. Never blocks: an answer the
// radio must give arrives later through the backend's callback.
//
// A line longer than Limits::maxLineBytes is answered "RPRT -1" and skipped up to its end. A
// client that sends faster than it reads is held back: past Limits::maxQueuedCommands waiting
// commands, or Limits::maxUnsentBytes of answers it has not taken, the session stops reading
// until it catches up. A backend that does not answer within Limits::answerTimeoutMs gets the
// command answered "RPRT -5"; its late answer is dropped. A client that keyed the transmitter
// and goes away leaves the radio receiving.
#pragma once

#include "core/net/rigctlparser.h"

#include <QByteArray>
#include <QObject>
#include <QTcpSocket>
#include <QTimer>

#include <deque>
#include <optional>

class RigBackend;
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
    };

    // Takes over the connected socket (it becomes a child of the session).
    RigctlSession(QTcpSocket *socket, RigBackend &backend, const Limits &limits,
                  QObject *parent = nullptr);
    ~RigctlSession() override;

Q_SIGNALS:
    // The connection has ended, by either side. The session deletes itself afterwards.
    void finished();
    // A get has been answered; fromState tells whether the backend called it fresh when it
    // was asked (RigBackend::isFresh).
    void getAnswered(bool fromState);

private:
    void pump();
    bool readLines();
    bool runQueued();
    void complete(quint64 id, const RigctlResult &result);
    void onDisconnected();
    void releaseTransmitter();
    bool paused() const;

    QTcpSocket *m_socket = nullptr;
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
    bool m_closing = false; // q was read, or the client went away
    bool m_keyed = false; // this client keyed the transmitter
    QTimer m_answerTimer;
};
