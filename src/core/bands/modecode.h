// A mode cell of the band or scan table to the code sent between "MD" and ";".
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace ModeCode {

// The mode names the tables hold, for messages.
inline constexpr const char *Names = "LSB, USB, CW, CW-R, AM, FM, FSK, FSK-R or a blank";

// " " gives blankCode (the band list sends ";", the scan "0"); the eight names give their
// digits; an empty cell gives empty text, so "MD;" only asks for the mode; a single digit
// goes as it is. Anything else gives nothing: it would reach the radio as commands of its own.
std::optional<QByteArray> fromCell(const QString &cell, const char *blankCode);

} // namespace ModeCode
