// The band list and scan windows: opened from the main window on their seeded tables, the
// band activation with the main window's frequency label and a refused cell, the scan's
// title and caption and Close during a scan, and the keyboard and screen-reader names.
#include "common/commandlog.h"
#include "common/statusword.h"
#include "core/db/tablemodel.h"
#include "core/radio/radio.h"
#include "sim/simptyserver.h"
#include "ui/bands/frmband.h"
#include "ui/bands/frmfreqscan.h"
#include "ui/main/displaypanel.h"
#include "ui/main/frmterminal.h"
#include "ui/tablewindow/datagrid.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

QList<QWidget *> shownWindows(const QString &objectName)
{
    QList<QWidget *> found;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == objectName && w->isVisible())
            found << w;
    }
    return found;
}

QString plain(QString caption)
{
    return caption.remove(QLatin1Char('&'));
}

void showAndActivate(QWidget *window)
{
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        qWarning("%s did not become active", qPrintable(window->objectName()));
}

// The scan window or the band list on the table in folder, shown and active.
std::unique_ptr<TableWindow> opened(bool scan, Radio &radio, const QString &folder)
{
    std::unique_ptr<TableWindow> window;
    if (scan)
        window = std::make_unique<frmFreqScan>(radio, nullptr, folder);
    else
        window = std::make_unique<frmBand>(radio, nullptr, folder);
    showAndActivate(window.get());
    return window;
}

} // namespace

class tst_BandWindows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void opensFromTheMainWindow_data();
    void opensFromTheMainWindow();
    void bandActivation();
    void selectedRowWhateverTheSort_data();
    void selectedRowWhateverTheSort();
    void scanThenClose();
    void keyboardAndNames_data();
    void keyboardAndNames();
};

void tst_BandWindows::opensFromTheMainWindow_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("trigger"); // a button or a menu entry of the main window
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("firstRow"); // a seeded row
    QTest::newRow("Band button") << "frmBand"
                                 << "CmdBand"
                                 << "Band" << QStringList {"1840", "LSB", "160 m SSB"};
    QTest::newRow("Band menu entry") << "frmBand"
                                     << "mnuBand"
                                     << "Band" << QStringList {"1840", "LSB", "160 m SSB"};
    QTest::newRow("Freq Scan button")
        << "frmFreqScan"
        << "CmdFreqScan"
        << "Scan" << QStringList {"7000", "7040", "CW", "0.5", "1", "40 m CW"};
    QTest::newRow("Frequency Scan menu entry")
        << "frmFreqScan"
        << "mnuFreqScan"
        << "Scan" << QStringList {"7000", "7040", "CW", "0.5", "1", "40 m CW"};
}

void tst_BandWindows::opensFromTheMainWindow()
{
    QFETCH(QString, window);
    QFETCH(QString, trigger);
    QFETCH(QString, title);
    QFETCH(QStringList, firstRow);
    Radio radio;
    frmTerminal terminal(radio);
    terminal.show();
    const auto press = [&] {
        if (auto *action = terminal.findChild<QAction *>(trigger))
            action->trigger();
        else
            terminal.findChild<QPushButton *>(trigger)->click();
    };
    press();
    press(); // a second press brings the same window forward
    QCOMPARE(shownWindows(window).size(), 1);
    QPointer<TableWindow> opened = qobject_cast<TableWindow *>(shownWindows(window).first());
    QVERIFY(opened);
    QCOMPARE(opened->windowTitle(), title);
    QVERIFY(!opened->isModal());
    QVERIFY(terminal.isEnabled());
    // It reached its table in this test's data folder, with the rows a new user starts with.
    QVERIFY(opened->database().filePath().startsWith(qEnvironmentVariable("XDG_DATA_HOME")));
    QVERIFY(opened->model()->rowCount() >= 4);
    QCOMPARE(opened->rowCells(0), firstRow);
    QCOMPARE(opened->currentRow(), 0);

    opened->findChild<QPushButton *>(QStringLiteral("cmdClose"))->click();
    QTRY_VERIFY(opened.isNull());
    press(); // and opens afresh after it was closed
    QCOMPARE(shownWindows(window).size(), 1);
}

