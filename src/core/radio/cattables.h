// The protocol's code tables: modes, CTCSS tones, filter widths and the start-up query list.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <span>

namespace Cat {

// Mode digit to the name on the main window ("None" for 0 and 8); empty for a digit
// outside the table.
QString modeName(QChar digit);
// Mode digit to the name in a table cell: a single blank for 0 and 8 (and anything unknown).
QString modeCellName(QChar digit);
// Name back to the digit, for the names the mode buttons can send (1 to 7 and 9).
std::optional<char> modeDigit(const QString &name);
// The names in button order: LSB, USB, CW, FM, AM, FSK, CW-R, FSK-R.
QStringList modeNames();

inline constexpr int ToneCount = 39;
// Tone number 1..39 to its text ("67.0" ... "250.3", "1750"); empty outside.
QString toneText(int number);
// Text back to the number; nullopt when it is none of the 39.
std::optional<int> toneNumber(const QString &text);

enum class FilterGroup { None, Cw, Fsk, SsbAmFm };
struct FilterWidth
{
    const char *code; // four digits, as sent after "FW"
    const char *text; // as shown to the operator
};
FilterGroup filterGroup(QChar modeDigit);
std::span<const FilterWidth> filterWidths(FilterGroup group);
// The text of a width code within a mode's group ("0050" in CW gives "50 Hz"); empty when
// the code is not in that group. For SSB/AM/FM the texts are "NARROW" and "WIDE", as the
// reply interpreter shows them.
QString filterReplyText(QChar modeDigit, const QString &code);

// The start-up query list: 38 queries, the end marker " " and empty entries up to index 50.
inline constexpr int StartupListSize = 51;
std::array<QString, StartupListSize> startupCommands();

} // namespace Cat
