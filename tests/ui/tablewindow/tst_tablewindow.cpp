// The table window shared by the database windows: the record caption, edits that are never
// lost, data errors that leave the window and the file as they were, a table that cannot be
// written, the newest row of a long logbook, cells refused where they are typed, the row
// commands, Tab on the last cell and the refusal box.
#include "common/readonlyscope.h"
#include "common/storedtable.h"
#include "core/db/tablemodel.h"
#include "core/radio/radio.h"
#include "ui/bands/frmband.h"
#include "ui/bands/frmfreqscan.h"
#include "ui/logbook/frmlogging.h"
#include "ui/memory/frmmemory.h"
#include "ui/menu/frmmenu.h"
#include "ui/tablewindow/datagrid.h"
#include "ui/tablewindow/navigationbar.h"
#include "ui/tablewindow/tablewindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

void activate(QWidget *window)
{
    QEvent event(QEvent::WindowActivate);
    QApplication::sendEvent(window, &event);
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

Q_DECLARE_METATYPE(ReadOnlyScope::What)

class tst_TableWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void recordCaption();
    void editInProgressIsSaved_data();
    void editInProgressIsSaved();
    void failedWriteReportedAndRolledBack();
    void damagedFileReportedAndLeftAlone();
    void readOnlyTableShowsRowsAndRefusesEdits_data();
    void readOnlyTableShowsRowsAndRefusesEdits();
    void newestRowOfALongLogbook();
    void headerClickIgnoredWithoutSort();
    void typedCellsChecked_data();
    void typedCellsChecked();
    void rowCommands_data();
    void rowCommands();
    void tabFromTheLastCell_data();
    void tabFromTheLastCell();
    void refusalBoxOverItsWindow();

private:
    // A window on the given table in the test's folder, shown and active, its data errors
    // collected.
    TableWindow *open(const TableSchema &table, const TableWindowFacts &facts,
                      TableWindow *made = nullptr);
    // The same for one of the program's windows, by its object name ("frmBand").
    TableWindow *open(const QString &kind);
    QLineEdit *typeInto(int row, const QString &column, const QString &text);
    QString storedPath(const TableSchema &table) const { return m_dir->filePath(table.fileName); }
    // Creates the table's file and runs statement on it.
    void seed(const TableSchema &table, const QString &statement)
    {
        Database db(table, m_dir->path());
        QVERIFY2(db.open(), qPrintable(db.errorText()));
        QCOMPARE(StoredTable(db.filePath()).exec({statement}), QString());
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QPointer<TableWindow> m_window;
    QStringList m_errors;
    Radio m_radio;
    QStringList m_asked; // questions, each answered with m_answer
    bool m_answer = true;
    QStringList m_notices;
};

void tst_TableWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_errors.clear();
    m_asked.clear();
    m_notices.clear();
    m_answer = true;
}

void tst_TableWindow::cleanup()
{
    delete m_window;
    m_dir.reset();
}

TableWindow *tst_TableWindow::open(const QString &kind)
{
    const QString folder = m_dir->path();
    if (kind == QLatin1String("frmBand"))
        m_window = new frmBand(m_radio, nullptr, folder);
    else if (kind == QLatin1String("frmFreqScan"))
        m_window = new frmFreqScan(m_radio, nullptr, folder);
    else if (kind == QLatin1String("frmMenu"))
        m_window = new frmMenu(nullptr, folder);
    else if (kind == QLatin1String("frmLogging"))
        m_window = new frmLogging(m_radio.state(), nullptr, folder);
    else
        m_window = new frmMemory(nullptr, folder);
    m_window->setQuestion([this](QWidget *, const QString &text, std::function<void()> onYes) {
        m_asked << text;
        if (m_answer)
            onYes();
    });
    m_window->setNotice([this](QWidget *, const QString &text) { m_notices << text; });
    return open(Tables::menu(), WindowFacts::menu(), m_window);
}

TableWindow *tst_TableWindow::open(const TableSchema &table, const TableWindowFacts &facts,
                                   TableWindow *made)
{
    m_window = made ? made : new TableWindow(table, facts, nullptr, m_dir->path());
    m_window->setDataErrorReporter([this](QWidget *, const QString &text) { m_errors << text; });
    m_window->show();
    m_window->activateWindow();
    if (!QTest::qWaitForWindowActive(m_window))
        qWarning("the window did not become active");
    return m_window;
}

