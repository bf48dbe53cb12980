#include "core/logbook/logstamp.h"

#include "core/clock/clocktext.h"
#include "core/logbook/logtime.h"
#include "core/memory/memorycells.h"

namespace LogStamp {

std::optional<qint64> reportedHz(const QString &freq)
{
    // "999999999" has nine whole digits, more than the radio's field holds, so the frequency
    // cell's own reading refuses it with every other impossible value.
    if (freq.trimmed().contains(QLatin1Char(',')))
        return std::nullopt;
    const std::optional<qint64> hz = MemoryCells::frequencyHz(freq);
    if (!hz || *hz <= 0)
        return std::nullopt;
    return hz;
}

Cells cells(const QDateTime &local, const QString &gmtOffset, const QString &freq,
            const QString &mode)
{
    Cells c;
    c.local = LogTime::stored(local);
    c.gmt = LogTime::stored(ClockText::gmtWallClock(local, gmtOffset));
    if (const std::optional<qint64> hz = reportedHz(freq)) {
        c.frequency = MemoryCells::frequencyCell(*hz);
        if (mode.size() == 1)
            c.mode = MemoryCells::modeCell(mode.at(0));
    }
    return c;
}

} // namespace LogStamp
