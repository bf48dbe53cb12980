#include "ui/main/portstartup.h"

#include "core/radio/cattables.h"
#include "core/radio/commport.h"
#include "core/radio/radiostate.h"
#include "core/settings/settingsstore.h"

namespace PortStartup {

namespace {
const QString portKey = QStringLiteral("CommPort");

QString unusable(const QString &problem)
{
    return problem
        + QStringLiteral(" No port was opened: choose Communications > Properties... to select "
                         "the port the radio is connected to.");
}
} // namespace

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
    const SettingsStore::Read settings = SettingsStore::read(QStringLiteral("Settings"), QString());
    if (settings.problem)
        return unusable(*settings.problem);
    if (!settings.text.isEmpty() && !port.setSettings(settings.text))
        return port.lastError();

    const SettingsStore::Read commPort = portInPlaceOfStored.isEmpty()
        ? SettingsStore::read(portKey, QString())
        : SettingsStore::Read {portInPlaceOfStored, std::nullopt};
    if (commPort.problem)
        return unusable(*commPort.problem);
    if (!commPort.text.isEmpty() && !port.setCommPort(commPort.text))
        return port.lastError();

    const SettingsStore::Read handshaking
        = SettingsStore::read(QStringLiteral("Handshaking"), QString());
    if (handshaking.problem)
        return unusable(*handshaking.problem);
    if (!handshaking.text.isEmpty() && !port.setHandshaking(handshaking.text.trimmed().toInt()))
        return port.lastError();
    return std::nullopt;
}

} // namespace PortStartup
