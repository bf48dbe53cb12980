#include "core/net/rigctlsession.h"

#include "core/net/rigbackend.h"
#include "core/net/rigctlexecutor.h"
#include "core/net/rigctlreply.h"

#include <QPointer>

namespace {

bool isOp(const RigctlRequest &request, RigctlOp op)
{
    return request.command && request.command->op == op;
}

} // namespace

RigctlSession::RigctlSession(QTcpSocket *socket, RigBackend &backend, const Limits &limits,
                             QObject *parent)
    : QObject(parent)
    , m_socket(socket)
    , m_backend(backend)
    , m_limits(limits)
{
    m_socket->setParent(this);
    // Past this Qt stops taking bytes from the system, and TCP holds the client back.
    m_socket->setReadBufferSize(qMax(4096, 4 * m_limits.maxLineBytes));
    m_answerTimer.setSingleShot(true);
    m_answerTimer.setInterval(m_limits.answerTimeoutMs);
    connect(m_socket, &QTcpSocket::readyRead, this, &RigctlSession::pump);
    connect(m_socket, &QTcpSocket::bytesWritten, this, &RigctlSession::pump);
    connect(m_socket, &QTcpSocket::disconnected, this, &RigctlSession::onDisconnected);
    connect(&m_answerTimer, &QTimer::timeout, this, [this] {
        complete(m_waitingFor, {RigError::Timeout, {}});
    });
    pump();
}

RigctlSession::~RigctlSession()
{
    releaseTransmitter();
}

void RigctlSession::releaseTransmitter()
{
    if (m_keyed)
        m_backend.setPtt(false, [](RigError) {});
    m_keyed = false;
}

bool RigctlSession::paused() const
{
    return m_closing || qsizetype(m_queue.size()) >= m_limits.maxQueuedCommands
        || m_socket->bytesToWrite() > m_limits.maxUnsentBytes;
}

// Reads and runs until nothing moves: no whole line to read, or the backend still has to
// answer, or the client has to catch up.
void RigctlSession::pump()
{
    if (m_pumping)
        return;
    m_pumping = true;
    bool moved = true;
    while (moved && !m_closing) {
        moved = readLines();
        moved = runQueued() || moved;
    }
    m_pumping = false;
}

bool RigctlSession::readLines()
{
    bool queued = false;
    while (!paused()) {
        const qsizetype end = m_inbox.indexOf('\n');
        if (end < 0) {
            if (m_skippingLine) {
                m_inbox.clear();
            } else if (m_inbox.size() > m_limits.maxLineBytes) {
                m_queue.push_back(RigctlParser::refusedLine());
                queued = true;
                m_inbox.clear();
                m_skippingLine = true;
            }
            if (m_socket->bytesAvailable() == 0)
                break;
            m_inbox += m_socket->read(ReadChunkBytes);
            continue;
        }
        const QByteArray line = m_inbox.left(end);
        m_inbox.remove(0, end + 1);
        if (m_skippingLine) {
            m_skippingLine = false;
        } else if (line.size() > m_limits.maxLineBytes) {
            m_queue.push_back(RigctlParser::refusedLine());
            queued = true;
        } else {
            for (RigctlRequest &request : RigctlParser::parseLine(line)) {
                m_queue.push_back(std::move(request));
                queued = true;
            }
        }
    }
    return queued;
}

bool RigctlSession::runQueued()
{
    bool ran = false;
    while (!m_closing && m_waitingFor == 0 && !m_queue.empty()) {
        m_waiting = std::move(m_queue.front());
        m_queue.pop_front();
        const quint64 id = m_nextId++;
        m_waitingFor = id;
        const auto query = RigctlExecutor::query(m_waiting);
        m_waitingFresh = query ? std::optional(m_backend.isFresh(*query)) : std::nullopt;
        QPointer<RigctlSession> self(this);
        RigctlExecutor::run(m_waiting, m_backend, [self, id](const RigctlResult &result) {
            if (self)
                self->complete(id, result);
        });
        if (m_waitingFor == id)
            m_answerTimer.start();
        ran = true;
    }
    return ran;
}

void RigctlSession::complete(quint64 id, const RigctlResult &result)
{
    if (id == 0 || id != m_waitingFor)
        return; // answered already, by the timer or a second call
    m_waitingFor = 0;
    m_answerTimer.stop();
    if (isOp(m_waiting, RigctlOp::SetPtt) && result.error == RigError::Ok)
        m_keyed = m_waiting.args.constLast().toInt() != 0;
    if (m_waitingFresh)
        Q_EMIT getAnswered(*m_waitingFresh);
    if (m_socket->state() == QAbstractSocket::ConnectedState)
        m_socket->write(RigctlReply::format(m_waiting, result));
    if (isOp(m_waiting, RigctlOp::Quit)) {
        m_closing = true;
        m_queue.clear();
        m_socket->disconnectFromHost();
        return;
    }
    pump();
}

void RigctlSession::onDisconnected()
{
    m_closing = true;
    m_queue.clear();
    m_answerTimer.stop();
    m_waitingFor = 0;
    releaseTransmitter();
    Q_EMIT finished();
    deleteLater();
}
