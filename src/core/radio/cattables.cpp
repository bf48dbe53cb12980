#include "core/radio/cattables.h"

namespace Cat {

namespace {

struct ModeEntry
{
    char digit;
    const char *name;
};

constexpr ModeEntry Modes[] = {
    {'0', "None"}, {'1', "LSB"}, {'2', "USB"},  {'3', "CW"},   {'4', "FM"},
    {'5', "AM"},   {'6', "FSK"}, {'7', "CW-R"}, {'8', "None"}, {'9', "FSK-R"},
};

constexpr const char *Tones[ToneCount] = {
    "67.0",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",  "94.8",
    "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3", "131.8",
    "136.5", "141.3", "146.2", "151.4", "156.7", "162.2", "167.9", "173.8", "179.9", "186.2",
    "192.8", "203.5", "210.7", "218.1", "225.7", "233.6", "241.8", "250.3", "1750",
};

constexpr FilterWidth CwWidths[] = {
    {"0050", "50 Hz"},  {"0100", "100 Hz"}, {"0200", "200 Hz"},  {"0300", "300 Hz"},
    {"0400", "400 Hz"}, {"0600", "600 Hz"}, {"1000", "1000 Hz"}, {"2000", "2000 Hz"},
};
constexpr FilterWidth FskWidths[] = {
    {"0250", "250 Hz"},
    {"0500", "500 Hz"},
    {"1000", "1000 Hz"},
    {"1500", "1500 Hz"},
};
constexpr FilterWidth SsbWidths[] = {
    {"0000", "Narrow"},
    {"0001", "Wide"},
};

constexpr const char *StartupQueries[] = {
    "IF;", "FA;", "FA;", "FB;", "AG;", "AG;", "RG;", "SH;", "SL;", "IS;", "LK;", "PA;", "PS;",
    "PR;", "NR;", "NB;", "BC;", "VX;", "TO;", "MG;", "PC;", "KS;", "CA;", "FW;", "AN;", "GT;",
    "RA;", "PC;", "MG;", "KS;", "VD;", "VG;", "PB;", "TO;", "TN;", "SQ;", "AC;", "IF;", " ",
};

} // namespace

QString modeName(QChar digit)
{
    for (const auto &m : Modes) {
        if (digit == QLatin1Char(m.digit))
            return QString::fromLatin1(m.name);
    }
    return QString();
}

QString modeCellName(QChar digit)
{
    if (digit == QLatin1Char('0') || digit == QLatin1Char('8'))
        return QStringLiteral(" ");
    const QString name = modeName(digit);
    return name.isEmpty() ? QStringLiteral(" ") : name;
}

std::optional<char> modeDigit(const QString &name)
{
    for (const auto &m : Modes) {
        if (m.digit != '0' && m.digit != '8' && name == QLatin1String(m.name))
            return m.digit;
    }
    return std::nullopt;
}

QStringList modeNames()
{
    return {QStringLiteral("LSB"),  QStringLiteral("USB"),  QStringLiteral("CW"),
            QStringLiteral("FM"),   QStringLiteral("AM"),   QStringLiteral("FSK"),
            QStringLiteral("CW-R"), QStringLiteral("FSK-R")};
}

QString toneText(int number)
{
    if (number < 1 || number > ToneCount)
        return QString();
    return QString::fromLatin1(Tones[number - 1]);
}

std::optional<int> toneNumber(const QString &text)
{
    for (int i = 0; i < ToneCount; ++i) {
        if (text == QLatin1String(Tones[i]))
            return i + 1;
    }
    return std::nullopt;
}

FilterGroup filterGroup(QChar modeDigit)
{
    switch (modeDigit.unicode()) {
    case '3':
    case '7':
        return FilterGroup::Cw;
    case '6':
    case '9':
        return FilterGroup::Fsk;
    case '1':
    case '2':
    case '4':
    case '5':
        return FilterGroup::SsbAmFm;
    default:
        return FilterGroup::None;
    }
}

std::span<const FilterWidth> filterWidths(FilterGroup group)
{
    switch (group) {
    case FilterGroup::Cw:
        return CwWidths;
    case FilterGroup::Fsk:
        return FskWidths;
    case FilterGroup::SsbAmFm:
        return SsbWidths;
    case FilterGroup::None:
        break;
    }
    return {};
}

QString filterReplyText(QChar modeDigit, const QString &code)
{
    for (const auto &w : filterWidths(filterGroup(modeDigit))) {
        if (code == QLatin1String(w.code)) {
            const QString text = QString::fromLatin1(w.text);
            return filterGroup(modeDigit) == FilterGroup::SsbAmFm ? text.toUpper() : text;
        }
    }
    return QString();
}

std::array<QString, StartupListSize> startupCommands()
{
    std::array<QString, StartupListSize> list {};
    int i = 0;
    for (const char *q : StartupQueries)
        list[i++] = QString::fromLatin1(q);
    return list;
}

} // namespace Cat
