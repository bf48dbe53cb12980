// Comma-separated text as spreadsheets and CHIRP write it (RFC 4180): cells split by ",", a
// cell in double quotes may hold commas, line ends and quotes written twice (""). Records end
// with CR LF or LF.
#pragma once

#include "core/exchange/fileproblem.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

struct CsvRecord
{
    int line = 0; // where it starts
    QStringList cells;
};

struct CsvRead
{
    std::optional<FileProblem> problem; // set: no records are given
    QList<CsvRecord> records; // empty lines are left out
};

namespace CsvText {

CsvRead read(const QString &text);

// One record without its line end: cells holding a comma, a quote or a line end are quoted.
QString line(const QStringList &cells);

// A free-text cell (a name, a comment) as it is written, so that a spreadsheet opening the file
// never takes it for a formula: text that begins with "=", "+", "-", "@", a tab or a carriage
// return, after any number of "'", gets one "'" in front ("=cmd" is written "'=cmd").
QString guarded(const QString &text);
// The text of a free-text cell read: the one "'" guarded() put in front is taken away again, so
// that a round trip keeps the text ("'=cmd" reads "=cmd", "'quoted'" stays as it is).
QString unguarded(const QString &cell);

} // namespace CsvText
