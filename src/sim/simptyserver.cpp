#include "sim/simptyserver.h"

#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/timerfd.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr qint64 NsPerMs = 1'000'000;
// How early the system's timer may hand a piece to the line.
constexpr qint64 LineTimerGrainNs = 20'000;
constexpr int ReadBlock = 4096;
// After the line reports EIO, reading is tried again after this pause.
constexpr int EioRetryMs = 50;

speed_t speedConstant(int baud)
{
    switch (baud) {
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    default:
        break;
    }
    return B9600;
}

} // namespace

SimPtyServer::SimPtyServer(const SimOptions &options, QObject *parent)
    : QObject(parent)
    , m_options(options)
    , m_radio(options.seed)
    , m_random(options.seed)
{
    m_lineTimer = new QTimer(this);
    m_lineTimer->setSingleShot(true);
    m_lineTimer->setTimerType(Qt::PreciseTimer);
    m_mergeTimer = new QTimer(this);
    m_mergeTimer->setSingleShot(true);
    m_mergeTimer->setInterval(MergeHoldMs);
    m_retryTimer = new QTimer(this);
    m_retryTimer->setSingleShot(true);
    m_retryTimer->setInterval(EioRetryMs);
    connect(m_lineTimer, &QTimer::timeout, this, &SimPtyServer::pump);
    m_lineTimerFd = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_lineTimerFd >= 0) {
        m_lineTimerNotifier = new QSocketNotifier(m_lineTimerFd, QSocketNotifier::Read, this);
        connect(m_lineTimerNotifier, &QSocketNotifier::activated, this, [this] {
            quint64 expirations = 0;
            (void)::read(m_lineTimerFd, &expirations, sizeof expirations);
            pump();
        });
    }
    connect(m_mergeTimer, &QTimer::timeout, this, &SimPtyServer::releaseHeld);
    connect(m_retryTimer, &QTimer::timeout, this, [this] {
        if (m_readNotifier)
            m_readNotifier->setEnabled(true);
    });
    m_radioTimer = new QTimer(this);
    m_radioTimer->setSingleShot(true);
    m_radioTimer->setTimerType(Qt::PreciseTimer);
    connect(m_radioTimer, &QTimer::timeout, this, &SimPtyServer::onRadioTimer);
}

SimPtyServer::~SimPtyServer()
{
    delete m_readNotifier;
    delete m_writeNotifier;
    delete m_watchNotifier;
    delete m_lineTimerNotifier;
    if (m_lineTimerFd >= 0)
        ::close(m_lineTimerFd);
    if (m_watch >= 0)
        ::close(m_watch);
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

bool SimPtyServer::fail(const QString &what)
{
    m_error = what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
    // A half-opened terminal is closed again, so that a later start() begins afresh.
    if (m_devicePath.isEmpty()) {
        if (m_slave >= 0)
            ::close(m_slave);
        if (m_master >= 0)
            ::close(m_master);
        m_slave = m_master = -1;
    }
    return false;
}

bool SimPtyServer::start()
{
    if (m_master >= 0)
        return true;
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return fail(QStringLiteral("Cannot open a pseudo-terminal"));
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    char name[128] = {};
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0
        || ::ptsname_r(m_master, name, sizeof name) != 0)
        return fail(QStringLiteral("Cannot prepare the pseudo-terminal"));
    const int flags = ::fcntl(m_master, F_GETFL);
    if (flags < 0 || ::fcntl(m_master, F_SETFL, flags | O_NONBLOCK) != 0)
        return fail(QStringLiteral("Cannot make the pseudo-terminal non-blocking"));

    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0)
        return fail(QStringLiteral("Cannot open %1").arg(QString::fromLocal8Bit(name)));
    termios tio {};
    if (::tcgetattr(m_slave, &tio) != 0)
        return fail(QStringLiteral("Cannot read the line settings"));
    ::cfmakeraw(&tio);
    ::cfsetspeed(&tio, speedConstant(m_options.baud));
    if (::tcsetattr(m_slave, TCSANOW, &tio) != 0)
        return fail(QStringLiteral("Cannot set the line raw"));

    m_devicePath = QString::fromLocal8Bit(name);
    m_clock.start();
    watchClients(name);
    m_readNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    m_writeNotifier = new QSocketNotifier(m_master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &SimPtyServer::onReadable);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &SimPtyServer::flushOut);
    return true;
}

void SimPtyServer::watchClients(const char *device)
{
    // The device's own opens and closes are watched; our own descriptor was opened before.
    m_watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_watch < 0)
        return;
    if (::inotify_add_watch(m_watch, device, IN_OPEN | IN_CLOSE) < 0) {
        ::close(m_watch);
        m_watch = -1;
        return;
    }
    m_watchNotifier = new QSocketNotifier(m_watch, QSocketNotifier::Read, this);
    connect(m_watchNotifier, &QSocketNotifier::activated, this, &SimPtyServer::checkClients);
}

