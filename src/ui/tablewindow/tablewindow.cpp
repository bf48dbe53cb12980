#include "ui/tablewindow/tablewindow.h"

#include "core/db/dataerror.h"
#include "core/db/tablemodel.h"
#include "ui/common/windowplacement.h"
#include "ui/tablewindow/datagrid.h"
#include "ui/tablewindow/navigationbar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSqlError>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// A caption as read out: without the "&" that marks the access key.
QString plainCaption(QString caption)
{
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    caption.remove(QLatin1Char('&'));
    return caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}
} // namespace

TableWindow::TableWindow(const TableSchema &table, TableWindowFacts facts, QWidget *parent,
                         const QString &folder)
    : QWidget(parent, Qt::Window)
    , m_facts(std::move(facts))
    , m_database(table, folder)
    , m_model(std::make_unique<TableModel>(m_database))
{
    setObjectName(m_facts.objectName);
    setWindowTitle(m_facts.title);
    setAttribute(Qt::WA_DeleteOnClose);
    buildLayout();
    wireUp();
    if (m_facts.size.isValid())
        resize(m_facts.size);
}

TableWindow::~TableWindow()
{
    // The grid lets go of the model before the model and its connection go.
    m_grid->setModel(nullptr);
}

void TableWindow::buildLayout()
{
    m_grid = new DataGrid(this);
    m_grid->setAccessibleName(m_facts.gridName);
    m_grid->setModel(m_model.get());
    m_dataControl = new NavigationBar(this);
    m_dataControl->setCaption(m_facts.firstCaption);
    m_buttons = new QWidget(this);
    m_buttons->setObjectName(QStringLiteral("picButtons"));
    auto *buttons = new QHBoxLayout(m_buttons);
    buttons->setContentsMargins(0, 0, 0, 0);

    m_dataState = new QLabel(this);
    m_dataState->setObjectName(QStringLiteral("lblDataState"));
    m_dataState->setWordWrap(true);
    m_dataState->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_dataState->hide();

    // The grid takes up all the height the window gains.
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_dataControl);
    layout->addWidget(m_buttons);
    layout->addWidget(m_dataState);
}

void TableWindow::wireUp()
{
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TableWindow::currentRowChanged);
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TableWindow::grdDataGrid_HeadClick);
    m_grid->horizontalHeader()->setSectionsClickable(m_facts.headerSort);
    connect(m_dataControl, &NavigationBar::moveFirst, this, [this] { setCurrentRow(0); });
    connect(m_dataControl, &NavigationBar::movePrevious, this, [this] { move(-1); });
    connect(m_dataControl, &NavigationBar::moveNext, this, [this] { move(1); });
    connect(m_dataControl, &NavigationBar::moveLast, this,
            [this] { setCurrentRow(m_model->allRowCount() - 1); });
    // The messages come once the grid has finished with the editor.
    connect(m_grid, &DataGrid::cellRefused, this, &TableWindow::showRefusal, Qt::QueuedConnection);
    connect(m_grid, &DataGrid::cellQuestion, this, &TableWindow::askCellAnswer,
            Qt::QueuedConnection);
}

void TableWindow::askCellAnswer(const QString &text, const QPersistentModelIndex &index,
                                const QString &answer)
{
    ask(text, [this, index, answer] {
        if (!index.isValid() || !m_model->setData(index, answer, Qt::EditRole))
            return;
        // A row the cursor has left already is saved now, as leaving it would have.
        if (index.row() != currentRow())
            save();
    });
}

QPushButton *TableWindow::addButton(const char *name, const QString &caption,
                                    const QString &description)
{
    auto *button = new QPushButton(caption, m_buttons);
    button->setObjectName(QLatin1String(name));
    const QString plain = plainCaption(caption);
    button->setAccessibleName(description.isEmpty() ? plain
                                                    : plain + QStringLiteral(", ") + description);
    button->setAutoDefault(false);
    buttonLayout()->addWidget(button);
    return button;
}

QPushButton *TableWindow::addCloseButton(const QString &caption)
{
    QPushButton *button = addButton("cmdClose", caption, QStringLiteral("close this window"));
    connect(button, &QPushButton::clicked, this, &TableWindow::cmdClose_Click);
    return button;
}

QHBoxLayout *TableWindow::buttonLayout() const
{
    return static_cast<QHBoxLayout *>(m_buttons->layout());
}

