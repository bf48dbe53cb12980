// The folder that holds the program's database files: $XDG_DATA_HOME/Vantelo (normally
// ~/.local/share/Vantelo), or the folder given with --data-dir for this run.
#pragma once

#include <QString>

namespace DataFolder {

// The folder in use, without a trailing separator. Not created by asking.
QString path();
// Uses dir instead of the per-user folder until the program ends; an empty dir goes back to
// the per-user folder.
void setPath(const QString &dir);
// Creates the folder when it does not exist yet. Returns false with the reason in *error.
bool ensureExists(QString *error);

} // namespace DataFolder
