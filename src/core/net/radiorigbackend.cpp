#include "core/net/radiorigbackend.h"

#include "core/cw/cwsender.h"
#include "core/net/radiorigcodes.h"
#include "core/net/radioriglevels.h"
#include "core/radio/cat.h"

namespace {

QByteArray query(const char *code)
{
    return Cat::query(code);
}

bool hasCode(const QString &reply, const char *code)
{
    return reply.size() >= 2 && reply.startsWith(QLatin1String(code, 2));
}

// Commands that change the radio without parameters; every command with parameters changes
// something too. Plain reads ("IF;", "SM;") change nothing.
bool isAction(const QByteArray &code)
{
    return code == "TX" || code == "RX" || code == "RU" || code == "RD" || code == "RC";
}

// Commands with parameters that change nothing the state mirrors: the keyer's text, the meter
// the radio shows.
bool changesNothingMirrored(const QByteArray &code)
{
    return code == "KY" || code == "RM";
}

RigVfo otherVfo(RigVfo vfo)
{
    return vfo == RigVfo::A ? RigVfo::B : RigVfo::A;
}

char functionDigit(RigVfo vfo)
{
    switch (vfo) {
    case RigVfo::B:
        return '1';
    case RigVfo::Memory:
        return '2';
    case RigVfo::A:
    case RigVfo::Current:
        break;
    }
    return '0';
}

} // namespace

RadioRigBackend::RadioRigBackend(Radio &radio, QObject *parent)
    : QObject(parent)
    , m_radio(radio)
{
    m_replyTimer.setSingleShot(true);
    m_queueTimer.setSingleShot(true);
    connect(&m_replyTimer, &QTimer::timeout, this, &RadioRigBackend::replyOverdue);
    connect(&m_queueTimer, &QTimer::timeout, this, &RadioRigBackend::runNext);
    connect(&m_radio, &Radio::replyTaken, this, &RadioRigBackend::onReply);
    connect(&m_radio, &Radio::commandWritten, this, &RadioRigBackend::onCommandWritten);
    connect(&m_radio, &Radio::activityChanged, this, &RadioRigBackend::onActivityChanged);
    connect(&m_radio, &Radio::idleChanged, this, [this](bool idle) {
        if (idle)
            runNext();
    });
    m_synchronised = m_radio.lineUp() && m_radio.state().StartupLoading == QLatin1String("0")
        && m_radio.state().Freq != QLatin1String("999999999");
}

RadioRigBackend::~RadioRigBackend()
{
    // Whoever still waits is told the radio is out of reach.
    m_replyTimer.stop();
    auto current = std::move(m_current);
    auto queue = std::move(m_queue);
    m_busy.reset();
    if (current)
        current->finished(RigError::Io);
    for (auto &exchange : queue)
        exchange->finished(RigError::Io);
}

// --- Freshness ---------------------------------------------------------------------------------

bool RadioRigBackend::stateUsable() const
{
    if (!m_answerFromState)
        return false;
    if (!m_radio.lineUp())
        return false;
    if (!m_synchronised || !m_reportsOn || !m_statusSeen || m_current)
        return false;
    if (!m_radio.isIdleApartFrom(Radio::Activity::Meter))
        return false;
    if (!m_sinceReply.isValid() || m_sinceReply.elapsed() >= m_limits.silenceMs)
        return false;
    return settled();
}

bool RadioRigBackend::settled() const
{
    return !m_changePending || m_sinceChange.elapsed() >= m_limits.settleMs;
}

std::optional<RigVfo> RadioRigBackend::receiveVfo() const
{
    const QString &vfo = m_radio.state().VFO;
    if (vfo == QLatin1String("0"))
        return RigVfo::A;
    if (vfo == QLatin1String("1"))
        return RigVfo::B;
    if (vfo == QLatin1String("2"))
        return RigVfo::Memory;
    return std::nullopt;
}

