// The radio menu table: opened from the main window's "Menu" entry onto its table, the caption
// " Menu" until a row is shown, and new rows from the keyboard.
#include "common/storedtable.h"
#include "core/db/database.h"
#include "core/db/datafolder.h"
#include "core/db/tablemodel.h"
#include "core/radio/radio.h"
#include "ui/main/frmterminal.h"
#include "ui/menu/frmmenu.h"
#include "ui/tablewindow/datagrid.h"
#include "ui/tablewindow/navigationbar.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class tst_frmMenu : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void opensFromTheMainWindow();
    void newRowsFromTheKeyboard();
};

void tst_frmMenu::opensFromTheMainWindow()
{
    // The main window uses the data folder of this test program, kept between runs.
    const QString path = QDir(DataFolder::path()).filePath(Tables::menu().fileName);
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
    {
        Database db(Tables::menu());
        QVERIFY2(db.open(), qPrintable(db.errorText()));
        QCOMPARE(StoredTable(path).exec({QStringLiteral(
                     "INSERT INTO Menu (Menu, Value, Options, Description) VALUES "
                     "('01', '5', '0-9', 'Display brightness'), ('17', 'on', 'on/off', 'Beep')")}),
                 QString());
    }
    Radio radio;
    frmTerminal terminal(radio);
    terminal.show();
    QAction *entry = terminal.findChild<QAction *>(QStringLiteral("MnuRadioMenu"));
    QVERIFY(entry);
    entry->trigger();
    entry->trigger(); // a second press brings the same window forward
    QCOMPARE(terminal.findChildren<frmMenu *>().size(), 1);
    QPointer<frmMenu> window = terminal.findChild<frmMenu *>();
    QVERIFY(window->isVisible() && !window->isModal());
    QCOMPARE(window->windowTitle(), QStringLiteral("Menu"));
    QCOMPARE(window->database().filePath(), path);
    QCOMPARE(window->currentRow(), 0);
    QCOMPARE(window->dataControl()->caption(), QStringLiteral("Record: 1"));
    QCOMPARE(window->rowCells(1),
             (QStringList {QStringLiteral("17"), QStringLiteral("on"), QStringLiteral("on/off"),
                           QStringLiteral("Beep")}));
    window->cmdClose->click();
    QTRY_VERIFY(window.isNull());
}

void tst_frmMenu::newRowsFromTheKeyboard()
{
    QTemporaryDir dir;
    frmMenu window(nullptr, dir.path());
    QStringList errors;
    window.setDataErrorReporter([&errors](QWidget *, const QString &text) { errors << text; });
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(window.dataControl()->caption(), QStringLiteral(" Menu"));
    QCOMPARE(window.currentRow(), -1);
    QCOMPARE(window.cmdClose->text(), QStringLiteral("&Close"));
    QVERIFY(window.cmdClose->accessibleName().startsWith(QLatin1String("Close")));
    QVERIFY(window.grid()->accessibleDescription().contains(QLatin1String("Down arrow")));

    // The Down arrow in the empty grid starts the first row; typing fills it.
    DataGrid *grid = window.grid();
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(window.currentRow(), 0);
    QCOMPARE(window.dataControl()->caption(), QStringLiteral("Record: 1"));
    QTest::keyClick(grid, '0');
    auto *editor = grid->viewport()->findChild<QLineEdit *>();
    QVERIFY(editor);
    QTest::keyClicks(editor, QStringLiteral("5"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!grid->isEditing());

    // Down on the last row saves it and starts another; leaving that one untyped drops it.
    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(window.currentRow(), 1);
    QCOMPARE(window.model()->rowCount(), 2);
    QTest::keyClick(grid, Qt::Key_Up);
    QTRY_COMPARE(window.model()->rowCount(), 1);
    const QString out = qEnvironmentVariable("VANTELO_TEST_OUTPUT", QDir::tempPath());
    QDir().mkpath(out);
    QVERIFY(window.grab().save(out + QStringLiteral("/frmmenu.png")));
    window.close();
    const QList<QStringList> stored
        = StoredTable(dir.filePath(Tables::menu().fileName)).rows(Tables::menu());
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored.first().value(0), QStringLiteral("05"));
    QVERIFY(errors.isEmpty());
}

QTEST_MAIN(tst_frmMenu)
#include "tst_frmmenu.moc"
