#include "core/radio/smeterpoll.h"

#include "core/radio/cat.h"

SMeterPoll::SMeterPoll(Radio &radio, QObject *parent)
    : QObject(parent)
    , m_radio(radio)
{
    m_tick.setInterval(DefaultIntervalMs);
    m_replyTimer.setSingleShot(true);
    m_replyTimer.setInterval(DefaultReplyTimeoutMs);
    connect(&m_tick, &QTimer::timeout, this, &SMeterPoll::tick);
    connect(&m_replyTimer, &QTimer::timeout, this, &SMeterPoll::endReading);
    connect(&m_radio, &Radio::replyTaken, this, &SMeterPoll::replyTaken);
}

SMeterPoll::~SMeterPoll() = default;

void SMeterPoll::setIntervalMs(int ms)
{
    m_tick.setInterval(qMax(1, ms));
}

void SMeterPoll::setReplyTimeoutMs(int ms)
{
    m_replyTimer.setInterval(qMax(1, ms));
}

void SMeterPoll::start()
{
    m_tick.start();
}

void SMeterPoll::stop()
{
    m_tick.stop();
    endReading();
}

void SMeterPoll::tick()
{
    if (m_reading || !m_radio.isIdle() || !m_radio.lineUp())
        return;
    m_reading = std::make_unique<Radio::ActivityGuard>(m_radio, Radio::Activity::Meter);
    ++m_asked;
    m_replyTimer.start();
    m_radio.send(Cat::query("SM"));
}

void SMeterPoll::replyTaken(const QString &reply)
{
    if (m_reading && reply.startsWith(QLatin1String("SM")))
        endReading();
}

void SMeterPoll::endReading()
{
    m_replyTimer.stop();
    m_reading.reset();
}