QLineEdit *tst_TableWindow::typeInto(int row, const QString &column, const QString &text)
{
    TableModel *model = m_window->model();
    m_window->grid()->setFocus();
    m_window->grid()->setCurrentIndex(model->index(row, model->fieldIndex(column)));
    QTest::keyClick(m_window->grid(), Qt::Key_F2);
    auto *editor = m_window->grid()->viewport()->findChild<QLineEdit *>();
    if (!editor)
        return nullptr;
    editor->selectAll();
    QTest::keyClicks(editor, text);
    return editor;
}

void tst_TableWindow::recordCaption()
{
    open(Tables::menu(), WindowFacts::menu());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Menu"));
    QCOMPARE(m_window->objectName(), QStringLiteral("frmMenu"));
    // An empty table shows no row: the caption stays as designed.
    QCOMPARE(m_window->dataControl()->caption(), QStringLiteral(" Menu"));
    QCOMPARE(m_window->currentRow(), -1);

    StoredTable(storedPath(Tables::menu()))
        .exec({QStringLiteral("INSERT INTO Menu (Menu) VALUES ('01'), ('02'), ('03')")});
    activate(m_window);
    QCOMPARE(m_window->currentRow(), 0);
    QCOMPARE(m_window->dataControl()->caption(), QStringLiteral("Record: 1"));
    m_window->dataControl()->nextButton()->click();
    QCOMPARE(m_window->dataControl()->caption(), QStringLiteral("Record: 2"));
    m_window->dataControl()->lastButton()->click();
    QCOMPARE(m_window->dataControl()->caption(), QStringLiteral("Record: 3"));
    m_window->dataControl()->nextButton()->click(); // past the end stays on the last row
    QCOMPARE(m_window->dataControl()->caption(), QStringLiteral("Record: 3"));
    m_window->dataControl()->firstButton()->click();
    QCOMPARE(m_window->dataControl()->caption(), QStringLiteral("Record: 1"));
    // Activation goes back to the first row.
    m_window->setCurrentRow(2);
    activate(m_window);
    QCOMPARE(m_window->dataControl()->caption(), QStringLiteral("Record: 1"));
    QVERIFY(m_errors.isEmpty());
}

void tst_TableWindow::editInProgressIsSaved_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("activation") << "activation";
    QTest::newRow("refresh") << "refresh";
    QTest::newRow("close") << "close";
    QTest::newRow("leaving the row") << "row";
}

void tst_TableWindow::editInProgressIsSaved()
{
    QFETCH(QString, how);
    StoredTable stored(storedPath(Tables::menu()));
    open(Tables::menu(), WindowFacts::menu());
    QCOMPARE(stored.exec({QStringLiteral("INSERT INTO Menu (Menu, Value) VALUES ('01', 'off'), "
                                         "('02', 'off')")}),
             QString());
    activate(m_window);
    QVERIFY(typeInto(0, QStringLiteral("Value"), QStringLiteral("on")));
    QVERIFY(m_window->grid()->isEditing());

    if (how == QLatin1String("activation"))
        activate(m_window);
    else if (how == QLatin1String("refresh"))
        QVERIFY(m_window->refresh());
    else if (how == QLatin1String("close"))
        m_window->cmdClose_Click();
    else
        m_window->grid()->setCurrentIndex(m_window->model()->index(1, 0));

    QTRY_COMPARE(stored.rows(Tables::menu()).value(0).value(1), QStringLiteral("on"));
    QCOMPARE(stored.rows(Tables::menu()).value(1).value(1), QStringLiteral("off"));
    QVERIFY(!QGuiApplication::overrideCursor()); // the wait cursor is gone again
    QVERIFY(m_errors.isEmpty());
    if (how == QLatin1String("close"))
        QTRY_VERIFY(m_window.isNull()); // closing unloads the window
}

