// Reading an ADIF file in its ADI form: an optional header of free text and fields up to
// <EOH>, then records of fields ended by <EOR>. A field is <NAME:LENGTH> or <NAME:LENGTH:TYPE>
// followed by exactly LENGTH characters of data, which may hold "<", ">" and line ends. Names
// are read in any case. Text between fields is ignored; a "<" there must begin a field, <EOR>
// or <EOH>.
//
// Lengths count bytes. The values are UTF-8 when the whole file is valid UTF-8, else Latin-1.
// The file is read in one pass that keeps only the record being read (AdifStream).
#pragma once

#include "core/exchange/fileproblem.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <memory>
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

// The whole file at once (records kept in memory; for small files and tests).
AdifRead read(const QByteArray &bytes);

} // namespace AdifReader

// The records of a file one after the other, none of them kept: what a large import needs.
// The bytes must outlive the stream.
class AdifStream
{
public:
    explicit AdifStream(QByteArrayView bytes);
    ~AdifStream();
    AdifStream(const AdifStream &) = delete;
    AdifStream &operator=(const AdifStream &) = delete;

    // The next record with fields; nothing at the end of the file or at the first thing wrong
    // with it (problem() then says what).
    std::optional<AdifRecord> next();
    const std::optional<FileProblem> &problem() const;
    // The header's fields, complete once the first record has been given.
    const QHash<QString, QString> &header() const;

private:
    std::unique_ptr<class AdifStreamReader> m_reader;
};
