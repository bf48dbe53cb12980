// The logbook's rows as ADIF records and back.
//
// Export: one record per contact with CALL, QSO_DATE and TIME_ON (UTC, from the GMT cell), FREQ
// in MHz to the hertz ("7.050600"), BAND from the frequency, MODE and SUBMODE (AdifModes) and
// COMMENT from the description. A contact without a call sign or without a time in its GMT cell
// is left out and named: ADIF has no record without them.
//
// Import: every record is checked before any row is made. CALL, QSO_DATE (YYYYMMDD) and
// TIME_ON (HHMM or HHMMSS) must be there and readable, and FREQ, when given, a number of
// megahertz; CALL, MODE, SUBMODE and COMMENT must hold no control characters (tabs and line
// ends aside); the first record that fails names its line and nothing is imported. Fields the
// logbook has no column for are ignored. The local time is worked out from GMT by the rule the
// stamp uses the other way round: the operator's typed offset, or the computer's time zone on
// the contact's date.
//
// A record counts as already in the logbook, and is skipped and named, when a row (or an
// earlier record of the same file) has the same call sign (upper and lower case alike), the same
// GMT time to the minute, the same band (from the frequency, or the record's BAND when it gives
// no FREQ) and the same mode. The comment plays no part: the same contact with another comment
// is still the same contact.
#pragma once

#include "core/exchange/fileproblem.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimeZone>
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

// existing: the logbook's rows as stored. gmtOffset: the radio state's GMTOffset; zone: the
// computer's time zone, used when no offset is typed.
Import read(const QByteArray &bytes, const QList<QStringList> &existing, const QString &gmtOffset,
            const QTimeZone &zone = QTimeZone::systemTimeZone());

} // namespace LogbookAdif
