#include "ui/main/portstartup.h"

#include "core/radio/cattables.h"
#include "core/radio/commport.h"
#include "core/radio/radiostate.h"
#include "core/settings/settingsstore.h"

namespace PortStartup {

namespace {
const QString portKey = QStringLiteral("CommPort");
}

void setInitialState(RadioState &state)
{
    state.Freq = QStringLiteral("999999999");
    state.StartupCommands = Cat::startupCommands();
    state.DownloadSwitch = 0;
    state.VDValue = QStringLiteral("0000");
    state.KSValue = QStringLiteral("000");
    state.MGValue = QStringLiteral("000");
    state.PCValue = QStringLiteral("000");
    state.VGValue = QStringLiteral("000");
    state.GMTOffset = SettingsStore::gmtOffset();
}

StoredPortGuard::StoredPortGuard(QString portInPlaceOfStored)
    : m_simulated(std::move(portInPlaceOfStored))
    , m_hadPort(SettingsStore::contains(portKey))
    , m_oldPort(SettingsStore::get(portKey, QString()))
{
}

StoredPortGuard::~StoredPortGuard()
{
    // The simulated radio's pseudo-terminal lives only as long as this run.
    if (m_simulated.isEmpty() || SettingsStore::get(portKey, QString()) != m_simulated)
        return;
    if (m_hadPort)
        SettingsStore::save(portKey, m_oldPort);
    else
        SettingsStore::remove(portKey);
}

std::optional<QString> applyStored(CommPort &port, const QString &portInPlaceOfStored)
{
    const QString settings = SettingsStore::get(QStringLiteral("Settings"), QString());
    if (!settings.isEmpty() && !port.setSettings(settings))
        return port.lastError();

    const QString commPort = portInPlaceOfStored.isEmpty() ? SettingsStore::get(portKey, QString())
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
