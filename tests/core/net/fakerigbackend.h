// A radio behind the server for tests: plain state, a log of what was asked, and two switches:
// `deferred` keeps every answer until the test releases it (as a radio on a serial line would),
// `failWith` makes every operation fail with that code. A client that goes has its withheld
// answers dropped and a transmitter it keyed released.
#pragma once

#include "core/net/rigbackend.h"

#include <QMap>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>

class FakeRigBackend : public RigBackend
{
public:
    qint64 frequencyA = 14'200'000;
    qint64 frequencyB = 7'050'000;
    RigVfo vfo = RigVfo::A;
    RigModeWidth mode {RigMode::Usb, 2400};
    RigSplit split {false, RigVfo::A};
    bool ptt = false;
    int rit = 0;
    RigPower power = RigPower::On;
    QMap<RigLevel, double> levels {{RigLevel::Af, 100 / 255.0},
                                   {RigLevel::Strength, -20},
                                   {RigLevel::KeySpeed, 20},
                                   {RigLevel::Swr, 1.5}};
    QMap<RigFunc, int> funcs {{RigFunc::Nb, 0}, {RigFunc::Nr, 2}};
    std::optional<quint64> keyedFor; // the client whose PTT call keyed the transmitter

    bool deferred = false;
    RigError failWith = RigError::Ok;
    QStringList calls; // the set operations, as "setFrequency B 14100000"
    int getCount = 0;

    int pendingCount() const { return int(m_pending.size()); }
    // Gives the oldest withheld answer; false when there is none.
    bool answerOne()
    {
        if (m_pending.empty())
            return false;
        auto answer = std::move(m_pending.front().answer);
        m_pending.pop_front();
        answer();
        return true;
    }
    void answerAll()
    {
        while (answerOne()) { }
    }

    bool isFresh(RigQuery) const override { return !deferred; }

    void getFrequency(RigVfo v, RigAnswer<qint64> answer) override
    {
        get(answer, [this, v] {
            return v == RigVfo::B || (v == RigVfo::Current && vfo == RigVfo::B) ? frequencyB
                                                                                : frequencyA;
        });
    }
    void setFrequency(RigVfo v, qint64 hz, RigDone done) override
    {
        set(done, QStringLiteral("setFrequency %1 %2").arg(name(v)).arg(hz), [this, v, hz] {
            (v == RigVfo::B || (v == RigVfo::Current && vfo == RigVfo::B) ? frequencyB : frequencyA)
                = hz;
        });
    }
    void getMode(RigAnswer<RigModeWidth> answer) override
    {
        get(answer, [this] { return mode; });
    }
    void setMode(RigMode m, std::optional<int> passbandHz, RigDone done) override
    {
        const QString width = passbandHz ? QString::number(*passbandHz) : QStringLiteral("keep");
        set(done,
            QStringLiteral("setMode %1 %2").arg(QString::fromLatin1(RigTokens::modeName(m)), width),
            [this, m, passbandHz] {
                mode = {m, passbandHz.value_or(mode.passbandHz)};
            });
    }
    void getVfo(RigAnswer<RigVfo> answer) override
    {
        get(answer, [this] { return vfo; });
    }
    void setVfo(RigVfo v, RigDone done) override
    {
        set(done, QStringLiteral("setVfo %1").arg(name(v)), [this, v] { vfo = v; });
    }
    void getSplit(RigAnswer<RigSplit> answer) override
    {
        // Without split the radio transmits on the VFO it receives on.
        get(answer, [this] { return split.on ? split : RigSplit {false, vfo}; });
    }
    void setSplit(RigSplit s, RigDone done) override
    {
        set(done, QStringLiteral("setSplit %1 %2").arg(int(s.on)).arg(name(s.txVfo)),
            [this, s] { split = s; });
    }
    void getPtt(RigAnswer<bool> answer) override
    {
        get(answer, [this] { return ptt; });
    }
    void setPtt(bool transmit, RigDone done) override
    {
        const quint64 client = requester();
        set(done, QStringLiteral("setPtt %1").arg(int(transmit)), [this, transmit, client] {
            ptt = transmit;
            keyedFor = transmit ? std::optional(client) : std::nullopt;
        });
    }
    void getRit(RigAnswer<int> answer) override
    {
        get(answer, [this] { return rit; });
    }
    void setRit(int offsetHz, RigDone done) override
    {
        set(done, QStringLiteral("setRit %1").arg(offsetHz), [this, offsetHz] { rit = offsetHz; });
    }
    void getPowerState(RigAnswer<RigPower> answer) override
    {
        get(answer, [this] { return power; });
    }
    void sendMorse(const QByteArray &text, RigDone done) override
    {
        set(done, QStringLiteral("sendMorse ") + QString::fromLatin1(text), [] {});
    }
    void stopMorse(RigDone done) override
    {
        set(done, QStringLiteral("stopMorse"), [] {});
    }
    void getSplitFrequency(RigAnswer<qint64> answer) override
    {
        get(answer, [this] { return vfo == RigVfo::B ? frequencyA : frequencyB; });
    }
    void setSplitFrequency(qint64 hz, RigDone done) override
    {
        set(done, QStringLiteral("setSplitFrequency %1").arg(hz),
            [this, hz] { (vfo == RigVfo::B ? frequencyA : frequencyB) = hz; });
    }
    void getLevel(RigLevel level, RigAnswer<double> answer) override
    {
        get(answer, [this, level] { return levels.value(level); });
    }
    void setLevel(RigLevel level, double value, RigDone done) override
    {
        set(done,
            QStringLiteral("setLevel %1 %2")
                .arg(QString::fromLatin1(RigTokens::levelName(level)))
                .arg(value),
            [this, level, value] { levels[level] = value; });
    }
    void getFunc(RigFunc func, RigAnswer<int> answer) override
    {
        get(answer, [this, func] { return funcs.value(func); });
    }
    void setFunc(RigFunc func, int status, RigDone done) override
    {
        set(done,
            QStringLiteral("setFunc %1 %2")
                .arg(QString::fromLatin1(RigTokens::funcName(func)))
                .arg(status),
            [this, func, status] { funcs[func] = status; });
    }
    // Withheld answers of the client are dropped; a transmitter it keyed is released.
    void clientGone(quint64 client) override
    {
        gone << client;
        std::erase_if(m_pending, [client](const Pending &p) { return p.client == client; });
        if (keyedFor == client) {
            const quint64 was = requester();
            setRequester(0);
            setPtt(false, [](RigError) {});
            setRequester(was);
        }
    }

    QList<quint64> gone;

private:
    static QString name(RigVfo v) { return QString::fromLatin1(RigTokens::vfoName(v)); }

    void later(std::function<void()> answer)
    {
        if (deferred)
            m_pending.push_back({requester(), std::move(answer)});
        else
            answer();
    }
    template<typename T, typename Read> void get(RigAnswer<T> answer, Read read)
    {
        ++getCount;
        later([this, answer, read] { answer(failWith, read()); });
    }
    template<typename Apply> void set(RigDone done, const QString &call, Apply apply)
    {
        calls << call;
        later([this, done, apply] {
            if (failWith == RigError::Ok)
                apply();
            done(failWith);
        });
    }

    struct Pending
    {
        quint64 client;
        std::function<void()> answer;
    };
    std::deque<Pending> m_pending;
};
