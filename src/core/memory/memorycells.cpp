#include "core/memory/memorycells.h"

#include "core/radio/cat.h"
#include "core/radio/cattables.h"
#include "core/radio/plainnumber.h"

namespace MemoryCells {

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool allDigits(QStringView text)
{
    for (QChar c : text) {
        if (!isAsciiDigit(c))
            return false;
    }
    return true;
}

} // namespace

std::optional<qint64> frequencyHz(QStringView cell)
{
    if (PlainNumber::isBlank(cell))
        return 0;
    // Kilohertz with up to three decimals are whole hertz; a fourth decimal rounds. No sign.
    const QStringView text = cell.trimmed();
    if (text.startsWith(QLatin1Char('+')) || text.startsWith(QLatin1Char('-')))
        return std::nullopt;
    const std::optional<qint64> hz = PlainNumber::thousandths(text);
    if (!hz || *hz > Cat::MaxFrequencyHz)
        return std::nullopt;
    return hz;
}

QString frequencyCell(qint64 hz)
{
    return hz <= 0 ? blank() : Cat::khzCell(hz);
}

std::optional<char> modeDigit(QStringView cell)
{
    if (PlainNumber::isBlank(cell))
        return '0';
    return Cat::modeDigit(cell.toString());
}

std::optional<QString> modeCell(QChar digit)
{
    if (digit == QLatin1Char('0') || digit == QLatin1Char('8'))
        return blank();
    if (!isAsciiDigit(digit))
        return std::nullopt;
    return Cat::modeName(digit);
}

std::optional<Tone> tone(QStringView cell)
{
    if (PlainNumber::isBlank(cell))
        return Tone {};
    if (const std::optional<int> number = Cat::toneNumber(cell.toString()))
        return Tone {'1', *number};
    if (cell.size() == 2 && allDigits(cell)) {
        const int number = cell.toInt();
        if (number >= 1 && number <= Cat::ToneCount)
            return Tone {'1', number};
    }
    return std::nullopt;
}

QString toneCell(QChar flag, QStringView number)
{
    if (flag != QLatin1Char('1'))
        return blank();
    if (number.size() == 2 && allDigits(number)) {
        const int tone = number.toInt();
        if (tone >= 1 && tone <= Cat::ToneCount)
            return Cat::toneText(tone);
    }
    return number.toString();
}

Channel channel(const MemoryRow &row)
{
    Channel c;
    auto frequency = [&c](const QString &cell, const char *field) -> qint64 {
        if (const std::optional<qint64> hz = frequencyHz(cell))
            return *hz;
        c.undefinedCells << QString::fromLatin1(field);
        return 0;
    };
    c.mainHz = frequency(row.FreqMain, FreqMainField);
    c.splitHz = frequency(row.FreqSplit, FreqSplitField);
    if (const std::optional<char> digit = modeDigit(row.Mode))
        c.mode = *digit;
    else
        c.undefinedCells << QString::fromLatin1(ModeField);
    if (const std::optional<Tone> t = tone(row.Tone))
        c.tone = *t;
    else
        c.undefinedCells << QString::fromLatin1(ToneField);
    return c;
}

std::optional<QByteArray> writeCommand(Side side, int channelNumber, const Channel &c)
{
    Cat::MemoryChannel m;
    m.side = int(side);
    m.channel = channelNumber;
    m.hz = side == Side::Receive ? c.mainHz : c.splitHz;
    m.mode = c.mode;
    m.toneOn = c.tone.flag;
    m.toneNumber = c.tone.flag == '1' ? c.tone.number : 0;
    return Cat::writeMemory(m);
}

QString channelText(int channelNumber)
{
    return QStringLiteral("%1").arg(channelNumber, 2, 10, QLatin1Char('0'));
}

std::optional<int> channelNumber(QStringView mem)
{
    const QStringView digits = mem.trimmed();
    if (digits.isEmpty() || digits.size() > 2 || !allDigits(digits))
        return std::nullopt;
    return digits.toInt();
}

} // namespace MemoryCells
