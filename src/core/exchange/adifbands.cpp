#include "core/exchange/adifbands.h"

namespace AdifBands {

namespace {

struct Band
{
    const char *name;
    qint64 lowerHz;
    qint64 upperHz;
};

constexpr qint64 kHz = 1000;
constexpr qint64 MHz = 1000 * kHz;

// The enumeration as ADIF 3.1.4 lists it (lower and upper edge in MHz there).
constexpr Band Bands[] = {
    {"2190m", 135700, 137800},
    {"630m", 472 * kHz, 479 * kHz},
    {"560m", 501 * kHz, 504 * kHz},
    {"160m", 1800 * kHz, 2 * MHz},
    {"80m", 3500 * kHz, 4 * MHz},
    {"60m", 5060 * kHz, 5450 * kHz},
    {"40m", 7 * MHz, 7300 * kHz},
    {"30m", 10100 * kHz, 10150 * kHz},
    {"20m", 14 * MHz, 14350 * kHz},
    {"17m", 18068 * kHz, 18168 * kHz},
    {"15m", 21 * MHz, 21450 * kHz},
    {"12m", 24890 * kHz, 24990 * kHz},
    {"10m", 28 * MHz, 29700 * kHz},
    {"8m", 40 * MHz, 45 * MHz},
    {"6m", 50 * MHz, 54 * MHz},
    {"5m", 54 * MHz + 1, 69900 * kHz},
    {"4m", 70 * MHz, 71 * MHz},
    {"2m", 144 * MHz, 148 * MHz},
    {"1.25m", 222 * MHz, 225 * MHz},
    {"70cm", 420 * MHz, 450 * MHz},
    {"33cm", 902 * MHz, 928 * MHz},
    {"23cm", 1240 * MHz, 1300 * MHz},
    {"13cm", 2300 * MHz, 2450 * MHz},
    {"9cm", 3300 * MHz, 3500 * MHz},
    {"6cm", 5650 * MHz, 5925 * MHz},
    {"3cm", 10000 * MHz, 10500 * MHz},
    {"1.25cm", 24000 * MHz, 24250 * MHz},
    {"6mm", 47000 * MHz, 47200 * MHz},
    {"4mm", 75500 * MHz, 81000 * MHz},
    {"2.5mm", 119980 * MHz, 123000 * MHz},
    {"2mm", 134000 * MHz, 149000 * MHz},
    {"1mm", 241000 * MHz, 250000 * MHz},
    {"submm", 300000 * MHz, 7500000 * MHz},
};

} // namespace

QString bandOf(qint64 hz)
{
    for (const Band &band : Bands) {
        if (hz >= band.lowerHz && hz <= band.upperHz)
            return QLatin1String(band.name);
    }
    return QString();
}

} // namespace AdifBands
