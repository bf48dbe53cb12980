// Feeds text to the radio's keyer over the radio core, as a state machine on timers and replies:
// while text waits it asks the keyer "KY;" at most five times a second, and each time the keyer
// has answered "KY0;" (room) the next piece goes with the question ("KY " + 24 characters +
// ";KY;"), so the reply both confirms the piece and tells whether there is room for another.
// Each such turn holds the line (Radio::Activity::Keyer) until its reply, so the S-meter,
// network clients and the program's own work take their turns between; nothing is sent while
// the link to the radio is down. Texts sent one after another are keyed with a word space
// between them.
//
// Stop drops what has not been handed to the radio and asks the radio to empty its keyer
// ("KY0;", which later radios of the family take). A radio that refuses that ("?;") keys out
// what it already holds; finished() tells which.
#pragma once

#include "core/radio/radio.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class CwSender : public QObject
{
    Q_OBJECT
public:
    static constexpr int PollIntervalMs = 200;
    static constexpr int ReplyTimeoutMs = 1000;
    // Characters that may wait to be handed to the radio.
    static constexpr int MaxWaiting = 2000;

    enum class Refusal { None, Empty, Characters, TooMuch, LinkDown, NotInCw };
    enum class End {
        Sent, // the radio has all the text
        Emptied, // stopped, and the radio emptied its keyer
        Stopped, // stopped feeding; the radio keys out what it already holds
        Refused, // the radio refused the text ("?;"): it keys only in CW and CW-R
        LinkDown, // the link to the radio went down
        NoAnswer, // the radio did not answer "KY;"
    };
    Q_ENUM(Refusal)
    Q_ENUM(End)

    explicit CwSender(Radio &radio, QObject *parent = nullptr);
    ~CwSender() override;

    // Queues the text (letters in either case) to follow what waits. Refused, with nothing
    // queued, when it is empty, holds a character the keyer cannot send, would make the waiting
    // text too long, the link is down, or the radio is known to be in a mode other than CW or
    // CW-R.
    Refusal send(const QString &text);
    // The radio's mode digit (RadioState::Mode) is CW or CW-R; is a mode at all.
    static bool isCwMode(const QString &mode);
    static bool isKnownMode(const QString &mode);
    // The operator's sentence for a refusal of text.
    static QString refusalText(Refusal refusal, const QString &text);
    // The operator's sentence for how sending ended, with the characters not handed over.
    static QString endText(End end, int notSent);
    void stop();

    // Text waits, a turn is on the line, or a stop is being carried out.
    bool isBusy() const;
    // The present (or last) run: characters handed to the radio, of all queued in it.
    int taken() const { return m_taken; }
    int total() const { return m_total; }
    qint64 pollsSent() const { return m_polls; }

    // Tests may shorten the waits.
    void setPollInterval(int ms) { m_interval = qMax(1, ms); }
    void setReplyTimeout(int ms) { m_replyTimer.setInterval(qMax(1, ms)); }

Q_SIGNALS:
    void progress(int taken, int total);
    void finished(CwSender::End end, int notSent);
    void busyChanged(bool busy);

private:
    bool hasText() const;
    QString nextPiece() const;
    void poll();
    void onReply(const QString &reply);
    void replyOverdue();
    void linkLost();
    void endTurn();
    void finish(End end, int notSent);
    void noteBusy();

    Radio &m_radio;
    QString m_waiting; // normalised text not yet handed over
    bool m_owedBlank = false; // a word space goes before the next text
    bool m_room = false; // the keyer's last answer was "KY0;"
    bool m_clearWanted = false;
    int m_stopNotSent = 0;
    int m_taken = 0;
    int m_total = 0;
    qint64 m_polls = 0;
    int m_interval = PollIntervalMs;
    bool m_wasBusy = false;
    bool m_settling = false; // a turn is being settled: no new one starts meanwhile

    // The turn on the line.
    std::unique_ptr<Radio::ActivityGuard> m_turn;
    int m_inFlight = 0; // characters of m_waiting the turn wrote
    bool m_turnClears = false;
    bool m_turnRefused = false;

    QTimer m_next;
    QTimer m_replyTimer;
    QElapsedTimer m_sincePoll;
};
