// The simulated radio's keyer: the text of each "KY" command is sent in Morse at the key speed,
// with PARIS timing (a dot lasts 1200 / wpm milliseconds, a dash three dots, one dot between the
// elements of a character, three between characters, seven between words). It holds the text
// of two commands, the one it is keying and one waiting, and is full while it holds both. The
// blanks that fill a command's text to its 24 characters are not sent. No I/O and no timers:
// the radio's clock moves it.
#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QList>

class SimKeyer
{
public:
    static constexpr int Loads = 2;

    // Takes the text of one command (its filling blanks included); false, taking nothing, when
    // the keyer is full or the text holds a character it does not send.
    bool take(const QByteArray &text, qint64 nowMs);
    bool full() const { return m_loads.size() >= Loads; }
    bool keying() const { return !m_loads.isEmpty(); }
    // Drops everything not yet sent (the character being keyed is cut short).
    void clear();

    // Moves the keyer on to nowMs at the key speed in words per minute.
    void advance(qint64 nowMs, int wpm);
    // Milliseconds until the character being keyed is done; -1 when the keyer is idle.
    qint64 msUntilNext(qint64 nowMs) const;

    // Everything sent so far, in capitals, with a blank for each space between words.
    const QByteArray &sent() const { return m_sent; }
    // The texts sent since the last call, one for each time the keyer ran empty.
    QByteArrayList takeFinished();

    // The length of a character in dots, with the space after it; a blank stands for the
    // space between words beyond that. 0 for a character the keyer does not send.
    static int dots(char c);
    static double dotMs(int wpm);

private:
    void startNext(qint64 fromMs, int wpm);

    QList<QByteArray> m_loads; // the first is being keyed
    int m_position = 0; // of the character being keyed in the first load
    qint64 m_charEndsMs = -1; // -1: nothing being keyed
    QByteArray m_sent;
    QByteArray m_run; // sent since the keyer last ran empty
    QByteArrayList m_finished;
};
