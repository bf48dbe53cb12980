#include "memorycells.h"

#include "radio/cat.h"
#include "radio/cattables.h"

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

bool isBlankText(QStringView text)
{
    return text.trimmed().isEmpty();
}

// The whole-kilohertz part of a cell without its grouping commas; nothing when the commas do
// not group thousands ("14,195" and "1,000,000" do, "1,41,95" and "14,19" do not).
std::optional<QString> wholeDigits(QStringView whole)
{
    if (!whole.contains(QLatin1Char(',')))
        return allDigits(whole) ? std::optional<QString>(whole.toString()) : std::nullopt;
    const QList<QStringView> groups = whole.split(QLatin1Char(','));
    QString digits;
    for (qsizetype i = 0; i < groups.size(); ++i) {
        const QStringView g = groups.at(i);
        const bool sizeFits = i == 0 ? (g.size() >= 1 && g.size() <= 3) : g.size() == 3;
        if (!sizeFits || !allDigits(g))
            return std::nullopt;
        digits += g;
    }
    return digits;
}

QString groupThousands(const QString &digits)
{
    QString out;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += QLatin1Char(',');
        out += digits.at(i);
    }
    return out;
}

} // namespace

std::optional<qint64> frequencyHz(QStringView cell)
{
    if (isBlankText(cell))
        return 0;
    const QStringView text = cell.trimmed();
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const QStringView wholePart = point < 0 ? text : text.left(point);
    const QStringView fraction = point < 0 ? QStringView() : text.mid(point + 1);
    if ((wholePart.isEmpty() && fraction.isEmpty()) || !allDigits(fraction))
        return std::nullopt;

    const std::optional<QString> whole = wholePart.isEmpty() ? QString() : wholeDigits(wholePart);
    if (!whole)
        return std::nullopt;
    // The 11-digit field holds at most 99,999,999.999 kHz: eight whole digits.
    QStringView digits(*whole);
    while (digits.startsWith(QLatin1Char('0')))
        digits = digits.mid(1);
    if (digits.size() > 8)
        return std::nullopt;

    qint64 hz = 0;
    for (QChar c : digits)
        hz = hz * 10 + (c.unicode() - '0');
    // Three decimals are whole hertz; the fourth rounds.
    for (qsizetype i = 0; i < 3; ++i)
        hz = hz * 10 + (i < fraction.size() ? fraction.at(i).unicode() - '0' : 0);
    if (fraction.size() > 3 && fraction.at(3) >= QLatin1Char('5'))
        ++hz;
    if (hz > Cat::MaxFrequencyHz)
        return std::nullopt;
    return hz;
}

QString frequencyCell(qint64 hz)
{
    if (hz <= 0)
        return blank();
    QString text = groupThousands(QString::number(hz / 1000));
    if (const qint64 hertz = hz % 1000; hertz != 0) {
        QString decimals = QStringLiteral("%1").arg(hertz, 3, 10, QLatin1Char('0'));
        while (decimals.endsWith(QLatin1Char('0')))
            decimals.chop(1);
        text += QLatin1Char('.') + decimals;
    }
    return text;
}

std::optional<char> modeDigit(QStringView cell)
{
    if (isBlankText(cell))
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
    if (isBlankText(cell))
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
    return flag == QLatin1Char('1') ? number.toString() : blank();
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

} // namespace MemoryCells
