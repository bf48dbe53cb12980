// A table of the data layer as an editable model. Edits wait in the model until save() writes
// them all in one transaction; the order is the order rows were added unless sortBy() chose a
// column.
#pragma once

#include <QSqlTableModel>

class Database;

class TableModel : public QSqlTableModel
{
    Q_OBJECT
public:
    // The database must be open before attach().
    explicit TableModel(Database &database, QObject *parent = nullptr);

    // Binds the model to its table; false when the table cannot be read (see lastError()).
    bool attach();

    // The plain order: as the rows were added.
    void sortByKey();
    // Ascending by one column (text without regard to case); ties keep the plain order.
    void sortBy(int column);
    int keyColumn() const;

    // Reads rows from the database until row is loaded (or all of them, for -1).
    void fetchUpTo(int row);
    // The number of rows in the table, reading all of them.
    int allRowCount();

    // The operator's cells of a row, in column order (empty for a row that is not there).
    QStringList rowCells(int row) const;
    // Changes the row's cells in the model (saved by save()). False for a row that is not there.
    bool setRowCells(int row, const QStringList &cells);

    // Writes every pending change in one transaction. On failure nothing is written, the
    // pending changes are dropped, the model shows the table as it is stored and *error says
    // why.
    bool save(QString *error);

    Qt::ItemFlags flags(const QModelIndex &index) const override;

protected:
    QString orderByClause() const override;

private:
    Database &m_database;
    int m_sortColumn = -1;
};