bool RadioRigBackend::isFresh(RigQuery query) const
{
    if (!stateUsable())
        return false;
    const RadioState &s = m_radio.state();
    switch (query) {
    case RigQuery::Frequency:
        return receiveVfo() && !s.VFOAFreq.isEmpty() && !s.VFOBFreq.isEmpty();
    case RigQuery::Level:
    case RigQuery::Func:
        return true;
    case RigQuery::Mode: {
        const auto mode = RadioRigCodes::modeOf(s.Mode);
        return mode && RadioRigCodes::passbandOf(*mode, s.FilterWidth);
    }
    case RigQuery::Vfo:
        return receiveVfo().has_value();
    case RigQuery::Split:
        return receiveVfo() && (s.Split == QLatin1String("0") || s.Split == QLatin1String("1"));
    case RigQuery::Ptt:
        return s.TXState == QLatin1String("TX") || s.TXState == QLatin1String("RX");
    case RigQuery::Rit:
        return !s.RITXITOffset.isEmpty();
    case RigQuery::PowerState:
        return s.PowerOn == QLatin1String("0") || s.PowerOn == QLatin1String("1");
    }
    return false;
}

void RadioRigBackend::onReply(const QString &reply)
{
    m_sinceReply.start();
    if (reply.size() >= 2) {
        Cached &cached = m_lastReplies[reply.left(2)];
        cached.reply = reply;
        cached.taken.start();
    }
    if (m_changePending && !hasCode(reply, "SM"))
        m_sinceChange.start(); // the change is still being reported
    if (hasCode(reply, "IF"))
        m_statusSeen = true;
    if (!m_current)
        return;
    if (reply == QLatin1String("?"))
        finishCurrent(RigError::Rejected);
    else if (m_current->settles(reply))
        finishCurrent(RigError::Ok);
}

void RadioRigBackend::onCommandWritten(const QByteArray &command)
{
    for (const QByteArray &piece : command.split(';')) {
        const QByteArray code = piece.left(2);
        const QByteArray params = piece.mid(2);
        if (code.size() < 2)
            continue;
        if (code == "AI") {
            if (!params.isEmpty())
                m_reportsOn = params != "0";
            continue;
        }
        if (code == "TX" && params.isEmpty())
            m_keyedFor = m_writing && m_current ? std::optional(m_current->client) : std::nullopt;
        else if (code == "RX" && params.isEmpty())
            m_keyedFor.reset();
        if ((!params.isEmpty() && !changesNothingMirrored(code)) || isAction(code)) {
            m_changePending = true;
            m_sinceChange.start();
        }
    }
}

void RadioRigBackend::onActivityChanged(Radio::Activity activity, bool active)
{
    switch (activity) {
    case Radio::Activity::Startup:
        m_synchronised = !active && m_radio.lineUp();
        if (active)
            m_statusSeen = false;
        break;
    case Radio::Activity::Transfer:
    case Radio::Activity::Scan:
        // A transfer leaves the state with what it read; a scan with where it stopped. The
        // next status word tells where the radio is.
        m_statusSeen = false;
        break;
    case Radio::Activity::Pause:
    case Radio::Activity::ClientRequest:
    case Radio::Activity::Meter:
    case Radio::Activity::Keyer:
        break;
    }
}

bool RadioRigBackend::isLevelFresh(RigLevel level) const
{
    if (level == RigLevel::Swr || level == RigLevel::Alc || level == RigLevel::CompMeter)
        return false;
    const char *code = RadioRigLevels::reading(level).code;
    if (lastReply(code).isEmpty())
        return false;
    return level != RigLevel::Strength
        || m_lastReplies.value(QString::fromLatin1(code)).taken.elapsed() < m_limits.meterMs;
}

bool RadioRigBackend::isFuncFresh(RigFunc func) const
{
    return !lastReply(RadioRigLevels::reading(func).code).isEmpty();
}