void TableWindow::Form_Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    if (!m_database.open()) {
        showDataState(m_database.errorText());
        reportDataError(m_database.errorText());
        return;
    }
    if (m_database.isReadOnly())
        showDataState(QStringLiteral("Read only: %1. The rows are shown; changes are refused.")
                          .arg(m_database.readOnlyReason()));
    else if (!m_database.backupProblem().isEmpty())
        showDataState(QStringLiteral("Today's backup of %1 could not be made: %2.")
                          .arg(m_database.filePath(), m_database.backupProblem()));
    if (!m_model->attach()) {
        reportDataError(Database::errorText(m_model->lastError()));
        return;
    }
    for (const QString &column : std::as_const(m_facts.readOnly))
        m_model->setReadOnly(m_model->fieldIndex(column));
    for (const QString &column : std::as_const(m_facts.valueSorted))
        m_model->setValueSorted(m_model->fieldIndex(column));
    m_grid->showTable(*m_model, m_database.table().columns, m_facts);
    if (select()) {
        positionAfterActivation();
        m_freshlyLoaded = true;
    }
}

void TableWindow::Form_Activate()
{
    if (!m_database.isOpen() || m_model->tableName().isEmpty())
        return;
    const QScopedValueRollback activating(m_activating, true);
    const bool fresh = std::exchange(m_freshlyLoaded, false);
    if (fresh && !m_model->isDirty() && !m_grid->isEditing())
        return; // nothing has changed since the load read the table
    if (!save())
        return;
    m_model->sortByKey();
    if (!select())
        return;
    positionAfterActivation();
    m_lastActivationError.clear();
}

bool TableWindow::select()
{
    if (m_model->select())
        return true;
    reportDataError(Database::errorText(m_model->lastError()));
    return false;
}

void TableWindow::positionAfterActivation()
{
    switch (m_facts.rowAfterActivation) {
    case RowAfterActivation::AfterLast:
        setCurrentRow(-1);
        m_grid->scrollToTop();
        break;
    case RowAfterActivation::First:
        setCurrentRow(0);
        break;
    case RowAfterActivation::Last:
        setCurrentRow(m_model->allRowCount() - 1);
        break;
    }
}

bool TableWindow::save()
{
    m_grid->commitOpenEditor();
    if (!m_model->isDirty())
        return true;
    const QModelIndex current = m_grid->currentIndex();
    const int scrolled = m_grid->verticalScrollBar()->value();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    QString error;
    const bool saved = m_model->save(&error);
    QGuiApplication::restoreOverrideCursor();
    // Saving re-reads the table: the same cell is current again, the grid where it was.
    if (current.isValid()) {
        m_model->fetchUpTo(current.row());
        m_grid->setCurrentIndex(
            m_model->index(qMin(current.row(), m_model->rowCount() - 1), current.column()));
    }
    m_grid->verticalScrollBar()->setValue(scrolled);
    if (!saved)
        reportDataError(error);
    return saved;
}

bool TableWindow::refresh()
{
    if (!m_database.isOpen() || !save())
        return false;
    const int row = currentRow();
    if (!select())
        return false;
    setCurrentRow(row);
    return true;
}

