#include "sim/simsettings.h"

#include <QList>

#include <array>

namespace {

// Widths and ranges as a TS-570D takes them over its control port.
constexpr std::array<SimSettingRow, 26> Rows {{
    {"AG", 3, 0, 255, 100, false, nullptr}, // AF gain
    {"RG", 3, 0, 255, 255, false, nullptr}, // RF gain
    {"SQ", 3, 0, 255, 0, false, nullptr}, // squelch
    {"PC", 3, 5, 100, 100, false, nullptr}, // output power, watts
    {"MG", 3, 0, 100, 50, false, nullptr}, // microphone gain
    {"KS", 3, 10, 60, 20, false, nullptr}, // keyer speed, words per minute
    {"VG", 3, 0, 9, 4, false, nullptr}, // VOX gain
    {"VD", 4, 0, 3000, 300, false, nullptr}, // VOX delay, milliseconds
    {"SH", 2, 0, 11, 8, false, nullptr}, // DSP high cut step
    {"SL", 2, 0, 11, 3, false, nullptr}, // DSP low cut step
    {"GT", 3, 2, 4, 4, false, "002|004"}, // AGC fast / slow
    {"RA", 2, 0, 1, 0, false, nullptr}, // attenuator
    {"LK", 1, 0, 1, 0, false, nullptr}, // frequency lock
    {"PA", 1, 0, 1, 1, false, nullptr}, // pre-amplifier
    {"PS", 1, 0, 1, 1, false, nullptr}, // power
    {"PR", 1, 0, 1, 0, false, nullptr}, // speech processor
    {"VX", 1, 0, 1, 0, false, nullptr}, // VOX
    {"BC", 1, 0, 1, 0, false, nullptr}, // beat cancel
    {"NB", 1, 0, 1, 0, false, nullptr}, // noise blanker
    {"NR", 1, 0, 2, 0, false, nullptr}, // noise reduction off / 1 / 2
    {"AN", 1, 1, 2, 1, false, nullptr}, // antenna
    {"PB", 1, 0, 3, 0, false, nullptr}, // voice playback channel
    {"TO", 1, 0, 1, 0, false, nullptr}, // CTCSS tone switch
    {"TN", 2, 1, 39, 8, false, nullptr}, // CTCSS tone number
    {"CA", 1, 0, 1, 0, false, nullptr}, // CW auto-tune
    {"AI", 1, 0, 3, 0, false, nullptr}, // automatic reports
}};

constexpr std::array<SimSettingRow, 2> ReadOnlyRows {{
    {"SM", 4, 0, 30, 10, true, nullptr}, // S-meter
    {"BY", 1, 0, 1, 0, true, nullptr}, // busy
}};

// Both tables seen as one list.
constexpr auto AllRows = [] {
    std::array<SimSettingRow, Rows.size() + ReadOnlyRows.size()> all {};
    std::size_t i = 0;
    for (const auto &s : Rows)
        all[i++] = s;
    for (const auto &s : ReadOnlyRows)
        all[i++] = s;
    return all;
}();

} // namespace

namespace SimSettings {

std::span<const SimSettingRow> rows()
{
    return AllRows;
}

const SimSettingRow *find(const QByteArray &code)
{
    for (const auto &entry : AllRows) {
        if (code == entry.code)
            return &entry;
    }
    return nullptr;
}

QByteArray digits(qint64 value, int width)
{
    if (value < 0 || width <= 0)
        return {};
    QByteArray text = QByteArray::number(value);
    if (text.size() > width)
        return {};
    return QByteArray(width - text.size(), '0') + text;
}

std::optional<qint64> parseDigits(const QByteArray &text, int width)
{
    if (width <= 0 || width > 18 || text.size() != width)
        return std::nullopt;
    qint64 value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<int> parseValue(const SimSettingRow &entry, const QByteArray &params)
{
    if (entry.readOnly)
        return std::nullopt;
    const auto value = parseDigits(params, entry.width);
    if (!value || *value < entry.min || *value > entry.max)
        return std::nullopt;
    if (entry.choices && !QByteArray(entry.choices).split('|').contains(params))
        return std::nullopt;
    return int(*value);
}

} // namespace SimSettings
