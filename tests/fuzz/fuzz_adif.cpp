// The logbook's ADIF import: any bytes as a file, checked against a logbook that holds one
// contact. Rules: nothing crashes; a refused file gives no rows and names a line that is in
// it; the rows of a file taken, written out again, are read back whole and unchanged.
#include "core/exchange/logbookadif.h"
#include "fuzz/fuzzcheck.h"

#include <QDateTime>

namespace {

// A description of blanks only is not written (ADIF has no use for an empty COMMENT).
QList<QStringList> asWritten(QList<QStringList> rows)
{
    for (QStringList &row : rows) {
        if (row.value(5).trimmed().isEmpty())
            row[5].clear();
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
    require(again.rows == asWritten(in.rows), "and read back unchanged");
    return 0;
}
