// The memory table's channels as a CHIRP channel list and back. Row i of the table is channel
// i, CHIRP's Location i.
//
// Export: a channel with a receive frequency becomes one line: its transmit frequency, when it
// has one, as Duplex "split" with Offset holding that frequency; its tone as Tone "Tone" with
// rToneFreq; its mode by ChirpCsv's names; its description as Name; Skip "S" when its Scan cell
// is blank, and the scan code in Comment otherwise. Empty channels are not written (CHIRP leaves
// them out too). A channel with a cell of no defined form is left out and named; the 1750 Hz
// tone burst, which CHIRP has no tone for, is written as no tone and named.
//
// Import: each line goes to the row of its Location (0 to 99); rows of Locations the file does
// not name are not touched. Duplex "+" and "-" become a transmit frequency the offset away.
// Refused, with the line named: a Location outside the table or given twice, no frequency or
// one beyond the radio's 11 digits, a mode a channel cannot hold (NFM, DV...), Duplex "off",
// tone modes other than "Tone", and tones outside the radio's table. A channel neither skipped
// nor carrying a scan code gets the scan code "A", so that the memory scan visits it as CHIRP
// would.
#pragma once

#include "core/exchange/fileproblem.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

namespace MemoryCsv {

// Rows hold the memory table's cells in column order: Mem, FreqMain, FreqSplit, Mode, Tone,
// Description, Scan.

struct Export
{
    QByteArray bytes;
    int written = 0;
    int empty = 0; // channels without a receive frequency, not written
    QStringList leftOut; // "channel 12: FreqMain \"14,2x\" is no frequency"
    QStringList notes; // written in part
};

Export write(const QList<QStringList> &rows);

struct Import
{
    std::optional<FileProblem> problem; // set: no rows are given
    QMap<int, QStringList> rows; // by row (channel) number
};

// channelCount: the rows the table has.
Import read(const QByteArray &bytes, int channelCount);

} // namespace MemoryCsv
