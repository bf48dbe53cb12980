// Reading an ADIF file in its ADI form: an optional header of free text and fields up to
// <EOH>, then records of fields ended by <EOR>. A field is <NAME:LENGTH> or <NAME:LENGTH:TYPE>
// followed by exactly LENGTH characters of data, which may hold "<", ">" and line ends. Names
// are read in any case. Text between fields is ignored; a "<" there must begin a field, <EOR>
// or <EOH>.
//
// Lengths count bytes. The values are UTF-8 when the whole file is valid UTF-8, else Latin-1.
#pragma once

#include "core/exchange/fileproblem.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

struct AdifRecord
{
    int line = 0; // where its first field starts
    QHash<QString, QString> fields; // by upper-case name; of a name given twice, the first
};

struct AdifContent
{
    QHash<QString, QString> header;
    QList<AdifRecord> records; // records without fields are left out
};

struct AdifRead
{
    std::optional<FileProblem> problem; // the first thing wrong; nothing else is then given
    AdifContent content;
};

namespace AdifReader {

AdifRead read(const QByteArray &bytes);

} // namespace AdifReader
