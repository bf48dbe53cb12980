// A raw command typed on the test screen, checked before it is written to the radio.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace RadioCode {

// The bytes to write: the text exactly as typed, with no terminator added. Empty when nothing
// was typed. std::nullopt when the text holds a character the radio's ASCII protocol cannot
// carry (anything outside the printable ASCII characters).
std::optional<QByteArray> toCommand(const QString &typed);

inline constexpr const char *RefusedText
    = "The radio code can hold only plain ASCII characters; nothing was sent.";

} // namespace RadioCode
