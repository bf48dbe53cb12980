// ADIF's band enumeration (ADIF 3.1.4): each band's name with its edges, in hertz.
#pragma once

#include <QString>

namespace AdifBands {

// The band a frequency lies in, edges included ("40m" for 7,050,600 Hz); empty outside every
// band (a broadcast or utility frequency, or 0).
QString bandOf(qint64 hz);

} // namespace AdifBands
