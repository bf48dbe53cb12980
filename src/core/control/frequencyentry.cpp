#include "core/control/frequencyentry.h"

#include "core/radio/cat.h"

#include <QLocale>
#include <cmath>

FrequencyEntry readFrequencyEntry(const QString &text)
{
    // Only text that starts with a non-zero number counts as an attempt at a frequency.
    if (Cat::readDecimal(text) == 0.0)
        return {};

    // The whole text as a number: English conventions, as the prompt's own example shows
    // ("26,600" with the comma grouping thousands).
    bool ok = false;
    const double khz = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(khz))
        return {FrequencyEntry::Kind::NotAFrequency, 0};

    const double hz = std::round(khz * 1000.0);
    if (hz < 0.0 || hz > double(Cat::MaxFrequencyHz))
        return {FrequencyEntry::Kind::OutOfRange, 0};
    return {FrequencyEntry::Kind::Frequency, qint64(hz)};
}
