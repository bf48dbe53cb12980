// The radio menu table "Menu": the operator's own record of the transceiver's menu settings
// (menu number, the value chosen, the options, a description), edited in the grid. Nothing is
// sent to the radio. The Down arrow on the last row (or in an empty grid) starts a new row at
// the end; a new row nobody types in is not kept.
#pragma once

#include "ui/tablewindow/tablewindow.h"

class frmMenu : public TableWindow
{
    Q_OBJECT
public:
    explicit frmMenu(QWidget *parent = nullptr, const QString &folder = QString());

    // A new row at the end, current and ready for typing (the one not typed in yet, if there
    // is one already).
    void addNewRow();

    QPushButton *cmdClose = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
