#include "sim/simradio.h"

#include "core/radio/cattables.h"
#include "sim/simsettings.h"

#include <cstdlib>

namespace {

bool isLineJunk(char c)
{
    return c == '\r' || c == '\n' || c == '\0';
}

bool isSettableMode(char c)
{
    return (c >= '1' && c <= '7') || c == '9';
}

} // namespace

SimRadio::SimRadio(quint32 seed)
    : m_channels(SimMemory::factoryChannels())
    , m_random(seed)
{
    for (const auto &entry : SimSettings::rows())
        m_settings.insert(entry.code, entry.start);
    recallChannel();
}

QByteArray SimRadio::handle(const QByteArray &bytes)
{
    m_pending += bytes;
    QByteArray out;
    for (qsizetype end = m_pending.indexOf(';'); end >= 0; end = m_pending.indexOf(';')) {
        const QByteArray command = m_pending.left(end);
        m_pending.remove(0, end + 1);
        out += execute(command);
    }
    if (m_pending.size() > MaxCommandLength) {
        // Line noise with no terminator: drop it rather than let it grow without end.
        m_pending.clear();
        ++m_refused;
        out += "?;";
    }
    return out;
}

QByteArray SimRadio::execute(QByteArray command)
{
    // Line ends a terminal program adds around a command are not part of it.
    while (!command.isEmpty() && isLineJunk(command.front()))
        command.remove(0, 1);
    while (!command.isEmpty() && isLineJunk(command.back()))
        command.chop(1);
    ++m_commands;
    const QByteArray code = command.left(2);
    const QByteArray params = command.mid(2);
    // A radio switched off hears nothing but its power switch and answers nothing else.
    if (!powerOn() && code != "PS")
        return {};

    std::optional<QByteArray> out;
    if (command.size() < 2) {
        out = std::nullopt;
    } else if (params.isEmpty() && isAction(code)) {
        out = action(code);
    } else if (params.isEmpty()) {
        const QByteArray reply = readReply(code);
        if (!reply.isEmpty())
            out = reply;
    } else if (code == "MR") {
        const QByteArray reply = readChannel(params);
        if (!reply.isEmpty())
            out = reply;
    } else {
        out = apply(code, params);
    }
    if (!out) {
        ++m_refused;
        return "?;";
    }
    return *out;
}

bool SimRadio::isAction(const QByteArray &code)
{
    return code == "TX" || code == "RX" || code == "RC" || code == "RU" || code == "RD";
}

QByteArray SimRadio::action(const QByteArray &code)
{
    const QByteArray statusBefore = statusWord();
    const bool wasTransmitting = m_transmitting;
    if (code == "TX" || code == "RX")
        m_transmitting = code == "TX";
    else if (code == "RC")
        m_offsetHz = 0;
    else if (code == "RU")
        m_offsetHz = qMin(m_offsetHz + OffsetStepHz, MaxOffsetHz);
    else if (code == "RD")
        m_offsetHz = qMax(m_offsetHz - OffsetStepHz, -MaxOffsetHz);

    QByteArray out;
    if (autoInformation() == 0)
        return out;
    // The change between transmit and receive is told by its own code as well.
    if (m_transmitting != wasTransmitting)
        out += m_transmitting ? "TX;" : "RX;";
    if (statusWord() != statusBefore)
        out += statusWord();
    return out;
}

std::optional<QByteArray> SimRadio::apply(const QByteArray &code, const QByteArray &params)
{
    const QByteArray before = readReply(code);
    const QByteArray statusBefore = statusWord();
    if (!set(code, params))
        return std::nullopt;
    const QByteArray out = reports(code, before, statusBefore);
    return out + stopRunsThatCannotGoOn();
}

QByteArray SimRadio::reports(const QByteArray &code, const QByteArray &before,
                             const QByteArray &statusBefore) const
{
    // Switching the reports themselves on or off is not reported, nor are RIT and XIT (the
    // status word tells them), the choice of meter or the keyer's text.
    if (code == "AI" || code == "RM" || code == "KY")
        return {};
    QByteArray out;
    const QByteArray after = readReply(code);
    if (after != before && code != "RT" && code != "XT")
        out += report(after);
    const QByteArray status = statusWord();
    if (status != statusBefore)
        out += report(status);
    return out;
}

QByteArray SimRadio::report(const QByteArray &reply) const
{
    if (autoInformation() == 0 || !powerOn())
        return {};
    return reply;
}

bool SimRadio::set(const QByteArray &code, const QByteArray &params)
{
    if (code == "FA")
        return setFrequency(m_hzA, params);
    if (code == "FB")
        return setFrequency(m_hzB, params);
    if (code == "FR" || code == "FT")
        return setFunction(code, params);
    if (code == "MD")
        return setMode(params);
    if (code == "FW")
        return setFilterWidth(params);
    if (code == "IS")
        return setIfShift(params);
    if (code == "AC")
        return setTuner(params);
    if (code == "CA")
        return setCwTune(params);
    if (code == "RM")
        return setMeter(params);
    if (code == "KY")
        return setKeyText(params);
    if (code == "MC")
        return selectChannel(params);
    if (code == "MW")
        return writeChannel(params);
    if (code == "RT" || code == "XT") {
        if (params != "0" && params != "1")
            return false;
        (code == "RT" ? m_rit : m_xit) = params == "1";
        return true;
    }
    const SimSettingRow *entry = SimSettings::find(code);
    if (!entry)
        return false;
    const auto value = SimSettings::parseValue(*entry, params);
    if (!value)
        return false;
    m_settings[code] = *value;
    return true;
}

