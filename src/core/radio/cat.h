// The radio's ASCII control protocol: number reading, kilohertz text, display formats
// and the builders of every command the program writes. Each layout is written here once.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>

namespace Cat {

// Largest frequency the 11-digit field can carry, in hertz.
inline constexpr qint64 MaxFrequencyHz = 99'999'999'999;

// --- Reading numbers -------------------------------------------------------------------------

// The number rule for reply fields: blanks are skipped, a leading "+" or "-" is honoured,
// reading stops at the first character that is not a digit; empty or non-numeric text reads 0.
qint64 readNumber(QStringView field);

// The same rule with one decimal point allowed ("5.5", "-0.25", "14200.5"). Used for texts
// an operator types (GMT offset, frequencies in kilohertz).
double readDecimal(QStringView text);

// --- Frequencies -----------------------------------------------------------------------------

// Hertz to the program's kilohertz text, shortest decimal form: 7050500 -> "7050.5",
// 14200000 -> "14200", 150 -> "0.15", -200 -> "-0.2".
QString khzText(qint64 hz);

// Kilohertz text (as held in the radio state) to hertz, rounded to the nearest whole hertz.
// Uses the decimal number rule, so "999999999" gives 999999999000.
qint64 khzToHz(QStringView khz);

// --- Display formats -------------------------------------------------------------------------

// "###,###.000": grouped thousands, exactly three decimals, no leading zero below 1.
QString formatFreq(double khz);
inline QString formatFreqHz(qint64 hz)
{
    return formatFreq(double(hz) / 1000.0);
}
// "0.000": at least one integer digit, three decimals (the RIT/XIT offset in kHz).
QString formatOffset(double khz);
// "###" and "####": digits without leading zeros, so 0 gives empty text.
QString formatLevel(qint64 value);
// "#,000": at least three digits, grouped thousands (the IF shift in Hz).
QString formatIfShift(qint64 value);
// Kilohertz as the table cells hold them: grouped thousands and as many decimals as the hertz
// need, so nothing is rounded away: 14195500 -> "14,195.5", 7050000 -> "7,050",
// 28400125 -> "28,400.125".
QString khzCell(qint64 hz);
// The split label: "SPLIT  " + the transmitting VFO's frequency, or "SPLIT" alone while that
// frequency has not been reported (empty text).
QString splitText(QStringView transmitKhz);

// --- Command builders ------------------------------------------------------------------------

// Zero-padded decimal field of the given width; a negative value or one wider than the
// field gives nothing.
std::optional<QByteArray> field(qint64 value, int width);

// "FA"/"FB" + 11-digit hertz + ";". vfo is 'A' or 'B'. Refused (nullopt) when the value is
// negative or needs more than 11 digits.
std::optional<QByteArray> setFrequency(char vfo, qint64 hz);

// code + value as `width` digits + ";" (for "AG", "RG", "SH", "SL", "PC", "MG", "KS", "SQ",
// "VG", "VD"). Refused when out of the field's range.
std::optional<QByteArray> setLevel(const char *code, qint64 value, int width);

// "IS" + sign + four digits + ";": -100 -> "IS-0100;", 0 -> "IS+0000;".
std::optional<QByteArray> setIfShift(qint64 hz);

QByteArray setMode(char digit); // "MD" + digit + ";"
QByteArray setFilterWidth(const char *code); // "FW" + four-digit code + ";"
std::optional<QByteArray> selectTone(int number); // "TN" + nn + ";" for 1..39
std::optional<QByteArray> readMemory(int side, int channel); // "MR0 nn;" / "MR1 nn;"
std::optional<QByteArray> selectMemory(int channel); // "MC nn;"

struct MemoryChannel
{
    int side = 0; // 0 receive side, 1 transmit side
    int channel = 0; // 0..99
    qint64 hz = 0; // frequency in hertz
    char mode = '0'; // mode digit
    char toneOn = '0'; // '1' tone on
    int toneNumber = 0; // 0..99 (0 when none)
};
// "MW" + side + " " + nn + 11 digits + mode + "0" + tone-on + nn + " ;"
std::optional<QByteArray> writeMemory(const MemoryChannel &m);

// A parameterless query: "IF;", "FA;" ... (the code must be two letters).
QByteArray query(const char *code);

// Characters of text one keying command carries.
inline constexpr int KeyTextLength = 24;
// "KY" + a blank + the text filled with blanks to 24 characters + ";": the radio's keyer sends
// the text in Morse (the filling blanks are not sent). Refused when the text is longer, or holds
// a ";" or a character outside printable ASCII.
std::optional<QByteArray> keyText(QStringView text);

} // namespace Cat
