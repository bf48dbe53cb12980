// The settings files of a test's own configuration folder: emptying the store before a test,
// and writing or reading a file by hand as an operator would.
#pragma once

#include "core/settings/settingsstore.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

namespace SettingsFiles {

// Removes the present and the earlier settings file, so that the store starts empty. Only
// inside a configuration folder of the test's own (ctest and the tests' initTestCase set
// XDG_CONFIG_HOME), never the operator's.
inline void clear()
{
    if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"))
        qFatal("XDG_CONFIG_HOME is not set: the tests keep away from the operator's settings");
    QFile::remove(SettingsStore::filePath());
    QFile::remove(SettingsStore::earlierFilePath());
}

inline bool write(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

inline QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace SettingsFiles
