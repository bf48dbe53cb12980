// The logbook window: opened from the main window, the stamp in the grid, times sorted in time
// order and refused when typed wrong, Delete with its question, the presses on an empty table,
// and names for screen readers.
#include "common/statusword.h"
#include "common/storedtable.h"
#include "core/db/datafolder.h"
#include "core/db/tablemodel.h"
#include "core/radio/radio.h"
#include "ui/logbook/frmlogging.h"
#include "ui/main/frmterminal.h"
#include "ui/tablewindow/datagrid.h"
#include "ui/tablewindow/navigationbar.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Rows of SQL values: local, GMT, frequency, mode, call sign.
void addContacts(const QString &folder, const QStringList &values)
{
    Database db(Tables::logging(), folder);
    QVERIFY2(db.open(), qPrintable(db.errorText()));
    QStringList statements;
    for (const QString &row : values)
        statements << QStringLiteral("INSERT INTO Logging (DateLocal, DateGMT, Frequency, Mode, "
                                     "CallSign) VALUES (%1)")
                          .arg(row);
    QCOMPARE(StoredTable(db.filePath()).exec(statements), QString());
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
    void stampBeforeTheRadioReported();
    void stampOverASavedContactAsksFirst();
    void headerClickSortsInTimeOrder();
    void typedTimeRefused();
    void deleteAsksNamingTheContact();
    void pressesOnAnEmptyTable();
    void namesForScreenReaders();

private:
    frmLogging *open();
    QString shown(int row, const char *field) const;
    QList<QStringList> stored() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QPointer<frmLogging> m_window;
    RadioState m_state;
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
    m_window->setClock([] { return QDateTime(QDate(2026, 12, 6), QTime(22, 0), Qt::LocalTime); });
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

void tst_frmLogging::opensFromTheMainWindow()
{
    // The main window uses this test program's data folder, kept between runs.
    const QString path = QDir(DataFolder::path()).filePath(Tables::logging().fileName);
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
    addContacts(
        QString(),
        {"'2026-12-05T10:00:00', '', '', '', 'A1'", "'2026-12-06T11:00:00', '', '', '', 'B2'"});
    Radio radio;
    frmTerminal terminal(radio);
    terminal.show();
    QAction *entry = terminal.findChild<QAction *>(QStringLiteral("mnuLogging"));
    entry->trigger();
    auto *window = terminal.findChild<frmLogging *>();
    QVERIFY(window && window->isVisible() && !window->isModal());
    QCOMPARE(window->windowTitle(), QStringLiteral("Logging Details"));
    QCOMPARE(window->database().filePath(), path);
    QCOMPARE(window->currentRow(), 1); // the newest contact
    QCOMPARE(window->dataControl()->caption(), QStringLiteral("Record: 2"));

    // The stamp reads the main window's radio: 7,050.6 kHz keeps its decimal.
    StatusWord status;
    status.hz = 7050600;
    status.mode = '1';
    radio.receive(status.reply());
    window->cmdAdd->click();
    window->cmdDateTime->click();
    QCOMPARE(window->rowCells(2).mid(2, 2), (QStringList {"7,050.6", "LSB"}));
    window->cmdClose->click();
    QCOMPARE(StoredTable(path).rows(Tables::logging()).size(), 3);
}

void tst_frmLogging::stampFillsTheNewRow()
{
    m_state.GMTOffset = QStringLiteral("-5");
    open();
    m_window->cmdAdd->click();
    m_window->cmdDateTime->setFocus(); // as a click on it does
    m_window->cmdDateTime->click();
    QCOMPARE(shown(0, "DateLocal"), QStringLiteral("06 Dec 2026 22:00:00"));
    QCOMPARE(shown(0, "DateGMT"), QStringLiteral("07 Dec 2026 3:00:00"));
    QCOMPARE(m_window->grid()->currentIndex().column(), 3); // Mode, the call sign to its right
    QVERIFY(m_window->grid()->hasFocus());
    QVERIFY(m_window->statusText().startsWith(QLatin1String("Stamped 06 Dec 2026 22:00:00")));

    QTest::keyClick(m_window->grid(), Qt::Key_Right);
    QTest::keyClick(m_window->grid(), 'K');
    auto *editor = m_window->grid()->viewport()->findChild<QLineEdit *>();
    QVERIFY(editor);
    QTest::keyClicks(editor, QStringLiteral("1ABC"));
    QTest::keyClick(editor, Qt::Key_Return);
    m_window->cmdUpdate->click();
    QCOMPARE(m_window->currentRow(), 0);
    QCOMPARE(
        stored().value(0),
        (QStringList {"2026-12-06T22:00:00", "2026-12-07T03:00:00", "14,200", "USB", "K1ABC", ""}));
    QVERIFY(m_questions.isEmpty() && m_errors.isEmpty());
}

void tst_frmLogging::stampBeforeTheRadioReported()
{
    m_state.Freq = QStringLiteral("999999999");
    open();
    m_window->cmdAdd->click();
    TableModel *model = m_window->model();
    QVERIFY(model->setData(model->index(0, 2), QStringLiteral("21,074")));
    m_window->cmdDateTime->click();
    QCOMPARE(m_window->rowCells(0).mid(0, 4),
             (QStringList {"2026-12-06T22:00:00", "2026-12-06T22:00:00", "21,074", ""}));
    QVERIFY2(m_window->statusText().contains(
                 QLatin1String("The radio has not reported a frequency yet, so Frequency and "
                               "Mode were left as they were")),
             qPrintable(m_window->statusText()));
}

void tst_frmLogging::stampOverASavedContactAsksFirst()
{
    addContacts(m_dir->path(), {"'2026-12-05T09:05:07', '', '14,200', 'USB', 'K1ABC'"});
    open();
    m_window->cmdDateTime->click();
    QCOMPARE(m_questions,
             QStringList {"Replace the time, frequency and mode of the contact with "
                          "K1ABC at 05 Dec 2026 9:05:07 local time by the present "
                          "ones?"});
    QCOMPARE(m_window->rowCells(0).value(0), QStringLiteral("2026-12-05T09:05:07"));
    m_answer = true;
    m_window->cmdDateTime->click();
    QCOMPARE(m_window->rowCells(0).value(0), QStringLiteral("2026-12-06T22:00:00"));
}

void tst_frmLogging::headerClickSortsInTimeOrder()
{
    // As text in the form shown, "01 Dec" would come before "02 Jan" and "10:00" before "8:00".
    addContacts(m_dir->path(),
                {"'2026-01-02T08:00:00', '2026-01-02T13:00:00', '', '', 'A'",
                 "'2025-12-01T23:59:59', '2025-12-02T04:59:59', '', '', 'B'",
                 "'2026-12-06T09:05:07', '2026-12-05T23:05:07', '', '', 'C'",
                 "'2025-12-10T07:00:00', '2025-12-10T12:00:00', '', '', 'D'",
                 "'2026-01-02T10:00:00', '2026-01-01T10:00:00', '', '', 'E'"});
    open();
    const auto order = [this] {
        QString calls;
        for (int row = 0; row < m_window->model()->rowCount(); ++row)
            calls += shown(row, "CallSign");
        return calls;
    };
    QHeaderView *header = m_window->grid()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
    QCOMPARE(order(), QStringLiteral("BDAEC"));
    QCOMPARE(shown(2, "DateLocal"), QStringLiteral("02 Jan 2026 8:00:00"));
    m_window->grdDataGrid_HeadClick(1);
    QCOMPARE(order(), QStringLiteral("BDEAC"));
}

void tst_frmLogging::typedTimeRefused()
{
    addContacts(m_dir->path(), {"'2026-12-06T09:05:07', 'about noon', '', '', 'A1'"});
    open();
    const auto type = [this](int column, const QString &text) {
        m_window->grid()->setFocus();
        m_window->grid()->setCurrentIndex(m_window->model()->index(0, column));
        QTest::keyClick(m_window->grid(), Qt::Key_F2);
        QLineEdit *editor = nullptr; // the open one, not one closed before
        for (auto *line : m_window->grid()->viewport()->findChildren<QLineEdit *>())
            editor = line->isVisible() ? line : editor;
        QVERIFY(editor);
        QVERIFY(editor->accessibleName().startsWith(QLatin1String(column == 0 ? "Local" : "GMT")));
        if (!text.isNull()) {
            editor->selectAll();
            QTest::keyClicks(editor, text);
        }
        QTest::keyClick(editor, Qt::Key_Return);
    };
    type(0, QStringLiteral("31 Feb 2026 9:00:00"));
    QTRY_COMPARE(m_notices.size(), 1);
    QVERIFY2(m_notices.first().startsWith(
                 QLatin1String("\"31 Feb 2026 9:00:00\" is not a date and time, so the Local cell "
                               "was left as it was. Type it as 06 Dec 2026 9:05:07")),
             qPrintable(m_notices.first()));
    QCOMPARE(m_window->statusText(), m_notices.first());
    // The next press that succeeds takes the refusal off the status line.
    m_window->cmdRefresh->click();
    QCOMPARE(m_window->statusText(), QString());
    type(1, QString()); // an older entry's own text, left as the editor showed it
    m_window->cmdUpdate->click();
    QCOMPARE(stored().value(0).mid(0, 2), (QStringList {"2026-12-06T09:05:07", "about noon"}));
    QCOMPARE(m_notices.size(), 1);
    // So does the cell typed right after being refused.
    type(0, QStringLiteral("31 Feb 2026 9:00:00"));
    QTRY_COMPARE(m_notices.size(), 2);
    QCOMPARE(m_window->statusText(), m_notices.last());
    type(0, QStringLiteral("06 Dec 2026 9:05:08"));
    QTRY_COMPARE(m_window->statusText(), QString());
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

    // Deleting the last row makes the new last row current, deleting another the next one.
    m_answer = true;
    m_window->cmdDelete->click();
    QCOMPARE(stored().size(), 2);
    QCOMPARE(m_window->currentRow(), 1);
    QCOMPARE(m_window->dataControl()->caption(), QStringLiteral("Record: 2"));
    m_window->setCurrentRow(0);
    m_window->cmdDelete->click();
    QCOMPARE(m_questions.last(),
             QStringLiteral("Delete the contact with A1 at 04 Dec 2026 8:00:00 local time?"));
    QCOMPARE(m_window->rowCells(m_window->currentRow()).value(4), QStringLiteral("B2"));

    // Deleting the only row leaves an empty logbook with no row current, ready for Add.
    m_window->cmdDelete->click();
    QVERIFY(stored().isEmpty());
    QCOMPARE(m_window->currentRow(), -1);
    QCOMPARE(m_window->dataControl()->caption(), QString());
    m_window->cmdAdd->click();
    m_window->cmdDateTime->click();
    m_window->cmdUpdate->click();
    QCOMPARE(stored().size(), 1);
    QVERIFY(m_errors.isEmpty());
}

void tst_frmLogging::pressesOnAnEmptyTable()
{
    open();
    m_answer = true;
    m_window->cmdDelete->click();
    m_window->cmdUpdate->click();
    m_window->cmdDateTime->click();
    QCOMPARE(m_window->model()->rowCount(), 0);
    QCOMPARE(m_window->statusText(),
             QStringLiteral("There is no row to stamp: press Add for a new contact first."));

    // Add gives one new line, never two; nothing is stored until something is written in it,
    // and it is still there after a trip to the main window.
    m_window->cmdAdd->click();
    m_window->cmdAdd->click();
    QCoreApplication::processEvents();
    QEvent activation(QEvent::WindowActivate);
    QApplication::sendEvent(m_window, &activation);
    QCOMPARE(m_window->model()->rowCount(), 1);
    QCOMPARE(m_window->currentRow(), 0);
    m_window->cmdUpdate->click();
    QCOMPARE(m_window->model()->rowCount(), 0);
    m_window->cmdAdd->click();
    m_window->cmdDelete->click(); // nothing typed in it: no question
    m_window->cmdAdd->click();
    m_window->close();
    QVERIFY(stored().isEmpty());
    QVERIFY(m_questions.isEmpty() && m_errors.isEmpty());
}

void tst_frmLogging::namesForScreenReaders()
{
    addContacts(m_dir->path(), {"'2026-12-06T09:05:07', '', '7,050.6', 'LSB', 'K1ABC'"});
    open();
    const QStringList captions {
        "Date/&Time/Freq/Mode", "&Add", "&Delete", "&Refresh", "&Update", "&Close"};
    const QList<QPushButton *> buttons {m_window->cmdDateTime, m_window->cmdAdd,
                                        m_window->cmdDelete,   m_window->cmdRefresh,
                                        m_window->cmdUpdate,   m_window->cmdClose};
    for (int i = 0; i < buttons.size(); ++i)
        QCOMPARE(buttons.at(i)->text(), captions.at(i));
    for (QPushButton *button : m_window->findChildren<QPushButton *>())
        QVERIFY2(button->accessibleName().startsWith(QString(button->text()).remove('&')),
                 qPrintable(button->objectName()));

    // The access keys add a row and stamp it (a pressed button clicks a moment later).
    QTest::keyClick(m_window, Qt::Key_A, Qt::AltModifier);
    QTRY_COMPARE(m_window->model()->rowCount(), 2);
    QTest::keyClick(m_window, Qt::Key_T, Qt::AltModifier);
    QTRY_COMPARE(shown(1, "DateLocal"), QStringLiteral("06 Dec 2026 22:00:00"));

    // A screen reader reads a time as the grid shows it, not as it is stored.
    QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(m_window->grid());
    QVERIFY(grid && grid->tableInterface());
    QCOMPARE(grid->tableInterface()->cellAt(0, 0)->text(QAccessible::Name),
             QStringLiteral("06 Dec 2026 9:05:07"));

    const QString dir = qEnvironmentVariable("VANTELO_TEST_OUTPUT", QDir::tempPath());
    QDir().mkpath(dir);
    QVERIFY(m_window->grab().save(dir + QStringLiteral("/frmlogging.png")));
}

QTEST_MAIN(tst_frmLogging)
#include "tst_frmlogging.moc"
