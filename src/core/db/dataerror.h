// The text every table window shows for a failed read or write of its data.
#pragma once

#include <QString>

namespace DataError {

inline constexpr const char *Prefix = "Data error event hit err:";

// "Data error event hit err:" followed directly by the error's own text.
inline QString text(const QString &error)
{
    return QLatin1String(Prefix) + error;
}

} // namespace DataError
