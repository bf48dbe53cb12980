#include "ui/tablewindow/datagrid.h"

#include "core/db/tablemodel.h"
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
