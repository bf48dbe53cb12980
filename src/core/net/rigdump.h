// The \dump_state and \dump_caps texts, one line per entry, read from rigcaps.h.
//
// \dump_state is what Hamlib 4's network client ("rigctl -m 2") reads when it connects, line by
// line and in this order: protocol version "1", model, ITU region, receive ranges and transmit
// ranges (start, end, modes, low and high power in mW, VFOs, antennas; each list ended by
// "0 0 0 0 0 0 0"), tuning steps and filters (modes and hertz; each ended by "0 0"), max RIT,
// max XIT, max IF shift, announcements, preamp and attenuator lists, the get/set function,
// level and parameter masks, then "key=value" lines up to "done". That client reads a line into
// a small buffer, so no line here runs long.
#pragma once

#include <QByteArrayList>

namespace RigDump {

QByteArrayList stateLines();
QByteArrayList capsLines();

} // namespace RigDump
