#include "db/tablemodel.h"

#include "db/database.h"
#include "db/transaction.h"

#include <QSqlError>
#include <QSqlRecord>

TableModel::TableModel(Database &database, QObject *parent)
    : QSqlTableModel(parent, database.connection())
    , m_database(database)
{
    setEditStrategy(QSqlTableModel::OnManualSubmit);
}

bool TableModel::attach()
{
    setTable(m_database.table().tableName);
    if (lastError().isValid() || keyColumn() < 0)
        return false;
    sortByKey();
    return true;
}

int TableModel::keyColumn() const
{
    return fieldIndex(QLatin1String(KeyColumn));
}

void TableModel::sortByKey()
{
    sortBy(keyColumn());
}

void TableModel::sortBy(int column)
{
    m_sortColumn = column;
    setSort(column, Qt::AscendingOrder);
}

QString TableModel::orderByClause() const
{
    const QString key = Tables::quoted(QLatin1String(KeyColumn));
    if (m_sortColumn < 0 || m_sortColumn == keyColumn())
        return QStringLiteral("ORDER BY ") + key;
    return QStringLiteral("ORDER BY %1 COLLATE NOCASE ASC, %2")
        .arg(Tables::quoted(record().fieldName(m_sortColumn)), key);
}

void TableModel::fetchUpTo(int row)
{
    while ((row < 0 || row >= rowCount()) && canFetchMore()) {
        const int before = rowCount();
        fetchMore();
        if (rowCount() == before)
            break; // nothing more to read (or reading failed)
    }
}

int TableModel::allRowCount()
{
    fetchUpTo(-1);
    return rowCount();
}

QStringList TableModel::rowCells(int row) const
{
    QStringList cells;
    if (row < 0 || row >= rowCount())
        return cells;
    for (const QString &name : m_database.table().columns)
        cells << index(row, fieldIndex(name)).data(Qt::EditRole).toString();
    return cells;
}

bool TableModel::setRowCells(int row, const QStringList &cells)
{
    fetchUpTo(row);
    if (row < 0 || row >= rowCount())
        return false;
    const QStringList &columns = m_database.table().columns;
    for (int i = 0; i < columns.size() && i < cells.size(); ++i) {
        const QModelIndex cell = index(row, fieldIndex(columns.at(i)));
        if (cell.data(Qt::EditRole).toString() != cells.at(i) && !setData(cell, cells.at(i)))
            return false;
    }
    return true;
}

bool TableModel::save(QString *error)
{
    if (!isDirty())
        return true;
    Transaction transaction(m_database.connection());
    QString reason = transaction.errorText();
    if (transaction.isActive()) {
        if (!submitAll())
            reason = Database::errorText(lastError());
        else if (!transaction.commit())
            reason = transaction.errorText();
        else
            return true;
    }
    transaction.rollback();
    revertAll();
    select();
    if (error)
        *error = reason;
    return false;
}

Qt::ItemFlags TableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QSqlTableModel::flags(index);
    if (index.column() == keyColumn())
        flags &= ~Qt::ItemIsEditable;
    return flags;
}
