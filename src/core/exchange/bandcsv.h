// The band list as a CHIRP channel list and back.
//
// Export: each row with a frequency becomes a line: Location counts the rows from 0, Name holds
// the description, the mode goes by ChirpCsv's names. A row without a frequency, or with a
// cell of no defined form, is left out and named.
//
// Import: the lines become rows in the order of the file, appended to the list. Refused, with
// the line named: no frequency or one beyond the radio's 11 digits, and a mode the list cannot
// hold. A split or a tone, which the band list has no column for, is left behind and counted.
#pragma once

#include "core/exchange/fileproblem.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace BandCsv {

// Rows hold the band list's cells in column order: Frequency, Mode, Description.

struct Export
{
    QByteArray bytes;
    int written = 0;
    QStringList leftOut; // "row 3: no frequency"
};

Export write(const QList<QStringList> &rows);

struct Import
{
    std::optional<FileProblem> problem; // set: no rows are given
    QList<QStringList> rows; // to append, in file order
    int leftBehind = 0; // lines whose split or tone was not kept
};

Import read(const QByteArray &bytes);

} // namespace BandCsv
