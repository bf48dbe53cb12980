// The logbook window: opened from the main window, the stamp in the grid (with a radio that has
// not reported yet and over a saved contact), times sorted in time order and refused when typed
// wrong, Delete with its question, the presses on an empty table, and names for screen readers.
#include "db/datafolder.h"
#include "db/tablemodel.h"
#include "logbook/frmlogging.h"
#include "main/frmterminal.h"
#include "radio/radio.h"
#include "radio/statusword.h"
#include "tablewindow/datagrid.h"
#include "tablewindow/navigationbar.h"
#include "tablewindow/storedtable.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
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

QList<frmLogging *> openLogbooks()
{
    QList<frmLogging *> found;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *logbook = qobject_cast<frmLogging *>(w); logbook && logbook->isVisible())
            found << logbook;
    }
    return found;
}

// Rows of the Logging table as SQL values: local, GMT, frequency, mode, call sign.
void addContacts(const QString &folder, const QStringList &values)
{
    Database db(Tables::logging(), folder);
    QVERIFY2(db.open(), qPrintable(db.errorText()));
    QStringList statements;
    for (const QString &row : values)
        statements << QStringLiteral("INSERT INTO Logging (DateLocal, DateGMT, Frequency, Mode, "
                                     "CallSign, Description) VALUES (%1, ' ')")
                          .arg(row);
    QCOMPARE(StoredTable(db.filePath()).exec(statements), QString());
}

QDateTime sixthOfDecemberAt(int hour)
{
    return QDateTime(QDate(2026, 12, 6), QTime(hour, 0), Qt::LocalTime);
}

} // namespace

class tst_frmLogging : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void opensFromTheMainWindow();
    void stampFillsTheNewRow();
    void stampBeforeTheRadioReported_data();
    void stampBeforeTheRadioReported();
    void stampOverASavedContactAsksFirst();
    void headerClickSortsInTimeOrder();
    void typedTimes_data();
    void typedTimes();
    void deleteAsksNamingTheContact();
    void pressesOnAnEmptyTable();
    void newRowKeptWhileTuning();
    void namesForScreenReaders();

private:
    frmLogging *open();
    QString shown(int row, const char *field) const;
    QList<QStringList> stored() const;
    void select(int row, const char *field);

    std::unique_ptr<QTemporaryDir> m_dir;
    QPointer<frmLogging> m_window;
    RadioState m_state;
    QDateTime m_now;
    bool m_answer = false;
    QStringList m_questions;
    QStringList m_notices;
    QStringList m_errors;
};

void tst_frmLogging::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_state = RadioState();
    m_state.Freq = QStringLiteral("14200");
    m_state.Mode = QStringLiteral("2");
    m_state.GMTOffset = QStringLiteral("0");
    m_now = sixthOfDecemberAt(20);
    m_answer = false;
    m_questions.clear();
    m_notices.clear();
    m_errors.clear();
}

void tst_frmLogging::cleanup()
{
    delete m_window;
    m_dir.reset();
}

frmLogging *tst_frmLogging::open()
{
    m_window = new frmLogging(m_state, nullptr, m_dir->path());
    m_window->setDataErrorReporter([this](QWidget *, const QString &text) { m_errors << text; });
    m_window->setQuestion([this](QWidget *, const QString &text, std::function<void()> onYes) {
        m_questions << text;
        if (m_answer)
            onYes();
    });
    m_window->setNotice([this](QWidget *, const QString &text) { m_notices << text; });
    m_window->setClock([this] { return m_now; });
    m_window->show();
    m_window->activateWindow();
    if (!QTest::qWaitForWindowActive(m_window))
        qWarning("the logbook did not become active");
    return m_window;
}

QString tst_frmLogging::shown(int row, const char *field) const
{
    TableModel *model = m_window->model();
    return model->index(row, model->fieldIndex(QLatin1String(field))).data().toString();
}

QList<QStringList> tst_frmLogging::stored() const
{
    return StoredTable(m_dir->filePath(Tables::logging().fileName)).rows(Tables::logging());
}

void tst_frmLogging::select(int row, const char *field)
{
    TableModel *model = m_window->model();
    m_window->grid()->setFocus();
    m_window->grid()->setCurrentIndex(model->index(row, model->fieldIndex(QLatin1String(field))));
}

