// The kilohertz texts of the table cells and the radio state, both ways. The input is read as
// a cell's text and, its first eight bytes, as a number of hertz. Rules: nothing crashes, a
// cell read as a frequency reads the same again after it is written back, and hertz written
// as kilohertz read back to the same hertz.
#include "core/bands/scanrange.h"
#include "core/exchange/decimaltext.h"
#include "core/memory/memorycells.h"
#include "core/radio/cat.h"
#include "fuzz/fuzzcheck.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));

    if (const std::optional<qint64> hz = MemoryCells::frequencyHz(text); hz && *hz > 0)
        require(MemoryCells::frequencyHz(MemoryCells::frequencyCell(*hz)) == hz,
                "a frequency cell reads the same after it is written back");
    for (int decimals = 0; decimals <= 6; decimals += 3) {
        if (const std::optional<qint64> units = DecimalText::units(text, decimals))
            require(DecimalText::units(DecimalText::fixed(*units, decimals), decimals) == units,
                    "a decimal reads the same after it is written back");
    }
    (void)Cat::readNumber(text);
    (void)Cat::readDecimal(text);
    (void)Cat::khzToHz(text);
    (void)MemoryCells::modeDigit(text);
    (void)MemoryCells::tone(text);
    const QStringList cells = text.split(QLatin1Char('|'));
    QString refusal;
    if (const auto range = ScanRange::fromRow(ScanRow::fromCells(cells), 1, &refusal))
        require(range->startHz >= 0 && range->stepHz >= 0 && range->pauseMs >= 0,
                "a scan range taken is not negative");

    if (size >= sizeof(qint64)) {
        qint64 hz = 0;
        std::memcpy(&hz, data, sizeof hz);
        hz = hz < 0 ? -(hz + 1) : hz;
        hz %= Cat::MaxFrequencyHz + 1;
        require(Cat::khzToHz(Cat::khzText(hz)) == hz, "hertz read back from kilohertz text");
        if (hz > 0)
            require(MemoryCells::frequencyHz(Cat::khzCell(hz)) == hz,
                    "hertz read back from a cell");
        (void)Cat::formatFreqHz(hz);
    }
    return 0;
}
