// Writing ADIF in its ADI form: the header and each field as <NAME:LENGTH>data, the length
// counting the bytes of the UTF-8 data.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace AdifWriter {

inline constexpr const char *Version = "3.1.4";
inline constexpr const char *ProgramId = "Vantelo";

// A line of text, then ADIF_VER, PROGRAMID, PROGRAMVERSION and CREATED_TIMESTAMP (UTC,
// "YYYYMMDD HHMMSS"), each on a line of its own, and <EOH>.
QByteArray header(const QDateTime &created);

// "<CALL:6>DL1ABC"; nothing for an empty value.
QByteArray field(const char *name, const QString &value);

} // namespace AdifWriter
