// The grid: a table view edited from the keyboard (F2 or typing starts an edit, the arrow
// keys move between cells, Tab leaves the grid). Returning to the window keeps a grid without
// a current row so; Tab into it makes the first cell current.
//
// Tab in a cell being typed in commits it and moves to the next cell: past the last cell to a
// new row where the window adds rows, otherwise nowhere; it never wraps to the top. A refused
// cell keeps the cursor.
#pragma once

#include <QPersistentModelIndex>
#include <QTableView>
#include <functional>

class TableModel;
struct TableWindowFacts;

class DataGrid : public QTableView
{
    Q_OBJECT
public:
    explicit DataGrid(QWidget *parent = nullptr);

    // Shows the model's columns under the window's captions, with its pick lists and checked
    // cells; the key column stays hidden.
    void showTable(TableModel &model, const QStringList &columns, const TableWindowFacts &facts);

    // Writes the open cell editor's text into the model and closes the editor.
    void commitOpenEditor();
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }

    // Where Tab goes from the last cell: the first cell of a new row (invalid: nowhere).
    void setRowAtEnd(std::function<QModelIndex()> rowAtEnd) { m_rowAtEnd = std::move(rowAtEnd); }

Q_SIGNALS:
    // A checked cell refused what was typed, or asks before writing answer into index.
    void cellRefused(const QString &message);
    void cellQuestion(const QString &text, const QPersistentModelIndex &index,
                      const QString &answer);

protected:
    void focusInEvent(QFocusEvent *event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    std::function<QModelIndex()> m_rowAtEnd;
};
