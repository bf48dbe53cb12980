#include "core/cw/cwtext.h"

#include <QStringList>

#include <array>

namespace {

struct Sign
{
    char character;
    const char *morse;
};

// International Morse for the characters the radio's keying command takes.
constexpr std::array<Sign, 49> Signs {{
    {'A', ".-"},     {'B', "-..."},    {'C', "-.-."},   {'D', "-.."},    {'E', "."},
    {'F', "..-."},   {'G', "--."},     {'H', "...."},   {'I', ".."},     {'J', ".---"},
    {'K', "-.-"},    {'L', ".-.."},    {'M', "--"},     {'N', "-."},     {'O', "---"},
    {'P', ".--."},   {'Q', "--.-"},    {'R', ".-."},    {'S', "..."},    {'T', "-"},
    {'U', "..-"},    {'V', "...-"},    {'W', ".--"},    {'X', "-..-"},   {'Y', "-.--"},
    {'Z', "--.."},   {'0', "-----"},   {'1', ".----"},  {'2', "..---"},  {'3', "...--"},
    {'4', "....-"},  {'5', "....."},   {'6', "-...."},  {'7', "--..."},  {'8', "---.."},
    {'9', "----."},  {'\'', ".----."}, {'"', ".-..-."}, {'(', "-.--."},  {')', "-.--.-"},
    {'+', ".-.-."},  {',', "--..--"},  {'-', "-....-"}, {'.', ".-.-.-"}, {'/', "-..-."},
    {':', "---..."}, {'=', "-...-"},   {'?', "..--.."}, {'@', ".--.-."},
}};

constexpr char Punctuation[] = "' \" ( ) + , - . / : = ? @";

struct Field
{
    const char *name;
    QString CwText::Fields::*value;
};

constexpr Field FieldNames[] = {
    {"MYCALL", &CwText::Fields::myCall},
    {"CALL", &CwText::Fields::call},
    {"RST", &CwText::Fields::rst},
};

QString quoted(const QString &characters)
{
    QStringList each;
    for (const QChar c : characters)
        each << QStringLiteral("\"%1\"").arg(c);
    return each.join(QLatin1Char(' '));
}

} // namespace

namespace CwText {

const char *morse(QChar c)
{
    const QChar upper = c.toUpper();
    for (const Sign &sign : Signs) {
        if (upper == QLatin1Char(sign.character))
            return sign.morse;
    }
    return nullptr;
}

bool isSendable(QChar c)
{
    return c == QLatin1Char(' ') || morse(c) != nullptr;
}

QString allowedText()
{
    return QStringLiteral("A to Z, 0 to 9, the blank and %1").arg(QLatin1String(Punctuation));
}

QString refusedCharacters(QStringView text)
{
    QString refused;
    for (const QChar c : text) {
        // Line ends and tabs count as blanks.
        if (!c.isSpace() && !isSendable(c) && !refused.contains(c))
            refused += c;
    }
    return refused;
}

QString normalised(QStringView text)
{
    return text.toString().toUpper().simplified();
}

Expansion expand(QStringView macro, const Fields &fields)
{
    Expansion out;
    QString text;
    qsizetype pos = 0;
    while (pos < macro.size()) {
        const QChar c = macro[pos];
        if (c != QLatin1Char('{')) {
            text += c;
            ++pos;
            continue;
        }
        const qsizetype end = macro.indexOf(QLatin1Char('}'), pos);
        const QString name = end < 0 ? QString() : macro.mid(pos + 1, end - pos - 1).toString();
        const Field *field = nullptr;
        for (const Field &f : FieldNames) {
            if (name.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0)
                field = &f;
        }
        if (!field) {
            out.problem = end < 0
                ? QStringLiteral("A \"{\" opens no field: use {MYCALL}, {CALL} or {RST}.")
                : QStringLiteral("{%1} is not a field: use {MYCALL}, {CALL} or {RST}.").arg(name);
            return out;
        }
        const QString value = normalised(fields.*(field->value));
        if (value.isEmpty()) {
            out.missing = QLatin1String(field->name);
            out.problem = QStringLiteral("{%1} has no value.").arg(out.missing);
            return out;
        }
        text += value;
        pos = end + 1;
    }
    const QString refused = refusedCharacters(text);
    if (!refused.isEmpty()) {
        out.problem = QStringLiteral("The keyer cannot send %1: it sends %2.")
                          .arg(quoted(refused), allowedText());
        return out;
    }
    out.text = normalised(text);
    return out;
}

} // namespace CwText
