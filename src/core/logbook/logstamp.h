// The cells the logbook's Date/Time/Freq/Mode button writes into a row: the local time, GMT,
// the radio's frequency and mode, read from the radio state and the computer's clock.
#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace LogStamp {

struct Cells
{
    QString local; // stored form (LogTime)
    QString gmt;
    // Nothing while the radio has not reported a frequency: the Frequency and Mode cells are
    // then left as they are.
    std::optional<QString> frequency;
    // Nothing also for a mode code outside the radio's table.
    std::optional<QString> mode;
};

// The radio state's frequency (kilohertz text) in hertz, or nothing while the radio has not
// reported one: the start value "999999999", text that is not a plain number of kilohertz,
// zero, or more than the radio's 11-digit field holds.
std::optional<qint64> reportedHz(const QString &freq);

// Everything the stamp writes, from one reading of the clock: local is the present instant, its
// wall-clock reading the local time; GMT as the main window's clock works it out from gmtOffset
// (the radio state's GMTOffset: the typed setting, or blank for the computer's time zone). The
// frequency is kilohertz with thousands grouped and as many decimals as it needs ("7,050.6"); the
// mode its name, " " for codes "0" and "8".
Cells cells(const QDateTime &local, const QString &gmtOffset, const QString &freq,
            const QString &mode);

} // namespace LogStamp