void SimPtyServer::checkClients()
{
    if (m_watch < 0)
        return;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_watch, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return; // EAGAIN: all read
        for (ssize_t at = 0; at < n;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
            at += ssize_t(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                // The count is lost: stop judging, and throw nothing away from now on.
                delete m_watchNotifier;
                m_watchNotifier = nullptr;
                ::close(m_watch);
                m_watch = -1;
                return;
            }
            if (event->mask & IN_OPEN)
                ++m_clients;
            if ((event->mask & IN_CLOSE) && m_clients > 0 && --m_clients == 0)
                discardLine();
        }
    }
}

int SimPtyServer::clientCount() const
{
    return m_watch < 0 ? -1 : m_clients;
}

bool SimPtyServer::clientPresent() const
{
    return m_watch < 0 || m_clients > 0;
}

void SimPtyServer::discardLine()
{
    // The last client has gone: what it did not read, and the rest of a command it did not
    // finish, are not for the next one.
    m_queue.clear();
    m_held.clear();
    m_unsent.clear();
    m_mergeTimer->stop();
    stopLine();
    m_rxDoneNs = m_lineFreeNs = 0;
    if (m_slave >= 0)
        ::tcflush(m_slave, TCIFLUSH);
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(false);
    m_radio.discardPending();
}

QByteArray SimPtyServer::advanceRadio()
{
    const QByteArray reports = m_radio.advance(m_clock.elapsed() - m_radio.clockMs());
    for (const QByteArray &text : m_radio.takeKeyed())
        Q_EMIT keyed(text);
    return reports;
}

void SimPtyServer::onRadioTimer()
{
    takeReplies(advanceRadio(), nowNs());
    pump();
    scheduleRadio();
}

void SimPtyServer::scheduleRadio()
{
    const qint64 dueMs = m_radio.msUntilNextEvent();
    if (dueMs < 0)
        m_radioTimer->stop();
    else
        m_radioTimer->start(int(qMin<qint64>(dueMs, 24 * 3600 * 1000)));
}

qint64 SimPtyServer::wireTimeNs(qint64 bytes, int baud)
{
    if (baud <= 0 || bytes <= 0)
        return 0;
    return bytes * 10 * 1'000'000'000LL / baud;
}

qint64 SimPtyServer::queuedBytes() const
{
    qint64 total = m_held.size();
    for (const Chunk &c : m_queue)
        total += c.bytes.size();
    return total;
}

