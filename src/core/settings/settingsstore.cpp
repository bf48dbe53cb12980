#include "core/settings/settingsstore.h"

#include "core/settings/settingsvalues.h"

#include <QFileInfo>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <optional>

namespace SettingsStore {

namespace {

QString fullKey(const QString &key)
{
    return QString::fromLatin1(Section) + QLatin1Char('/') + key;
}

QString folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QLatin1Char('/') + QString::fromLatin1(Application);
}

// The text the operator wrote: a value the INI syntax split at its commas is joined again.
// A value that is no text at all (a hand-written "@Rect(...)") counts as absent.
std::optional<QString> wholeText(const QVariant &value)
{
    if (!value.isValid())
        return std::nullopt;
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    if (!value.canConvert<QString>())
        return std::nullopt;
    return value.toString();
}

// Carries the values of an earlier version's settings file over, once: only while the present
// file does not exist yet. Each value is written as the whole text it was read as. The earlier
// file is neither changed nor removed, so an earlier version started again still finds the
// operator's settings; from here on this version reads only the present file.
void carryOverEarlierFile()
{
    if (QFileInfo::exists(filePath()) || !QFileInfo::exists(earlierFilePath()))
        return;
    const QSettings earlier(earlierFilePath(), QSettings::IniFormat);
    QSettings present(filePath(), QSettings::IniFormat);
    const QStringList keys = earlier.allKeys();
    for (const QString &key : keys) {
        const QVariant value = earlier.value(key);
        const std::optional<QString> text = wholeText(value);
        present.setValue(key, text ? QVariant(*text) : value);
    }
    present.sync();
}

// The present file; the earlier one while carrying it over failed (a folder that cannot be
// written), so that the operator's values are still read.
QString readPath()
{
    carryOverEarlierFile();
    if (!QFileInfo::exists(filePath()) && QFileInfo::exists(earlierFilePath()))
        return earlierFilePath();
    return filePath();
}

QSettings store()
{
    return QSettings(readPath(), QSettings::IniFormat);
}

// Problems met by get(), and every problem already reported (by key and value), so that each
// is told once in a run.
struct Problems
{
    QStringList waiting;
    QSet<QString> told;

    // True the first time this key holds this unusable text.
    bool first(const QString &key, const QString &text)
    {
        const QString id = key + QLatin1Char('=') + QString::number(qHash(text)) + QLatin1Char('/')
            + QString::number(text.size());
        if (told.contains(id))
            return false;
        told.insert(id);
        return true;
    }
};

Problems &problems()
{
    static Problems p;
    return p;
}

} // namespace

QString filePath()
{
    return folder() + QLatin1Char('/') + QString::fromLatin1(Application) + QStringLiteral(".conf");
}

QString earlierFilePath()
{
    return folder() + QLatin1Char('/') + QString::fromLatin1(Application) + QStringLiteral(".ini");
}

namespace {

// The value of key, checked. The problem of an unusable value waits for takeProblems() unless
// the caller reports it.
Read checked(const QString &key, const QString &defaultValue, bool callerReports)
{
    const std::optional<QString> text = wholeText(store().value(fullKey(key)));
    if (!text)
        return Read {defaultValue, std::nullopt};
    std::optional<QString> problem = SettingsValues::problem(key, *text);
    if (!problem)
        return Read {*text, std::nullopt};
    if (problems().first(key, *text) && !callerReports)
        problems().waiting << *problem;
    return Read {QString(), std::move(problem)};
}

} // namespace

Read read(const QString &key, const QString &defaultValue)
{
    return checked(key, defaultValue, true);
}

QString get(const QString &key, const QString &defaultValue)
{
    const Read value = checked(key, defaultValue, false);
    return value.problem ? defaultValue : value.text;
}

QStringList takeProblems()
{
    return std::exchange(problems().waiting, QStringList());
}

void save(const QString &key, const QString &value)
{
    auto s = store();
    s.setValue(fullKey(key), value);
    s.sync();
}

bool contains(const QString &key)
{
    return store().contains(fullKey(key));
}

void remove(const QString &key)
{
    auto s = store();
    s.remove(fullKey(key));
    s.sync();
}

QString gmtOffset()
{
    return get(QString::fromLatin1(GmtOffsetKey), QString());
}

} // namespace SettingsStore