void tst_TableWindow::failedWriteReportedAndRolledBack()
{
    StoredTable stored(storedPath(Tables::menu()));
    open(Tables::menu(), WindowFacts::menu());
    QCOMPARE(stored.exec({QStringLiteral("INSERT INTO Menu (Menu, Value) VALUES ('01', 'a'), "
                                         "('02', 'b')"),
                          QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON Menu WHEN "
                                         "NEW.Value = 'refuse' BEGIN SELECT RAISE(ABORT, "
                                         "'refused by the test'); END")}),
             QString());
    activate(m_window);
    TableModel *model = m_window->model();
    const int value = model->fieldIndex(QStringLiteral("Value"));
    // Two rows in one save: the refusal of the second takes back the first.
    QVERIFY(model->setData(model->index(0, value), QStringLiteral("changed")));
    QVERIFY(model->setData(model->index(1, value), QStringLiteral("refuse")));
    QVERIFY(!m_window->refresh());

    QCOMPARE(m_errors,
             QStringList {QStringLiteral("Data error event hit err:refused by the test")});
    QVERIFY(m_window->isVisible());
    QCOMPARE(stored.rows(Tables::menu()).value(0).value(1), QStringLiteral("a"));
    QCOMPARE(model->index(0, value).data().toString(), QStringLiteral("a"));
    QCOMPARE(model->index(1, value).data().toString(), QStringLiteral("b"));
    QVERIFY(!QGuiApplication::overrideCursor());
}

void tst_TableWindow::damagedFileReportedAndLeftAlone()
{
    const QString path = storedPath(Tables::menu());
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Menu,Value\n01,on\n");
    }
    const QByteArray before = contents(path);
    open(Tables::menu(), WindowFacts::menu());
    QCOMPARE(m_errors.size(), 1);
    QVERIFY2(m_errors.first().startsWith(QLatin1String("Data error event hit err:")),
             qPrintable(m_errors.first()));
    QVERIFY2(m_errors.first().contains(path), qPrintable(m_errors.first()));
    // Which file, what is wrong and where its backups are stay in the window under the box.
    QVERIFY(m_window->findChild<QLabel *>(QStringLiteral("lblDataState"))->isVisible());
    QVERIFY2(m_window->dataStateText().contains(
                 QStringLiteral("%1 is not an SQLite database; the file has been left as it is. "
                                "There is no backup of it in %2/backups yet.")
                     .arg(path, m_dir->path())),
             qPrintable(m_window->dataStateText()));
    // The window stays open, empty, and later activations neither write nor repeat the box.
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_window->model()->rowCount(), 0);
    activate(m_window);
    m_window->dataControl()->lastButton()->click();
    QVERIFY(!m_window->refresh());
    QCOMPARE(m_errors.size(), 1);
    m_window->cmdClose_Click();
    QTRY_VERIFY(m_window.isNull());
    QCOMPARE(contents(path), before);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList {Tables::menu().fileName});
}

void tst_TableWindow::readOnlyTableShowsRowsAndRefusesEdits_data()
{
    QTest::addColumn<ReadOnlyScope::What>("what");
    QTest::addColumn<QString>("reason"); // %1: the folder
    QTest::newRow("file") << ReadOnlyScope::What::File << "the file %1/Menu.sqlite is read-only";
    QTest::newRow("folder") << ReadOnlyScope::What::Folder << "the folder %1 cannot be written";
}

void tst_TableWindow::readOnlyTableShowsRowsAndRefusesEdits()
{
    QFETCH(ReadOnlyScope::What, what);
    QFETCH(QString, reason);
    const QString path = storedPath(Tables::menu());
    {
        Database db(Tables::menu(), m_dir->path());
        QVERIFY(db.open());
        QCOMPARE(StoredTable(path).exec({"INSERT INTO Menu (Menu, Value) VALUES ('01', 'on')"}),
                 QString());
    }
    const QByteArray before = contents(path);
    {
        ReadOnlyScope readOnly(m_dir->path(), path, what);
        if (!readOnly.ok())
            QSKIP("nothing can be made read-only for this user");
        open(Tables::menu(), WindowFacts::menu());
        QCOMPARE(m_window->rowCells(0), (QStringList {"01", "on", "", ""}));
        QVERIFY2(m_window->dataStateText().startsWith(QStringLiteral("Read only: ")
                                                      + reason.arg(m_dir->path())),
                 qPrintable(m_window->dataStateText()));
        // Typing in a cell opens no editor; a write from a button is refused with the reason.
        QVERIFY(!typeInto(0, QStringLiteral("Value"), QStringLiteral("off")));
        QVERIFY(!m_window->model()->insertRow(1));
        QVERIFY(!m_window->writeRows({{0, {"01", "off"}}}));
        auto *refusal = m_window->findChild<QMessageBox *>(QStringLiteral("msgRefused"));
        QVERIFY(refusal);
        QVERIFY2(refusal->text().contains(QLatin1String("open to be read only")),
                 qPrintable(refusal->text()));
        QCOMPARE(m_window->rowCells(0), (QStringList {"01", "on", "", ""}));
        m_window->cmdClose_Click();
        QTRY_VERIFY(m_window.isNull());
    }
    QVERIFY(m_errors.isEmpty());
    QCOMPARE(contents(path), before);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList {"Menu.sqlite"});
}

