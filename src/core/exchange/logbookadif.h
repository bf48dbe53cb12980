// The logbook's rows as ADIF records and back.
//
// Export: one record per contact with CALL, QSO_DATE and TIME_ON (UTC, from the GMT cell), FREQ
// in MHz to the hertz ("7.050600"), BAND from the frequency, MODE and SUBMODE (AdifModes) and
// COMMENT from the description. A contact without a call sign or without a time in its GMT cell
// is left out and named: ADIF has no record without them.
//
// Import: every record is checked before its row is made, in one pass over the file. CALL, QSO_DATE
// (YYYYMMDD) and TIME_ON (HHMM or HHMMSS) must be there and readable, and FREQ, when given, a
// number of megahertz; CALL, MODE, SUBMODE and COMMENT must hold no control characters (tabs and
// line ends aside); the first record that fails names its line and nothing is imported. Fields the
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
#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimeZone>
#include <functional>
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

// The most skipped records an import names; the others are counted.
inline constexpr int NamedSkips = 100;

struct Import
{
    std::optional<FileProblem> problem; // set: nothing else is given
    int records = 0; // in the file
    int added = 0; // rows made
    QList<QStringList> rows; // to be appended, in file order (read() only)
    int skippedCount = 0;
    QStringList skipped; // "line 40 (DL1ABC, 06 Dec 2026 9:05:07 GMT) is already in the logbook"
    QStringList notes;
};

// A 128-bit digest of what makes two contacts the same.
struct Digest
{
    quint64 high = 0;
    quint64 low = 0;
    bool operator==(const Digest &) const = default;
};
size_t qHash(const Digest &digest, size_t seed = 0);

// What the logbook holds already, for the test of each record: a digest of each contact's call
// sign, minute, band and mode rather than its row, so that a logbook of a million contacts
// takes some 40 MB here.
class Known
{
public:
    void addLogged(const QStringList &row);
    bool contains(const Digest &digest) const { return m_logged.contains(digest); }

private:
    QSet<Digest> m_logged;
};

// Reads the file in one pass that keeps only what the rows and the message need: each record
// is checked and its row handed to take, in file order, as soon as it is made. take returning
// false ends the import (its write failed; problem stays unset). On a problem the caller drops
// the rows it was given (they went into a transaction it rolls back). rows stays empty.
// gmtOffset: the radio state's GMTOffset; zone: the computer's time zone, used when no offset
// is typed.
Import stream(QByteArrayView bytes, const Known &known, const QString &gmtOffset,
              const QTimeZone &zone, const std::function<bool(const QStringList &row)> &take);

// The whole file at once: the rows come back in Import.rows. existing: the logbook's rows as
// stored.
Import read(const QByteArray &bytes, const QList<QStringList> &existing, const QString &gmtOffset,
            const QTimeZone &zone = QTimeZone::systemTimeZone());

} // namespace LogbookAdif
