// A pseudo-terminal pair standing in for the radio's end of the cable. The program under test
// opens slavePath() like any serial device; the test plays the radio by writing into the
// master side with write(2) and reads what the program sent from it.
#pragma once

#include <QByteArray>
#include <QString>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

class PtyPair
{
public:
    PtyPair()
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0)
            return;
        if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
            closeMaster();
            return;
        }
        const char *name = ::ptsname(m_master);
        if (!name) {
            closeMaster();
            return;
        }
        m_slavePath = QString::fromLocal8Bit(name);
        // Raw mode on the master: no echo, no line editing, bytes pass unchanged.
        termios tio {};
        if (::tcgetattr(m_master, &tio) == 0) {
            ::cfmakeraw(&tio);
            ::tcsetattr(m_master, TCSANOW, &tio);
        }
        const int flags = ::fcntl(m_master, F_GETFL);
        ::fcntl(m_master, F_SETFL, flags | O_NONBLOCK);
        // Holding the slave open keeps the master readable before the program opens it and
        // after it closes it.
        m_slaveHold = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_slaveHold >= 0) {
            termios slave {};
            if (::tcgetattr(m_slaveHold, &slave) == 0) {
                ::cfmakeraw(&slave);
                ::tcsetattr(m_slaveHold, TCSANOW, &slave);
            }
        }
    }

    ~PtyPair()
    {
        releaseSlave();
        closeMaster();
    }

    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    bool isValid() const { return m_master >= 0 && !m_slavePath.isEmpty(); }
    QString slavePath() const { return m_slavePath; }
    int masterFd() const { return m_master; }

    // The line settings of the program's end, as the driver holds them (all slave
    // descriptors share them). Empty when the test no longer holds the slave.
    bool slaveTermios(termios *out) const
    {
        return m_slaveHold >= 0 && ::tcgetattr(m_slaveHold, out) == 0;
    }

    // Lets go of the test's own hold on the slave, so that closing the master leaves the
    // program's end with nothing behind it.
    void releaseSlave()
    {
        if (m_slaveHold >= 0) {
            ::close(m_slaveHold);
            m_slaveHold = -1;
        }
    }

    // The radio's side of the cable goes dead.
    void closeMaster()
    {
        if (m_master >= 0) {
            ::close(m_master);
            m_master = -1;
        }
    }

    // The radio sends these bytes; true when all of them went into the line.
    bool send(const QByteArray &bytes) const
    {
        qsizetype done = 0;
        while (m_master >= 0 && done < bytes.size()) {
            const ssize_t n = ::write(m_master, bytes.constData() + done,
                                      static_cast<size_t>(bytes.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            done += n;
        }
        return done == bytes.size();
    }

    // Everything the program has sent so far that is waiting at the radio's side.
    QByteArray readAvailable() const
    {
        QByteArray result;
        char chunk[512];
        while (m_master >= 0) {
            pollfd pfd {m_master, POLLIN, 0};
            if (::poll(&pfd, 1, 0) <= 0 || !(pfd.revents & POLLIN))
                break;
            const ssize_t n = ::read(m_master, chunk, sizeof chunk);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            result.append(chunk, n);
        }
        return result;
    }

private:
    int m_master = -1;
    int m_slaveHold = -1;
    QString m_slavePath;
};
