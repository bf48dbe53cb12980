// The five tables as data: each one's file, table, columns and the ordered schema steps that
// build it. A new step goes at the end of a table's list; PRAGMA user_version in the file
// counts the steps that have run there.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QSqlQuery;

class QSqlDatabase;
struct TableSchema;

// One numbered change of a table's file. It runs inside its own transaction and returns an
// empty text on success, otherwise the error's text.
using SchemaStep = std::function<QString(QSqlDatabase &db, const TableSchema &table)>;

struct TableSchema
{
    QString fileName; // in the data folder, "memory.sqlite"
    QString tableName; // "Memory"
    QStringList columns; // the operator's columns in grid order; all hold text
    QList<SchemaStep> steps;
};

// Every table also carries this integer key after its own columns. It keeps the rows in the
// order they were added and lets one of two identical rows be changed or deleted alone. The
// windows never show it.
inline constexpr const char *KeyColumn = "Id";

// Tables that keep copies of a table's rows are named after it: "MemorySnapshot" and
// "MemorySnapshotRow".
inline constexpr const char *SnapshotSuffix = "Snapshot";
inline constexpr const char *SnapshotRowSuffix = "SnapshotRow";

namespace Tables {

const TableSchema &memory(); // memory.sqlite, 100 channels
const TableSchema &band(); // Band.sqlite
const TableSchema &scan(); // Scan.sqlite
const TableSchema &logging(); // Logging.sqlite
const TableSchema &menu(); // Menu.sqlite

// An SQL identifier in double quotes.
QString quoted(const QString &name);

// The rows an executed query still has to give, each as its first `columns` values in text.
QList<QStringList> cellRows(QSqlQuery &query, qsizetype columns);

} // namespace Tables

namespace SchemaSteps {

// Creates the table: its columns as text, then the key.
SchemaStep createTable();
// Creates the table and adds the rows. Cells are in column order; cells missing at the end of a
// row get a single blank.
SchemaStep createTableWithRows(QList<QStringList> rows);
// Adds the rows only when the table is empty, so that examples never land among the
// operator's own rows.
SchemaStep seedRows(QList<QStringList> rows);
// Creates the two tables that keep copies of the table's rows (TableSnapshots): one row per
// copy in "<Table>Snapshot", its rows in "<Table>SnapshotRow".
SchemaStep createSnapshotTables();

// Channels "00" to "99" (the Mem cell only, so every other cell gets a single blank).
QList<QStringList> memoryChannelRows();
// The band list of a new user: one row per HF band from 160 m to 10 m.
QList<QStringList> bandRows();
// The scan ranges of a new user: a few example ranges.
QList<QStringList> scanRows();

} // namespace SchemaSteps
