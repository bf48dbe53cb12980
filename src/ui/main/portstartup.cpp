#include "ui/main/portstartup.h"

#include "core/radio/commport.h"
#include "core/settings/settingsstore.h"

namespace PortStartup {

std::optional<QString> applyStored(CommPort &port, const QString &portInPlaceOfStored)
{
    const QString settings = SettingsStore::get(QStringLiteral("Settings"), QString());
    if (!settings.isEmpty() && !port.setSettings(settings))
        return port.lastError();

    const QString commPort = portInPlaceOfStored.isEmpty()
        ? SettingsStore::get(QStringLiteral("CommPort"), QString())
        : portInPlaceOfStored;
    if (!commPort.isEmpty() && !port.setCommPort(commPort))
        return port.lastError();

    const QString handshaking = SettingsStore::get(QStringLiteral("Handshaking"), QString());
    if (!handshaking.isEmpty()) {
        bool isNumber = false;
        const int code = handshaking.trimmed().toInt(&isNumber);
        if (!isNumber)
            return QStringLiteral("The stored handshaking value \"%1\" is not a number.")
                .arg(handshaking);
        if (!port.setHandshaking(code))
            return port.lastError();
    }
    return std::nullopt;
}

} // namespace PortStartup