void tst_frmLogging::opensFromTheMainWindow()
{
    // The main window uses the data folder of this test program, kept between runs.
    const QString folder = DataFolder::path();
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(QDir(folder).filePath(Tables::logging().fileName + QLatin1String(suffix)));
    addContacts(QString(),
                {"'2026-12-05T10:00:00', '2026-12-05T10:00:00', '14,200', 'USB', 'A1'",
                 "'2026-12-06T11:00:00', '2026-12-06T11:00:00', '7,050', 'LSB', 'B2'"});
    Radio radio;
    frmTerminal terminal(radio);
    terminal.show();
    QAction *entry = terminal.findChild<QAction *>(QStringLiteral("mnuLogging"));
    QVERIFY(entry);
    entry->trigger();
    entry->trigger(); // a second press brings the same window forward
    QCOMPARE(openLogbooks().size(), 1);
    QPointer<frmLogging> window = openLogbooks().first();
    QCOMPARE(window->windowTitle(), QStringLiteral("Logging Details"));
    QVERIFY(!window->isModal());
    QVERIFY(terminal.isEnabled());
    // It reached its table in the data folder, the newest contact current.
    QVERIFY(window->database().filePath().startsWith(qEnvironmentVariable("XDG_DATA_HOME")));
    QCOMPARE(window->currentRow(), 1);
    QCOMPARE(window->rowCells(1).value(4), QStringLiteral("B2"));
    QCOMPARE(window->dataControl()->caption(), QStringLiteral("Record: 2"));

    // The stamp reads the radio the main window keeps: 7,050.6 kHz keeps its decimal.
    StatusWord status;
    status.hz = 7050600;
    status.mode = '1';
    radio.receive(status.reply());
    window->setClock([] { return sixthOfDecemberAt(9); });
    window->cmdAdd->click();
    window->cmdDateTime->click();
    QCOMPARE(window->rowCells(2).mid(2, 2), (QStringList {"7,050.6", "LSB"}));

    window->cmdClose->click();
    QTRY_VERIFY(window.isNull());
    QCOMPARE(StoredTable(QDir(folder).filePath(Tables::logging().fileName))
                 .rows(Tables::logging())
                 .size(),
             3);
    entry->trigger(); // and opens afresh after it was closed
    QCOMPARE(openLogbooks().size(), 1);
    openLogbooks().first()->close();
}

void tst_frmLogging::stampFillsTheNewRow()
{
    addContacts(m_dir->path(), {"'2026-12-05T10:00:00', '', '14,200', 'USB', 'A1'"});
    m_state.GMTOffset = QStringLiteral("-5");
    m_state.Freq = QStringLiteral("7050.6");
    m_state.Mode = QStringLiteral("1");
    m_now = sixthOfDecemberAt(22);
    open();
    m_window->cmdAdd->click();
    QCOMPARE(m_window->currentRow(), 1);
    QVERIFY(m_window->grid()->hasFocus());
    m_window->cmdDateTime->setFocus(); // as a click on it does
    m_window->cmdDateTime->click();
    QCOMPARE(shown(1, "DateLocal"), QStringLiteral("06 Dec 2026 22:00:00"));
    QCOMPARE(shown(1, "DateGMT"), QStringLiteral("07 Dec 2026 3:00:00"));
    QCOMPARE(shown(1, "Frequency"), QStringLiteral("7,050.6"));
    QCOMPARE(shown(1, "Mode"), QStringLiteral("LSB"));
    QCOMPARE(m_window->grid()->currentIndex().column(), 3);
    QVERIFY(m_window->grid()->hasFocus()); // ready for the call sign
    QVERIFY2(m_window->statusText().startsWith(QLatin1String("Stamped 06 Dec 2026 22:00:00")),
             qPrintable(m_window->statusText()));

    // The call sign is typed in, and Update saves the row and keeps it current.
    select(1, "CallSign");
    QTest::keyClick(m_window->grid(), 'K');
    auto *editor = m_window->grid()->viewport()->findChild<QLineEdit *>();
    QVERIFY(editor);
    QTest::keyClicks(editor, QStringLiteral("1ABC"));
    QTest::keyClick(editor, Qt::Key_Return);
    m_window->cmdUpdate->click();
    QCOMPARE(m_window->currentRow(), 1);
    QCOMPARE(stored().value(1),
             (QStringList {"2026-12-06T22:00:00", "2026-12-07T03:00:00", "7,050.6", "LSB", "K1ABC",
                           ""}));
    QVERIFY(m_questions.isEmpty());
    QVERIFY(m_errors.isEmpty());
}

void tst_frmLogging::stampBeforeTheRadioReported_data()
{
    QTest::addColumn<QString>("freq");
    QTest::newRow("start value") << "999999999";
    QTest::newRow("empty") << "";
    QTest::newRow("not a number") << "14200abc";
}

