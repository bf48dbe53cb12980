// The memory window: opened from the main window, its title following the radio, activation,
// header sort, the Mode and Tone pick lists, the rows the memory operations read and write, and
// names for screen readers.
#include "common/statusword.h"
#include "common/storedtable.h"
#include "core/db/tablemodel.h"
#include "core/radio/radio.h"
#include "ui/main/frmterminal.h"
#include "ui/memory/frmmemory.h"
#include "ui/tablewindow/datagrid.h"
#include "ui/tablewindow/navigationbar.h"
#include "ui/tablewindow/picklistdelegate.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
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

QList<frmMemory *> openMemoryWindows()
{
    QList<frmMemory *> found;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *memory = qobject_cast<frmMemory *>(w); memory && memory->isVisible())
            found << memory;
    }
    return found;
}

QString plain(QString caption)
{
    return caption.remove(QLatin1Char('&'));
}

} // namespace

class tst_frmMemory : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void opensFromTheMainWindow_data();
    void opensFromTheMainWindow();
    void titleFollowsTheRadio();
    void activationLeavesNoRowCurrent();
    void headerSortUntilNextActivation();
    void pickListsWriteOnlyTheirEntries_data();
    void pickListsWriteOnlyTheirEntries();
    void otherColumnsAreTypedIn();
    void channelsWrittenAllOrNothing();
    void hiddenForATransfer();
    void namesForScreenReaders();

private:
    frmMemory *open();
    QString stored(int row, int column);

    std::unique_ptr<QTemporaryDir> m_dir;
    QPointer<frmMemory> m_window;
    QStringList m_errors;
};

void tst_frmMemory::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_errors.clear();
}

void tst_frmMemory::cleanup()
{
    delete m_window;
    m_dir.reset();
}

frmMemory *tst_frmMemory::open()
{
    m_window = new frmMemory(nullptr, m_dir->path());
    m_window->setDataErrorReporter([this](QWidget *, const QString &text) { m_errors << text; });
    m_window->show();
    m_window->activateWindow();
    if (!QTest::qWaitForWindowActive(m_window))
        qWarning("the memory window did not become active");
    return m_window;
}

QString tst_frmMemory::stored(int row, int column)
{
    return StoredTable(m_dir->filePath(Tables::memory().fileName))
        .rows(Tables::memory())
        .value(row)
        .value(column, QStringLiteral("<none>"));
}

void tst_frmMemory::opensFromTheMainWindow_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::newRow("Mem button") << false;
    QTest::newRow("Memory menu entry") << true;
}

void tst_frmMemory::opensFromTheMainWindow()
{
    QFETCH(bool, fromMenu);
    Radio radio;
    frmTerminal terminal(radio);
    terminal.show();
    const auto press = [&] {
        if (fromMenu)
            terminal.findChild<QAction *>(QStringLiteral("mnuMemory"))->trigger();
        else
            terminal.findChild<QPushButton *>(QStringLiteral("CmdMemory"))->click();
    };
    press();
    press(); // a second press brings the same window forward
    QCOMPARE(openMemoryWindows().size(), 1);
    QPointer<frmMemory> window = terminal.memoryWindow();
    QVERIFY(window);
    QVERIFY(!window->isModal());
    QVERIFY(terminal.isEnabled());
    // It reached its table in the data folder of this test.
    QCOMPARE(window->channelCount(), 100);
    QCOMPARE(window->row(99).Mem, QStringLiteral("99"));
    QVERIFY(window->database().filePath().startsWith(qEnvironmentVariable("XDG_DATA_HOME")));

    window->cmdClose->click();
    QTRY_VERIFY(window.isNull());
    press(); // and opens afresh after it was closed
    QCOMPARE(openMemoryWindows().size(), 1);
}

