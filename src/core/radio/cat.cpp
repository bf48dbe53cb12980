#include "core/radio/cat.h"

#include <cmath>

namespace Cat {

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Reads sign, digits and (when allowed) one decimal point by the number rule. Blanks are
// skipped wherever they stand; the first other character ends the number.
template<typename Digit>
void scanNumber(QStringView text, bool allowPoint, Digit onDigit, bool &negative)
{
    bool seenSign = false;
    bool seenDigit = false;
    bool seenPoint = false;
    for (QChar c : text) {
        if (isBlank(c))
            continue;
        if (!seenSign && !seenDigit && !seenPoint
            && (c == QLatin1Char('+') || c == QLatin1Char('-'))) {
            seenSign = true;
            negative = c == QLatin1Char('-');
            continue;
        }
        if (c.isDigit() && c.unicode() < 128) {
            seenDigit = true;
            onDigit(c.unicode() - '0', seenPoint);
            continue;
        }
        if (allowPoint && !seenPoint && c == QLatin1Char('.')) {
            seenPoint = true;
            continue;
        }
        break;
    }
}

QString groupThousands(const QString &digits)
{
    QString out;
    const int n = int(digits.size());
    out.reserve(n + n / 3);
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += QLatin1Char(',');
        out += digits.at(i);
    }
    return out;
}

} // namespace

qint64 readNumber(QStringView field)
{
    bool negative = false;
    qint64 value = 0;
    constexpr qint64 limit = std::numeric_limits<qint64>::max() / 10 - 9;
    scanNumber(
        field, false,
        [&](int d, bool) {
            if (value < limit)
                value = value * 10 + d;
        },
        negative);
    return negative ? -value : value;
}

double readDecimal(QStringView text)
{
    bool negative = false;
    double value = 0.0;
    double scale = 1.0;
    scanNumber(
        text, true,
        [&](int d, bool afterPoint) {
            if (afterPoint) {
                scale /= 10.0;
                value += d * scale;
            } else {
                value = value * 10.0 + d;
            }
        },
        negative);
    return negative ? -value : value;
}

QString khzText(qint64 hz)
{
    const bool negative = hz < 0;
    const quint64 mag = negative ? quint64(0) - quint64(hz) : quint64(hz);
    QString text = QString::number(mag / 1000);
    quint64 frac = mag % 1000;
    if (frac != 0) {
        QString f = QStringLiteral("%1").arg(frac, 3, 10, QLatin1Char('0'));
        while (f.endsWith(QLatin1Char('0')))
            f.chop(1);
        text += QLatin1Char('.') + f;
    }
    return negative ? QLatin1Char('-') + text : text;
}

qint64 khzToHz(QStringView khz)
{
    return qint64(std::llround(readDecimal(khz) * 1000.0));
}

QString formatFreq(double khz)
{
    const qint64 milli = std::llround(khz * 1000.0);
    const bool negative = milli < 0;
    const quint64 mag = negative ? quint64(0) - quint64(milli) : quint64(milli);
    const quint64 whole = mag / 1000;
    QString text = whole == 0 ? QString() : groupThousands(QString::number(whole));
    text += QStringLiteral(".%1").arg(mag % 1000, 3, 10, QLatin1Char('0'));
    return negative ? QLatin1Char('-') + text : text;
}

QString formatOffset(double khz)
{
    QString text = QString::number(khz, 'f', 3);
    if (text == QLatin1String("-0.000"))
        text = QStringLiteral("0.000");
    return text;
}

QString formatLevel(qint64 value)
{
    return value == 0 ? QString() : QString::number(value);
}

QString formatIfShift(qint64 value)
{
    const bool negative = value < 0;
    const quint64 mag = negative ? quint64(0) - quint64(value) : quint64(value);
    QString digits = QStringLiteral("%1").arg(mag, 3, 10, QLatin1Char('0'));
    const QString text = groupThousands(digits);
    return negative ? QLatin1Char('-') + text : text;
}

QString khzCell(qint64 hz)
{
    const QString text = khzText(hz);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const bool negative = text.startsWith(QLatin1Char('-'));
    const QString whole
        = text.mid(negative ? 1 : 0, (point < 0 ? text.size() : point) - (negative ? 1 : 0));
    return (negative ? QStringLiteral("-") : QString()) + groupThousands(whole)
        + (point < 0 ? QString() : text.mid(point));
}

std::optional<QByteArray> field(qint64 value, int width)
{
    if (value < 0 || width <= 0 || width > 18)
        return std::nullopt;
    QByteArray digits = QByteArray::number(value);
    if (digits.size() > width)
        return std::nullopt;
    return QByteArray(width - digits.size(), '0') + digits;
}

std::optional<QByteArray> setFrequency(char vfo, qint64 hz)
{
    if (vfo != 'A' && vfo != 'B')
        return std::nullopt;
    const auto digits = field(hz, 11);
    if (!digits)
        return std::nullopt;
    return QByteArray("F") + vfo + *digits + ';';
}

std::optional<QByteArray> setLevel(const char *code, qint64 value, int width)
{
    const auto digits = field(value, width);
    if (!digits)
        return std::nullopt;
    return QByteArray(code) + *digits + ';';
}

std::optional<QByteArray> setIfShift(qint64 hz)
{
    const auto digits = field(hz < 0 ? -hz : hz, 4);
    if (!digits)
        return std::nullopt;
    return QByteArray("IS") + (hz < 0 ? '-' : '+') + *digits + ';';
}

QByteArray setMode(char digit)
{
    return QByteArray("MD") + digit + ';';
}

QByteArray setFilterWidth(const char *code)
{
    return QByteArray("FW") + code + ';';
}

std::optional<QByteArray> selectTone(int number)
{
    if (number < 1 || number > 99)
        return std::nullopt;
    return QByteArray("TN") + *field(number, 2) + ';';
}

std::optional<QByteArray> readMemory(int side, int channel)
{
    if ((side != 0 && side != 1) || channel < 0 || channel > 99)
        return std::nullopt;
    return QByteArray("MR") + char('0' + side) + ' ' + *field(channel, 2) + ';';
}

std::optional<QByteArray> selectMemory(int channel)
{
    if (channel < 0 || channel > 99)
        return std::nullopt;
    return QByteArray("MC ") + *field(channel, 2) + ';';
}

std::optional<QByteArray> writeMemory(const MemoryChannel &m)
{
    if ((m.side != 0 && m.side != 1) || m.channel < 0 || m.channel > 99 || m.toneNumber < 0
        || m.toneNumber > 99 || m.mode < '0' || m.mode > '9'
        || (m.toneOn != '0' && m.toneOn != '1'))
        return std::nullopt;
    const auto hz = field(m.hz, 11);
    if (!hz)
        return std::nullopt;
    return QByteArray("MW") + char('0' + m.side) + ' ' + *field(m.channel, 2) + *hz + m.mode + '0'
        + m.toneOn + *field(m.toneNumber, 2) + " ;";
}

QByteArray query(const char *code)
{
    return QByteArray(code) + ';';
}

std::optional<QByteArray> keyText(QStringView text)
{
    if (text.size() > KeyTextLength)
        return std::nullopt;
    QByteArray command("KY ");
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e || c == QLatin1Char(';'))
            return std::nullopt;
        command += char(c.unicode());
    }
    return command + QByteArray(KeyTextLength - text.size(), ' ') + ';';
}

QString splitText(QStringView transmitKhz)
{
    if (transmitKhz.isEmpty())
        return QStringLiteral("SPLIT");
    return QStringLiteral("SPLIT  ") + formatFreqHz(khzToHz(transmitKhz));
}

} // namespace Cat