void tst_TableWindow::newestRowOfALongLogbook()
{
    const int contacts = 1000;
    {
        Database db(Tables::logging(), m_dir->path());
        QVERIFY(db.open());
        StoredTable stored(db.filePath());
        QCOMPARE(
            stored.exec(
                {QStringLiteral(
                     "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                     "INSERT INTO Logging (CallSign) SELECT 'CALL' || i FROM n")
                     .arg(contacts)}),
            QString());
    }
    open(Tables::logging(), WindowFacts::logging());
    QCOMPARE(m_window->currentRow(), contacts - 1);
    QCOMPARE(m_window->dataControl()->caption(), QStringLiteral("Record: %1").arg(contacts));
    QCOMPARE(m_window->rowCells(contacts - 1).value(4), QStringLiteral("CALL%1").arg(contacts));
    const QStringList captions {"Local", "GMT", "Frequency", "Mode", "CallSign", "Description"};
    for (int column = 0; column < captions.size(); ++column)
        QCOMPARE(m_window->model()->headerData(column, Qt::Horizontal).toString(),
                 captions.at(column));
    QVERIFY(m_window->grid()->isColumnHidden(m_window->model()->keyColumn()));
}

void tst_TableWindow::headerClickIgnoredWithoutSort()
{
    StoredTable stored(storedPath(Tables::menu()));
    open(Tables::menu(), WindowFacts::menu());
    QCOMPARE(stored.exec({QStringLiteral("INSERT INTO Menu (Menu) VALUES ('b'), ('a')")}),
             QString());
    activate(m_window);
    m_window->grdDataGrid_HeadClick(0);
    QCOMPARE(m_window->rowCells(0).value(0), QStringLiteral("b"));
}

void tst_TableWindow::typedCellsChecked_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("yes"); // the answer to a question
    QTest::addColumn<QString>("stored"); // empty: the cell keeps what it had
    QTest::addColumn<QString>("told"); // in the notice or the question
    const auto row = [](const char *kind, const char *column, const char *typed, bool yes,
                        const char *stored, const char *told) {
        QTest::newRow(QByteArray(kind) + ' ' + column + ' ' + typed)
            << QString::fromUtf8(kind) << QString::fromUtf8(column) << QString::fromUtf8(typed)
            << yes << QString::fromUtf8(stored) << QString::fromUtf8(told);
    };
    row("frmMemory", "FreqMain", "abc", true, "",
        "FreqMain takes a number of kilohertz from 30 to 60,000");
    row("frmMemory", "FreqSplit", "7.050", true, "7,050", "Frequencies are in kHz: use 7,050 kHz?");
    row("frmBand", "Frequency", "7.050", false, "", "use 7,050 kHz?");
    row("frmLogging", "CallSign", "dl1abc", true, "DL1ABC", "");
}