void SimPtyServer::onReadable()
{
    // Opens and closes that came before these bytes are counted first.
    checkClients();
    QByteArray data;
    char block[ReadBlock];
    for (;;) {
        const ssize_t n = ::read(m_master, block, sizeof block);
        if (n > 0) {
            data.append(block, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EIO) {
            // No client on the line just now: listen again a little later.
            m_readNotifier->setEnabled(false);
            m_retryTimer->start();
        }
        break; // EAGAIN: all read
    }
    if (data.isEmpty())
        return;
    m_bytesReceived += data.size();
    const qint64 now = nowNs();
    // A reply can only start once the command's last byte has arrived.
    m_rxDoneNs = qMax(now, m_rxDoneNs) + wireTimeNs(data.size(), m_options.baud);
    const qint64 readyNs = qMax(now, m_rxDoneNs) + qint64(m_options.lateMs) * NsPerMs;

    // What the radio did by itself until now comes before the answers to these commands.
    takeReplies(advanceRadio(), now);
    const quint64 memoryBefore = m_radio.memoryRevision();
    takeReplies(m_radio.handle(data), readyNs);
    pump();
    scheduleRadio();
    Q_EMIT received(data);
    if (m_radio.memoryRevision() != memoryBefore)
        Q_EMIT memoryChanged();
}

void SimPtyServer::takeReplies(const QByteArray &replies, qint64 readyNs)
{
    qsizetype start = 0;
    for (qsizetype end = replies.indexOf(';'); end >= 0; end = replies.indexOf(';', start)) {
        takeReply(replies.mid(start, end + 1 - start), readyNs);
        start = end + 1;
    }
}

void SimPtyServer::takeReply(const QByteArray &reply, qint64 readyNs)
{
    ++m_replies;
    if (m_options.dropEvery > 0 && m_replies % m_options.dropEvery == 0) {
        ++m_dropped;
        return;
    }
    if (!m_options.mergeReplies) {
        schedule(reply, readyNs);
        return;
    }
    if (m_held.isEmpty()) {
        m_held = reply;
        m_heldReadyNs = readyNs;
        m_mergeTimer->start();
        return;
    }
    m_mergeTimer->stop();
    const QByteArray pair = m_held + reply;
    m_held.clear();
    schedule(pair, qMax(m_heldReadyNs, readyNs));
}

void SimPtyServer::releaseHeld()
{
    if (m_held.isEmpty())
        return;
    const QByteArray alone = m_held;
    m_held.clear();
    schedule(alone, qMax(m_heldReadyNs, nowNs()));
    pump();
}

void SimPtyServer::schedule(const QByteArray &unit, qint64 readyNs)
{
    const bool paced = m_options.baud > 0;
    const QList<QByteArray> pieces
        = m_options.splitReplies ? splitPieces(unit) : QList<QByteArray> {unit};
    for (qsizetype i = 0; i < pieces.size(); ++i)
        enqueue(pieces[i], readyNs, i > 0 && !paced ? SplitGapMs * NsPerMs : 0);
    if (m_options.noise)
        enqueue(noiseBytes(), readyNs, 0);
}

void SimPtyServer::enqueue(const QByteArray &piece, qint64 readyNs, qint64 gapNs)
{
    const qint64 start = qMax(readyNs, m_lineFreeNs) + gapNs;
    const qint64 due = start + wireTimeNs(piece.size(), m_options.baud);
    m_lineFreeNs = due;
    m_queue.append(Chunk {piece, due});
}

QList<QByteArray> SimPtyServer::splitPieces(const QByteArray &unit)
{
    if (unit.size() < 2)
        return {unit};
    // Two or three pieces, cut at random places; the first never ends with ";".
    const int pieces = unit.size() >= 3 ? 2 + int(m_random.bounded(2)) : 2;
    QList<int> cuts;
    while (cuts.size() < pieces - 1) {
        const int cut = 1 + int(m_random.bounded(quint32(unit.size() - 1)));
        if (!cuts.contains(cut))
            cuts.append(cut);
    }
    std::sort(cuts.begin(), cuts.end());
    QList<QByteArray> out;
    int from = 0;
    for (const int cut : cuts) {
        out.append(unit.mid(from, cut - from));
        from = cut;
    }
    out.append(unit.mid(from));
    return out;
}

QByteArray SimPtyServer::noiseBytes()
{
    // Printable stray characters, one to four, never the terminator.
    static constexpr char Alphabet[] = "#*~!?@&%$+=_-.,:/|<>^0123456789abcxyzQRW \r\n";
    const int count = 1 + int(m_random.bounded(4));
    QByteArray noise;
    for (int i = 0; i < count; ++i)
        noise += Alphabet[m_random.bounded(quint32(sizeof Alphabet - 1))];
    return noise;
}

void SimPtyServer::pump()
{
    checkClients();
    // A piece due within the timer's grain goes now: half a millisecond with the event loop's
    // timer, so that the line keeps its pace on average instead of running late by the
    // rounding, and a few microseconds with the system's.
    const qint64 grainNs = m_lineTimerFd >= 0 ? LineTimerGrainNs : NsPerMs / 2;
    const qint64 now = nowNs();
    while (!m_queue.isEmpty() && m_queue.front().dueNs <= now + grainNs) {
        const QByteArray bytes = m_queue.takeFirst().bytes;
        if (clientPresent()) // with nobody at the other end the bytes go nowhere
            m_unsent += bytes;
        Q_EMIT written(bytes);
    }
    if (m_unsent.size() > MaxUnsentBytes) // nobody reads the line: keep the newest only
        m_unsent = m_unsent.right(MaxUnsentBytes);
    flushOut();
    if (!m_queue.isEmpty())
        armLine(m_queue.front().dueNs - now);
}

void SimPtyServer::armLine(qint64 waitNs)
{
    if (m_lineTimerFd < 0) {
        m_lineTimer->start(int(qMax<qint64>(1, (waitNs + NsPerMs / 2) / NsPerMs)));
        return;
    }
    itimerspec when {};
    const qint64 ns = qMax<qint64>(LineTimerGrainNs, waitNs);
    when.it_value.tv_sec = time_t(ns / 1'000'000'000);
    when.it_value.tv_nsec = long(ns % 1'000'000'000);
    ::timerfd_settime(m_lineTimerFd, 0, &when, nullptr);
}

void SimPtyServer::stopLine()
{
    m_lineTimer->stop();
    if (m_lineTimerFd >= 0) {
        const itimerspec never {};
        ::timerfd_settime(m_lineTimerFd, 0, &never, nullptr);
    }
}

void SimPtyServer::flushOut()
{
    checkClients();
    if (!clientPresent())
        m_unsent.clear();
    while (!m_unsent.isEmpty() && m_master >= 0) {
        const ssize_t n = ::write(m_master, m_unsent.constData(), size_t(m_unsent.size()));
        if (n > 0) {
            m_bytesSent += n;
            m_unsent.remove(0, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            // The line is hung up (EIO) or broken: what was on its way is lost, as on a cable
            // with nobody at the other end.
            fail(QStringLiteral("Cannot write to the pseudo-terminal"));
            m_unsent.clear();
        }
        break;
    }
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(!m_unsent.isEmpty());
}
