// The per-user settings store: text values under application "Vantelo", group "Properties".
// On Linux the file is $XDG_CONFIG_HOME/Vantelo/Vantelo.conf.
#pragma once

#include <QString>

namespace SettingsStore {

inline constexpr const char *Application = "Vantelo";
inline constexpr const char *Section = "Properties";

QString get(const QString &key, const QString &defaultValue);
void save(const QString &key, const QString &value);
bool contains(const QString &key);
void remove(const QString &key);

// "GMTOffset" as both its readers use it: the stored text exactly as typed when the key
// exists; otherwise the computer's own present offset from UTC in hours ("1", "-5", "5.5", "0").
QString gmtOffset();
// The computer's present offset from UTC in hours, as text in the shortest form.
QString localUtcOffsetHours();

} // namespace SettingsStore
