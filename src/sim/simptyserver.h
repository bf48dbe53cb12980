// The simulated radio on a pseudo-terminal: a client opens devicePath() as it would open a
// serial port. Everything runs from the event loop of the thread that owns the object; nothing
// here blocks or sleeps. The radio's clock follows the wall clock: it is moved on before each
// command is handled and by a timer when something the radio does by itself is due.
//
// Like a serial line, the terminal does not keep what nobody reads: when the last client closes
// the device, replies still on their way or unread are thrown away, and replies made while no
// client has the device open go nowhere.
#pragma once

#include "sim/simoptions.h"
#include "sim/simradio.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QRandomGenerator>
#include <QString>

class QSocketNotifier;
class QTimer;

class SimPtyServer : public QObject
{
    Q_OBJECT
public:
    // Gap between the pieces of a split reply when no baud rate spaces them, so that they reach
    // the reader in separate reads.
    static constexpr int SplitGapMs = 15;
    // How long a reply waits for a second one to share its write before it goes alone.
    static constexpr int MergeHoldMs = 20;
    // Replies a client never reads are thrown away beyond this many bytes.
    static constexpr qint64 MaxUnsentBytes = 1 << 20;

    explicit SimPtyServer(const SimOptions &options, QObject *parent = nullptr);
    ~SimPtyServer() override;

    // Opens the pseudo-terminal. False, with errorString(), when the system refuses.
    bool start();
    // The device a client opens, e.g. "/dev/pts/5"; empty before start().
    QString devicePath() const { return m_devicePath; }
    QString errorString() const { return m_error; }
    SimRadio &radio() { return m_radio; }
    const SimOptions &options() const { return m_options; }
    // Changes the pace and the faults from now on; replies already on their way keep theirs.
    void setOptions(const SimOptions &options) { m_options = options; }
    // Clients that have the device open; -1 when the system cannot tell (they are then assumed
    // to be there, and nothing is thrown away).
    int clientCount() const;

    // Traffic so far, both ways, and the replies the drop switch has swallowed.
    qint64 bytesReceived() const { return m_bytesReceived; }
    qint64 bytesSent() const { return m_bytesSent; }
    int repliesDropped() const { return m_dropped; }
    // Reply bytes waiting for their time on the line (or for a reply to merge with).
    qint64 queuedBytes() const;

    // Nanoseconds that many bytes need on a wire at the given rate: ten bits a byte (8N1).
    static qint64 wireTimeNs(qint64 bytes, int baud);

Q_SIGNALS:
    // Bytes read from the client, after the radio has handled them and the replies that were
    // due have been written.
    void received(const QByteArray &bytes);
    // Each piece handed to the line, in order.
    void written(const QByteArray &chunk);
    // A memory write changed a channel.
    void memoryChanged();
    // The keyer ran empty, or was emptied: what it sent since it started.
    void keyed(const QByteArray &text);

private:
    struct Chunk
    {
        QByteArray bytes;
        qint64 dueNs = 0;
    };

    bool fail(const QString &what);
    void watchClients(const char *device);
    void checkClients();
    bool clientPresent() const;
    void discardLine();
    QByteArray advanceRadio();
    void onRadioTimer();
    void scheduleRadio();
    void takeReplies(const QByteArray &replies, qint64 readyNs);
    void onReadable();
    void takeReply(const QByteArray &reply, qint64 readyNs);
    void releaseHeld();
    void schedule(const QByteArray &unit, qint64 readyNs);
    void enqueue(const QByteArray &piece, qint64 readyNs, qint64 gapNs);
    QList<QByteArray> splitPieces(const QByteArray &unit);
    QByteArray noiseBytes();
    void pump();
    void armLine(qint64 waitNs);
    void stopLine();
    void flushOut();
    qint64 nowNs() const { return m_clock.nsecsElapsed(); }

    SimOptions m_options;
    SimRadio m_radio;
    QRandomGenerator m_random;
    QString m_devicePath;
    QString m_error;
    int m_master = -1;
    int m_slave = -1; // held open so that a client closing the device does not hang the line up
    QSocketNotifier *m_readNotifier = nullptr;
    QSocketNotifier *m_writeNotifier = nullptr;
    // Hands the next piece to the line when it is due: a timer of the system's own, to the
    // microsecond (the event loop's timers count whole milliseconds and run late by up to one,
    // which would slow a 9600-baud line by several per cent); a millisecond timer where the
    // system has none.
    int m_lineTimerFd = -1;
    QSocketNotifier *m_lineTimerNotifier = nullptr;
    QTimer *m_lineTimer = nullptr;
    QTimer *m_mergeTimer = nullptr;
    QTimer *m_retryTimer = nullptr;
    QTimer *m_radioTimer = nullptr;
    int m_watch = -1; // inotify descriptor watching the device being opened and closed
    QSocketNotifier *m_watchNotifier = nullptr;
    int m_clients = 0;
    QElapsedTimer m_clock;
    QList<Chunk> m_queue;
    QByteArray m_held;
    qint64 m_heldReadyNs = 0;
    QByteArray m_unsent;
    qint64 m_rxDoneNs = 0; // when the last command byte has crossed the wire
    qint64 m_lineFreeNs = 0; // when the last queued reply byte will have crossed it
    qint64 m_bytesReceived = 0;
    qint64 m_bytesSent = 0;
    int m_replies = 0;
    int m_dropped = 0;
};
