// The logbook's ADIF export and import, from the file to the table (LogbookAdif holds the
// format). The import reads and checks the whole file before the logbook is touched and adds
// its rows in one transaction.
#pragma once

#include "core/exchange/exchangeoutcome.h"

#include <QDateTime>
#include <QString>

class Database;

namespace LogbookFile {

// Writes every contact of the stored logbook to path.
ExchangeOutcome exportTo(Database &logbook, const QString &path, const QDateTime &created);

// Adds the contacts of the file at path, skipping those already in the logbook. gmtOffset: the
// radio state's GMTOffset, from which the local times are worked out.
ExchangeOutcome importFrom(Database &logbook, const QString &path, const QString &gmtOffset);

} // namespace LogbookFile
