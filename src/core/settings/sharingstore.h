// The stored choice of sharing the radio over the network: keys "ShareRadio" ("1" on),
// "ShareAddress" and "SharePort" in the settings store. Anything unreadable reads as the
// default (off, 127.0.0.1, 4532).
#pragma once

#include "core/net/radiosharing.h"

namespace SharingStore {

SharingSettings load();
void save(const SharingSettings &settings);
// A TCP port number as typed or given on the command line: 1 to 65535, digits only.
std::optional<quint16> portNumber(const QString &text);

} // namespace SharingStore
