// The table window shared by the database windows, on the radio menu and logbook tables: the
// record caption, edits that are never lost, data errors that leave the window and the file as
// they were, a table that cannot be written, and the newest row of a long logbook.
#include "common/readonlyscope.h"
#include "common/storedtable.h"
#include "core/db/tablemodel.h"
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
    void readOnlyTableShowsRowsAndRefusesEdits();
    void newestRowOfALongLogbook();
    void headerClickIgnoredWithoutSort();

private:
    // A window on the given table in the test's folder, shown and active, its data errors
    // collected.
    TableWindow *open(const TableSchema &table, const TableWindowFacts &facts);
    QLineEdit *typeInto(int row, const QString &column, const QString &text);
    QString storedPath(const TableSchema &table) const { return m_dir->filePath(table.fileName); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QPointer<TableWindow> m_window;
    QStringList m_errors;
};

void tst_TableWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_errors.clear();
}

void tst_TableWindow::cleanup()
{
    delete m_window;
    m_dir.reset();
}

TableWindow *tst_TableWindow::open(const TableSchema &table, const TableWindowFacts &facts)
{
    m_window = new TableWindow(table, facts, nullptr, m_dir->path());
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

void tst_TableWindow::readOnlyTableShowsRowsAndRefusesEdits()
{
    const QString path = storedPath(Tables::menu());
    {
        Database db(Tables::menu(), m_dir->path());
        QVERIFY(db.open());
        QCOMPARE(StoredTable(path).exec({"INSERT INTO Menu (Menu, Value) VALUES ('01', 'on')"}),
                 QString());
    }
    const QByteArray before = contents(path);
    {
        ReadOnlyScope readOnly(m_dir->path(), path, ReadOnlyScope::What::Folder);
        if (!readOnly.ok())
            QSKIP("no folder can be made read-only for this user");
        open(Tables::menu(), WindowFacts::menu());
        QCOMPARE(m_window->rowCells(0), (QStringList {"01", "on", "", ""}));
        QVERIFY2(
            m_window->dataStateText().startsWith(
                QStringLiteral("Read only: the folder %1 cannot be written.").arg(m_dir->path())),
            qPrintable(m_window->dataStateText()));
        // Typing in a cell opens no editor; a write from a button is refused with the reason.
        QVERIFY(!typeInto(0, QStringLiteral("Value"), QStringLiteral("off")));
        QVERIFY(!m_window->model()->insertRow(1));
        QVERIFY(!m_window->writeRows(0, {{"01", "off"}}));
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

QTEST_MAIN(tst_TableWindow)
#include "tst_tablewindow.moc"