void tst_BandWindows::bandActivation()
{
    QTemporaryDir dir;
    Radio radio;
    frmTerminal terminal(radio);
    CommandLog log(radio);
    frmBand band(radio, nullptr, dir.path());
    showAndActivate(&band);
    radio.state().VFO = QStringLiteral("1");
    QLabel *lblFreq = terminal.displayPanel()->label(RadioView::Label::lblFreq);

    // The row being typed in counts: 7050.5 typed over the first row's frequency.
    DataGrid *grid = band.grid();
    grid->setFocus();
    grid->setCurrentIndex(band.model()->index(0, 0));
    QTest::keyClick(grid, Qt::Key_F2);
    auto *editor = grid->viewport()->findChild<QLineEdit *>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("7050.5"));
    QTest::mouseClick(band.cmdActivate, Qt::LeftButton);
    QCOMPARE(log.take(), (QStringList {"FB00007050500;", "IF;", "MD1;", "MD;", "IF;"}));
    QCOMPARE(lblFreq->text(), QStringLiteral("7,050.500"));
    QCOMPARE(grid->currentIndex().column(), 1); // left on the Mode cell
    QVERIFY(!band.findChild<QMessageBox *>());

    // A frequency cell that is no number: the mode still goes out and the cell is named.
    QVERIFY(band.model()->setData(band.model()->index(4, 0), QStringLiteral("14200abc")));
    band.setCurrentRow(4);
    band.cmdActivate->click();
    QCOMPARE(log.take(), (QStringList {"MD2;", "MD;", "IF;"}));
    QCOMPARE(lblFreq->text(), QStringLiteral("7,050.500"));
    auto *box = band.findChild<QMessageBox *>(QStringLiteral("msgRefused"));
    QVERIFY(box && box->isVisible());
    QVERIFY2(box->text().startsWith(QLatin1String("Row 5: the Frequency cell \"14200abc\"")),
             qPrintable(box->text()));
}

void tst_BandWindows::selectedRowWhateverTheSort_data()
{
    QTest::addColumn<bool>("scan");
    QTest::newRow("Activate") << false;
    QTest::newRow("Start") << true;
}

void tst_BandWindows::selectedRowWhateverTheSort()
{
    // The row the operator selected is the one used, in the table's own order and after a
    // click on each header, against the simulated radio.
    QFETCH(bool, scan);
    QTemporaryDir dir;
    SimPtyServer server {SimOptions {}};
    Radio radio;
    QVERIFY(server.start() && radio.MSComm1().setCommPort(server.devicePath())
            && radio.MSComm1().setPortOpen(true));
    CommandLog log(radio);
    const std::unique_ptr<TableWindow> window = opened(scan, radio, dir.path());
    const int columns = int(window->database().table().columns.size());
    // The only FM range, and the only CW band (a scan resumes where it stopped, so its
    // frequency is checked at the radio).
    const QString wanted = scan ? QStringLiteral("10 m FM") : QStringLiteral("30 m CW");
    const QStringList expected = scan ? QStringList {"MD4;", "MD;"}
                                      : QStringList {"FA00010120000;", "IF;", "MD3;", "MD;", "IF;"};
    for (int header = -1; header < columns; ++header) {
        radio.state().VFO = QStringLiteral("0");
        if (header >= 0)
            window->grdDataGrid_HeadClick(header);
        int row = 0;
        while (window->rowCells(row).value(columns - 1) != wanted && row < 20)
            ++row;
        window->setCurrentRow(row);
        radio.send(QByteArrayLiteral("FA00007000000;"));
        QTRY_COMPARE(server.radio().frequencyA(), 7'000'000);
        log.take();
        if (scan) {
            auto *scanWindow = static_cast<frmFreqScan *>(window.get());
            scanWindow->scan()->setTiming({1, 1});
            scanWindow->cmdStart->click();
            QTRY_VERIFY(!log.commands.filter(QStringLiteral("FA0")).isEmpty());
            scanWindow->cmdStart->click();
            QTRY_VERIFY(scanWindow->scan()->isIdle());
        } else {
            static_cast<frmBand *>(window.get())->cmdActivate->click();
        }
        const QByteArray where = "after a click on header " + QByteArray::number(header);
        const QStringList sent = log.take().mid(0, int(expected.size()));
        QVERIFY2(sent == expected, where + ": " + sent.join(QLatin1Char(' ')).toLatin1());
        // The scan may have stepped on before it stopped.
        const auto tuned = [&server, scan] {
            const qint64 hz = server.radio().frequencyA();
            return scan ? hz >= 29'520'000 && hz <= 29'680'000 : hz == 10'120'000;
        };
        QTRY_VERIFY2(tuned(), where);
    }
}

