// The grid: a table view edited from the keyboard (F2 or typing starts an edit, the arrow
// keys move between cells, Tab leaves the grid). Returning to the window keeps a grid without
// a current row so; Tab into it makes the first cell current.
#pragma once

#include <QTableView>

class TableModel;
struct TableWindowFacts;

class DataGrid : public QTableView
{
    Q_OBJECT
public:
    explicit DataGrid(QWidget *parent = nullptr);

    // Shows the model's columns under the window's captions, with its pick lists; the key
    // column stays hidden.
    void showTable(TableModel &model, const QStringList &columns, const TableWindowFacts &facts);

    // Writes the open cell editor's text into the model and closes the editor.
    void commitOpenEditor();
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }

protected:
    void focusInEvent(QFocusEvent *event) override;
};
