// The network server's way to the radio: RigBackend over the program's radio core. A get is
// answered from the radio state while that state is fresh; otherwise, and for every set, the
// request becomes an exchange with the radio: commands written in one go, then the replies
// watched (as the interpreter takes them) until one settles it.
//
// Exchanges wait in one queue and run one at a time, only while the radio is idle: never
// during the start-up synchronisation, a memory transfer, a scan or the program's own pauses,
// and never together with an S-meter reading. While one runs the radio is marked busy with a
// client request. A set answers Ok once a reply shows the radio holds the new value; "?;" from
// the radio answers Rejected. When no settling reply has come within the reply limit, a set
// reads the value back once (a reply lost on the line is no failure when the change happened),
// and answers Timeout only when that read does not settle it either. An exchange that has
// waited longer than the queue limit is answered Timeout without being written, so a set the
// client was told had failed is never carried out later.
//
// Each exchange belongs to the client it was made for. When that client goes, its exchanges
// that have not been written are dropped, and if the last "TX;" written was its own the
// transmitter is released with "RX;" (after an exchange already on the line has ended).
//
// The state counts as fresh (conservatively) only when all of these hold: the port is open, a
// start-up synchronisation has completed since it was last seen closed, automatic reports are
// on (the last "AI" written was not "AI0;"), a status word has been taken since the last
// transfer or scan ended, a reply has been taken within the silence limit (the S-meter keeps
// this true on a live line), and no command that changes the radio has been written within
// the settle time (counted from the last report that followed it). The fields asked for must
// also hold values. Levels and functions are answered from the last reply of their code (the
// start-up list reads them all, automatic reports follow their changes); the S-meter only while
// its last reading is younger than the meter limit, and the transmit meters ("RM") never.
#pragma once

#include "core/net/rigbackend.h"
#include "core/radio/radio.h"

class CwSender;

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <deque>
#include <memory>
#include <optional>

class RadioRigBackend : public QObject, public RigBackend
{
    Q_OBJECT
public:
    struct Limits
    {
        int replyMs = 2000; // for one exchange once written, plus the line time of its bytes
        int queueMs = 8000; // waiting for the radio to become idle
        int settleMs = 300; // after a command that changes the radio
        int silenceMs = 3000; // since the last reply of any kind
        int meterMs = 1000; // the age an S-meter reading may have when answered from state
    };

    explicit RadioRigBackend(Radio &radio, QObject *parent = nullptr);
    ~RadioRigBackend() override;

    void setLimits(const Limits &limits) { m_limits = limits; }
    const Limits &limits() const { return m_limits; }
    // Off: every get asks the radio (for comparisons and tests).
    void setAnswerFromState(bool on) { m_answerFromState = on; }
    // The sender that feeds the radio's keyer, shared with the program's own CW keyboard;
    // none: clients cannot send Morse. It must outlive the backend.
    void setKeyer(CwSender *keyer) { m_keyer = keyer; }

    int queuedCount() const { return int(m_queue.size()); }
    bool exchangeRunning() const { return m_current != nullptr; }

    bool isFresh(RigQuery query) const override;
    bool isLevelFresh(RigLevel level) const override;
    bool isFuncFresh(RigFunc func) const override;
    void clientGone(quint64 client) override;

    void getFrequency(RigVfo vfo, RigAnswer<qint64> answer) override;
    void setFrequency(RigVfo vfo, qint64 hz, RigDone done) override;
    void getMode(RigAnswer<RigModeWidth> answer) override;
    void setMode(RigMode mode, std::optional<int> passbandHz, RigDone done) override;
    void getVfo(RigAnswer<RigVfo> answer) override;
    void setVfo(RigVfo vfo, RigDone done) override;
    void getSplit(RigAnswer<RigSplit> answer) override;
    void setSplit(RigSplit split, RigDone done) override;
    void getPtt(RigAnswer<bool> answer) override;
    void setPtt(bool transmit, RigDone done) override;
    void getRit(RigAnswer<int> answer) override;
    void setRit(int offsetHz, RigDone done) override;
    void getPowerState(RigAnswer<RigPower> answer) override;
    void sendMorse(const QByteArray &text, RigDone done) override;
    void stopMorse(RigDone done) override;
    void getSplitFrequency(RigAnswer<qint64> answer) override;
    void setSplitFrequency(qint64 hz, RigDone done) override;
    void getLevel(RigLevel level, RigAnswer<double> answer) override;
    void setLevel(RigLevel level, double value, RigDone done) override;
    void getFunc(RigFunc func, RigAnswer<int> answer) override;
    void setFunc(RigFunc func, int status, RigDone done) override;

private:
    using Settles = std::function<bool(const QString &reply)>;

    // One exchange: what to write (a set, then the read that shows it), and a test each reply
    // taken is put to (true: settled).
    struct Exchange
    {
        QByteArray set;
        QByteArray read;
        Settles settles;
        RigDone finished;
        quint64 client = 0;
        bool readAgain = false; // the read has been written a second time
        QElapsedTimer queued;
    };

    void enqueue(QByteArray set, QByteArray read, Settles settles, RigDone finished);
    void replyOverdue();
    // The last reply of a code, while the state is usable; empty when there is none.
    QString lastReply(const char *code) const;
    // Reads a level or function, or answers it from its last reply when that is fresh; and sets
    // one with its command (refused when there is none), settled by the reply that reads back
    // the value the command stands for.
    template<typename Key, typename T> void readSetting(Key key, bool fresh, RigAnswer<T> answer);
    template<typename Key>
    void writeSetting(Key key, const std::optional<QByteArray> &command, RigDone done);
    void runNext();
    void write(const QByteArray &commands);
    void onReply(const QString &reply);
    void onCommandWritten(const QByteArray &command);
    void onActivityChanged(Radio::Activity activity, bool active);
    void finishCurrent(RigError error);
    void expireQueued();
    int lineTimeMs(qsizetype bytes) const;
    bool stateUsable() const;
    bool settled() const;
    // The VFO the radio receives on, from the state: A, B, Memory, or nullopt when unknown.
    std::optional<RigVfo> receiveVfo() const;
    // Runs next() with the receive VFO known, asking the radio first when it is not (for the
    // same client).
    void withReceiveVfo(RigDone failed, std::function<void()> next);
    // The VFO the radio transmits on in split: the one it does not receive on.
    void withTransmitVfo(RigDone failed, std::function<void(RigVfo)> next);

    Radio &m_radio;
    CwSender *m_keyer = nullptr;
    Limits m_limits;
    bool m_answerFromState = true;

    std::deque<std::unique_ptr<Exchange>> m_queue;
    std::unique_ptr<Exchange> m_current;
    std::unique_ptr<Radio::ActivityGuard> m_busy;
    QTimer m_replyTimer;
    QTimer m_queueTimer;

    struct Cached
    {
        QString reply;
        QElapsedTimer taken;
    };
    QHash<QString, Cached> m_lastReplies; // by code
    QSet<quint64> m_goneClients; // gone while an exchange of theirs was on the line
    std::optional<quint64> m_keyedFor; // the client whose "TX;" was the last written
    bool m_writing = false;

    // What freshness is judged by.
    bool m_synchronised = false;
    bool m_reportsOn = false;
    bool m_statusSeen = false;
    bool m_changePending = false;
    QElapsedTimer m_sinceChange; // the last changing command, or a report after it
    QElapsedTimer m_sinceReply;
};