QString RadioRigBackend::lastReply(const char *code) const
{
    if (!stateUsable())
        return {};
    return m_lastReplies.value(QString::fromLatin1(code)).reply;
}

// --- Clients -----------------------------------------------------------------------------------

void RadioRigBackend::clientGone(quint64 client)
{
    if (client == 0)
        return;
    std::erase_if(m_queue, [client](const auto &exchange) { return exchange->client == client; });
    if (m_current && m_current->client == client)
        m_goneClients.insert(client); // what its answer would start is not started
    if (m_keyedFor == client) {
        const quint64 was = requester();
        setRequester(0);
        setPtt(false, [](RigError) {});
        setRequester(was);
    }
    if (m_queue.empty())
        m_queueTimer.stop();
}

// --- The queue ---------------------------------------------------------------------------------

void RadioRigBackend::enqueue(QByteArray set, QByteArray read, Settles settles, RigDone finished)
{
    const quint64 client = requester();
    if (m_goneClients.contains(client))
        return; // the client has gone: nobody waits for this
    if (!m_radio.lineUp())
        return finished(RigError::Io);
    auto exchange = std::make_unique<Exchange>();
    exchange->set = std::move(set);
    exchange->read = std::move(read);
    exchange->settles = std::move(settles);
    exchange->finished = std::move(finished);
    exchange->client = client;
    exchange->queued.start();
    m_queue.push_back(std::move(exchange));
    runNext();
}

void RadioRigBackend::replyOverdue()
{
    if (!m_current)
        return;
    if (!m_radio.lineUp())
        return finishCurrent(RigError::Io);
    // A set whose confirming reply was lost on the line: ask once more whether the radio holds
    // the value before calling it a failure.
    if (!m_current->set.isEmpty() && !m_current->read.isEmpty() && !m_current->readAgain) {
        m_current->readAgain = true;
        return write(m_current->read);
    }
    finishCurrent(RigError::Timeout);
}

void RadioRigBackend::expireQueued()
{
    while (!m_queue.empty() && m_queue.front()->queued.elapsed() >= m_limits.queueMs) {
        auto expired = std::move(m_queue.front());
        m_queue.pop_front();
        expired->finished(RigError::Timeout);
    }
    if (m_queue.empty())
        m_queueTimer.stop();
    else
        m_queueTimer.start(
            int(qMax<qint64>(1, m_limits.queueMs - m_queue.front()->queued.elapsed())));
}

void RadioRigBackend::runNext()
{
    if (m_current)
        return;
    if (!m_radio.lineUp()) {
        auto queue = std::move(m_queue);
        m_queue.clear();
        m_busy.reset();
        for (auto &exchange : queue)
            exchange->finished(RigError::Io);
        return;
    }
    expireQueued();
    if (m_queue.empty() || !m_radio.isIdleApartFrom(Radio::Activity::ClientRequest)) {
        // Nothing to do, or the program's own work goes first: idleChanged() brings us back.
        m_busy.reset();
        return;
    }
    m_current = std::move(m_queue.front());
    m_queue.pop_front();
    if (!m_busy)
        m_busy = std::make_unique<Radio::ActivityGuard>(m_radio, Radio::Activity::ClientRequest);
    write(m_current->set + m_current->read);
    expireQueued();
}

// Puts the present request's commands on the line, with time for their replies.
void RadioRigBackend::write(const QByteArray &commands)
{
    m_replyTimer.start(m_limits.replyMs + 4 * lineTimeMs(commands.size()));
    m_writing = true;
    m_radio.send(commands);
    m_writing = false;
}

void RadioRigBackend::finishCurrent(RigError error)
{
    m_replyTimer.stop();
    auto done = std::move(m_current);
    if (!done)
        return;
    const quint64 was = requester();
    setRequester(done->client);
    if (!m_goneClients.contains(done->client))
        done->finished(error);
    m_goneClients.remove(done->client);
    setRequester(was);
    runNext();
}

