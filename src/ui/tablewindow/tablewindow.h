// The window every database table is shown in: the grid grdDataGrid over the table, the data
// control datPrimaryRS as a navigation bar and the button panel picButtons, where each window
// adds its own buttons. What differs between the windows is one row of TableWindowFacts.
//
// Every activation first saves the row being edited, then shows the table in its plain order
// again and puts the current row where the window wants it. Edits are saved in one transaction
// when the current row changes, on activation, refresh and close; a data error is reported as
// "Data error event hit err:" + its text and the grid shows the table as stored.
#pragma once

#include "core/db/database.h"
#include "ui/tablewindow/tablewindowfacts.h"

#include <QWidget>
#include <functional>
#include <memory>

class DataGrid;
class NavigationBar;
class QHBoxLayout;
class QLabel;
class QAction;
class QMenu;
class QMenuBar;
class QMessageBox;
class QPushButton;
class TableModel;

class TableWindow : public QWidget
{
    Q_OBJECT
public:
    // folder: where the table's file lives (the data folder when empty).
    TableWindow(const TableSchema &table, TableWindowFacts facts, QWidget *parent = nullptr,
                const QString &folder = QString());
    ~TableWindow() override;

    // Opens the table's file and shows it; runs once, at the first showing.
    void Form_Load();
    // On every activation: save, plain order, re-read, position.
    void Form_Activate();
    // Saves the row being edited and closes the window.
    void cmdClose_Click();
    // Sorts ascending by the clicked column (windows with header sort only).
    void grdDataGrid_HeadClick(int column);

    // Saves the pending edits; false after a data error, which has been reported.
    bool save();
    // Saves, then reads the table again in the present order, keeping the current row.
    bool refresh();

    bool isLoaded() const { return m_loaded; }
    // The current row, or -1 when no row is current.
    int currentRow() const;
    // Makes row current (reading rows as needed); -1 leaves no row current.
    void setCurrentRow(int row);

    // Rows as cells in the table's column order. writeRows changes the rows from firstRow on
    // and saves them in one transaction; false (with the data error reported) writes nothing.
    QStringList rowCells(int row) const;
    bool writeRows(int firstRow, const QList<QStringList> &rows);

    TableModel *model() const { return m_model.get(); }
    DataGrid *grid() const { return m_grid; }
    NavigationBar *dataControl() const { return m_dataControl; }
    QWidget *buttonPanel() const { return m_buttons; }
    Database &database() { return m_database; }
    const TableWindowFacts &facts() const { return m_facts; }

    // What the line under the buttons says about the table itself: why it could not be opened
    // (which file, what is wrong, where its backups are), that it is read only and why, or that
    // the day's backup could not be made. Empty while there is nothing to say.
    QString dataStateText() const;
    // For a table open to be read only: says that what was asked (a change of the table) is
    // refused, and why, and returns true. False for a table that may be written.
    bool refuseWhenReadOnly();

    // Shows a data error: "Data error event hit err:" + error, in a message box by default.
    void reportDataError(const QString &error);
    using DataErrorReporter = std::function<void(QWidget *window, const QString &text)>;
    void setDataErrorReporter(DataErrorReporter reporter) { m_reporter = std::move(reporter); }

Q_SIGNALS:
    // The window is about to close (running work should stop now).
    void closing();

protected:
    // A button on the panel, with its accessible name: caption without "&", then description.
    QPushButton *addButton(const char *name, const QString &caption, const QString &description);
    // The shared Close button.
    QPushButton *addCloseButton(const QString &caption);
    QHBoxLayout *buttonLayout() const;
    // An information box beside the window ("msgRefused") that does not hold up the program.
    void showRefusal(const QString &text);
    // Goes to the row added at the end and not typed in yet, adding one (after saving the row
    // being edited) when there is none: one new row at a time. The grid keeps its column, or
    // takes firstColumn when none is current. False when no row could be added.
    bool goToNewRow(int firstColumn);
    // The window's menu bar ("menuBar"), above the grid; a menu on it; and an entry of a menu,
    // with the line the status bar shows for it.
    QMenuBar *addMenuBar();
    static QMenu *addWindowMenu(QMenuBar *bar, const char *name, const QString &caption);
    static QAction *addMenuEntry(QMenu *menu, const char *name, const QString &caption,
                                 const QString &statusTip);

    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildLayout();
    void showDataState(const QString &text);
    void wireUp();
    bool select();
    void positionAfterActivation();
    void datPrimaryRS_Reposition();
    void currentRowChanged(const QModelIndex &current, const QModelIndex &previous);
    void move(int step);

    TableWindowFacts m_facts;
    Database m_database;
    std::unique_ptr<TableModel> m_model;
    DataGrid *m_grid = nullptr;
    NavigationBar *m_dataControl = nullptr;
    QWidget *m_buttons = nullptr;
    QLabel *m_dataState = nullptr; // "lblDataState"
    DataErrorReporter m_reporter;
    QString m_lastActivationError;
    bool m_loaded = false;
    bool m_freshlyLoaded = false; // no activation since the load's own reading
    bool m_closing = false;
    bool m_activating = false;
    bool m_saveQueued = false;
};
