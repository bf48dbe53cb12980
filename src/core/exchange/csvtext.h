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

} // namespace CsvText