void tst_frmMemory::titleFollowsTheRadio()
{
    Radio radio;
    frmTerminal terminal(radio);
    terminal.mnuMemory_Click();
    frmMemory *window = terminal.memoryWindow();
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("Memory")); // no frequency reported yet
    StatusWord status;
    status.hz = 14200000;
    radio.receive(status.reply());
    QCOMPARE(window->windowTitle(), QStringLiteral("Memory: 14,200.000 Khz"));
    status.hz = 7050500;
    radio.receive(status.reply());
    QCOMPARE(window->windowTitle(), QStringLiteral("Memory: 7,050.500 Khz"));
    // A window opened later starts from the last frequency.
    window->close();
    QTRY_VERIFY(!terminal.memoryWindow());
    terminal.mnuMemory_Click();
    QCOMPARE(terminal.memoryWindow()->windowTitle(), QStringLiteral("Memory: 7,050.500 Khz"));
    terminal.memoryWindow()->close();
}

void tst_frmMemory::activationLeavesNoRowCurrent()
{
    open();
    QCOMPARE(m_window->model()->rowCount(), 100);
    QCOMPARE(m_window->currentRow(), -1);
    m_window->setCurrentRow(42);
    activate(m_window);
    QCOMPARE(m_window->currentRow(), -1);
    QCOMPARE(m_window->dataControl()->caption(), QString()); // no record caption

    // An empty table shows an empty grid and no error.
    StoredTable(m_dir->filePath(Tables::memory().fileName))
        .exec({QStringLiteral("DELETE FROM Memory")});
    activate(m_window);
    QCOMPARE(m_window->model()->rowCount(), 0);
    QCOMPARE(m_window->currentRow(), -1);
    QVERIFY(m_errors.isEmpty());
}

void tst_frmMemory::headerSortUntilNextActivation()
{
    open();
    QList<MemoryRow> rows;
    const QStringList modes {"USB", "cw", "AM", " ", "LSB"};
    const QStringList frequencies {"21,450", "7,074", "14,195.5", "1840", " "};
    for (int i = 0; i < modes.size(); ++i) {
        MemoryRow row = m_window->row(i);
        row.Mode = modes.at(i);
        row.FreqMain = frequencies.at(i);
        rows << row;
    }
    QVERIFY(m_window->storeChannels(rows));

    QHeaderView *header = m_window->grid()->horizontalHeader();
    const QPoint modeHeader(header->sectionViewportPosition(3) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, modeHeader);
    QStringList order;
    for (int i = 0; i < 100; ++i)
        order << m_window->row(i).Mode;
    // Blank first, then by name without regard to case, rows of one mode in table order.
    QCOMPARE(order.mid(96), (QStringList {"AM", "cw", "LSB", "USB"}));
    QCOMPARE(order.mid(0, 96), QStringList(96, QStringLiteral(" ")));
    QCOMPARE(m_window->row(0).Mem, QStringLiteral("03"));
    QCOMPARE(m_window->row(1).Mem, QStringLiteral("05"));
    // Clicking again sorts ascending again.
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, modeHeader);
    QCOMPARE(m_window->row(96).Mode, QStringLiteral("AM"));
    // Frequencies sort by their value, not as text.
    m_window->grdDataGrid_HeadClick(1);
    QStringList byFrequency;
    for (int i = 96; i < 100; ++i)
        byFrequency << m_window->row(i).FreqMain;
    QCOMPARE(byFrequency, (QStringList {"1840", "7,074", "14,195.5", "21,450"}));

    activate(m_window);
    for (int i = 0; i < 100; ++i)
        QCOMPARE(m_window->row(i).Mem, QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')));
    QCOMPARE(m_window->currentRow(), -1);
}

void tst_frmMemory::pickListsWriteOnlyTheirEntries_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QList<int>>("keys"); // pressed in the open pick list, then Enter
    QTest::addColumn<QString>("after");
    QTest::newRow("mode blank stores one blank") << 3 << "USB" << QList<int> {Qt::Key_Home} << " ";
    QTest::newRow("mode by letter") << 3 << " " << QList<int> {Qt::Key_U} << "USB";
    QTest::newRow("mode last entry") << 3 << " " << QList<int> {Qt::Key_End} << "FSK-R";
    QTest::newRow("mode arrow") << 3 << "CW" << QList<int> {Qt::Key_Down} << "CW-R";
    QTest::newRow("foreign text kept") << 3 << "XYZ" << QList<int> {} << "XYZ";
    QTest::newRow("empty cell kept") << 3 << "" << QList<int> {} << "";
    QTest::newRow("tone first") << 4 << " " << QList<int> {Qt::Key_Down} << "67.0";
    QTest::newRow("tone last") << 4 << " " << QList<int> {Qt::Key_End} << "1750";
    QTest::newRow("tone blank") << 4 << "88.5" << QList<int> {Qt::Key_Home} << " ";
    QTest::newRow("downloaded tone number kept") << 4 << "08" << QList<int> {} << "08";
}

