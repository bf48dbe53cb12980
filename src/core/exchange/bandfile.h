// The band list's CSV export and import, from the file to the table (BandCsv holds the
// format). The import reads and checks the whole file before the list is touched and adds its
// rows in one transaction.
#pragma once

#include "core/exchange/exchangeoutcome.h"

#include <QString>

class Database;

namespace BandFile {

ExchangeOutcome exportTo(Database &bands, const QString &path);
ExchangeOutcome importFrom(Database &bands, const QString &path);

} // namespace BandFile
