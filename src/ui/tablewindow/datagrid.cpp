#include "ui/tablewindow/datagrid.h"

#include "core/db/tablemodel.h"
#include "ui/tablewindow/checkedcelldelegate.h"
#include "ui/tablewindow/picklistdelegate.h"
#include "ui/tablewindow/tablewindowfacts.h"

#include <QFocusEvent>
#include <QHeaderView>

DataGrid::DataGrid(QWidget *parent)
    : QTableView(parent)
{
    setObjectName(QStringLiteral("grdDataGrid"));
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(false);
    setSortingEnabled(false);
    horizontalHeader()->setSortIndicatorShown(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
}

void DataGrid::showTable(TableModel &model, const QStringList &columns,
                         const TableWindowFacts &facts)
{
    for (const PickerColumn &picker : facts.pickers) {
        const int column = model.fieldIndex(picker.column);
        if (column >= 0)
            setItemDelegateForColumn(
                column,
                new PickListDelegate(picker.objectName,
                                     facts.captions.value(picker.column, picker.column),
                                     picker.entries, this));
    }
    for (auto rule = facts.rules.cbegin(); rule != facts.rules.cend(); ++rule) {
        const int column = model.fieldIndex(rule.key());
        if (column < 0)
            continue;
        auto *delegate = new CheckedCellDelegate(
            rule.value(), facts.captions.value(rule.key(), rule.key()), this);
        connect(delegate, &CheckedCellDelegate::refused, this, &DataGrid::cellRefused);
        connect(delegate, &CheckedCellDelegate::question, this, &DataGrid::cellQuestion);
        setItemDelegateForColumn(column, delegate);
    }
    for (const QString &field : columns) {
        const int column = model.fieldIndex(field);
        const QString caption = facts.captions.value(field, field);
        model.setHeaderData(column, Qt::Horizontal, caption);
        setColumnWidth(column, qMax(90, fontMetrics().horizontalAdvance(caption) + 30));
    }
    hideColumn(model.keyColumn());
}

void DataGrid::focusInEvent(QFocusEvent *event)
{
    const bool hadCurrent = currentIndex().isValid();
    QTableView::focusInEvent(event);
    if (!hadCurrent && event->reason() == Qt::ActiveWindowFocusReason && currentIndex().isValid())
        selectionModel()->clearCurrentIndex();
}

void DataGrid::commitOpenEditor()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    // A cell editor is a direct child of the viewport; only one is open at a time.
    const auto editors = viewport()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *editor : editors) {
        if (editor->isVisible()) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
}

QModelIndex DataGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = currentIndex();
    const QModelIndex next = QTableView::moveCursor(action, modifiers);
    if (!current.isValid() || !next.isValid())
        return next;
    // The table view wraps from the last cell to the first and back; the grid does not.
    if (action == MovePrevious && next.row() > current.row())
        return QModelIndex();
    if (action != MoveNext || next.row() >= current.row())
        return next;
    if (model()->canFetchMore(QModelIndex())) {
        model()->fetchMore(QModelIndex());
        if (current.row() + 1 < model()->rowCount())
            return model()->index(current.row() + 1, next.column());
    }
    return m_rowAtEnd ? m_rowAtEnd() : QModelIndex();
}

void DataGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    // A refused cell (or one waiting for the operator's answer) keeps the cursor.
    const auto *checked
        = qobject_cast<CheckedCellDelegate *>(itemDelegateForColumn(currentIndex().column()));
    if (checked && checked->takeHeldBack())
        hint = QAbstractItemDelegate::NoHint;
    QTableView::closeEditor(editor, hint);
}