void tst_frmMemory::pickListsWriteOnlyTheirEntries()
{
    QFETCH(int, column);
    QFETCH(QString, before);
    QFETCH(QList<int>, keys);
    QFETCH(QString, after);
    open();
    MemoryRow row = m_window->row(7);
    (column == 3 ? row.Mode : row.Tone) = before;
    QVERIFY(m_window->storeChannels({row}));

    DataGrid *grid = m_window->grid();
    grid->setFocus();
    grid->setCurrentIndex(m_window->model()->index(7, column));
    QTest::keyClick(grid, Qt::Key_F2);
    auto *combo = grid->viewport()->findChild<QComboBox *>();
    QVERIFY(combo);
    QCOMPARE(combo->objectName(),
             column == 3 ? QStringLiteral("Combo1") : QStringLiteral("Combo2"));
    QVERIFY(!combo->isEditable());
    QCOMPARE(combo->count(), column == 3 ? 9 : 40);
    QCOMPARE(combo->itemText(0), QStringLiteral(" "));
    for (int key : keys)
        QTest::keyClick(combo, Qt::Key(key));
    QTest::keyClick(combo, Qt::Key_Return);
    QTRY_VERIFY(!grid->isEditing());
    QVERIFY(m_window->refresh());
    QCOMPARE(stored(7, column), after);
    QVERIFY(m_errors.isEmpty());
}

void tst_frmMemory::otherColumnsAreTypedIn()
{
    open();
    const auto *delegates = m_window->grid();
    for (int column = 0; column < 7; ++column) {
        const bool picker = column == 3 || column == 4;
        QCOMPARE(qobject_cast<PickListDelegate *>(delegates->itemDelegateForColumn(column))
                     != nullptr,
                 picker);
    }
    // Typing on a frequency cell replaces it; leaving the row saves it.
    DataGrid *grid = m_window->grid();
    grid->setFocus();
    grid->setCurrentIndex(m_window->model()->index(3, 1));
    QTest::keyClick(grid, Qt::Key_1);
    auto *editor = grid->viewport()->findChild<QLineEdit *>();
    QVERIFY(editor);
    QTest::keyClicks(editor, QStringLiteral("4195.5"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!grid->isEditing());
    grid->setCurrentIndex(m_window->model()->index(4, 1));
    QTRY_COMPARE(stored(3, 1), QStringLiteral("14195.5"));
}

void tst_frmMemory::channelsWrittenAllOrNothing()
{
    open();
    MemoryRow channel {"98", "14,195.5", " ", "USB", "88.5", "net", "A"};
    MemoryRow next {"99", "7,050", "7,150", "LSB", " ", " ", " "};
    QVERIFY(m_window->storeChannels({channel, next}));
    QCOMPARE(m_window->row(98), channel);
    QCOMPARE(stored(99, 2), QStringLiteral("7,150"));

    // The third row names no channel, so none of them is written.
    MemoryRow changed = channel;
    changed.Description = QStringLiteral("changed");
    MemoryRow nowhere = changed;
    nowhere.Mem = QStringLiteral("100");
    QVERIFY(!m_window->storeChannels({changed, changed, nowhere}));
    QCOMPARE(m_errors.size(), 1);
    QVERIFY2(m_errors.first().startsWith(QLatin1String("Data error event hit err:")),
             qPrintable(m_errors.first()));
    QCOMPARE(stored(98, 5), QStringLiteral("net"));
    QCOMPARE(m_window->row(98), channel);
    QVERIFY(!m_window->model()->isDirty());
}

void tst_frmMemory::hiddenForATransfer()
{
    open();
    DataGrid *grid = m_window->grid();
    grid->setFocus();
    grid->setCurrentIndex(m_window->model()->index(5, 5));
    QTest::keyClick(grid, Qt::Key_F2);
    auto *editor = grid->viewport()->findChild<QLineEdit *>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("repeater"));
    m_window->grdDataGrid_HeadClick(1); // sorted, and the edit saved first

    m_window->hideForTransfer();
    QVERIFY(!m_window->isVisible());
    QCOMPARE(stored(5, 5), QStringLiteral("repeater"));
    m_window->showAfterTransfer();
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_window->currentRow(), -1);
    QCOMPARE(m_window->row(5).Description, QStringLiteral("repeater"));
    QCOMPARE(m_window->row(0).Mem, QStringLiteral("00"));
}

