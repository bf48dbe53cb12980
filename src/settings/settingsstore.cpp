#include "settings/settingsstore.h"

#include <QDateTime>
#include <QSettings>

namespace SettingsStore {

namespace {
QString fullKey(const QString &key)
{
    return QString::fromLatin1(Section) + QLatin1Char('/') + key;
}
QSettings store()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QString::fromLatin1(Application),
                     QString::fromLatin1(Application));
}
} // namespace

QString get(const QString &key, const QString &defaultValue)
{
    const QVariant v = store().value(fullKey(key));
    return v.isValid() ? v.toString() : defaultValue;
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

QString localUtcOffsetHours()
{
    const int seconds = QDateTime::currentDateTime().offsetFromUtc();
    return QString::number(double(seconds) / 3600.0, 'g', 6);
}

QString gmtOffset()
{
    return contains(QStringLiteral("GMTOffset")) ? get(QStringLiteral("GMTOffset"), QString())
                                                 : localUtcOffsetHours();
}

} // namespace SettingsStore
