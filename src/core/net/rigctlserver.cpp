#include "core/net/rigctlserver.h"

#include "core/net/rigctlsocket.h"

#include <algorithm>

// Hands each accepted connection over as its descriptor, so that the session can keep it open
// for writing after the client has shut down its sending side.
class RigctlServer::Listener : public QTcpServer
{
public:
    explicit Listener(RigctlServer &server)
        : QTcpServer(&server)
        , m_owner(server)
    {
    }

protected:
    void incomingConnection(qintptr descriptor) override { m_owner.takeConnection(descriptor); }

private:
    RigctlServer &m_owner;
};

RigctlServer::RigctlServer(RigBackend &backend, QObject *parent)
    : QObject(parent)
    , m_backend(backend)
    , m_server(*new Listener(*this))
{
    m_idleTimer.setSingleShot(true);
    connect(&m_idleTimer, &QTimer::timeout, this, &RigctlServer::admitWaiting);
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
    m_idleTimer.stop();
    for (RigctlSocket *socket : m_waiting)
        delete socket;
    m_waiting.clear();
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
    admitWaiting();
}

void RigctlServer::takeConnection(qintptr descriptor)
{
    auto *socket = new RigctlSocket(descriptor, this);
    // A waiting client that goes away leaves the queue.
    connect(socket, &RigctlSocket::disconnected, this, [this, socket] {
        const auto it = std::find(m_waiting.begin(), m_waiting.end(), socket);
        if (it != m_waiting.end()) {
            m_waiting.erase(it);
            socket->deleteLater();
        }
    });
    m_waiting.push_back(socket);
    admitWaiting();
}

void RigctlServer::admitWaiting()
{
    if (m_admitting)
        return;
    m_admitting = true;
    while (!m_waiting.empty() && (m_clientCount < m_maxClients || dismissIdle())) {
        RigctlSocket *socket = m_waiting.front();
        m_waiting.pop_front();
        disconnect(socket, &RigctlSocket::disconnected, this, nullptr);
        auto *session = new RigctlSession(socket, m_nextClient++, m_backend, m_limits, this);
        connect(session, &RigctlSession::finished, this, &RigctlServer::sessionFinished);
        connect(session, &RigctlSession::getAnswered, this, &RigctlServer::countAnswer);
        connect(session, &RigctlSession::setFailed, this, &RigctlServer::setFailed);
        ++m_clientCount;
        Q_EMIT clientCountChanged(m_clientCount);
    }
    m_admitting = false;
    // Beyond as many waiting as served, the system's queue holds further clients.
    if (int(m_waiting.size()) >= m_maxClients)
        m_server.pauseAccepting();
    else
        m_server.resumeAccepting();
    watchIdle();
}

// The served client silent longest; null when none is served.
RigctlSession *RigctlServer::quietestSession() const
{
    RigctlSession *quietest = nullptr;
    for (RigctlSession *session : findChildren<RigctlSession *>(Qt::FindDirectChildrenOnly)) {
        if (session->isActive() && (!quietest || session->silentMs() > quietest->silentMs()))
            quietest = session;
    }
    return quietest;
}

// Sends away the client silent longest, if it has been silent for the idle limit.
bool RigctlServer::dismissIdle()
{
    RigctlSession *quietest = quietestSession();
    if (!quietest || quietest->silentMs() < m_limits.idleMs)
        return false;
    quietest->dismiss(); // finished() comes at once and frees its place
    return true;
}

// While a client waits, looks again when the quietest served client reaches the idle limit.
void RigctlServer::watchIdle()
{
    if (m_waiting.empty()) {
        m_idleTimer.stop();
        return;
    }
    const RigctlSession *quietest = quietestSession();
    const qint64 longest = quietest ? quietest->silentMs() : 0;
    m_idleTimer.start(
        int(std::clamp<qint64>(qint64(m_limits.idleMs) - longest + 1, 1, m_limits.idleMs)));
}

void RigctlServer::sessionFinished()
{
    --m_clientCount;
    Q_EMIT clientCountChanged(m_clientCount);
    admitWaiting();
}

void RigctlServer::countAnswer(bool fromState)
{
    if (fromState)
        ++m_counts.fromState;
    else
        ++m_counts.byRadio;
}
