// A rigctld-compatible TCP server: clients such as WSJT-X, fldigi or Hamlib's "rigctl -m 2"
// connect to it and work the radio through one RigBackend. Each connection is a RigctlSession;
// up to maxClients() of them run side by side, each answered in its own order. Further clients
// wait in the system's queue of pending connections until one leaves.
#pragma once

#include "core/net/rigctlsession.h"

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTcpServer>

class RigBackend;

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

    int clientCount() const { return m_clientCount; }
    AnswerCounts answerCounts() const { return m_counts; }

Q_SIGNALS:
    void clientCountChanged(int count);

private:
    void acceptClients();
    void sessionFinished();
    void countAnswer(bool fromState);
    void admitWhileRoom();

    RigBackend &m_backend;
    QTcpServer m_server;
    RigctlSession::Limits m_limits;
    int m_maxClients = 16;
    int m_clientCount = 0;
    AnswerCounts m_counts;
};
