// The window every database table is shown in: the grid grdDataGrid over the table, the data
// control datPrimaryRS as a navigation bar and the button panel picButtons, where each window
// adds its own buttons. What differs between the windows is one row of TableWindowFacts.
//
// Every activation first saves the row being edited, then shows the table in its plain order
// again and puts the current row where the window wants it; coming back from one of the
// window's own boxes (a refusal, a question) is not an activation. Edits are saved in one
// transaction when the current row changes, on activation, refresh and close; a data error is
// reported as "Data error event hit err:" + its text and the grid shows the table as stored.
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

    // Rows as cells in the table's column order. writeRows changes the rows shown at the keys
    // of changed and adds the rows of added at the end, and saves them in one transaction;
    // false (with the data error reported) writes nothing.
    QStringList rowCells(int row) const;
    bool writeRows(const QMap<int, QStringList> &changed, const QList<QStringList> &added = {});

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

    // Asks a yes/no question and runs onYes only for Yes. By default a message box that holds
    // this window only (No is its default); the rest of the program keeps running meanwhile.
    using Question
        = std::function<void(QWidget *window, const QString &text, std::function<void()> onYes)>;
    void setQuestion(Question ask) { m_ask = std::move(ask); }
    // Tells the operator that something was refused (a message box, "msgRefused", by default).
    using Notice = std::function<void(QWidget *window, const QString &text)>;
    void setNotice(Notice notice) { m_notice = std::move(notice); }

    // "&Edit" > "&New Row" (Ctrl+N, Insert): a blank row at the end, the cursor in its first
    // cell. "&Edit" > "&Delete Row" (Del in the grid): asks, naming the row, then deletes it
    // in one transaction. Windows whose rows are fixed clear a row's cells instead.
    void mnuNewRow_Click() { newRow(); }
    void mnuDeleteRow_Click() { deleteRow(); }
    QAction *mnuNewRow = nullptr; // none where rows are fixed
    QAction *mnuDeleteRow = nullptr;

Q_SIGNALS:
    // The window is about to close (running work should stop now).
    void closing();

protected:
    // A button on the panel, with its accessible name: caption without "&", then description.
    QPushButton *addButton(const char *name, const QString &caption, const QString &description);
    // The shared Close button.
    QPushButton *addCloseButton(const QString &caption);
    QHBoxLayout *buttonLayout() const;
    // Tells the refusal through the notice (an information box "msgRefused" over the window by
    // default, holding up only this window).
    virtual void showRefusal(const QString &text);
    void ask(const QString &text, std::function<void()> onYes);
    // The "&Edit" menu with the row commands; each window adds it after its own menus.
    // deleteCaption: the delete entry's caption ("&Delete Row", or the memory window's "&Clear
    // Channel"); withNewRow: whether rows can be added.
    void addEditMenu(bool withNewRow, const QString &deleteCaption);
    // What the row commands do; windows with buttons of their own run those instead.
    virtual void newRow();
    virtual void deleteRow();
    // How the delete question names a row (by the facts' rowName, or "row N").
    virtual QString rowName(int row) const;
    // After "&Delete Row" has deleted the row its question named.
    virtual void rowDeleted(const QString &name) { Q_UNUSED(name); }
    // The row's key, null for a row not saved yet; the row holding key now (the order may have
    // changed since; hint is tried first), -1 when it is gone.
    QVariant keyOf(int row) const;
    int rowOfKey(const QVariant &key, int hint = -1);
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
    void askCellAnswer(const QString &text, const QPersistentModelIndex &index,
                       const QString &answer);
    void move(int step);

    TableWindowFacts m_facts;
    Database m_database;
    std::unique_ptr<TableModel> m_model;
    DataGrid *m_grid = nullptr;
    NavigationBar *m_dataControl = nullptr;
    QWidget *m_buttons = nullptr;
    QLabel *m_dataState = nullptr; // "lblDataState"
    DataErrorReporter m_reporter;
    Question m_ask;
    Notice m_notice;
    QString m_lastActivationError;
    bool m_loaded = false;
    bool m_freshlyLoaded = false; // no activation since the load's own reading
    bool m_closing = false;
    bool m_activating = false;
    bool m_saveQueued = false;
    bool m_ownDialogActive = false; // a box of this window's own took the activation
};