void tst_frmLogging::stampBeforeTheRadioReported()
{
    QFETCH(QString, freq);
    m_state.Freq = freq;
    m_state.GMTOffset = QStringLiteral("+10");
    open();
    m_window->cmdAdd->click();
    TableModel *model = m_window->model();
    QVERIFY(model->setData(model->index(0, model->fieldIndex(QStringLiteral("Frequency"))),
                           QStringLiteral("21,074")));
    m_window->cmdDateTime->click();
    QCOMPARE(m_window->rowCells(0).mid(0, 4),
             (QStringList {"2026-12-06T20:00:00", "2026-12-06T10:00:00", "21,074", ""}));
    QVERIFY2(m_window->statusText().contains(
                 QLatin1String("The radio has not reported a frequency yet, so Frequency and "
                               "Mode were left as they were")),
             qPrintable(m_window->statusText()));
    QVERIFY(m_questions.isEmpty());
}

void tst_frmLogging::stampOverASavedContactAsksFirst()
{
    addContacts(m_dir->path(),
                {"'2026-12-05T09:05:07', '2026-12-05T09:05:07', '14,200', 'USB', 'K1ABC'"});
    open();
    QCOMPARE(m_window->currentRow(), 0);
    m_window->cmdDateTime->click();
    QCOMPARE(m_questions,
             QStringList {"Replace the time, frequency and mode of the contact with K1ABC at "
                          "05 Dec 2026 9:05:07 local time by the present ones?"});
    QCOMPARE(m_window->rowCells(0).value(0), QStringLiteral("2026-12-05T09:05:07"));
    m_answer = true;
    m_state.Freq = QStringLiteral("3573");
    m_window->cmdDateTime->click();
    QCOMPARE(m_window->rowCells(0).mid(0, 3),
             (QStringList {"2026-12-06T20:00:00", "2026-12-06T20:00:00", "3,573"}));
}

void tst_frmLogging::headerClickSortsInTimeOrder()
{
    // Read as text in the form shown, "01 Dec" would come before "02 Jan" and "10:00" before
    // "8:00".
    addContacts(m_dir->path(),
                {
                    "'2026-01-02T08:00:00', '2026-01-02T13:00:00', '', '', 'A'",
                    "'2025-12-01T23:59:59', '2025-12-02T04:59:59', '', '', 'B'",
                    "'2026-12-06T09:05:07', '2026-12-05T23:05:07', '', '', 'C'",
                    "'2025-12-10T07:00:00', '2025-12-10T12:00:00', '', '', 'D'",
                    "'2026-02-28T12:00:00', '2026-02-28T17:00:00', '', '', 'E'",
                    "'2026-01-02T10:00:00', '2026-01-01T10:00:00', '', '', 'F'",
                });
    open();
    QHeaderView *header = m_window->grid()->horizontalHeader();
    const auto order = [this] {
        QString calls;
        for (int row = 0; row < m_window->model()->allRowCount(); ++row)
            calls += m_window->rowCells(row).value(4);
        return calls;
    };
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
    QCOMPARE(order(), QStringLiteral("BDAFEC"));
    QCOMPARE(shown(0, "DateLocal"), QStringLiteral("01 Dec 2025 23:59:59"));
    QCOMPARE(shown(2, "DateLocal"), QStringLiteral("02 Jan 2026 8:00:00"));
    QCOMPARE(shown(3, "DateLocal"), QStringLiteral("02 Jan 2026 10:00:00"));
    m_window->grdDataGrid_HeadClick(1);
    QCOMPARE(order(), QStringLiteral("BDFAEC"));
    // Returning to the window shows the table's own order again, the newest row current.
    activate(m_window);
    QCOMPARE(order(), QStringLiteral("ABCDEF"));
    QCOMPARE(m_window->currentRow(), 5);
}

void tst_frmLogging::typedTimes_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("typed"); // empty: the editor's text is kept
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("refused");
    QTest::newRow("clock form") << "2026-12-06T09:05:07"
                                << "6 dec 2026 21:05"
                                << "2026-12-06T21:05:00" << false;
    QTest::newRow("no such day") << "2026-12-06T09:05:07"
                                 << "31 Feb 2026 9:00:00"
                                 << "2026-12-06T09:05:07" << true;
    QTest::newRow("words") << "2026-12-06T09:05:07"
                           << "this morning"
                           << "2026-12-06T09:05:07" << true;
    QTest::newRow("an older entry's own text kept") << "about noon"
                                                    << ""
                                                    << "about noon" << false;
    QTest::newRow("an older entry given a time") << "about noon"
                                                 << "06 Dec 2026 12:00:00"
                                                 << "2026-12-06T12:00:00" << false;
}

