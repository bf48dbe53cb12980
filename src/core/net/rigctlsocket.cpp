#include "core/net/rigctlsocket.h"

#include <QMetaObject>
#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr qint64 ChunkBytes = 4096;

bool wouldBlock(int error)
{
    return error == EAGAIN || error == EWOULDBLOCK || error == EINTR;
}

} // namespace

RigctlSocket::RigctlSocket(qintptr descriptor, QObject *parent)
    : QObject(parent)
    , m_fd(int(descriptor))
{
    const int flags = ::fcntl(m_fd, F_GETFL);
    ::fcntl(m_fd, F_SETFL, flags | O_NONBLOCK);
    m_readNotifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    m_writeNotifier = new QSocketNotifier(m_fd, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &RigctlSocket::onReadable);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &RigctlSocket::flush);
}

RigctlSocket::~RigctlSocket()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void RigctlSocket::setReadBufferSize(qint64 bytes)
{
    m_readBufferSize = qMax<qint64>(ChunkBytes, bytes);
    updateNotifiers();
}

QByteArray RigctlSocket::read(qint64 max)
{
    const QByteArray taken = m_inbox.left(max);
    m_inbox.remove(0, taken.size());
    updateNotifiers();
    return taken;
}

void RigctlSocket::onReadable()
{
    char buffer[ChunkBytes];
    bool arrived = false;
    while (m_fd >= 0 && !m_inputEnded && m_inbox.size() < m_readBufferSize) {
        const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
        if (n > 0) {
            m_inbox.append(buffer, n);
            arrived = true;
        } else if (n == 0) {
            m_inputEnded = true; // the client may still read what we answer
            arrived = true;
        } else if (wouldBlock(errno)) {
            break;
        } else {
            return abort();
        }
    }
    updateNotifiers();
    if (arrived)
        Q_EMIT readyRead();
}

bool RigctlSocket::write(const QByteArray &data)
{
    if (m_fd < 0 || m_closing)
        return false;
    m_outbox += data;
    flush();
    return m_fd >= 0;
}

void RigctlSocket::flush()
{
    qint64 sent = 0;
    while (m_fd >= 0 && !m_outbox.isEmpty()) {
        const ssize_t n = ::send(m_fd, m_outbox.constData() + sent, size_t(m_outbox.size() - sent),
                                 MSG_NOSIGNAL);
        if (n > 0) {
            sent += n;
            if (sent == m_outbox.size())
                break;
        } else if (n < 0 && wouldBlock(errno)) {
            break;
        } else {
            return abort(); // the client has gone
        }
    }
    m_outbox.remove(0, sent);
    if (m_closing && m_outbox.isEmpty())
        return abort();
    updateNotifiers();
    if (sent > 0)
        Q_EMIT bytesWritten();
}

void RigctlSocket::closeWhenWritten()
{
    m_closing = true;
    flush();
}

void RigctlSocket::abort()
{
    if (m_fd < 0)
        return;
    m_readNotifier->setEnabled(false);
    m_writeNotifier->setEnabled(false);
    ::shutdown(m_fd, SHUT_RDWR);
    ::close(m_fd);
    m_fd = -1;
    m_outbox.clear();
    QMetaObject::invokeMethod(this, &RigctlSocket::disconnected, Qt::QueuedConnection);
}

void RigctlSocket::updateNotifiers()
{
    if (m_fd < 0)
        return;
    m_readNotifier->setEnabled(!m_inputEnded && m_inbox.size() < m_readBufferSize);
    m_writeNotifier->setEnabled(!m_outbox.isEmpty());
}
