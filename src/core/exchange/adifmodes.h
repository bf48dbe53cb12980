// The logbook's mode names and ADIF's MODE and SUBMODE, both ways, as one table.
//
// LSB and USB are SSB with SUBMODE LSB or USB; CW and CW-R are CW; FSK and FSK-R are RTTY; AM
// and FM keep their names. ADIF has no reversed CW or RTTY, so an export also writes the name in
// the logbook's own field APP_VANTELO_MODE, which an import prefers whenever it agrees with MODE.
// A mode the logbook has no name for (FT8, or FT4 as SUBMODE of MFSK) is kept in the Mode cell as
// ADIF writes it (SUBMODE when there is one, else MODE) and goes back out the same way.
#pragma once

#include <QString>
#include <optional>

namespace AdifModes {

// The application-defined field that carries the logbook's own mode name.
inline constexpr const char *AppModeField = "APP_VANTELO_MODE";

struct Adif
{
    QString mode; // empty: the cell holds no mode, no MODE field is written
    QString submode;
};

// The ADIF fields for a Mode cell.
Adif fromCell(const QString &cell);

// The Mode cell for a record's MODE, SUBMODE and APP_VANTELO_MODE (any case). SSB without
// SUBMODE is USB from 10 MHz up and on 60 m, else LSB (hz: the record's frequency, if known).
// No MODE gives " ".
QString toCell(const QString &mode, const QString &submode, const QString &appMode,
               std::optional<qint64> hz);

// The cell is one of the logbook's own names (" " included).
bool isOwnName(const QString &cell);

} // namespace AdifModes
