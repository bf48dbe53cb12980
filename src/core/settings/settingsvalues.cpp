#include "core/settings/settingsvalues.h"

#include <QHostAddress>

namespace SettingsValues {

namespace {

enum class Form {
    PortOrPath, // digits (a port number), else a device path
    PortSettings, // speed,parity,data bits,stop bits
    WholeNumber,
    ZeroOrOne,
    Address,
    TcpPort,
    AnyText,
};

struct Rule
{
    const char *key;
    Form form;
    int maxChars;
    const char *expected; // what the value should be, for the message
};

constexpr Rule Rules[] = {
    {"CommPort", Form::PortOrPath, MaxDevicePathBytes,
     "a port number or a device path of at most 4096 bytes"},
    {"Settings", Form::PortSettings, 16, "port settings such as 9600,n,8,1"},
    {"Handshaking", Form::WholeNumber, 10, "a flow-control number from 0 to 3"},
    // Kept as the operator typed it: the clock reads the number at its start.
    {"GMTOffset", Form::AnyText, 16, "an offset of at most 16 characters, such as +1 or -5.5"},
    {"ShareRadio", Form::ZeroOrOne, 1, "1 (shared) or 0 (not shared)"},
    {"ShareAddress", Form::Address, 64, "a network address such as 127.0.0.1"},
    {"SharePort", Form::TcpPort, 5, "a TCP port number from 1 to 65535"},
};

constexpr Rule AnyKey {"", Form::AnyText, MaxValueChars, "a text of at most 4096 characters"};

const Rule &ruleFor(QStringView key)
{
    for (const Rule &rule : Rules) {
        if (key == QLatin1String(rule.key))
            return rule;
    }
    return AnyKey;
}

bool isControl(QChar c)
{
    return c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() <= 0x9f);
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Counts the ASCII digits from at; false when there are none or more than most.
bool digits(QStringView text, qsizetype &at, int most)
{
    const qsizetype start = at;
    while (at < text.size() && isAsciiDigit(text[at]))
        ++at;
    return at > start && at - start <= most;
}

bool allDigits(QStringView text, int most)
{
    qsizetype at = 0;
    return digits(text, at, most) && at == text.size();
}

bool isPortSettings(QStringView text)
{
    qsizetype at = 0;
    if (!digits(text, at, 7) || at + 5 > text.size() || text[at] != QLatin1Char(',')
        || !text[at + 1].isLetter() || text[at + 1].unicode() > 127
        || text[at + 2] != QLatin1Char(',') || !isAsciiDigit(text[at + 3])
        || text[at + 4] != QLatin1Char(','))
        return false;
    const QStringView stop = text.sliced(at + 5);
    return stop == QLatin1String("1") || stop == QLatin1String("1.5") || stop == QLatin1String("2");
}

bool hasForm(Form form, const QString &text)
{
    const QStringView trimmed = QStringView(text).trimmed();
    switch (form) {
    case Form::PortOrPath:
    case Form::AnyText:
        return true; // the length and the control characters are all there is to check
    case Form::PortSettings:
        return isPortSettings(trimmed);
    case Form::WholeNumber:
        return allDigits(trimmed, 9);
    case Form::ZeroOrOne:
        return trimmed == QLatin1String("0") || trimmed == QLatin1String("1");
    case Form::Address:
        return !QHostAddress(trimmed.toString()).isNull();
    case Form::TcpPort:
        return allDigits(trimmed, 5) && trimmed.toInt() >= 1 && trimmed.toInt() <= 65535;
    }
    return false;
}

} // namespace

std::optional<QString> problem(QStringView key, const QString &text)
{
    if (text.trimmed().isEmpty())
        return std::nullopt;
    const Rule &rule = ruleFor(key);
    bool usable = text.size() <= rule.maxChars;
    // A device path is measured as the system takes it, in bytes.
    if (usable && rule.form == Form::PortOrPath)
        usable = text.toLocal8Bit().size() <= rule.maxChars;
    for (qsizetype i = 0; usable && i < text.size(); ++i)
        usable = !isControl(text[i]);
    if (usable && hasForm(rule.form, text))
        return std::nullopt;
    return QStringLiteral("%1 %2 in the settings file is not %3.")
        .arg(key.toString(), quoted(text), QLatin1String(rule.expected));
}

QString quoted(const QString &text)
{
    QString shown = text.left(QuotedChars);
    for (QChar &c : shown) {
        if (isControl(c))
            c = QLatin1Char('?');
    }
    if (text.size() <= QuotedChars)
        return QLatin1Char('"') + shown + QLatin1Char('"');
    return QStringLiteral("\"%1...\" (%2 characters)").arg(shown).arg(text.size());
}

} // namespace SettingsValues