void tst_frmLogging::typedTimes()
{
    QFETCH(QString, before);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    QFETCH(bool, refused);
    addContacts(m_dir->path(), {QStringLiteral("'%1', '', '', '', 'A1'").arg(before)});
    open();
    select(0, "DateLocal");
    QTest::keyClick(m_window->grid(), Qt::Key_F2);
    auto *editor = m_window->grid()->viewport()->findChild<QLineEdit *>();
    QVERIFY(editor);
    QVERIFY(editor->accessibleName().startsWith(QLatin1String("Local")));
    if (before.startsWith(QLatin1String("2026")))
        QCOMPARE(editor->text(), QStringLiteral("06 Dec 2026 9:05:07"));
    if (!typed.isEmpty()) {
        editor->selectAll();
        QTest::keyClicks(editor, typed);
    }
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!m_window->grid()->isEditing());
    if (refused) {
        QTRY_COMPARE(m_notices.size(), 1);
        QVERIFY2(m_notices.first().startsWith(
                     QStringLiteral("\"%1\" is not a date and time, so the Local cell was left as "
                                    "it was. Type it as 06 Dec 2026 9:05:07")
                         .arg(typed)),
                 qPrintable(m_notices.first()));
        QCOMPARE(m_window->statusText(), m_notices.first());
    } else {
        QCoreApplication::processEvents();
        QVERIFY(m_notices.isEmpty());
    }
    m_window->cmdUpdate->click();
    QCOMPARE(stored().value(0).value(0), after);
    QVERIFY(m_errors.isEmpty());
}

void tst_frmLogging::deleteAsksNamingTheContact()
{
    addContacts(m_dir->path(),
                {"'2026-12-04T08:00:00', '', '', '', 'A1'",
                 "'2026-12-05T08:00:00', '', '', '', 'B2'",
                 "'2026-12-06T09:05:07', '', '', '', ' '"});
    open();
    m_window->cmdDelete->click();
    QCOMPARE(m_questions,
             QStringList {"Delete the contact with (no call sign) at 06 Dec 2026 "
                          "9:05:07 local time?"});
    QCOMPARE(stored().size(), 3); // No keeps it

    // Deleting the last row makes the new last row current.
    m_answer = true;
    m_window->cmdDelete->click();
    QCOMPARE(stored().size(), 2);
    QCOMPARE(m_window->currentRow(), 1);
    QCOMPARE(m_window->rowCells(1).value(4), QStringLiteral("B2"));
    QCOMPARE(m_window->dataControl()->caption(), QStringLiteral("Record: 2"));

    // Deleting the first row makes the next one current.
    m_window->setCurrentRow(0);
    m_window->cmdDelete->click();
    QCOMPARE(m_questions.last(),
             QStringLiteral("Delete the contact with A1 at 04 Dec 2026 8:00:00 local time?"));
    QCOMPARE(m_window->currentRow(), 0);
    QCOMPARE(m_window->rowCells(0).value(4), QStringLiteral("B2"));

    // Deleting the only row leaves an empty logbook with no row current, ready for Add.
    m_window->cmdDelete->click();
    QVERIFY(stored().isEmpty());
    QCOMPARE(m_window->model()->rowCount(), 0);
    QCOMPARE(m_window->currentRow(), -1);
    QCOMPARE(m_window->dataControl()->caption(), QString());
    QCOMPARE(m_window->statusText(),
             QStringLiteral("Deleted the contact with B2 at 05 Dec 2026 "
                            "8:00:00 local time."));
    m_window->cmdAdd->click();
    m_window->cmdDateTime->click();
    m_window->cmdUpdate->click();
    QCOMPARE(stored().size(), 1);

    // A stamped row that was never saved is asked about too, and goes without a trace.
    m_window->cmdAdd->click();
    m_window->cmdDateTime->click();
    m_window->cmdDelete->click();
    QCOMPARE(m_questions.last(),
             QStringLiteral("Delete the contact with (no call sign) at 06 Dec "
                            "2026 20:00:00 local time?"));
    QCOMPARE(m_window->model()->rowCount(), 1);
    QCOMPARE(stored().size(), 1);
    QVERIFY(m_errors.isEmpty());
}