int RadioRigBackend::lineTimeMs(qsizetype bytes) const
{
    const int baud = m_radio.MSComm1().settings().section(QLatin1Char(','), 0, 0).toInt();
    return baud > 0 ? int(bytes * 10 * 1000 / baud) : 0;
}

void RadioRigBackend::withReceiveVfo(RigDone failed, std::function<void()> next)
{
    if (receiveVfo())
        return next();
    // The answer comes from finishCurrent(), which sets the requester to the exchange's client.
    enqueue(
        {}, query("IF"), [](const QString &reply) { return hasCode(reply, "IF"); },
        [this, failed, next](RigError error) {
            if (error != RigError::Ok)
                return failed(error);
            if (!receiveVfo())
                return failed(RigError::Protocol);
            next();
        });
}

void RadioRigBackend::withTransmitVfo(RigDone failed, std::function<void(RigVfo)> next)
{
    withReceiveVfo(failed, [this, failed, next] {
        const RigVfo receiving = *receiveVfo();
        if (receiving == RigVfo::Memory)
            return failed(RigError::NotAvailable);
        next(otherVfo(receiving));
    });
}

// --- Gets --------------------------------------------------------------------------------------

void RadioRigBackend::getFrequency(RigVfo vfo, RigAnswer<qint64> answer)
{
    const std::optional<RigVfo> receiving = receiveVfo();
    if (vfo == RigVfo::Memory && receiving && *receiving != RigVfo::Memory)
        return answer(RigError::NotAvailable, 0);
    // A VFO named by the client has its own field; the receive frequency is the one the status
    // word last gave (or the reply of the VFO in use).
    const QString RadioState::*field = vfo == RigVfo::A ? &RadioState::VFOAFreq
        : vfo == RigVfo::B                              ? &RadioState::VFOBFreq
                                                        : &RadioState::Freq;
    const auto read = [this, field] { return Cat::khzToHz(m_radio.state().*field); };
    if (isFresh(RigQuery::Frequency))
        return answer(RigError::Ok, read());
    const RigVfo asked
        = vfo == RigVfo::A || vfo == RigVfo::B ? vfo : receiving.value_or(RigVfo::Memory);
    const char *code = asked == RigVfo::A ? "FA" : asked == RigVfo::B ? "FB" : "IF";
    enqueue(
        {}, query(code), [code](const QString &reply) { return hasCode(reply, code); },
        [answer, read](RigError error) { answer(error, error == RigError::Ok ? read() : 0); });
}

void RadioRigBackend::getMode(RigAnswer<RigModeWidth> answer)
{
    const auto read = [this]() -> std::optional<RigModeWidth> {
        const RadioState &s = m_radio.state();
        const auto mode = RadioRigCodes::modeOf(s.Mode);
        if (!mode)
            return std::nullopt;
        const auto width = RadioRigCodes::passbandOf(*mode, s.FilterWidth);
        if (!width)
            return std::nullopt;
        return RigModeWidth {*mode, *width};
    };
    const auto give = [answer, read](RigError error) {
        const auto value = read();
        if (error == RigError::Ok && !value)
            error = RigError::Protocol;
        answer(error, value.value_or(RigModeWidth {}));
    };
    if (isFresh(RigQuery::Mode))
        return give(RigError::Ok);
    enqueue(
        {}, query("MD") + query("FW"), [](const QString &reply) { return hasCode(reply, "FW"); },
        give);
}

void RadioRigBackend::getVfo(RigAnswer<RigVfo> answer)
{
    const auto give = [this, answer](RigError error) {
        const auto vfo = receiveVfo();
        if (error == RigError::Ok && !vfo)
            error = RigError::Protocol;
        answer(error, vfo.value_or(RigVfo::A));
    };
    if (isFresh(RigQuery::Vfo))
        return give(RigError::Ok);
    enqueue(
        {}, query("FR"), [](const QString &reply) { return hasCode(reply, "FR"); }, give);
}

