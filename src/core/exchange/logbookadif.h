// The logbook's rows as ADIF records and back.
//
// Export: one record per contact with CALL, QSO_DATE and TIME_ON (UTC, from the GMT cell), FREQ
// in MHz to the hertz ("7.050600"), BAND from the frequency, MODE and SUBMODE (AdifModes) and
// COMMENT from the description. A contact without a call sign or without a time in its GMT cell
// is left out and named: ADIF has no record without them.
//
// Import: every record is checked before any row is made. CALL, QSO_DATE (YYYYMMDD) and
// TIME_ON (HHMM or HHMMSS) must be there and readable, and FREQ, when given, a number of
// megahertz; the first record that fails names its line and nothing is imported. Fields the
// logbook has no column for are ignored. The local time is GMT plus the operator's offset, the
// rule the stamp uses the other way round.
//
// A record counts as already in the logbook, and is skipped and named, when a row (or an
// earlier record of the same file) has the same GMT time to the second, the same call sign
// (upper and lower case alike), the same frequency to the hertz, the same mode and the same
// description.
#pragma once

#include "core/exchange/fileproblem.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace LogbookAdif {

// Rows hold the logbook's cells in column order: DateLocal, DateGMT, Frequency, Mode,
// CallSign, Description.

struct Export
{
    QByteArray bytes;
    int written = 0;
    QStringList leftOut; // "K1ABC at 06 Dec 2026 9:05:07 local time: no time in its GMT cell"
    QStringList notes; // cells written only in part
};

Export write(const QList<QStringList> &rows, const QDateTime &created);

struct Import
{
    std::optional<FileProblem> problem; // set: nothing else is given
    int records = 0; // in the file
    QList<QStringList> rows; // to be appended, in file order
    QStringList skipped; // "line 40 (DL1ABC, 06 Dec 2026 9:05:07 GMT) is already in the logbook"
    QStringList notes;
};

// existing: the logbook's rows as stored. gmtOffset: the radio state's GMTOffset.
Import read(const QByteArray &bytes, const QList<QStringList> &existing, const QString &gmtOffset);

} // namespace LogbookAdif