void tst_BandWindows::scanThenClose()
{
    Radio radio;
    frmTerminal terminal(radio);
    CommandLog log(radio);
    terminal.mnuFreqScan_Click();
    QPointer<frmFreqScan> window = terminal.freqScanWindow();
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("Scan"));
    // Every status word writes the radio's frequency into the title.
    StatusWord status;
    status.vfo = '1';
    radio.receive(status.reply());
    QCOMPARE(window->windowTitle(), QStringLiteral("Frequency Scan: 14,200.000 Khz"));

    // A second lasts a minute: each wait is ended by hand.
    QPointer<FrequencyScan> running = window->scan();
    running->setTiming({60'000, 60'000});
    QTimer *timer = running->findChild<QTimer *>(QStringLiteral("scanTimer"));
    const auto endWait = [&] {
        QVERIFY(timer->isActive());
        timer->stop();
        QMetaObject::invokeMethod(timer, "timeout");
    };
    window->setCurrentRow(1);
    window->cmdStart->click();
    endWait();
    QCOMPARE(log.take(), (QStringList {"MD2;", "MD;", "FB00014150000;"}));
    QCOMPARE(window->windowTitle(), QStringLiteral("Frequency Scan:  14,150.000 Khz"));
    QCOMPARE(window->cmdStart->text(), QStringLiteral("&Stop"));
    QVERIFY(window->cmdStart->accessibleName().startsWith(QLatin1String("Stop, ")));

    // Close inside the dwell: the window goes at once and the scan stops as Stop stops it,
    // its last waits and status requests going out after the window has gone.
    window->cmdClose->click();
    QTRY_VERIFY(window.isNull());
    QCOMPARE(log.take(), (QStringList {"MD2;", "MD;"}));
    QVERIFY(running && running->parent() == &radio);
    endWait();
    endWait();
    endWait();
    QCOMPARE(log.take(), (QStringList {"IF;", "IF;"}));
    QTRY_VERIFY(running.isNull());
}

void tst_BandWindows::keyboardAndNames_data()
{
    QTest::addColumn<bool>("scan");
    QTest::addColumn<int>("modeColumn");
    QTest::newRow("frmBand") << false << 1;
    QTest::newRow("frmFreqScan") << true << 2;
}

void tst_BandWindows::keyboardAndNames()
{
    QFETCH(bool, scan);
    QFETCH(int, modeColumn);
    QTemporaryDir dir;
    Radio radio;
    const std::unique_ptr<TableWindow> window = opened(scan, radio, dir.path());

    // Every button has an access key and a name that begins with its caption.
    const QList<QPushButton *> buttons
        = window->buttonPanel()->findChildren<QPushButton *>(Qt::FindDirectChildrenOnly);
    QCOMPARE(buttons.size(), 2);
    for (QPushButton *button : buttons) {
        QVERIFY2(button->text().contains(QLatin1Char('&')), qPrintable(button->text()));
        QVERIFY2(button->accessibleName().startsWith(plain(button->text()) + QLatin1String(", ")),
                 qPrintable(button->accessibleName()));
        QVERIFY(button->focusPolicy() & Qt::TabFocus);
    }
    QVERIFY(!window->grid()->accessibleName().isEmpty());
    // The grid takes up the height the window gains.
    const int gridHeight = window->grid()->height();
    window->resize(window->width(), window->height() + 200);
    QTRY_VERIFY(window->grid()->height() >= gridHeight + 180);

    // F2 on the Mode cell opens the pick list; the keyboard chooses from it.
    DataGrid *grid = window->grid();
    grid->setFocus();
    grid->setCurrentIndex(window->model()->index(0, modeColumn));
    QTest::keyClick(grid, Qt::Key_F2);
    auto *combo = grid->viewport()->findChild<QComboBox *>();
    QVERIFY(combo);
    QCOMPARE(combo->objectName(), QStringLiteral("Combo1"));
    QVERIFY(combo->accessibleName().startsWith(QLatin1String("Mode")));
    QCOMPARE(combo->count(), 9);
    QTest::keyClick(combo, Qt::Key_End);
    QTest::keyClick(combo, Qt::Key_Return);
    QTRY_VERIFY(!grid->isEditing());
    QCOMPARE(window->rowCells(0).at(modeColumn), QStringLiteral("FSK-R"));

    const QString out = qEnvironmentVariable("VANTELO_TEST_OUTPUT", QDir::tempPath());
    QDir().mkpath(out);
    QVERIFY(window->grab().save(out + QLatin1Char('/') + window->objectName().toLower()
                                + QStringLiteral(".png")));
}

QTEST_MAIN(tst_BandWindows)
#include "tst_bandwindows.moc"