void RadioRigBackend::getSplit(RigAnswer<RigSplit> answer)
{
    const auto give = [this, answer](RigError error) {
        const auto vfo = receiveVfo();
        if (error == RigError::Ok && !vfo)
            error = RigError::Protocol;
        RigSplit split;
        split.on = m_radio.state().Split == QLatin1String("1");
        const RigVfo receiving = vfo.value_or(RigVfo::A);
        split.txVfo = split.on && receiving != RigVfo::Memory ? otherVfo(receiving) : receiving;
        answer(error, split);
    };
    if (isFresh(RigQuery::Split))
        return give(RigError::Ok);
    enqueue(
        {}, query("IF"), [](const QString &reply) { return hasCode(reply, "IF"); }, give);
}

void RadioRigBackend::getPtt(RigAnswer<bool> answer)
{
    if (isFresh(RigQuery::Ptt))
        return answer(RigError::Ok, m_radio.state().TXState == QLatin1String("TX"));
    auto transmitting = std::make_shared<bool>(false);
    enqueue(
        {}, query("IF"),
        [transmitting](const QString &reply) {
            const auto tx = RadioRigCodes::statusTransmitting(reply);
            if (tx)
                *transmitting = *tx;
            return tx.has_value();
        },
        [answer, transmitting](RigError error) { answer(error, *transmitting); });
}

void RadioRigBackend::getRit(RigAnswer<int> answer)
{
    const auto read = [this] { return int(Cat::khzToHz(m_radio.state().RITXITOffset)); };
    if (isFresh(RigQuery::Rit))
        return answer(RigError::Ok, read());
    enqueue(
        {}, query("IF"), [](const QString &reply) { return hasCode(reply, "IF"); },
        [answer, read](RigError error) { answer(error, error == RigError::Ok ? read() : 0); });
}

void RadioRigBackend::getPowerState(RigAnswer<RigPower> answer)
{
    const auto read = [this] {
        return m_radio.state().PowerOn == QLatin1String("1") ? RigPower::On : RigPower::Off;
    };
    // While the radio is out of reach it counts as off, so that clients see why it is silent.
    if (!m_radio.lineUp())
        return answer(RigError::Ok, RigPower::Off);
    if (isFresh(RigQuery::PowerState))
        return answer(RigError::Ok, read());
    enqueue(
        {}, query("PS"), [](const QString &reply) { return hasCode(reply, "PS"); },
        [answer, read](RigError error) { answer(error, read()); });
}

// --- Sets --------------------------------------------------------------------------------------

void RadioRigBackend::setFrequency(RigVfo vfo, qint64 hz, RigDone done)
{
    const auto onVfo = [this, hz, done](RigVfo target) {
        if (target != RigVfo::A && target != RigVfo::B)
            return done(RigError::NotAvailable);
        const char letter = target == RigVfo::A ? 'A' : 'B';
        const auto command = Cat::setFrequency(letter, hz);
        if (!command)
            return done(RigError::InvalidParameter);
        const QByteArray code = QByteArray("F") + letter;
        // The other VFO's frequency shows on the display in split, from the next status word:
        // it is read as well.
        const bool other = receiveVfo() != target;
        auto taken = std::make_shared<bool>(false);
        enqueue(
            *command, code + ';' + (other ? query("IF") : QByteArray()),
            [code, hz, other, taken](const QString &reply) {
                if (hasCode(reply, code.constData()))
                    *taken = Cat::readNumber(QStringView(reply).mid(2)) == hz;
                return *taken && (!other || hasCode(reply, "IF"));
            },
            done);
    };
    if (vfo != RigVfo::Current)
        return onVfo(vfo);
    withReceiveVfo(done, [this, onVfo] { onVfo(*receiveVfo()); });
}

