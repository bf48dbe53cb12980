// Applying the stored port settings ("Settings", "CommPort", "Handshaking") to the port at
// start-up, before it is opened.
#pragma once

#include <QString>
#include <optional>

class CommPort;

namespace PortStartup {

// Applies every stored value that is not empty, in the order settings text, port, handshaking.
// portInPlaceOfStored, when not empty, is used instead of the stored "CommPort" (the simulated
// radio's device); the store is only read. Returns the error text of the first value the port
// refused (start-up ends there and the port stays closed), or nothing when all were taken.
// A refused port is reported whether or not a handshaking value is stored.
std::optional<QString> applyStored(CommPort &port, const QString &portInPlaceOfStored = {});

} // namespace PortStartup