bool SimRadio::setFrequency(qint64 &target, const QByteArray &params)
{
    const auto hz = SimSettings::parseDigits(params, 11);
    if (!hz || *hz < MinHz || *hz > MaxHz)
        return false;
    target = *hz;
    return true;
}

bool SimRadio::setFunction(const QByteArray &code, const QByteArray &params)
{
    if (params.size() != 1 || params[0] < '0' || params[0] > '2')
        return false;
    const auto function = Function(params[0] - '0');
    // An empty channel cannot be worked on.
    if (function == Memory && m_channels[m_channel].isEmpty())
        return false;
    if (code == "FT") {
        m_tx = function;
        return true;
    }
    // Choosing the receive function also makes it the transmit function: split ends.
    m_rx = m_tx = function;
    if (function == Memory)
        recallChannel();
    return true;
}

bool SimRadio::setMode(const QByteArray &params)
{
    if (params.size() != 1 || !isSettableMode(params[0]))
        return false;
    modeOfReceive() = params[0];
    return true;
}

bool SimRadio::setFilterWidth(const QByteArray &params)
{
    const auto hz = SimSettings::parseDigits(params, 4);
    const Cat::FilterGroup group = Cat::filterGroup(QChar(mode()));
    const auto widths = Cat::filterWidths(group);
    if (!hz || widths.empty())
        return false;
    // The radio takes the nearest width its filters offer in this mode.
    QByteArray best;
    qint64 bestDistance = 0;
    for (const auto &w : widths) {
        const qint64 distance = std::llabs(QByteArray(w.code).toLongLong() - *hz);
        if (best.isEmpty() || distance < bestDistance) {
            best = w.code;
            bestDistance = distance;
        }
    }
    switch (group) {
    case Cat::FilterGroup::Cw:
        m_cwWidth = best;
        break;
    case Cat::FilterGroup::Fsk:
        m_fskWidth = best;
        break;
    case Cat::FilterGroup::SsbAmFm:
    case Cat::FilterGroup::None:
        m_ssbWidth = best;
        break;
    }
    return true;
}

bool SimRadio::setIfShift(const QByteArray &params)
{
    if (params.size() != 5 || (params[0] != '+' && params[0] != '-' && params[0] != ' '))
        return false;
    const auto hz = SimSettings::parseDigits(params.mid(1), 4);
    if (!hz || *hz > MaxIfShiftHz)
        return false;
    m_ifShiftHz = int(params[0] == '-' ? -*hz : *hz);
    return true;
}

bool SimRadio::setMeter(const QByteArray &params)
{
    if (params.size() != 1 || params[0] < '1' || params[0] > '3')
        return false;
    m_meter = Meter(params[0] - '0');
    return true;
}

int SimRadio::meterReading() const
{
    // Readings on the meter's 0-30 scale; the meter shows nothing in receive.
    if (!m_transmitting)
        return 0;
    switch (m_meter) {
    case Swr: // about 1.1:1 through the tuner, 1.5:1 without it
        return m_tuner[1] == '1' ? 2 : 6;
    case Compression: // about 10 dB with the speech processor on
        return setting("PR") == 1 ? 10 : 0;
    case Alc:
        return 3 + setting("MG") * 12 / 100;
    }
    return 0;
}

bool SimRadio::selectChannel(const QByteArray &params)
{
    if (params.size() != 3 || (params[0] != ' ' && params[0] != '0'))
        return false;
    const auto channel = SimSettings::parseDigits(params.mid(1), 2);
    if (!channel)
        return false;
    // In memory mode the radio only moves to channels that hold something.
    if (m_rx == Memory && m_channels[*channel].isEmpty())
        return false;
    m_channel = int(*channel);
    if (m_rx == Memory)
        recallChannel();
    return true;
}

bool SimRadio::writeChannel(const QByteArray &params)
{
    const auto write = SimMemory::parseWrite(params);
    if (!write)
        return false;
    SimMemoryChannel &target = m_channels[write->channel];
    SimMemorySide &side = write->side == 0 ? target.receive : target.transmit;
    if (side != write->data)
        ++m_memoryRevision;
    side = write->data;
    if (write->side == 0 && m_rx == Memory && write->channel == m_channel)
        recallChannel();
    return true;
}

QByteArray SimRadio::readChannel(const QByteArray &params) const
{
    const auto read = SimMemory::parseRead(params);
    if (!read)
        return {};
    const SimMemoryChannel &c = m_channels[read->channel];
    return SimMemory::reply(read->side, read->channel, read->side == 0 ? c.receive : c.transmit);
}