void tst_frmLogging::pressesOnAnEmptyTable()
{
    open();
    QCOMPARE(m_window->currentRow(), -1);
    m_answer = true;
    m_window->cmdDelete->click();
    m_window->cmdUpdate->click();
    m_window->cmdRefresh->click();
    m_window->cmdDateTime->click();
    QCOMPARE(m_window->model()->rowCount(), 0);
    QCOMPARE(m_window->statusText(),
             QStringLiteral("There is no row to stamp: press Add for a new contact first."));

    // Add gives one new line, never two, and writes nothing by itself.
    m_window->cmdAdd->click();
    m_window->cmdAdd->click();
    QCoreApplication::processEvents(); // nothing is saved on the way into it
    QCOMPARE(m_window->model()->rowCount(), 1);
    QCOMPARE(m_window->currentRow(), 0);
    m_window->cmdUpdate->click();
    m_window->cmdRefresh->click();
    QCOMPARE(m_window->model()->rowCount(), 0);
    m_window->cmdAdd->click();
    m_window->cmdDelete->click(); // nothing typed in it: no question
    QCOMPARE(m_window->model()->rowCount(), 0);
    m_window->cmdAdd->click();
    m_window->close();
    QVERIFY(stored().isEmpty());
    QVERIFY(m_questions.isEmpty());
    QVERIFY(m_errors.isEmpty());
}

void tst_frmLogging::newRowKeptWhileTuning()
{
    addContacts(m_dir->path(), {"'2026-12-05T10:00:00', '', '', '', 'A1'"});
    open();
    m_window->cmdAdd->click();
    // Leaving the window to tune and coming back: the new line is still there and current.
    activate(m_window);
    QCOMPARE(m_window->model()->rowCount(), 2);
    QCOMPARE(m_window->currentRow(), 1);
    // Moving to another row drops it, as nothing was typed in it.
    m_window->setCurrentRow(0);
    QTRY_COMPARE(m_window->model()->rowCount(), 1);
    // A stamped new row is saved when the operator moves off it.
    m_window->cmdAdd->click();
    m_window->cmdDateTime->click();
    m_window->setCurrentRow(0);
    QTRY_COMPARE(stored().size(), 2);
    QCOMPARE(stored().value(1).value(0), QStringLiteral("2026-12-06T20:00:00"));
    QVERIFY(m_errors.isEmpty());
}

void tst_frmLogging::namesForScreenReaders()
{
    addContacts(m_dir->path(),
                {"'2026-12-06T09:05:07', '2026-12-05T23:05:07', '7,050.6', 'LSB', "
                 "'K1ABC'"});
    open();
    QCOMPARE(m_window->objectName(), QStringLiteral("frmLogging"));
    const QList<std::pair<QPushButton *, QString>> captions {
        {m_window->cmdDateTime, "Date/&Time/Freq/Mode"},
        {m_window->cmdAdd, "&Add"},
        {m_window->cmdDelete, "&Delete"},
        {m_window->cmdRefresh, "&Refresh"},
        {m_window->cmdUpdate, "&Update"},
        {m_window->cmdClose, "&Close"},
    };
    for (const auto &[button, caption] : captions) {
        QCOMPARE(button->text(), caption);
        QVERIFY2(button->accessibleName().startsWith(QString(caption).remove(QLatin1Char('&'))),
                 qPrintable(button->accessibleName()));
        QVERIFY(button->focusPolicy() & Qt::TabFocus);
    }
    for (QPushButton *button : m_window->findChildren<QPushButton *>())
        QVERIFY2(button->accessibleName().startsWith(QString(button->text()).remove('&')),
                 qPrintable(button->objectName()));

    // The access keys add a row and stamp it (a pressed button clicks a moment later).
    QTest::keyClick(m_window, Qt::Key_A, Qt::AltModifier);
    QTRY_COMPARE(m_window->model()->rowCount(), 2);
    QTest::keyClick(m_window, Qt::Key_T, Qt::AltModifier);
    QTRY_COMPARE(shown(1, "DateLocal"), QStringLiteral("06 Dec 2026 20:00:00"));

    // A screen reader reads a time as the grid shows it, not as it is stored.
    QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(m_window->grid());
    QVERIFY(grid && grid->tableInterface());
    QAccessibleInterface *cell = grid->tableInterface()->cellAt(0, 0);
    QVERIFY(cell);
    QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("06 Dec 2026 9:05:07"));
    QVERIFY(!m_window->grid()->accessibleName().isEmpty());
    QVERIFY(!m_window->grid()->tabKeyNavigation());
    QVERIFY(m_window->lblStatus->text().startsWith(QLatin1String("Stamped")));

    const QString dir = qEnvironmentVariable("VANTELO_TEST_OUTPUT", QDir::tempPath());
    QDir().mkpath(dir);
    QVERIFY(m_window->grab().save(dir + QStringLiteral("/frmlogging.png")));
}

QTEST_MAIN(tst_frmLogging)
#include "tst_frmlogging.moc"
