// A rigctld-compatible TCP server: clients such as WSJT-X, fldigi or Hamlib's "rigctl -m 2"
// connect to it and work the radio through one RigBackend. Each connection is a RigctlSession;
// up to maxClients() of them run side by side, each answered in its own order. Further clients
// wait, connected but not read, until one leaves; while one waits, the client that has been
// silent longest is sent away once it has been silent for the session's idle limit, so that
// connections that never send anything cannot shut the others out.
#pragma once

#include "core/net/rigctlsession.h"

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QTimer>

#include <deque>

class RigBackend;
class RigctlSocket;

class RigctlServer : public QObject
{
    Q_OBJECT
public:
    static constexpr quint16 DefaultPort = 4532;

    struct AnswerCounts
    {
        qint64 fromState = 0; // gets the backend called fresh
        qint64 byRadio = 0; // gets the backend had to ask the radio
    };

    // The backend must outlive the server.
    explicit RigctlServer(RigBackend &backend, QObject *parent = nullptr);
    ~RigctlServer() override;

    // For the clients that connect from now on.
    void setLimits(const RigctlSession::Limits &limits) { m_limits = limits; }
    void setMaxClients(int count);
    int maxClients() const { return m_maxClients; }

    // Starts listening; false with errorString() when the address or port cannot be had.
    // Port 0 picks a free port (see port()). Listening again first closes the old listener.
    bool listen(const QHostAddress &address = QHostAddress::LocalHost, quint16 port = DefaultPort);
    // Stops listening and drops every client.
    void close();
    bool isListening() const { return m_server.isListening(); }
    quint16 port() const { return m_server.serverPort(); }
    QHostAddress address() const { return m_server.serverAddress(); }
    QString errorString() const { return m_server.errorString(); }

    // Clients being served (not the ones waiting for room).
    int clientCount() const { return m_clientCount; }
    AnswerCounts answerCounts() const { return m_counts; }

Q_SIGNALS:
    void clientCountChanged(int count);
    // A client's set failed (RigctlSession::setFailed).
    void setFailed(const QString &request, RigError error);

private:
    class Listener;

    void takeConnection(qintptr descriptor);
    void admitWaiting();
    RigctlSession *quietestSession() const;
    bool dismissIdle();
    void watchIdle();
    void sessionFinished();
    void countAnswer(bool fromState);

    RigBackend &m_backend;
    QTcpServer &m_server;
    RigctlSession::Limits m_limits;
    int m_maxClients = 16;
    int m_clientCount = 0;
    quint64 m_nextClient = 1;
    std::deque<RigctlSocket *> m_waiting;
    QTimer m_idleTimer;
    bool m_admitting = false;
    AnswerCounts m_counts;
};
