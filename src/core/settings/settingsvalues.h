// What a value read from the settings file may be, key by key. The file can be edited by hand
// (or damaged) and may then hold anything: a value too long or of the wrong form is not used,
// and the message about it quotes at most its first QuotedChars characters, so that nothing
// the file holds can flood a window.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace SettingsValues {

// The most of a value a message quotes.
inline constexpr int QuotedChars = 80;
// A port given by its device path: the longest path the system takes.
inline constexpr int MaxDevicePathBytes = 4096;
// Keys without a rule of their own take values up to this many characters.
inline constexpr int MaxValueChars = 4096;

// Nothing when the stored text of key can be used; else what is wrong with it, as a sentence
// that names the key and quotes the value ("CommPort in Vantelo.conf, "/dev/tty..." (10485760
// characters), is no device path of at most 4096 bytes."). Empty text (the key's "not set")
// is always usable.
std::optional<QString> problem(QStringView key, const QString &text);

// The text in double quotes, cut after QuotedChars characters with "..." and its full length
// named; control characters are shown as "?".
QString quoted(const QString &text);

} // namespace SettingsValues
