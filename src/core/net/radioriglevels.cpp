#include "core/net/radioriglevels.h"

#include <cmath>
#include <cstring>

namespace RadioRigLevels {

namespace {

enum class Kind {
    Scaled, // raw / fullScale, 0.0 to 1.0
    Whole, // the raw number itself
    Choice, // one of a few fixed fields
    Calibrated, // read through a calibration table
};

struct Choice
{
    const char *field;
    double value;
};

struct Row
{
    const char *code; // of the command and the reply
    const char *select; // written before the read ("RM1;"), or null
    const char *tag; // characters between the code and the value, in commands and replies
    bool tagInReply; // false: the reply has other characters there (the tuner's receive digit)
    int width; // digits of the value
    const char *tail; // characters after the value in a set command
    Kind kind;
    int rawMin;
    int rawMax;
    double fullScale;
    std::span<const Choice> choices;
    std::span<const CalPoint> table;
    bool settable;
};

constexpr Choice AgcChoices[] = {{"002", double(RigAgc::Fast)}, {"004", double(RigAgc::Slow)}};
constexpr Choice PreampChoices[] = {{"0", 0}, {"1", 12}};
constexpr Choice AttChoices[] = {{"00", 0}, {"01", 18}};
constexpr Choice SwitchChoices[] = {{"0", 0}, {"1", 1}};
constexpr Choice NrChoices[] = {{"0", 0}, {"1", 1}, {"2", 2}};
constexpr Choice FastAgcChoices[] = {{"004", 0}, {"002", 1}};

// The S-meter's scale in dB relative to S9, as Hamlib's TS-570 backend reads it (its str_cal).
constexpr CalPoint StrengthCal[]
    = {{0, -60}, {3, -48}, {6, -36}, {9, -24}, {12, -12}, {15, 0}, {20, 20}, {25, 40}, {30, 60}};
// The meter's SWR scale (Kenwood's, as Hamlib reads it).
constexpr CalPoint SwrCal[] = {{0, 1.0}, {6, 1.5}, {12, 2.0}, {18, 3.0}, {30, 10.0}};
// The compression scale reads in dB, one a step.
constexpr CalPoint CompCal[] = {{0, 0}, {30, 30}};

constexpr Row scaled(const char *code, int rawMin, int rawMax, double fullScale)
{
    return {code, nullptr, "", true, 3, "", Kind::Scaled, rawMin, rawMax, fullScale, {}, {}, true};
}

constexpr Row choice(const char *code, int width, std::span<const Choice> choices)
{
    return {code, nullptr, "", true, width, "", Kind::Choice, 0, 0, 0, choices, {}, true};
}

constexpr Row meter(const char *select, const char *tag, Kind kind, double fullScale,
                    std::span<const CalPoint> table)
{
    return {"RM", select, tag, true, 4, "", kind, 0, 30, fullScale, {}, table, false};
}

struct LevelRow
{
    RigLevel level;
    Row row;
};

constexpr LevelRow LevelRows[] = {
    {RigLevel::Preamp, choice("PA", 1, PreampChoices)},
    {RigLevel::Att, choice("RA", 2, AttChoices)},
    {RigLevel::Af, scaled("AG", 0, 255, 255)},
    {RigLevel::Rf, scaled("RG", 0, 255, 255)},
    {RigLevel::Sql, scaled("SQ", 0, 255, 255)},
    // Watts, 5 to 100, read as a fraction of the 100 W the radio gives at most.
    {RigLevel::RfPower, scaled("PC", 5, 100, 100)},
    {RigLevel::MicGain, scaled("MG", 0, 100, 100)},
    {RigLevel::KeySpeed, {"KS", nullptr, "", true, 3, "", Kind::Whole, 10, 60, 0, {}, {}, true}},
    {RigLevel::Agc, choice("GT", 3, AgcChoices)},
    {RigLevel::Strength,
     {"SM", nullptr, "", true, 4, "", Kind::Calibrated, 0, 30, 0, {}, StrengthCal, false}},
    {RigLevel::Swr, meter("RM1;", "1", Kind::Calibrated, 0, SwrCal)},
    {RigLevel::CompMeter, meter("RM2;", "2", Kind::Calibrated, 0, CompCal)},
    {RigLevel::Alc, meter("RM3;", "3", Kind::Scaled, 30, {})},
};

struct FuncRow
{
    RigFunc func;
    Row row;
};

constexpr FuncRow FuncRows[] = {
    {RigFunc::Fagc, choice("GT", 3, FastAgcChoices)},
    {RigFunc::Nb, choice("NB", 1, SwitchChoices)},
    {RigFunc::Comp, choice("PR", 1, SwitchChoices)},
    {RigFunc::Vox, choice("VX", 1, SwitchChoices)},
    {RigFunc::Tone, choice("TO", 1, SwitchChoices)},
    {RigFunc::Nr, choice("NR", 1, NrChoices)},
    {RigFunc::Lock, choice("LK", 1, SwitchChoices)},
    {RigFunc::Bc, choice("BC", 1, SwitchChoices)},
    // "AC" + tuner in receive + tuner in transmit + tuning: the transmit digit is the switch; a
    // blank leaves the receive digit alone, and no tuning is started.
    {RigFunc::Tuner,
     {"AC", nullptr, " ", false, 1, "0", Kind::Choice, 0, 0, 0, SwitchChoices, {}, true}},
};

// The row of a level or function (every one has a row).
template<typename Keyed, std::size_t N, typename Key>
const Row &rowIn(const Keyed (&rows)[N], Key Keyed::*member, Key key)
{
    for (const Keyed &r : rows) {
        if (r.*member == key)
            return r.row;
    }
    return rows[0].row;
}

const Row &rowOf(RigLevel level)
{
    return rowIn(LevelRows, &LevelRow::level, level);
}

const Row &rowOf(RigFunc func)
{
    return rowIn(FuncRows, &FuncRow::func, func);
}

Reading readingOf(const Row &row)
{
    QByteArray commands = row.select ? QByteArray(row.select) : QByteArray();
    return {row.code, commands + row.code + ';'};
}

// The value's digits in a reply, or in a set command without its ";".
std::optional<QStringView> field(const Row &row, QStringView text)
{
    const qsizetype tag = qsizetype(std::strlen(row.tag));
    if (text.size() < 2 + tag + row.width || !text.startsWith(QLatin1String(row.code, 2)))
        return std::nullopt;
    if (row.tagInReply && text.mid(2, tag) != QLatin1String(row.tag))
        return std::nullopt;
    const QStringView digits = text.mid(2 + tag, row.width);
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    return digits;
}

std::optional<double> decode(const Row &row, QStringView reply)
{
    const auto digits = field(row, reply);
    if (!digits)
        return std::nullopt;
    if (row.kind == Kind::Choice) {
        for (const Choice &c : row.choices) {
            if (*digits == QLatin1String(c.field))
                return c.value;
        }
        return std::nullopt;
    }
    const int raw = digits->toInt();
    switch (row.kind) {
    case Kind::Scaled:
        return raw / row.fullScale;
    case Kind::Calibrated:
        return calibrated(raw, row.table);
    case Kind::Whole:
    case Kind::Choice:
        break;
    }
    return double(raw);
}

std::optional<QByteArray> encode(const Row &row, double value)
{
    if (!row.settable || !std::isfinite(value))
        return std::nullopt;
    QByteArray digits;
    if (row.kind == Kind::Choice) {
        for (const Choice &c : row.choices) {
            if (c.value == value)
                digits = c.field;
        }
        if (digits.isEmpty())
            return std::nullopt;
    } else {
        const double raw = row.kind == Kind::Scaled ? value * row.fullScale : value;
        if (raw < row.rawMin - 0.5 || raw > row.rawMax + 0.5)
            return std::nullopt;
        digits = QByteArray::number(qint64(std::lround(raw))).rightJustified(row.width, '0');
    }
    return QByteArray(row.code) + row.tag + digits + row.tail + ';';
}

std::optional<double> settled(const Row &row, const QByteArray &command)
{
    return decode(row, QString::fromLatin1(command.chopped(command.endsWith(';') ? 1 : 0)));
}

} // namespace

double calibrated(int raw, std::span<const CalPoint> table)
{
    if (table.empty())
        return raw;
    if (raw <= table.front().raw)
        return table.front().value;
    for (size_t i = 1; i < table.size(); ++i) {
        if (raw <= table[i].raw) {
            const CalPoint &a = table[i - 1];
            const CalPoint &b = table[i];
            return a.value + (b.value - a.value) * (raw - a.raw) / double(b.raw - a.raw);
        }
    }
    return table.back().value;
}

Reading reading(RigLevel level)
{
    return readingOf(rowOf(level));
}

Reading reading(RigFunc func)
{
    return readingOf(rowOf(func));
}

std::optional<double> value(RigLevel level, QStringView reply)
{
    return decode(rowOf(level), reply);
}

std::optional<int> value(RigFunc func, QStringView reply)
{
    const auto v = decode(rowOf(func), reply);
    return v ? std::optional(int(*v)) : std::nullopt;
}

std::optional<QByteArray> setCommand(RigLevel level, double value)
{
    return encode(rowOf(level), value);
}

std::optional<QByteArray> setCommand(RigFunc func, int status)
{
    return encode(rowOf(func), status);
}

std::optional<double> settledValue(RigLevel level, const QByteArray &command)
{
    return settled(rowOf(level), command);
}

std::optional<int> settledValue(RigFunc func, const QByteArray &command)
{
    const auto v = settled(rowOf(func), command);
    return v ? std::optional(int(*v)) : std::nullopt;
}

} // namespace RadioRigLevels
