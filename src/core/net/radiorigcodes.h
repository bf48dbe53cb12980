// How the rigctld protocol's values read in the radio's own terms: mode digits, filter width
// codes and the status word's fields the radio state does not keep.
#pragma once

#include "core/net/rigtypes.h"

#include <QByteArray>
#include <QStringView>

#include <optional>

namespace RadioRigCodes {

// The mode digit the radio uses ("MD2;" is USB); nullopt for a digit that names no mode.
char modeDigit(RigMode mode);
std::optional<RigMode> modeOf(QStringView digit);

// The passband in hertz that a filter width code stands for in a mode: CW and FSK codes are
// hertz, SSB, AM and FM have "0001" wide and "0000" narrow. Nullopt for a code the mode does
// not have.
std::optional<int> passbandOf(RigMode mode, QStringView code);
// The width code for one of the mode's passbands (RigCaps::passbands); nullopt for others.
std::optional<QByteArray> widthCode(RigMode mode, int passbandHz);

// The status word's transmit flag ("IF" reply, without ";"); nullopt when the text is no
// status word.
std::optional<bool> statusTransmitting(QStringView reply);

} // namespace RadioRigCodes
