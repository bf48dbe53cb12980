#include "core/control/memorytovfoa.h"

#include "core/radio/cat.h"
#include "core/radio/radio.h"

namespace {

bool isModeDigit(const QString &mode)
{
    return mode.size() == 1 && mode.at(0) >= QLatin1Char('0') && mode.at(0) <= QLatin1Char('9');
}

} // namespace

std::optional<qint64> stateFrequencyHz(const QString &khz)
{
    const qint64 hz = Cat::khzToHz(khz);
    if (hz <= 0 || hz > Cat::MaxFrequencyHz)
        return std::nullopt;
    return hz;
}

bool CmdMemtoFreq_Click(Radio &radio)
{
    const RadioState &state = radio.state();
    const std::optional<qint64> hz = stateFrequencyHz(state.Freq);
    if (!hz)
        return false;
    radio.send(Cat::setFrequency('A', *hz));
    if (isModeDigit(state.Mode))
        radio.send(Cat::setMode(state.Mode.at(0).toLatin1()));
    return true;
}
