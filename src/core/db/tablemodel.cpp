#include "core/db/tablemodel.h"

#include "core/db/database.h"
#include "core/db/transaction.h"

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
    const QString column = Tables::quoted(record().fieldName(m_sortColumn));
    if (m_valueSorted.contains(m_sortColumn))
        return QStringLiteral("ORDER BY CAST(REPLACE(TRIM(%1), ',', '') AS REAL) ASC, %2")
            .arg(column, key);
    return QStringLiteral("ORDER BY %1 COLLATE NOCASE ASC, %2").arg(column, key);
}

void TableModel::setValueSorted(int column)
{
    m_valueSorted.insert(column);
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

bool TableModel::isUntouchedNewRow(int row) const
{
    // An added row is dirty in every cell; until a cell is written none of its fields is
    // marked for writing. A deleted row has them all marked, a changed one the changed cells.
    if (row < 0 || row >= rowCount() || !isDirty(index(row, 0)))
        return false;
    const QSqlRecord cells = record(row);
    for (int i = 0; i < cells.count(); ++i) {
        if (cells.isGenerated(i))
            return false;
    }
    return true;
}

bool TableModel::hasChanges(int row) const
{
    for (int column = 0; column < columnCount(); ++column) {
        if (isDirty(index(row, column)))
            return true;
    }
    return false;
}

void TableModel::setDisplayForm(int column, std::function<QString(const QString &)> form)
{
    m_displayForms.insert(column, std::move(form));
}

QVariant TableModel::data(const QModelIndex &index, int role) const
{
    if (role == Qt::DisplayRole) {
        const auto form = m_displayForms.constFind(index.column());
        if (form != m_displayForms.constEnd())
            return (*form)(QSqlTableModel::data(index, Qt::EditRole).toString());
    }
    return QSqlTableModel::data(index, role);
}

bool TableModel::save(QString *error)
{
    for (int row = rowCount() - 1; row >= 0; --row) {
        if (isUntouchedNewRow(row))
            revertRow(row);
    }
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

void TableModel::setReadOnly(int column)
{
    m_readOnly.insert(column);
}

Qt::ItemFlags TableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QSqlTableModel::flags(index);
    if (index.column() == keyColumn() || m_readOnly.contains(index.column())
        || m_database.isReadOnly())
        flags &= ~Qt::ItemIsEditable;
    return flags;
}

bool TableModel::insertRows(int row, int count, const QModelIndex &parent)
{
    return !m_database.isReadOnly() && QSqlTableModel::insertRows(row, count, parent);
}

bool TableModel::removeRows(int row, int count, const QModelIndex &parent)
{
    return !m_database.isReadOnly() && QSqlTableModel::removeRows(row, count, parent);
}