void SimRadio::recallChannel()
{
    const SimMemoryChannel &c = m_channels[m_channel];
    // A channel emptied while in use leaves the receiver where it was.
    if (c.isEmpty())
        return;
    m_memHz = c.receive.hz;
    m_memMode = c.receive.mode;
    m_settings["TO"] = c.receive.toneOn == '1' ? 1 : 0;
    if (c.receive.tone >= 1)
        m_settings["TN"] = c.receive.tone;
}

char &SimRadio::modeOfReceive()
{
    switch (m_rx) {
    case VfoA:
        return m_modeA;
    case VfoB:
        return m_modeB;
    case Memory:
        break;
    }
    return m_memMode;
}

qint64 SimRadio::frequency() const
{
    switch (m_rx) {
    case VfoA:
        return m_hzA;
    case VfoB:
        return m_hzB;
    case Memory:
        break;
    }
    return m_memHz;
}

char SimRadio::mode() const
{
    return const_cast<SimRadio *>(this)->modeOfReceive();
}

QByteArray SimRadio::filterWidth() const
{
    switch (Cat::filterGroup(QChar(mode()))) {
    case Cat::FilterGroup::Cw:
        return m_cwWidth;
    case Cat::FilterGroup::Fsk:
        return m_fskWidth;
    case Cat::FilterGroup::SsbAmFm:
    case Cat::FilterGroup::None:
        break;
    }
    return m_ssbWidth;
}

int SimRadio::setting(const char *code) const
{
    return m_settings.value(QByteArray(code), -1);
}

bool SimRadio::setSetting(const char *code, int value)
{
    const SimSettingRow *entry = SimSettings::find(code);
    if (!entry || SimSettings::digits(value, entry->width).isEmpty())
        return false;
    m_settings[QByteArray(code)] = value;
    return true;
}

const SimMemoryChannel &SimRadio::channel(int number) const
{
    static const SimMemoryChannel empty;
    if (number < 0 || number >= SimChannelCount)
        return empty;
    return m_channels[number];
}

void SimRadio::setChannel(int number, const SimMemoryChannel &contents)
{
    if (number >= 0 && number < SimChannelCount)
        m_channels[number] = contents;
}

void SimRadio::setChannels(const SimMemoryBank &bank)
{
    m_channels = bank;
}

QByteArray SimRadio::readReply(const QByteArray &code) const
{
    using SimSettings::digits;
    if (code == "IF")
        return statusWord();
    if (code == "ID")
        return Identity;
    if (code == "FA")
        return "FA" + digits(m_hzA, 11) + ';';
    if (code == "FB")
        return "FB" + digits(m_hzB, 11) + ';';
    if (code == "FR")
        return "FR" + QByteArray(1, char('0' + m_rx)) + ';';
    if (code == "FT")
        return "FT" + QByteArray(1, char('0' + m_tx)) + ';';
    if (code == "MD")
        return "MD" + QByteArray(1, mode()) + ';';
    if (code == "MC")
        return "MC " + digits(m_channel, 2) + ';';
    if (code == "FW")
        return "FW" + filterWidth() + ';';
    if (code == "IS")
        return "IS" + QByteArray(1, m_ifShiftHz < 0 ? '-' : '+') + digits(std::abs(m_ifShiftHz), 4)
            + ';';
    if (code == "AC")
        return "AC" + m_tuner + ';';
    if (code == "RT")
        return m_rit ? "RT1;" : "RT0;";
    if (code == "XT")
        return m_xit ? "XT1;" : "XT0;";
    if (code == "RM")
        return "RM" + QByteArray(1, char('0' + m_meter)) + digits(meterReading(), 4) + ';';
    if (code == "KY")
        return m_keyer.full() ? "KY1;" : "KY0;";
    if (const SimSettingRow *entry = SimSettings::find(code))
        return code + digits(setting(entry->code), entry->width) + ';';
    return {};
}

QByteArray SimRadio::statusWord() const
{
    using SimSettings::digits;
    auto flag = [](bool on) { return on ? '1' : '0'; };
    QByteArray w = "IF"; // 1-2
    w += digits(frequency(), 11); // 3-13 frequency in Hz
    w += "     "; // 14-18
    w += m_offsetHz < 0 ? '-' : '+'; // 19 offset sign
    w += digits(std::abs(m_offsetHz), 4); // 20-23 offset in Hz
    w += flag(m_rit); // 24
    w += flag(m_xit); // 25
    w += '0'; // 26
    w += digits(m_channel, 2); // 27-28 memory channel
    w += flag(m_transmitting); // 29
    w += mode(); // 30
    w += char('0' + m_rx); // 31 receive function
    w += '0'; // 32 scan
    w += flag(split()); // 33
    w += flag(setting("TO") == 1); // 34 tone
    w += digits(setting("TN"), 2); // 35-36 tone number
    w += '0'; // 37
    w += ';'; // 38
    return w;
}
