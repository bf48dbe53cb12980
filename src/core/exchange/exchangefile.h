// Reading a whole file before anything is changed, and writing one so that it is either the
// new file or, after a failure, the file that was there before (QSaveFile).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>

namespace ExchangeFile {

// Larger files are refused before they are read: a logbook of a quarter of a million contacts
// stays well below this.
inline constexpr qint64 MaxBytes = 64 * 1024 * 1024;

// The file's bytes, or nothing with the reason in *error.
std::optional<QByteArray> read(const QString &path, QString *error);

// Writes bytes to path in one piece. False with the reason in *error; the file that was at path
// is then left as it was.
bool write(const QString &path, const QByteArray &bytes, QString *error);

// The text of a file read from another program: UTF-8 when the bytes are valid UTF-8 (a byte
// order mark at the start is dropped), else Latin-1, so that no byte is ever refused.
QString decoded(const QByteArray &bytes);

// The first control character in a text field read from a file (NUL, ESC, DEL and the like),
// or nothing. Tabs and line ends are text.
std::optional<QChar> controlCharacter(QStringView text);
// What a refusal says of such a field: "CALL \"K1??AB\" holds the control character U+0000",
// the field's text on one line, control characters as "?", cut short when long.
QString controlCharacterProblem(const QString &field, const QString &text, QChar control);

} // namespace ExchangeFile