void tst_TableWindow::typedCellsChecked()
{
    QFETCH(QString, kind);
    QFETCH(QString, column);
    QFETCH(QString, typed);
    QFETCH(bool, yes);
    QFETCH(QString, stored);
    QFETCH(QString, told);
    if (kind == QLatin1String("frmLogging"))
        seed(Tables::logging(), QStringLiteral("INSERT INTO Logging (CallSign) VALUES ('A1')"));
    open(kind);
    m_answer = yes;
    const int row = 0;
    TableModel *model = m_window->model();
    const QModelIndex cell = model->index(row, model->fieldIndex(column));
    const QString before = cell.data(Qt::EditRole).toString();
    QLineEdit *editor = typeInto(row, column, typed);
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_Tab);
    QTRY_VERIFY(!m_window->grid()->isEditing() || m_window->grid()->currentIndex() != cell);
    QCoreApplication::processEvents();

    const QStringList said = m_notices + m_asked;
    if (told.isEmpty())
        QCOMPARE(said, QStringList());
    else
        QVERIFY2(said.size() == 1 && said.first().contains(told), qPrintable(said.join('|')));
    QCOMPARE(model->index(row, cell.column()).data(Qt::EditRole).toString(),
             stored.isEmpty() ? before : stored);
    // A refused cell keeps the cursor, so the operator types it again.
    if (!m_notices.isEmpty())
        QCOMPARE(m_window->grid()->currentIndex(), model->index(row, cell.column()));
    QVERIFY(m_window->refresh());
    const QStringList cells = m_window->rowCells(row);
    QCOMPARE(cells.value(m_window->database().table().columns.indexOf(column)),
             stored.isEmpty() ? before : stored);
}

void tst_TableWindow::rowCommands_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("wanted"); // a cell of the row to delete
    QTest::addColumn<QString>("question");
    QTest::newRow("band list") << "frmBand"
                               << "30 m CW"
                               << "Delete 30 m CW, 10,120 kHz?";
    QTest::newRow("scan ranges") << "frmFreqScan"
                                 << "40 m CW"
                                 << "Delete 40 m CW, 7,000 to 7,040 kHz?";
    QTest::newRow("radio menu") << "frmMenu"
                                << "Beep"
                                << "Delete menu 17, Beep?";
    QTest::newRow("logbook") << "frmLogging"
                             << "K1ABC"
                             << "Delete the contact with K1ABC at 06 Dec 2026 9:05:07 local time?";
    QTest::newRow("memory") << "frmMemory"
                            << "05"
                            << "Clear channel 05?";
}

void tst_TableWindow::rowCommands()
{
    QFETCH(QString, kind);
    QFETCH(QString, wanted);
    QFETCH(QString, question);
    if (kind == QLatin1String("frmMenu"))
        seed(Tables::menu(),
             QStringLiteral("INSERT INTO Menu (Menu, Description) VALUES ('01', "
                            "'Brightness'), ('17', 'Beep')"));
    if (kind == QLatin1String("frmLogging"))
        seed(Tables::logging(),
             QStringLiteral("INSERT INTO Logging (DateLocal, CallSign) VALUES "
                            "('2026-12-06T09:05:07', 'K1ABC'), ('', 'W1AW')"));
    open(kind);
    const bool memory = kind == QLatin1String("frmMemory");
    TableModel *model = m_window->model();
    const int rowsBefore = model->allRowCount();
    int row = 0;
    while (row < rowsBefore && !m_window->rowCells(row).contains(wanted))
        ++row;
    QVERIFY(row < rowsBefore);

    // Del on the selected row asks, naming it; No leaves it, Yes deletes (or clears) it.
    DataGrid *grid = m_window->grid();
    grid->setFocus();
    m_window->setCurrentRow(row);
    m_answer = false;
    QTest::keyClick(grid, Qt::Key_Delete);
    QCOMPARE(m_asked, QStringList {question});
    QCOMPARE(model->allRowCount(), rowsBefore);
    m_answer = true;
    m_window->mnuDeleteRow->trigger();
    QCOMPARE(m_asked.size(), 2);
    const QList<QStringList> stored
        = StoredTable(m_window->database().filePath()).rows(m_window->database().table());
    if (memory) {
        QCOMPARE(stored.size(), 100);
        QCOMPARE(stored.at(5), (QStringList {"05", " ", " ", " ", " ", " ", " "}));
        QVERIFY(!m_window->mnuNewRow);
        QTest::keyClick(grid, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(model->rowCount(), 100);
    } else {
        QCOMPARE(stored.size(), rowsBefore - 1);
        for (const QStringList &cells : stored)
            QVERIFY(!cells.contains(wanted));
        // Ctrl+N, and Insert, give one blank row at the end with the cursor in its first cell.
        QTest::keyClick(grid, Qt::Key_N, Qt::ControlModifier);
        QTest::keyClick(grid, Qt::Key_Insert);
        QCOMPARE(model->rowCount(), rowsBefore);
        QCOMPARE(grid->currentIndex(), model->index(rowsBefore - 1, 0));
        QVERIFY(grid->hasFocus());
    }
    QCOMPARE(m_errors, QStringList());
}

void tst_TableWindow::tabFromTheLastCell_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("rows can be added") << "frmMenu";
    QTest::newRow("fixed rows") << "frmMemory";
}

