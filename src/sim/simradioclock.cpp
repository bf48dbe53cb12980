// What the simulated radio does by itself as its clock moves: CW auto-tune and antenna-tuner
// runs that end, the keyer that sends its text, and the S-meter that wanders with the band.
#include "core/radio/cattables.h"
#include "sim/simradio.h"
#include "sim/simsettings.h"

namespace {

// Beyond this many steps the wander has forgotten where it started; more would only cost time.
constexpr qint64 MaxMeterSteps = 1000;

bool isCwMode(char mode)
{
    return Cat::filterGroup(QChar(mode)) == Cat::FilterGroup::Cw;
}

} // namespace

bool SimRadio::setCwTune(const QByteArray &params)
{
    const auto value = SimSettings::parseValue(*SimSettings::find("CA"), params);
    if (!value)
        return false;
    if (*value == 1) {
        // Auto-tune zero-beats a CW signal: the radio refuses it in any other mode.
        if (!isCwMode(mode()))
            return false;
        m_cwTuneEndsMs = m_clockMs + m_timing.cwTuneMs;
    } else {
        m_cwTuneEndsMs = -1;
    }
    m_settings["CA"] = *value;
    return true;
}

bool SimRadio::setTuner(const QByteArray &params)
{
    // P1 tuner in receive (a blank keeps it), P2 tuner in transmit, P3 tuning started.
    auto isSwitch = [](char c) { return c == '0' || c == '1'; };
    if (params.size() != 3 || !(params[0] == ' ' || isSwitch(params[0])) || !isSwitch(params[1])
        || !isSwitch(params[2]))
        return false;
    if (params[0] != ' ')
        m_tuner[0] = params[0];
    m_tuner[1] = params[1];
    // Any start runs for its tuning time and then ends by itself, the tuning digit back to 0, so
    // a client that starts the tuner with the transmit digit 0 ("AC001;") also sees it end. A
    // "0" in P3 cancels a run.
    const bool start = params[2] == '1';
    m_tuner[2] = start ? '1' : '0';
    m_tunerEndsMs = start ? m_clockMs + m_timing.tunerTuneMs : -1;
    return true;
}

bool SimRadio::setKeyText(const QByteArray &params)
{
    // A blank, then the text filled with blanks to 24 characters. The keyer keys only in CW.
    if (params.size() != 25 || params[0] != ' ' || !isCwMode(mode()))
        return false;
    return m_keyer.take(params.mid(1), m_clockMs);
}

QByteArray SimRadio::stopRunsThatCannotGoOn()
{
    QByteArray out;
    if (m_keyer.keying() && (!powerOn() || !isCwMode(mode())))
        m_keyer.clear();
    if (cwTuning() && (!powerOn() || !isCwMode(mode()))) {
        m_settings["CA"] = 0;
        m_cwTuneEndsMs = -1;
        out += report("CA0;");
    }
    if (tunerTuning() && !powerOn()) {
        m_tuner[2] = '0';
        m_tunerEndsMs = -1;
    }
    return out;
}

QByteArray SimRadio::advance(qint64 ms)
{
    // A step of no time still ends what is due now.
    const qint64 from = m_clockMs;
    m_clockMs += qMax<qint64>(0, ms);
    walkMeter(from, m_clockMs);
    m_keyer.advance(m_clockMs, setting("KS"));

    auto endCwTune = [this]() -> QByteArray {
        m_cwTuneEndsMs = -1;
        m_settings["CA"] = 0;
        return report("CA0;");
    };
    auto endTunerRun = [this]() -> QByteArray {
        m_tunerEndsMs = -1;
        m_tuner[2] = '0';
        return report("AC" + m_tuner + ';');
    };
    const bool cwDue = m_cwTuneEndsMs >= 0 && m_cwTuneEndsMs <= m_clockMs;
    const bool tunerDue = m_tunerEndsMs >= 0 && m_tunerEndsMs <= m_clockMs;
    // Both may end within one step of the clock: they are told in the order they ended.
    if (cwDue && tunerDue && m_tunerEndsMs < m_cwTuneEndsMs)
        return endTunerRun() + endCwTune();
    QByteArray out;
    if (cwDue)
        out += endCwTune();
    if (tunerDue)
        out += endTunerRun();
    return out;
}

qint64 SimRadio::msUntilNextEvent() const
{
    qint64 next = -1;
    const qint64 keyed = m_keyer.msUntilNext(m_clockMs);
    for (const qint64 end : {m_cwTuneEndsMs, m_tunerEndsMs, keyed < 0 ? -1 : m_clockMs + keyed}) {
        if (end >= 0 && (next < 0 || end < next))
            next = end;
    }
    return next < 0 ? -1 : qMax<qint64>(0, next - m_clockMs);
}

void SimRadio::walkMeter(qint64 fromMs, qint64 toMs)
{
    const int step = m_timing.meterStepMs;
    if (step <= 0)
        return;
    const SimSettingRow &row = *SimSettings::find("SM");
    const qint64 steps = qMin(toMs / step - fromMs / step, MaxMeterSteps);
    int value = setting("SM");
    for (qint64 i = 0; i < steps; ++i) {
        // One segment up or down each step, turning back at the ends of the scale.
        value += m_random.bounded(2) ? 1 : -1;
        if (value < row.min)
            value = row.min + 1;
        if (value > row.max)
            value = row.max - 1;
    }
    m_settings["SM"] = value;
}
