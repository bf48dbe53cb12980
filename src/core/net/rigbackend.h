// What the network server needs from the radio: the operations a client command stands for,
// each answered once through a callback. The radio side implements this over its serial link;
// the server never touches the port.
//
// Contract for an implementation:
// - Every call answers exactly once, on the thread that made the call, either before it returns
//   (from state the backend knows to be fresh) or later (when the radio's reply arrives, or
//   when it failed to). The server copes with both; it drops an answer whose client has gone.
// - Arguments arrive checked: a frequency inside the radio's receive ranges, a passband that is
//   one of the mode's widths in rigcaps.h (nullopt: leave the width as it is), a RIT offset
//   within the radio's limit. RigVfo::Current means the VFO the radio receives on.
// - Failures use Hamlib's codes: Timeout when the radio did not answer, Io while the port is
//   closed, Rejected when the radio refused the command, NotAvailable for what this radio
//   cannot do (setting the frequency of a memory channel, say).
// - A set answers Ok once the radio has taken the command, so that a get the same client sends
//   next sees the new value.
// - Calls are made on behalf of a client (setRequester()). When that client has gone
//   (clientGone()), its work that has not reached the radio is dropped unanswered, and a
//   transmitter keyed for it is released.
#pragma once

#include "core/net/rigtypes.h"

#include <QtGlobal>

#include <functional>
#include <optional>

template<typename T> using RigAnswer = std::function<void(RigError error, T value)>;
using RigDone = std::function<void(RigError error)>;

// The values a get asks for, for isFresh().
// Frequency covers both VFOs, so a split get asks it too.
enum class RigQuery { Frequency, Mode, Vfo, Split, Ptt, Rit, PowerState, Level, Func };

class RigBackend
{
public:
    virtual ~RigBackend() = default;

    // True while the backend can answer a get of this kind from its state at once (the radio's
    // automatic reports keep it current and no change is pending), false when it has to ask
    // the radio. The server counts its answers by this (RigctlServer::answerCounts()); the
    // answer itself comes through the callback either way.
    virtual bool isFresh(RigQuery query) const = 0;
    // For levels and functions freshness depends on which one is asked.
    virtual bool isLevelFresh(RigLevel) const { return isFresh(RigQuery::Level); }
    virtual bool isFuncFresh(RigFunc) const { return isFresh(RigQuery::Func); }

    // The client the calls made from now on are made for (0: the program itself). The server
    // sets it before it hands a client's request over.
    void setRequester(quint64 client) { m_requester = client; }
    quint64 requester() const { return m_requester; }
    // The client has gone.
    virtual void clientGone(quint64 client) = 0;

    virtual void getFrequency(RigVfo vfo, RigAnswer<qint64> answer) = 0;
    virtual void setFrequency(RigVfo vfo, qint64 hz, RigDone done) = 0;
    virtual void getMode(RigAnswer<RigModeWidth> answer) = 0;
    virtual void setMode(RigMode mode, std::optional<int> passbandHz, RigDone done) = 0;
    // The VFO the radio receives on: A, B or Memory.
    virtual void getVfo(RigAnswer<RigVfo> answer) = 0;
    virtual void setVfo(RigVfo vfo, RigDone done) = 0;
    // Split on or off and the VFO the radio transmits on: A or B, and without split the one
    // it receives on (which may be Memory).
    virtual void getSplit(RigAnswer<RigSplit> answer) = 0;
    // txVfo is A or B, or Current when the client names none.
    virtual void setSplit(RigSplit split, RigDone done) = 0;
    virtual void getPtt(RigAnswer<bool> answer) = 0;
    virtual void setPtt(bool transmit, RigDone done) = 0;
    // The RIT/XIT offset in hertz, as the radio's status word holds it.
    virtual void getRit(RigAnswer<int> answer) = 0;
    virtual void setRit(int offsetHz, RigDone done) = 0;
    // Answered even while the radio is out of reach: Off then.
    virtual void getPowerState(RigAnswer<RigPower> answer) = 0;
    // Hands text to the radio's keyer, answering once the keyer has taken it to send (Io while
    // the link is down, InvalidParameter for text it cannot send, Rejected outside CW), and
    // stops what it sends. A backend without a keyer answers NotAvailable.
    virtual void sendMorse(const QByteArray &text, RigDone done)
    {
        Q_UNUSED(text);
        done(RigError::NotAvailable);
    }
    virtual void stopMorse(RigDone done) { done(RigError::NotAvailable); }
    // The transmit VFO's frequency: the VFO (A or B) the radio does not receive on.
    virtual void getSplitFrequency(RigAnswer<qint64> answer) = 0;
    virtual void setSplitFrequency(qint64 hz, RigDone done) = 0;
    // Levels in Hamlib's units (see RigLevel), checked against the level's range by the backend
    // (InvalidParameter when the radio cannot take the value).
    virtual void getLevel(RigLevel level, RigAnswer<double> answer) = 0;
    virtual void setLevel(RigLevel level, double value, RigDone done) = 0;
    virtual void getFunc(RigFunc func, RigAnswer<int> answer) = 0;
    virtual void setFunc(RigFunc func, int status, RigDone done) = 0;

private:
    quint64 m_requester = 0;
};
