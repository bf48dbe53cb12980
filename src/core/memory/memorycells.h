// The memory table's cells and the radio's memory fields, both ways. A cell holding a single
// blank " " is empty; a cell that holds none of the forms below is not guessed at: the caller
// gets nothing back and decides (the upload sends it as empty and names the row).
#pragma once

#include "core/memory/memoryrow.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace MemoryCells {

// The text of an empty cell.
inline QString blank()
{
    return QStringLiteral(" ");
}

// --- Frequency ---------------------------------------------------------------------------------

// A frequency cell to hertz. Blank text (" ", or nothing but blanks) is 0, an empty channel.
// Otherwise the cell must be a number of kilohertz, thousands grouped by "," or not, with an
// optional decimal part: "14,195.5", "7050.5", "14200", "28,400.125". The result is rounded to
// the nearest hertz and must fit the radio's 11-digit field; anything else gives nothing.
std::optional<qint64> frequencyHz(QStringView cell);

// Hertz to a cell: thousands grouped and as many decimals as the value needs (14195500 gives
// "14,195.5", 7050000 "7,050", 28400125 "28,400.125"); 0 (or less) gives " ".
QString frequencyCell(qint64 hz);

// --- Mode --------------------------------------------------------------------------------------

// A mode cell to its digit: " " (or blanks) is '0', the eight names are those of the protocol's
// mode table. Any other text gives nothing.
std::optional<char> modeDigit(QStringView cell);

// A mode digit to its cell: '0' and '8' give " ", the other digits their names. A character
// outside the table gives nothing (the cell is left as it is).
std::optional<QString> modeCell(QChar digit);

// --- Tone --------------------------------------------------------------------------------------

struct Tone
{
    char flag = '0'; // '1' tone on
    int number = 0; // 1..39, 0 with the tone off

    bool operator==(const Tone &) const = default;
};

// A tone cell to flag and number: " " (or blanks) is off; a tone text of the protocol's table
// ("88.5") or a two-digit tone number "01" to "39" (what a download writes) is on with that
// number. Any other text gives nothing.
std::optional<Tone> tone(QStringView cell);

// The tone fields of a memory reply to a cell: flag '1' gives the tone's frequency text
// ("88.5" for number 08), as the pick list writes it; a number outside the table stays as the
// radio sent it. Any other flag gives " ".
QString toneCell(QChar flag, QStringView number);

// --- Memory-write command ------------------------------------------------------------------------

// Names of the cells, as the table's columns are named.
inline constexpr const char *FreqMainField = "FreqMain";
inline constexpr const char *FreqSplitField = "FreqSplit";
inline constexpr const char *ModeField = "Mode";
inline constexpr const char *ToneField = "Tone";

// One row as the radio takes it. A cell of no defined form counts as empty and is named in
// undefinedCells (by its column name, in column order).
struct Channel
{
    qint64 mainHz = 0;
    qint64 splitHz = 0;
    char mode = '0';
    Tone tone;
    QStringList undefinedCells;
};
Channel channel(const MemoryRow &row);

enum class Side { Receive = 0, Transmit = 1 };

// The 24-character memory-write command of one side of a channel: "MW0 " or "MW1 ", the
// channel as two digits, the side's frequency as 11 digits of hertz, the mode digit, "0", the
// tone flag, the tone number as two digits and " ;". Nothing for a channel outside 00 to 99.
std::optional<QByteArray> writeCommand(Side side, int channelNumber, const Channel &c);

// Channel number as the protocol writes it: two digits.
QString channelText(int channelNumber);

// The channel a Mem cell names: one or two digits, blanks around them allowed ("05", "5").
// Nothing for any other text.
std::optional<int> channelNumber(QStringView mem);

} // namespace MemoryCells
