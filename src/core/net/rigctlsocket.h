// One client's TCP connection, on its native descriptor. Unlike QTcpSocket, which closes the
// connection as soon as the client shuts down its sending side, it stays open for writing then,
// so that what the client sent before ("echo f | nc host 4532") is still answered.
//
// Reading stops while more than the read buffer size waits unread (TCP then holds the client
// back). Writes are queued and sent as the connection takes them. Never blocks.
#pragma once

#include <QByteArray>
#include <QObject>

class QSocketNotifier;

class RigctlSocket : public QObject
{
    Q_OBJECT
public:
    // Takes over the connected descriptor (it is closed with the object).
    explicit RigctlSocket(qintptr descriptor, QObject *parent = nullptr);
    ~RigctlSocket() override;

    void setReadBufferSize(qint64 bytes);
    // Up to max of the bytes received and not yet read.
    QByteArray read(qint64 max);
    qint64 bytesAvailable() const { return m_inbox.size(); }
    // The client has shut down its sending side (or closed): nothing more will arrive.
    bool inputEnded() const { return m_inputEnded; }

    // Queues the bytes; false when the connection is no longer open.
    bool write(const QByteArray &data);
    qint64 bytesToWrite() const { return m_outbox.size(); }

    bool isOpen() const { return m_fd >= 0; }
    // Sends what is queued, then closes. disconnected() follows.
    void closeWhenWritten();
    // Closes at once, dropping what is queued.
    void abort();

Q_SIGNALS:
    // Bytes have arrived, or the input has ended.
    void readyRead();
    void bytesWritten();
    // The connection is closed (by either side, or it failed). Emitted once, from the event loop.
    void disconnected();

private:
    void onReadable();
    void flush();
    void updateNotifiers();

    int m_fd = -1;
    QSocketNotifier *m_readNotifier = nullptr;
    QSocketNotifier *m_writeNotifier = nullptr;
    QByteArray m_inbox;
    QByteArray m_outbox;
    qint64 m_readBufferSize = 16 * 1024;
    bool m_inputEnded = false;
    bool m_closing = false;
};
