// A plain POSIX client of the simulated radio's pseudo-terminal, read from the event loop, that
// keeps every read separately.
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSocketNotifier>
#include <QString>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

class PtyClient : public QObject
{
public:
    explicit PtyClient(const QString &device) { open(device); }
    ~PtyClient() override { close(); }

    bool open(const QString &device)
    {
        m_fd = ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_fd < 0)
            return false;
        termios tio {};
        ::tcgetattr(m_fd, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(m_fd, TCSANOW, &tio);
        m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, [this] {
            char block[512];
            ssize_t n;
            while ((n = ::read(m_fd, block, sizeof block)) > 0) {
                reads.append(QByteArray(block, n));
                data.append(block, n);
            }
        });
        return true;
    }
    void close()
    {
        delete m_notifier;
        m_notifier = nullptr;
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }
    bool isOpen() const { return m_fd >= 0; }
    bool write(const QByteArray &bytes)
    {
        return m_fd >= 0 && ::write(m_fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    }

    QByteArray data; // everything read, in order
    QList<QByteArray> reads; // one entry per read

private:
    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
};
