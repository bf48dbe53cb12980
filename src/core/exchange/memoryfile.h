// The memory table's CSV export and import, from the file to the table (MemoryCsv holds the
// format). The import reads and checks the whole file, keeps the table as a snapshot
// ("before importing <file>") and then writes the channels in one transaction.
#pragma once

#include "core/exchange/exchangeoutcome.h"

#include <QString>

class Database;

namespace MemoryFile {

ExchangeOutcome exportTo(Database &memory, const QString &path);
ExchangeOutcome importFrom(Database &memory, const QString &path);

// Channel numbers as ranges: {0, 1, 2, 5, 7, 8} gives "00-02, 05, 07-08".
QString channelRanges(const QList<int> &channels);

} // namespace MemoryFile
