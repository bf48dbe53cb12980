// The per-user settings store: text values under application "Vantelo", group "Properties",
// in the INI file $XDG_CONFIG_HOME/Vantelo/Vantelo.conf (~/.config when XDG_CONFIG_HOME is
// unset). scripts/stored-port.sh reads the stored port from the same file.
#pragma once

#include <QString>

namespace SettingsStore {

inline constexpr const char *Application = "Vantelo";
inline constexpr const char *Section = "Properties";

// Each value is read whole: a hand-written Settings=4800,e,7,2 (no quotes), which the INI
// syntax splits at its commas, reads as "4800,e,7,2". Values are written as quoted text, the
// form every version reads as one string.
QString get(const QString &key, const QString &defaultValue);
void save(const QString &key, const QString &value);
bool contains(const QString &key);
void remove(const QString &key);

// The settings file.
QString filePath();
// The file earlier versions kept their settings in (Vantelo.ini beside it). While it is the
// only one of the two, its values are carried over into filePath() on first use; the earlier
// file itself stays as it was.
QString earlierFilePath();

// The operator's offset from GMT in hours, stored only when typed in Setup.
inline constexpr const char *GmtOffsetKey = "GMTOffset";
// "GMTOffset" as its readers use it: the stored text exactly as typed; empty when none is stored,
// which stands for the computer's time zone at each moment.
QString gmtOffset();

} // namespace SettingsStore
