// The start-up's first steps: the radio state's start values, and the stored port settings
// ("Settings", "CommPort", "Handshaking") applied to the port before it is opened.
#pragma once

#include <QString>
#include <optional>

class CommPort;
struct RadioState;

namespace PortStartup {

// The values the radio state starts from before the radio is read: no frequency known yet
// ("999999999"), the start-up query list, no download running, the levels at zero and the GMT
// offset stored in the settings.
void setInitialState(RadioState &state);

// While it lives, the simulated radio's device (portInPlaceOfStored, when not empty) cannot end
// up stored as the radio's port: a "CommPort" that equals it when the guard ends is put back
// as it was (removed when there was none). A real port stored meanwhile stays.
class StoredPortGuard
{
public:
    explicit StoredPortGuard(QString portInPlaceOfStored);
    ~StoredPortGuard();
    StoredPortGuard(const StoredPortGuard &) = delete;
    StoredPortGuard &operator=(const StoredPortGuard &) = delete;

private:
    QString m_simulated;
    bool m_hadPort = false;
    QString m_oldPort;
};

// Applies every stored value that is not empty, in the order settings text, port, handshaking.
// portInPlaceOfStored, when not empty, is used instead of the stored "CommPort" (the simulated
// radio's device); the store is only read. Returns the error text of the first value the port
// refused (start-up ends there and the port stays closed), or nothing when all were taken.
// A refused port is reported whether or not a handshaking value is stored.
std::optional<QString> applyStored(CommPort &port, const QString &portInPlaceOfStored = {});

} // namespace PortStartup
