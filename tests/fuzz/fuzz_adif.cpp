// The logbook's ADIF import: any bytes as a file, checked against a logbook that holds one
// contact. Rules: nothing crashes; a refused file gives no rows and names a line that is in
// it; the rows of a file taken, written out again, are read back unchanged.
#include "core/exchange/logbookadif.h"
#include "fuzz/fuzzcheck.h"

#include <QDateTime>

namespace {

// What a round trip keeps: a description of blanks only is not written (ADIF has no use for
// an empty COMMENT), and a mode the file wrote in its own way ("SSB" without a submode) may
// come back as the logbook names it ("LSB"), so the mode is left out of the comparison.
QList<QStringList> asWritten(QList<QStringList> rows)
{
    for (QStringList &row : rows) {
        if (row.value(5).trimmed().isEmpty())
            row[5].clear();
        row[3].clear();
    }
    return rows;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QList<QStringList> Logbook {
        {"2026-12-06T19:05:07", "2026-12-06T09:05:07", "14,195.5", "USB", "K1ABC", "first"}};
    static const QString Offset = QStringLiteral("+10");
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const LogbookAdif::Import in = LogbookAdif::read(bytes, Logbook, Offset);
    if (in.problem) {
        require(in.rows.isEmpty() && in.skipped.isEmpty(), "a refused file gives no rows");
        require(in.problem->line >= 0 && in.problem->line <= bytes.count('\n') + 1,
                "a refusal names a line of the file");
        require(!in.problem->text.isEmpty(), "a refusal says what is wrong");
        return 0;
    }
    require(in.rows.size() + in.skipped.size() <= in.records, "no more rows than records");
    const QByteArray written
        = LogbookAdif::write(in.rows, QDateTime(QDate(2026, 12, 6), QTime(9, 0), Qt::UTC)).bytes;
    const LogbookAdif::Import again = LogbookAdif::read(written, {}, Offset);
    require(!again.problem, "the rows taken are written as a file that is taken");
    // The logbook keeps no band: two contacts told apart only by a BAND field may come back as
    // one contact and its repetition.
    require(again.rows.size() + again.skipped.size() == in.rows.size(),
            "and read back as many");
    const QList<QStringList> sent = asWritten(in.rows);
    for (const QStringList &row : asWritten(again.rows))
        require(sent.contains(row), "each one unchanged");
    return 0;
}
