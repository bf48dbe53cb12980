// A table's rows read and written in bulk, for the imports and exports. Rows are in the order
// they were added (the key order), cells in the table's column order. Each write is one
// transaction: on failure nothing is written and *error says why.
#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

class Database;

namespace TableRows {

// The stored rows (the database must be open).
std::optional<QList<QStringList>> all(Database &database, QString *error);

// Adds the rows at the end.
bool append(Database &database, const QList<QStringList> &rows, QString *error);

// Writes each row over the row at its position (0 for the first row in key order). A position
// the table does not have fails the whole write.
bool replace(Database &database, const QMap<int, QStringList> &rows, QString *error);

} // namespace TableRows
