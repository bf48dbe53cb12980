// The grid: a table view edited from the keyboard (F2 or typing starts an edit, the arrow
// keys move between cells, Tab leaves the grid). Returning to the window keeps a grid without
// a current row so; Tab into it makes the first cell current.
#pragma once

#include <QTableView>

class DataGrid : public QTableView
{
    Q_OBJECT
public:
    explicit DataGrid(QWidget *parent = nullptr);

    // Writes the open cell editor's text into the model and closes the editor.
    void commitOpenEditor();
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }

protected:
    void focusInEvent(QFocusEvent *event) override;
};
