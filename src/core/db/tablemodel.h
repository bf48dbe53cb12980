// A table of the data layer as an editable model. Edits wait in the model until save() writes
// them all in one transaction; the order is the order rows were added unless sortBy() chose a
// column.
#pragma once

#include <QHash>
#include <QSet>
#include <QSqlTableModel>
#include <functional>

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
    // Ascending by one column (text without regard to case, or by value for a column set
    // with setValueSorted); ties keep the plain order.
    void sortBy(int column);
    // The column holds numbers as text ("14,195.5", " " for none): it sorts by their value,
    // 7,074 before 21,450, text that is no number counting as 0.
    void setValueSorted(int column);
    int keyColumn() const;

    // Reads rows from the database until row is loaded (or all of them, for -1).
    void fetchUpTo(int row);
    // The number of rows in the table, reading all of them.
    int allRowCount();

    // The operator's cells of a row, in column order (empty for a row that is not there).
    QStringList rowCells(int row) const;
    // Changes the row's cells in the model (saved by save()). False for a row that is not there.
    bool setRowCells(int row, const QStringList &cells);

    // A row added to the model that has not had a cell written yet. Saving never stores such a
    // row: it is dropped instead, as there is nothing in it to keep.
    bool isUntouchedNewRow(int row) const;
    // The row has changes not saved yet (an added, changed or deleted row).
    bool hasChanges(int row) const;

    // How the cells of one column are shown (and read out to screen readers); what is stored
    // and edited stays the stored text.
    void setDisplayForm(int column, std::function<QString(const QString &stored)> form);
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Writes every pending change in one transaction. On failure nothing is written, the
    // pending changes are dropped, the model shows the table as it is stored and *error says
    // why.
    bool save(QString *error);

    // A column the grid shows but never edits (the key column always is one).
    void setReadOnly(int column);
    // A table open to be read only (Database::isReadOnly()) shows its rows and takes no edit,
    // no new row and no deletion.
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool insertRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;

protected:
    QString orderByClause() const override;

private:
    Database &m_database;
    int m_sortColumn = -1;
    QHash<int, std::function<QString(const QString &)>> m_displayForms;
    QSet<int> m_readOnly;
    QSet<int> m_valueSorted;
};
