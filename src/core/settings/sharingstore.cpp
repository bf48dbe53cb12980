#include "core/settings/sharingstore.h"

#include "core/settings/settingsstore.h"

namespace SharingStore {

namespace {

const QString EnabledKey = QStringLiteral("ShareRadio");
const QString AddressKey = QStringLiteral("ShareAddress");
const QString PortKey = QStringLiteral("SharePort");

} // namespace

std::optional<quint16> portNumber(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > 5)
        return std::nullopt;
    for (QChar c : trimmed) {
        if (!c.isDigit() || c.unicode() > 127)
            return std::nullopt;
    }
    const int value = trimmed.toInt();
    if (value < 1 || value > 65535)
        return std::nullopt;
    return quint16(value);
}

SharingSettings load()
{
    SharingSettings settings;
    settings.enabled = SettingsStore::get(EnabledKey, QStringLiteral("0")) == QLatin1String("1");
    const QString address = SettingsStore::get(AddressKey, settings.address).trimmed();
    if (!address.isEmpty())
        settings.address = address;
    settings.port
        = portNumber(SettingsStore::get(PortKey, QString())).value_or(RigctlServer::DefaultPort);
    return settings;
}

void save(const SharingSettings &settings)
{
    SettingsStore::save(EnabledKey, settings.enabled ? QStringLiteral("1") : QStringLiteral("0"));
    SettingsStore::save(AddressKey, settings.address);
    SettingsStore::save(PortKey, QString::number(settings.port));
}

} // namespace SharingStore