void tst_TableWindow::tabFromTheLastCell()
{
    // Tab from the last cell of the last row commits the cell and goes to a new row where rows
    // can be added, else stays; it never wraps to the first row, where typing would replace it.
    QFETCH(QString, kind);
    const bool adds = kind == QLatin1String("frmMenu");
    if (adds)
        seed(Tables::menu(), QStringLiteral("INSERT INTO Menu (Menu) VALUES ('01'), ('02')"));
    open(kind);
    TableModel *model = m_window->model();
    const int last = model->allRowCount() - 1;
    const QString column = adds ? QStringLiteral("Description") : QStringLiteral("Scan");
    QLineEdit *editor = typeInto(last, column, QStringLiteral("B"));
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_Tab);
    DataGrid *grid = m_window->grid();
    if (adds) {
        QCOMPARE(grid->currentIndex(), model->index(last + 1, 0));
        QVERIFY(grid->isEditing());
        QTest::keyClicks(grid->viewport()->focusWidget(), QStringLiteral("03"));
        QTest::keyClick(grid->viewport()->focusWidget(), Qt::Key_Return);
    } else {
        QCOMPARE(grid->currentIndex(), model->index(last, model->fieldIndex(column)));
        QVERIFY(!grid->isEditing());
    }
    QVERIFY(m_window->refresh());
    const QList<QStringList> stored
        = StoredTable(m_window->database().filePath()).rows(m_window->database().table());
    QCOMPARE(stored.value(0).value(0), adds ? QStringLiteral("01") : QStringLiteral("00"));
    QCOMPARE(stored.value(last).value(adds ? 3 : 6), QStringLiteral("B"));
    if (adds)
        QCOMPARE(stored.value(last + 1).value(0), QStringLiteral("03"));
}

void tst_TableWindow::refusalBoxOverItsWindow()
{
    // A refusal opens over the window it belongs to, centred on it and holding it only;
    // closing it is no new activation, so the sort and the cell stay as they were.
    auto *memory = new frmMemory(nullptr, m_dir->path());
    open(Tables::memory(), WindowFacts::memory(), memory);
    static_cast<QWidget *>(m_window)->move(40, 30);
    QVERIFY(memory->storeChannels({{"00", " ", " ", " ", " ", "last by description", " "}}));
    m_window->grdDataGrid_HeadClick(m_window->model()->fieldIndex(QStringLiteral("Description")));
    QCOMPARE(memory->row(0).Mem, QStringLiteral("01"));
    QLineEdit *editor = typeInto(3, QStringLiteral("FreqMain"), QStringLiteral("abc"));
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_Return);
    QMessageBox *box = nullptr;
    QTRY_VERIFY((box = m_window->findChild<QMessageBox *>(QStringLiteral("msgRefused"))));
    QTRY_VERIFY(box->isVisible());
    QCOMPARE(box->windowModality(), Qt::WindowModal);
    const QPoint offset = box->frameGeometry().center() - m_window->frameGeometry().center();
    QVERIFY2(offset.manhattanLength() < 20,
             qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    QTRY_VERIFY(box->isActiveWindow());
    box->close();
    m_window->activateWindow();
    QTRY_VERIFY(m_window->isActiveWindow());
    QCOMPARE(memory->row(0).Mem, QStringLiteral("01"));
    QCOMPARE(m_window->grid()->currentIndex(), m_window->model()->index(3, 1));
}

QTEST_MAIN(tst_TableWindow)
#include "tst_tablewindow.moc"
