#include "ui/menu/frmmenu.h"

#include "core/db/tablemodel.h"
#include "ui/tablewindow/datagrid.h"

#include <QHBoxLayout>
#include <QKeyEvent>

frmMenu::frmMenu(QWidget *parent, const QString &folder)
    : TableWindow(Tables::menu(), WindowFacts::menu(), parent, folder)
{
    buttonLayout()->addStretch(1);
    cmdClose = addCloseButton(QStringLiteral("&Close"));
    addEditMenu(true, QStringLiteral("&Delete Row"));
    grid()->setAccessibleDescription(
        QStringLiteral("Ctrl+N, Insert or the Down arrow on the last row starts a new row; "
                       "Delete deletes the current row, after asking."));
    grid()->installEventFilter(this);
}

void frmMenu::addNewRow()
{
    if (!isLoaded() || !database().isOpen() || model()->keyColumn() < 0)
        return;
    goToNewRow(0);
}

bool frmMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == grid() && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const int rows = model()->rowCount();
        if (key->key() == Qt::Key_Down && key->modifiers() == Qt::NoModifier && !grid()->isEditing()
            && !model()->canFetchMore() && (rows == 0 || currentRow() == rows - 1)) {
            addNewRow();
            return true;
        }
    }
    return TableWindow::eventFilter(watched, event);
}
