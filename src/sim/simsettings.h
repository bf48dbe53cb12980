// The radio's plain settings: two-letter codes whose reply carries one fixed-width decimal
// value ("AG" + three digits, "LK" + one digit). The table holds each code's width, the values
// the radio accepts and its value after power-on.
#pragma once

#include <QByteArray>
#include <optional>
#include <span>

struct SimSettingRow
{
    const char *code;
    int width; // digits in the command and the reply
    int min; // lowest value accepted
    int max; // highest value accepted
    int start; // value after power-on
    bool readOnly; // answered, but a set command is refused (S-meter, busy)
    const char *choices; // when not null: the only values accepted, e.g. "002|004"
};

namespace SimSettings {

std::span<const SimSettingRow> rows();
const SimSettingRow *find(const QByteArray &code);

// value as `width` zero-padded digits; empty when it does not fit.
QByteArray digits(qint64 value, int width);
// Exactly `width` decimal digits; nullopt for anything else (blanks, signs, other lengths).
std::optional<qint64> parseDigits(const QByteArray &text, int width);
// The value a set command carries when the setting accepts it.
std::optional<int> parseValue(const SimSettingRow &entry, const QByteArray &params);

} // namespace SimSettings