int TableWindow::currentRow() const
{
    const QModelIndex current = m_grid->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TableWindow::setCurrentRow(int row)
{
    if (row < 0) {
        m_grid->selectionModel()->clear();
        return;
    }
    m_model->fetchUpTo(row);
    if (row >= m_model->rowCount())
        return;
    const QModelIndex current = m_grid->currentIndex();
    const QModelIndex cell = m_model->index(row, current.isValid() ? current.column() : 0);
    m_grid->setCurrentIndex(cell);
    m_grid->scrollTo(cell);
}

void TableWindow::move(int step)
{
    const int row = currentRow();
    if (row < 0)
        setCurrentRow(step < 0 ? m_model->allRowCount() - 1 : 0);
    else
        setCurrentRow(qMax(0, row + step));
}

void TableWindow::currentRowChanged(const QModelIndex &, const QModelIndex &previous)
{
    datPrimaryRS_Reposition();
    // Leaving an edited row saves it, once the view has finished moving. Entering a row that
    // is not saved yet (one just added) does not.
    if (previous.isValid() && m_model->hasChanges(previous.row()) && !m_saveQueued) {
        m_saveQueued = true;
        QTimer::singleShot(0, this, [this] {
            m_saveQueued = false;
            save();
        });
    }
}

void TableWindow::datPrimaryRS_Reposition()
{
    const int row = currentRow();
    if (m_facts.recordCaption && row >= 0)
        m_dataControl->setCaption(QStringLiteral("Record: %1").arg(row + 1));
}

void TableWindow::grdDataGrid_HeadClick(int column)
{
    if (!m_facts.headerSort || !m_database.isOpen() || column == m_model->keyColumn() || !save())
        return;
    m_model->sortBy(column);
    if (select())
        setCurrentRow(0);
}

QStringList TableWindow::rowCells(int row) const
{
    m_model->fetchUpTo(row);
    return m_model->rowCells(row);
}

bool TableWindow::writeRows(const QMap<int, QStringList> &changed, const QList<QStringList> &added)
{
    if (!m_database.isOpen() || refuseWhenReadOnly() || !save())
        return false;
    const auto refuse = [this](int row) {
        m_model->revertAll();
        reportDataError(QStringLiteral("row %1 is not in the table %2")
                            .arg(row + 1)
                            .arg(m_database.table().tableName));
        return false;
    };
    for (auto row = changed.cbegin(); row != changed.cend(); ++row) {
        if (!m_model->setRowCells(row.key(), row.value()))
            return refuse(row.key());
    }
    for (const QStringList &cells : added) {
        const int row = m_model->allRowCount();
        if (!m_model->insertRow(row) || !m_model->setRowCells(row, cells))
            return refuse(row);
    }
    return save();
}

void TableWindow::reportDataError(const QString &error)
{
    const QString text = DataError::text(error);
    // An error that stays would otherwise come back with each activation, and closing its
    // message box activates the window again.
    if (m_activating) {
        if (text == m_lastActivationError)
            return;
        m_lastActivationError = text;
    }
    if (m_reporter) {
        m_reporter(this, text);
        return;
    }
    QWidget *parent = m_closing ? parentWidget() : this;
    auto *box = new QMessageBox(QMessageBox::Warning, QCoreApplication::applicationName(), text,
                                QMessageBox::Ok, parent);
    WindowPlacement::openBox(*box);
}

void TableWindow::cmdClose_Click()
{
    WindowPlacement::restoreDefaultCursor();
    close();
}

bool TableWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowDeactivate) {
        // The window that takes over is already the active one: is it a box or dialog of this
        // window's own (a refusal, a question, a file chooser)?
        const QWidget *now = QApplication::activeWindow();
        m_ownDialogActive
            = now && now != this && now->parentWidget() && now->parentWidget()->window() == this;
    }
    // Coming back from one of its own boxes is no new activation: the sort, the current cell
    // and an edit the box was about stay as they were.
    if (event->type() == QEvent::WindowActivate && m_loaded
        && !std::exchange(m_ownDialogActive, false))
        Form_Activate();
    return QWidget::event(event);
}

void TableWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_loaded && !event->spontaneous()) {
        Form_Load();
        WindowPlacement::centreOnScreen(*this);
    }
}

void TableWindow::closeEvent(QCloseEvent *event)
{
    m_closing = true;
    Q_EMIT closing();
    if (m_database.isOpen())
        save();
    WindowPlacement::restoreDefaultCursor();
    QWidget::closeEvent(event);
}

void TableWindow::showDataState(const QString &text)
{
    m_dataState->setText(text);
    m_dataState->setAccessibleName(text);
    m_dataState->setVisible(!text.isEmpty());
}

QString TableWindow::dataStateText() const
{
    return m_dataState->text();
}

bool TableWindow::refuseWhenReadOnly()
{
    if (!m_database.isReadOnly())
        return false;
    showRefusal(QStringLiteral("Nothing was changed: the table is open to be read only (%1).")
                    .arg(m_database.readOnlyReason()));
    return true;
}

void TableWindow::showRefusal(const QString &text)
{
    if (m_notice) {
        m_notice(this, text);
        return;
    }
    auto *box = new QMessageBox(QMessageBox::Information, QCoreApplication::applicationName(), text,
                                QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("msgRefused"));
    WindowPlacement::openBox(*box);
}

void TableWindow::ask(const QString &text, std::function<void()> onYes)
{
    if (m_ask) {
        m_ask(this, text, std::move(onYes));
        return;
    }
    auto *box = new QMessageBox(QMessageBox::Question, windowTitle(), text,
                                QMessageBox::Yes | QMessageBox::No, this);
    box->setObjectName(QStringLiteral("msgQuestion"));
    box->setDefaultButton(QMessageBox::No);
    connect(box, &QMessageBox::finished, this, [onYes = std::move(onYes)](int answer) {
        if (answer == QMessageBox::Yes)
            onYes();
    });
    WindowPlacement::openBox(*box);
}

QMenuBar *TableWindow::addMenuBar()
{
    if (auto *bar = findChild<QMenuBar *>(QStringLiteral("menuBar"), Qt::FindDirectChildrenOnly))
        return bar;
    auto *bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("menuBar"));
    layout()->setMenuBar(bar);
    return bar;
}

