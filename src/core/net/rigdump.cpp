#include "core/net/rigdump.h"

#include "core/net/rigcaps.h"

#include <QtGlobal>

#include <algorithm>
#include <span>

namespace RigDump {

namespace {

// Hamlib's mode bit order, in which its lists name the modes.
constexpr RigMode ModeOrder[] = {RigMode::Am,   RigMode::Cw, RigMode::Usb, RigMode::Lsb,
                                 RigMode::Rtty, RigMode::Fm, RigMode::Cwr, RigMode::Rttyr};

constexpr int ProtocolVersion = 1;
constexpr int PttByCat = 0x1; // RIG_PTT_RIG
constexpr int TargetableFrequency = 0x1; // RIG_TARGETABLE_FREQ: f and F may name a VFO
constexpr int AllAntennas = 0x3;

QByteArray hex(quint64 value)
{
    return "0x" + QByteArray::number(value, 16);
}

QByteArray hertz(qint64 hz)
{
    return QByteArray::number(hz) + ".000000";
}

QByteArray rangeLine(const RigCaps::FrequencyRange &r)
{
    return hertz(r.startHz) + ' ' + hertz(r.endHz) + ' ' + hex(r.modes) + ' '
        + QByteArray::number(r.lowPowerMw) + ' ' + QByteArray::number(r.highPowerMw) + ' '
        + hex(RigCaps::vfoMask()) + ' ' + hex(AllAntennas);
}

// Modes that share one list of widths, with their bits together.
struct FilterGroup
{
    quint64 modes = 0;
    std::span<const int> widths;
};

QList<FilterGroup> filterGroups()
{
    QList<FilterGroup> groups;
    for (RigMode mode : ModeOrder) {
        const auto widths = RigCaps::passbands(mode);
        auto it = std::find_if(groups.begin(), groups.end(), [&](const FilterGroup &g) {
            return g.widths.data() == widths.data();
        });
        if (it == groups.end())
            groups.append({RigTokens::modeBit(mode), widths});
        else
            it->modes |= RigTokens::modeBit(mode);
    }
    return groups;
}

QByteArray modeList(quint64 modes)
{
    QByteArrayList names;
    for (RigMode mode : ModeOrder) {
        if (modes & RigTokens::modeBit(mode))
            names << RigTokens::modeName(mode);
    }
    return names.join(' ');
}

QByteArray kilohertz(int hz)
{
    return QByteArray::number(hz / 1000.0, 'f', 3) + "kHz";
}

QByteArray agcName(RigAgc agc)
{
    return agc == RigAgc::Fast ? "FAST" : "SLOW";
}

// "2=FAST 3=SLOW": Hamlib's AGC number and name of each speed.
QByteArray agcList()
{
    QByteArrayList items;
    for (RigAgc agc : RigCaps::agcLevels())
        items << QByteArray::number(int(agc)) + '=' + agcName(agc);
    return items.join(' ');
}

// " 67.0 71.9 ...": each tone in hertz after a blank.
QByteArray ctcssList()
{
    QByteArray text;
    for (int tenths : RigCaps::ctcssTones())
        text += ' ' + QByteArray::number(tenths / 10) + '.' + QByteArray::number(tenths % 10);
    return text;
}

void appendRanges(QByteArrayList &lines, std::span<const RigCaps::FrequencyRange> ranges)
{
    for (const auto &r : ranges)
        lines << rangeLine(r);
    lines << "0 0 0 0 0 0 0";
}

} // namespace

QByteArrayList stateLines()
{
    QByteArrayList lines;
    lines << QByteArray::number(ProtocolVersion) << QByteArray::number(RigCaps::HamlibModel)
          << QByteArray::number(RigCaps::ItuRegion);
    appendRanges(lines, RigCaps::receiveRanges());
    appendRanges(lines, RigCaps::transmitRanges());
    for (int step : RigCaps::tuningSteps())
        lines << hex(RigCaps::modeMask()) + ' ' + QByteArray::number(step);
    lines << hex(RigCaps::modeMask()) + " 0"; // and any step in between
    lines << "0 0";
    for (const FilterGroup &group : filterGroups()) {
        for (int width : group.widths)
            lines << hex(group.modes) + ' ' + QByteArray::number(width);
    }
    lines << "0 0";
    // The preamplifier and attenuator lists end with a blank, as rigctld writes them.
    lines << QByteArray::number(RigCaps::MaxRitHz) << QByteArray::number(RigCaps::MaxXitHz)
          << "0" // IF shift
          << "0" // announcements
          << QByteArray::number(RigCaps::PreampDb) + ' '
          << QByteArray::number(RigCaps::AttenuatorDb) + ' ';
    // Functions got and set, levels got and set, parameters got and set (none).
    lines << hex(RigCaps::funcMask()) << hex(RigCaps::funcMask()) << hex(RigCaps::getLevelMask())
          << hex(RigCaps::setLevelMask()) << "0x0"
          << "0x0";
    lines << "vfo_ops=0x0" // no VFO operation ("G") is served
          << "ptt_type=" + hex(PttByCat) << "targetable_vfo=" + hex(TargetableFrequency)
          << "has_set_vfo=1"
          << "has_get_vfo=1"
          << "has_set_freq=1"
          << "has_get_freq=1"
          << "has_set_conf=0"
          << "has_get_conf=0"
          << "has_power2mW=0"
          << "has_mW2power=0"
          << "timeout=" + QByteArray::number(RigCaps::AnswerTimeoutMs)
          << "rig_model=" + QByteArray::number(RigCaps::HamlibModel)
          << "rigctld_version=Vantelo " VANTELO_VERSION << "agc_levels=" + agcList()
          << "ctcss_list=" + ctcssList() << "done";
    return lines;
}

QByteArrayList capsLines()
{
    const QByteArray rit = kilohertz(-RigCaps::MaxRitHz) + "/+" + kilohertz(RigCaps::MaxRitHz);
    const QByteArray xit = kilohertz(-RigCaps::MaxXitHz) + "/+" + kilohertz(RigCaps::MaxXitHz);
    QByteArrayList lines;
    lines << "Caps dump for model: " + QByteArray::number(RigCaps::HamlibModel)
          << QByteArray("Model name:\t") + RigCaps::ModelName
          << QByteArray("Mfg name:\t") + RigCaps::MakerName
          << "Backend version:\tVantelo " VANTELO_VERSION << "Backend status:\tStable"
          << "Rig type:\tTransceiver"
          << "PTT type:\tRig capable"
          << "DCD type:\tNone"
          << "Port type:\tNetwork link"
          << "Has targetable VFO: Y"
          << "Max RIT: " + rit << "Max XIT: " + xit
          << "Preamp: " + QByteArray::number(RigCaps::PreampDb) + "dB"
          << "Attenuator: " + QByteArray::number(RigCaps::AttenuatorDb) + "dB"
          << "AGC levels: " + agcList() << "CTCSS:" + ctcssList() + " Hz"
          << "Get functions: " + RigCaps::funcNames().join(' ')
          << "Set functions: " + RigCaps::funcNames().join(' ')
          << "Get level: " + RigCaps::levelNames(false).join(' ')
          << "Set level: " + RigCaps::levelNames(true).join(' ')
          << "Mode list: " + modeList(RigCaps::modeMask()) << "VFO list: VFOA VFOB MEM";
    lines << "RX ranges:";
    for (const auto &r : RigCaps::receiveRanges())
        lines << '\t' + QByteArray::number(r.startHz) + " Hz - " + QByteArray::number(r.endHz)
                + " Hz\t" + modeList(r.modes);
    lines << "TX ranges:";
    for (const auto &r : RigCaps::transmitRanges())
        lines << '\t' + QByteArray::number(r.startHz) + " Hz - " + QByteArray::number(r.endHz)
                + " Hz\t" + modeList(r.modes) + "\t" + QByteArray::number(r.highPowerMw / 1000)
                + " W";
    lines << "Filters:";
    for (const FilterGroup &group : filterGroups()) {
        for (int width : group.widths)
            lines << '\t' + QByteArray::number(width) + " Hz:\t" + modeList(group.modes);
    }
    for (const char *what : {"Frequency", "Mode", "VFO", "PTT", "Split VFO", "Split Freq",
                             "Split Mode", "RIT", "Func", "Level"}) {
        lines << QByteArray("Can set ") + what + ":\tY";
        lines << QByteArray("Can get ") + what + ":\tY";
    }
    lines << "Can set Power Stat:\tN"
          << "Can get Power Stat:\tY"
          << "Can send Morse:\tY"
          << "Can stop Morse:\tY";
    return lines;
}

} // namespace RigDump
