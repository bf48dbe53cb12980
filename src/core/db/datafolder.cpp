#include "core/db/datafolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace DataFolder {

namespace {
QString &chosenPath()
{
    static QString dir;
    return dir;
}
} // namespace

QString path()
{
    if (!chosenPath().isEmpty())
        return chosenPath();
    // The generic location is the XDG data folder itself; the application's own location
    // would add the organisation and program names a second time.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/Vantelo");
}

void setPath(const QString &dir)
{
    chosenPath() = dir.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(dir).absoluteFilePath());
}

bool ensureExists(QString *error)
{
    const QString dir = path();
    if (QFileInfo(dir).isDir() || QDir().mkpath(dir))
        return true;
    if (error)
        *error = QStringLiteral("The data folder %1 cannot be created.").arg(dir);
    return false;
}

} // namespace DataFolder