void TableWindow::addEditMenu(bool withNewRow, const QString &deleteCaption)
{
    QMenu *edit = addWindowMenu(addMenuBar(), "mnuEdit", QStringLiteral("&Edit"));
    if (withNewRow) {
        mnuNewRow = addMenuEntry(edit, "mnuNewRow", QStringLiteral("&New Row"),
                                 QStringLiteral("Add a blank row at the end"));
        mnuNewRow->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_N), QKeySequence(Qt::Key_Insert)});
        connect(mnuNewRow, &QAction::triggered, this, &TableWindow::mnuNewRow_Click);
    }
    mnuDeleteRow
        = addMenuEntry(edit, withNewRow ? "mnuDeleteRow" : "mnuClearChannel", deleteCaption,
                       withNewRow ? QStringLiteral("Delete the current row, after asking")
                                  : QStringLiteral("Clear the current channel's cells, "
                                                   "after asking"));
    // Del deletes the row only from the grid itself: in a cell being typed in, and in every
    // other box, it deletes a character.
    mnuDeleteRow->setShortcut(QKeySequence(Qt::Key_Delete));
    mnuDeleteRow->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_grid->addAction(mnuDeleteRow);
    connect(mnuDeleteRow, &QAction::triggered, this, &TableWindow::mnuDeleteRow_Click);
    if (withNewRow)
        m_grid->setRowAtEnd(
            [this] { return goToNewRow(0) ? m_grid->currentIndex() : QModelIndex(); });
}

void TableWindow::newRow()
{
    if (!m_loaded || !m_database.isOpen() || m_model->tableName().isEmpty())
        return;
    if (goToNewRow(0))
        m_grid->setFocus();
}

void TableWindow::deleteRow()
{
    if (!m_loaded || !m_database.isOpen() || refuseWhenReadOnly())
        return;
    m_grid->commitOpenEditor();
    const int row = currentRow();
    if (row < 0)
        return;
    if (m_model->isUntouchedNewRow(row)) {
        // Nothing was typed in it: the new row just goes.
        m_model->revertRow(row);
        setCurrentRow(qMin(row, m_model->rowCount() - 1));
        if (m_model->rowCount() == 0)
            m_dataControl->setCaption(m_facts.firstCaption);
        return;
    }
    const QString name = rowName(row);
    const QVariant key = keyOf(row);
    const QPersistentModelIndex unsaved(key.isNull() ? m_model->index(row, 0) : QModelIndex());
    ask(QStringLiteral("Delete %1?").arg(name), [this, key, unsaved, row, name] {
        // The rows may have moved meanwhile: the row is found again by its key.
        m_grid->commitOpenEditor();
        const int at = unsaved.isValid() ? unsaved.row() : rowOfKey(key, row);
        if (at < 0 || !m_model->removeRow(at) || !save())
            return; // gone meanwhile, or the failed save has been reported
        // The next row becomes current, or the last one when the deleted row was the last.
        setCurrentRow(qMin(at, m_model->allRowCount() - 1));
        if (m_model->rowCount() == 0)
            m_dataControl->setCaption(m_facts.firstCaption);
        rowDeleted(name);
    });
}

QString TableWindow::rowName(int row) const
{
    return m_facts.rowName ? m_facts.rowName(m_model->rowCells(row))
                           : QStringLiteral("row %1").arg(row + 1);
}

QVariant TableWindow::keyOf(int row) const
{
    return m_model->index(row, m_model->keyColumn()).data(Qt::EditRole);
}

int TableWindow::rowOfKey(const QVariant &key, int hint)
{
    if (key.isNull())
        return -1;
    const int rows = m_model->allRowCount();
    if (hint >= 0 && hint < rows && keyOf(hint) == key)
        return hint;
    for (int row = 0; row < rows; ++row) {
        if (keyOf(row) == key)
            return row;
    }
    return -1;
}

QMenu *TableWindow::addWindowMenu(QMenuBar *bar, const char *name, const QString &caption)
{
    QMenu *menu = bar->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

QAction *TableWindow::addMenuEntry(QMenu *menu, const char *name, const QString &caption,
                                   const QString &statusTip)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setStatusTip(statusTip);
    return action;
}

bool TableWindow::goToNewRow(int firstColumn)
{
    if (refuseWhenReadOnly())
        return false;
    TableModel &rows = *m_model;
    int last = rows.allRowCount() - 1;
    if (last < 0 || !rows.isUntouchedNewRow(last)) {
        if (!save())
            return false;
        last = rows.allRowCount();
        if (!rows.insertRow(last))
            return false;
    }
    const QModelIndex cell = rows.index(last, firstColumn);
    m_grid->setCurrentIndex(cell);
    m_grid->scrollTo(cell);
    return true;
}
