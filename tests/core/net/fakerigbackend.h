// A radio behind the server for tests: plain state, a log of what was asked, and two switches:
// `deferred` keeps every answer until the test releases it (as a radio on a serial line would),
// `failWith` makes every operation fail with that code.
#pragma once

#include "core/net/rigbackend.h"

#include <QStringList>

#include <deque>
#include <functional>

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
        auto answer = std::move(m_pending.front());
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
        set(done, QStringLiteral("setPtt %1").arg(int(transmit)),
            [this, transmit] { ptt = transmit; });
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

private:
    static QString name(RigVfo v) { return QString::fromLatin1(RigTokens::vfoName(v)); }

    void later(std::function<void()> answer)
    {
        if (deferred)
            m_pending.push_back(std::move(answer));
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

    std::deque<std::function<void()>> m_pending;
};
