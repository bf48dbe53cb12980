#include "core/net/rigctlsession.h"

#include "core/net/rigbackend.h"
#include "core/net/rigctlexecutor.h"
#include "core/net/rigctlreply.h"
#include "core/net/rigctlsocket.h"

#include <QPointer>

namespace {

bool isOp(const RigctlRequest &request, RigctlOp op)
{
    return request.command && request.command->op == op;
}

// The command as the client wrote it, for reports: "I 7075000", "\set_level AF 0.5".
QString requestText(const RigctlRequest &request)
{
    const RigctlCommand &command = *request.command;
    const QByteArray name = command.shortName != '\0' ? QByteArray(1, command.shortName)
                                                      : QByteArray("\\") + command.longName;
    return QString::fromLatin1((QByteArrayList {name} + request.args).join(' '));
}

} // namespace

RigctlSession::RigctlSession(RigctlSocket *socket, quint64 client, RigBackend &backend,
                             const Limits &limits, QObject *parent)
    : QObject(parent)
    , m_socket(socket)
    , m_client(client)
    , m_backend(backend)
    , m_limits(limits)
{
    m_socket->setParent(this);
    // Past this the session stops taking bytes from the system, and TCP holds the client back.
    m_socket->setReadBufferSize(qMax(4096, 4 * m_limits.maxLineBytes));
    m_sinceInput.start();
    m_answerTimer.setSingleShot(true);
    m_answerTimer.setInterval(m_limits.answerTimeoutMs);
    connect(m_socket, &RigctlSocket::readyRead, this, &RigctlSession::pump);
    connect(m_socket, &RigctlSocket::bytesWritten, this, &RigctlSession::pump);
    connect(m_socket, &RigctlSocket::disconnected, this, &RigctlSession::leave);
    connect(&m_answerTimer, &QTimer::timeout, this, [this] {
        complete(m_waitingFor, {RigError::Timeout, {}});
    });
    pump();
}

RigctlSession::~RigctlSession()
{
    if (!m_left) {
        m_left = true;
        m_backend.clientGone(m_client);
    }
}

void RigctlSession::dismiss()
{
    m_socket->abort();
    leave();
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
    if (m_pumping || m_left)
        return;
    m_pumping = true;
    bool moved = true;
    while (moved && !m_closing) {
        moved = readLines();
        moved = runQueued() || moved;
    }
    m_pumping = false;
    closeIfDone();
}

bool RigctlSession::readLines()
{
    const qsizetype queuedBefore = qsizetype(m_queue.size());
    while (!paused()) {
        const qsizetype end = m_inbox.indexOf('\n');
        if (end >= 0) {
            const QByteArray line = m_inbox.left(end);
            m_inbox.remove(0, end + 1);
            takeLine(line);
            continue;
        }
        if (m_skippingLine) {
            m_inbox.clear();
        } else if (m_inbox.size() > m_limits.maxLineBytes) {
            m_queue.push_back(RigctlParser::refusedLine());
            m_inbox.clear();
            m_skippingLine = true;
        }
        if (m_socket->bytesAvailable() == 0) {
            // A last line the client ended its input without a newline still counts.
            if (m_socket->inputEnded() && !m_inbox.isEmpty()) {
                takeLine(m_inbox);
                m_inbox.clear();
                continue;
            }
            break;
        }
        m_inbox += m_socket->read(ReadChunkBytes);
        m_sinceInput.start();
    }
    return qsizetype(m_queue.size()) != queuedBefore;
}

void RigctlSession::takeLine(const QByteArray &line)
{
    if (m_skippingLine) {
        m_skippingLine = false;
    } else if (line.size() > m_limits.maxLineBytes) {
        m_queue.push_back(RigctlParser::refusedLine());
    } else {
        for (RigctlRequest &request : RigctlParser::parseLine(line))
            m_queue.push_back(std::move(request));
    }
}

bool RigctlSession::runQueued()
{
    bool ran = false;
    while (!m_closing && m_waitingFor == 0 && !m_queue.empty()) {
        m_waiting = std::move(m_queue.front());
        m_queue.pop_front();
        const quint64 id = m_nextId++;
        m_waitingFor = id;
        m_waitingFresh = RigctlExecutor::freshness(m_waiting, m_backend);
        QPointer<RigctlSession> self(this);
        m_backend.setRequester(m_client);
        RigctlExecutor::run(m_waiting, m_backend, [self, id](const RigctlResult &result) {
            if (self)
                self->complete(id, result);
        });
        m_backend.setRequester(0);
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
    if (m_waitingFresh)
        Q_EMIT getAnswered(*m_waitingFresh);
    if (result.error != RigError::Ok && m_waiting.command && m_waiting.command->has(ChangesRadio))
        Q_EMIT setFailed(requestText(m_waiting), result.error);
    m_socket->write(RigctlReply::format(m_waiting, result));
    if (isOp(m_waiting, RigctlOp::Quit)) {
        m_closing = true;
        m_queue.clear();
        m_socket->closeWhenWritten();
        return;
    }
    pump();
}

// Once the client's input has ended, the connection closes when every line it sent has been
// answered and the answers have gone out.
void RigctlSession::closeIfDone()
{
    if (m_left || m_closing || !m_socket->inputEnded())
        return;
    if (m_socket->bytesAvailable() > 0 || !m_inbox.isEmpty() || !m_queue.empty()
        || m_waitingFor != 0)
        return;
    m_closing = true;
    m_socket->closeWhenWritten();
}

void RigctlSession::leave()
{
    if (m_left)
        return;
    m_left = true;
    m_closing = true;
    m_queue.clear();
    m_answerTimer.stop();
    m_waitingFor = 0;
    m_backend.clientGone(m_client);
    Q_EMIT finished();
    deleteLater();
}