void RadioRigBackend::setMode(RigMode mode, std::optional<int> passbandHz, RigDone done)
{
    const char digit = RadioRigCodes::modeDigit(mode);
    std::optional<QByteArray> width;
    if (passbandHz) {
        width = RadioRigCodes::widthCode(mode, *passbandHz);
        if (!width)
            return done(RigError::InvalidParameter);
    }
    QByteArray set = Cat::setMode(digit);
    if (width)
        set += Cat::setFilterWidth(width->constData());
    QByteArray read = query("MD");
    if (width)
        read += query("FW");
    struct Seen
    {
        bool mode = false;
        bool width = false;
    };
    auto seen = std::make_shared<Seen>();
    seen->width = !width;
    const QString widthText = width ? QString::fromLatin1(*width) : QString();
    enqueue(
        set, read,
        [seen, digit, widthText](const QString &reply) {
            if (hasCode(reply, "MD"))
                seen->mode = reply.mid(2) == QLatin1Char(digit);
            else if (hasCode(reply, "FW") && !widthText.isEmpty())
                seen->width = reply.mid(2) == widthText;
            return seen->mode && seen->width;
        },
        done);
}

void RadioRigBackend::setVfo(RigVfo vfo, RigDone done)
{
    if (vfo == RigVfo::Current)
        return done(RigError::Ok);
    const QString digit(QLatin1Char(functionDigit(vfo)));
    enqueue(
        QByteArray("FR") + functionDigit(vfo) + ';', query("IF"),
        [this, digit](const QString &reply) {
            return hasCode(reply, "IF") && m_radio.state().VFO == digit;
        },
        done);
}

void RadioRigBackend::setSplit(RigSplit split, RigDone done)
{
    withReceiveVfo(done, [this, split, done] {
        const RigVfo receiving = *receiveVfo();
        RigVfo transmit = receiving;
        if (split.on) {
            if (receiving == RigVfo::Memory)
                return done(RigError::NotAvailable);
            transmit = split.txVfo == RigVfo::Current ? otherVfo(receiving) : split.txVfo;
            if (transmit == receiving)
                return done(RigError::InvalidParameter);
        }
        const QString expected = split.on ? QStringLiteral("1") : QStringLiteral("0");
        enqueue(
            QByteArray("FT") + functionDigit(transmit) + ';', query("IF"),
            [this, expected](const QString &reply) {
                return hasCode(reply, "IF") && m_radio.state().Split == expected;
            },
            done);
    });
}

void RadioRigBackend::setPtt(bool transmit, RigDone done)
{
    enqueue(
        transmit ? QByteArray("TX;") : QByteArray("RX;"), query("IF"),
        [transmit](const QString &reply) {
            return RadioRigCodes::statusTransmitting(reply) == transmit;
        },
        done);
}

void RadioRigBackend::setRit(int offsetHz, RigDone done)
{
    // The radio moves its offset in steps of 10 Hz from zero ("RC;", then "RU;" or "RD;"
    // a step). Reports are held back meanwhile, or each step would send a status word.
    const int steps = (std::abs(offsetHz) + 5) / 10;
    const int expected = (offsetHz < 0 ? -10 : 10) * steps;
    QByteArray commands;
    if (steps == 0) {
        commands = "RC;RT0;";
    } else {
        commands = "AI0;RT1;RC;";
        commands += (offsetHz < 0 ? QByteArray("RD;") : QByteArray("RU;")).repeated(steps);
        commands += "AI3;";
    }
    const QString ritOn = steps == 0 ? QStringLiteral("0") : QStringLiteral("1");
    enqueue(
        commands, query("IF"),
        [this, expected, ritOn](const QString &reply) {
            const RadioState &s = m_radio.state();
            return hasCode(reply, "IF") && s.RITOn == ritOn
                && Cat::khzToHz(s.RITXITOffset) == expected;
        },
        done);
}

// --- The keyer ----------------------------------------------------------------------------------