void tst_frmMemory::namesForScreenReaders()
{
    open();
    QCOMPARE(m_window->objectName(), QStringLiteral("frmMemory"));
    const QList<std::pair<QPushButton *, QString>> captions {
        {m_window->cmdMemtoRad, "&PC to Radio"}, {m_window->CmdRadtoMem, "&Radio to PC"},
        {m_window->cmdVFOtoMem, "&VFO>Mem"},     {m_window->CmdMemtoVFO, "&Mem>VFO"},
        {m_window->cmdClose, "Close"},           {m_window->cmdActivate, "S&tart"},
    };
    for (const auto &[button, caption] : captions)
        QCOMPARE(button->text(), caption);
    const QList<std::pair<QLineEdit *, QString>> boxes {
        {m_window->txtStartMem, "10"},
        {m_window->txtEndMem, "50"},
        {m_window->txtScanPause, "1"},
        {m_window->txtScanCode, "A"},
    };
    for (const auto &[box, text] : boxes)
        QCOMPARE(box->text(), text);
    QCOMPARE(m_window->Frame1->title(), QStringLiteral("Scan"));

    // Every control is named, beginning with the caption the operator sees, and reachable
    // with the Tab key.
    for (QPushButton *button : m_window->findChildren<QPushButton *>()) {
        QVERIFY2(!button->accessibleName().isEmpty(), qPrintable(button->objectName()));
        QVERIFY2(button->accessibleName().startsWith(plain(button->text())),
                 qPrintable(button->accessibleName()));
        QVERIFY(button->focusPolicy() & Qt::TabFocus);
    }
    for (QLabel *label : m_window->Frame1->findChildren<QLabel *>()) {
        auto *box = qobject_cast<QLineEdit *>(label->buddy());
        QVERIFY2(box, qPrintable(label->text()));
        QVERIFY2(box->accessibleName().startsWith(plain(label->text())), qPrintable(label->text()));
    }
    QCOMPARE(m_window->findChildren<QLabel *>(QString(), Qt::FindChildrenRecursively).size() >= 4,
             true);
    QVERIFY(!m_window->grid()->accessibleName().isEmpty());
    QVERIFY(m_window->grid()->focusPolicy() & Qt::TabFocus);
    QVERIFY(!m_window->grid()->tabKeyNavigation()); // Tab leaves the grid

    m_window->grid()->setCurrentIndex(m_window->model()->index(0, 3));
    m_window->grid()->setFocus();
    QTest::keyClick(m_window->grid(), Qt::Key_F2);
    auto *combo = m_window->grid()->viewport()->findChild<QComboBox *>();
    QVERIFY(combo);
    QVERIFY(combo->accessibleName().startsWith(QLatin1String("Mode")));
    QCOMPARE(combo->itemData(0, Qt::AccessibleTextRole).toString(), QStringLiteral("blank"));

    const QString dir = qEnvironmentVariable("VANTELO_TEST_OUTPUT", QDir::tempPath());
    QDir().mkpath(dir);
    QVERIFY(m_window->grab().save(dir + QStringLiteral("/frmmemory.png")));
}

QTEST_MAIN(tst_frmMemory)
#include "tst_frmmemory.moc"
