// The per-user settings store: text values under application "Vantelo", group "Properties",
// in the INI file $XDG_CONFIG_HOME/Vantelo/Vantelo.conf (~/.config when XDG_CONFIG_HOME is
// unset). scripts/stored-port.sh reads the stored port from the same file.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace SettingsStore {

inline constexpr const char *Application = "Vantelo";
inline constexpr const char *Section = "Properties";

// Each value is read whole: a hand-written Settings=4800,e,7,2 (no quotes), which the INI
// syntax splits at its commas, reads as "4800,e,7,2". Values are written as quoted text, the
// form every version reads as one string.
//
// Every value is checked when read (SettingsValues): one too long or of the wrong form is not
// used. get() then gives the default, and the problem waits in takeProblems().
QString get(const QString &key, const QString &defaultValue);

struct Read
{
    QString text; // the stored text; the default when the key is absent
    std::optional<QString> problem; // set: the stored text cannot be used, and text is empty
};
// As get(), but an unusable value comes back as its problem, which the caller reports: it is
// then not given by takeProblems().
Read read(const QString &key, const QString &defaultValue);

// The problems of the values get() has read since the last call, each one once in a run.
QStringList takeProblems();
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
// "GMTOffset" as its readers use it: the stored text exactly as typed; empty when none is stored
// (or what is stored is longer than an offset can be), which stands for the computer's time zone
// at each moment.
QString gmtOffset();

} // namespace SettingsStore