void RadioRigBackend::sendMorse(const QByteArray &text, RigDone done)
{
    if (!m_keyer)
        return done(RigError::NotAvailable);
    switch (m_keyer->send(QString::fromLatin1(text))) {
    case CwSender::Refusal::None:
        return done(RigError::Ok);
    case CwSender::Refusal::Empty:
    case CwSender::Refusal::Characters:
        return done(RigError::InvalidParameter);
    case CwSender::Refusal::LinkDown:
        return done(RigError::Io);
    case CwSender::Refusal::TooMuch:
    case CwSender::Refusal::NotInCw:
        break;
    }
    done(RigError::Rejected);
}

void RadioRigBackend::stopMorse(RigDone done)
{
    if (!m_keyer)
        return done(RigError::NotAvailable);
    m_keyer->stop();
    done(RigError::Ok);
}

// --- Split, levels and functions ---------------------------------------------------------------

void RadioRigBackend::getSplitFrequency(RigAnswer<qint64> answer)
{
    const auto failed = [answer](RigError error) { answer(error, 0); };
    const bool fresh = isFresh(RigQuery::Frequency);
    withTransmitVfo(failed, [this, answer, fresh](RigVfo transmit) {
        const QString RadioState::*field
            = transmit == RigVfo::A ? &RadioState::VFOAFreq : &RadioState::VFOBFreq;
        const auto read = [this, field] { return Cat::khzToHz(m_radio.state().*field); };
        if (fresh)
            return answer(RigError::Ok, read());
        const char *code = transmit == RigVfo::A ? "FA" : "FB";
        enqueue(
            {}, query(code), [code](const QString &reply) { return hasCode(reply, code); },
            [answer, read](RigError error) { answer(error, error == RigError::Ok ? read() : 0); });
    });
}

void RadioRigBackend::setSplitFrequency(qint64 hz, RigDone done)
{
    withTransmitVfo(done, [this, hz, done](RigVfo transmit) { setFrequency(transmit, hz, done); });
}

template<typename Key, typename T>
void RadioRigBackend::readSetting(Key key, bool fresh, RigAnswer<T> answer)
{
    const auto reading = RadioRigLevels::reading(key);
    if (fresh) {
        if (const auto value = RadioRigLevels::value(key, lastReply(reading.code)))
            return answer(RigError::Ok, *value);
    }
    auto value = std::make_shared<std::optional<T>>();
    enqueue(
        {}, reading.commands,
        [key, value](const QString &reply) {
            *value = RadioRigLevels::value(key, reply);
            return value->has_value();
        },
        [answer, value](RigError error) { answer(error, value->value_or(T {})); });
}

template<typename Key>
void RadioRigBackend::writeSetting(Key key, const std::optional<QByteArray> &command, RigDone done)
{
    const auto expected = command ? RadioRigLevels::settledValue(key, *command) : std::nullopt;
    if (!expected)
        return done(RigError::InvalidParameter);
    const auto reading = RadioRigLevels::reading(key);
    const char *code = reading.code;
    enqueue(
        *command, reading.commands,
        [key, expected, code](const QString &reply) {
            return hasCode(reply, code) && RadioRigLevels::value(key, reply) == expected;
        },
        done);
}

void RadioRigBackend::getLevel(RigLevel level, RigAnswer<double> answer)
{
    readSetting(level, isLevelFresh(level), answer);
}

void RadioRigBackend::setLevel(RigLevel level, double value, RigDone done)
{
    writeSetting(level, RadioRigLevels::setCommand(level, value), done);
}

void RadioRigBackend::getFunc(RigFunc func, RigAnswer<int> answer)
{
    readSetting(func, isFuncFresh(func), answer);
}

void RadioRigBackend::setFunc(RigFunc func, int status, RigDone done)
{
    writeSetting(func, RadioRigLevels::setCommand(func, status), done);
}
