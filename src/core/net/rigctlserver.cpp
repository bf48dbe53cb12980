#include "core/net/rigctlserver.h"

#include <QTcpSocket>

RigctlServer::RigctlServer(RigBackend &backend, QObject *parent)
    : QObject(parent)
    , m_backend(backend)
{
    connect(&m_server, &QTcpServer::newConnection, this, &RigctlServer::acceptClients);
}

RigctlServer::~RigctlServer()
{
    close();
}

bool RigctlServer::listen(const QHostAddress &address, quint16 port)
{
    m_server.close();
    return m_server.listen(address, port);
}

void RigctlServer::close()
{
    m_server.close();
    for (RigctlSession *session : findChildren<RigctlSession *>(Qt::FindDirectChildrenOnly)) {
        // Gone at once rather than at the next event-loop turn: the backend may be next.
        disconnect(session, nullptr, this, nullptr);
        delete session;
    }
    if (m_clientCount != 0) {
        m_clientCount = 0;
        Q_EMIT clientCountChanged(0);
    }
}

void RigctlServer::setMaxClients(int count)
{
    m_maxClients = qMax(1, count);
    admitWhileRoom();
}

void RigctlServer::admitWhileRoom()
{
    if (m_clientCount < m_maxClients) {
        m_server.resumeAccepting();
        acceptClients();
    } else {
        m_server.pauseAccepting();
    }
}

void RigctlServer::acceptClients()
{
    while (m_clientCount < m_maxClients) {
        QTcpSocket *socket = m_server.nextPendingConnection();
        if (!socket)
            break;
        if (socket->state() != QAbstractSocket::ConnectedState) {
            socket->deleteLater();
            continue;
        }
        auto *session = new RigctlSession(socket, m_backend, m_limits, this);
        connect(session, &RigctlSession::finished, this, &RigctlServer::sessionFinished);
        connect(session, &RigctlSession::getAnswered, this, &RigctlServer::countAnswer);
        ++m_clientCount;
        Q_EMIT clientCountChanged(m_clientCount);
    }
    if (m_clientCount >= m_maxClients)
        m_server.pauseAccepting();
}

void RigctlServer::sessionFinished()
{
    --m_clientCount;
    Q_EMIT clientCountChanged(m_clientCount);
    admitWhileRoom();
}

void RigctlServer::countAnswer(bool fromState)
{
    if (fromState)
        ++m_counts.fromState;
    else
        ++m_counts.byRadio;
}
