// The import and export commands of the logbook, memory and band windows: reached from the
// keyboard through each window's menu, the file asked for through the window's chooser, the
// grid showing what was imported, and a refused file named without a change.
#include "common/storedtable.h"
#include "core/db/tablemodel.h"
#include "core/db/tablesnapshots.h"
#include "core/radio/radio.h"
#include "core/radio/radiostate.h"
#include "ui/bands/frmband.h"
#include "ui/logbook/frmlogging.h"
#include "ui/memory/frmmemory.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

enum class Kind { Logbook, Memory, Bands };

struct Opened
{
    std::unique_ptr<TableWindow> window;
    QMenuBar *menuBar = nullptr;
};

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Opens the window's menu with Alt and its access key, then chooses the entry by its own key,
// as an operator does without the mouse.
void chooseFromMenu(QWidget *window, Qt::Key menuKey, Qt::Key entryKey)
{
    QTest::keyClick(window, menuKey, Qt::AltModifier);
    QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
    QTest::keyClick(QApplication::activePopupWidget(), entryKey);
    QTRY_VERIFY(!QApplication::activePopupWidget());
}

} // namespace

Q_DECLARE_METATYPE(Kind)

class tst_ExchangeWindows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void keyboardExportAndImport_data();
    void keyboardExportAndImport();
    void refusedFileChangesNothing();
    void cancelledDialogDoesNothing();

private:
    Opened open(Kind kind);
    template<typename Window> void hook(Window *window);

    std::unique_ptr<QTemporaryDir> m_dir;
    Radio m_radio;
    RadioState m_state;
    QList<FileCommand::Request> m_requests;
    QString m_answer; // the path the chooser gives, empty for Cancel
    QStringList m_told;
    QList<bool> m_problems;
};

void tst_ExchangeWindows::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_state = RadioState();
    m_state.GMTOffset = QStringLiteral("+10");
    m_requests.clear();
    m_told.clear();
    m_problems.clear();
}

void tst_ExchangeWindows::cleanup()
{
    m_dir.reset();
}

template<typename Window> void tst_ExchangeWindows::hook(Window *window)
{
    window->setFileChooser([this](QWidget *, const FileCommand::Request &request,
                                  std::function<void(const QString &)> chosen) {
        m_requests << request;
        if (!m_answer.isEmpty())
            chosen(m_answer);
    });
    window->setOutcomeTeller([this](QWidget *, const QString &text, bool problem) {
        m_told << text;
        m_problems << problem;
    });
}

Opened tst_ExchangeWindows::open(Kind kind)
{
    Opened o;
    switch (kind) {
    case Kind::Logbook: {
        auto *window = new frmLogging(m_state, nullptr, m_dir->path());
        hook(window);
        o.menuBar = window->menuBar;
        o.window.reset(window);
        break;
    }
    case Kind::Memory: {
        auto *window = new frmMemory(nullptr, m_dir->path());
        hook(window);
        o.menuBar = window->menuBar;
        o.window.reset(window);
        break;
    }
    case Kind::Bands: {
        auto *window = new frmBand(m_radio, nullptr, m_dir->path());
        hook(window);
        o.menuBar = window->menuBar;
        o.window.reset(window);
        break;
    }
    }
    o.window->setAttribute(Qt::WA_DeleteOnClose, false);
    o.window->show();
    o.window->activateWindow();
    if (!QTest::qWaitForWindowActive(o.window.get()))
        qWarning("the window did not become active");
    return o;
}

void tst_ExchangeWindows::keyboardExportAndImport_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QByteArray>("incoming");
    QTest::addColumn<int>("rowsAfter");
    QTest::newRow("logbook") << Kind::Logbook << "&Logbook"
                             << "ADIF"
                             << QByteArray("<CALL:4>W1AW<QSO_DATE:8>20261206<TIME_ON:4>2330"
                                           "<FREQ:6>14.025<MODE:2>CW<EOR>\n")
                             << 1;
    QTest::newRow("memory") << Kind::Memory << "&Channels"
                            << "CSV"
                            << QByteArray("Location,Name,Frequency,Mode\n5,Net,14.1955,USB\n")
                            << 100;
    QTest::newRow("band list") << Kind::Bands << "&Bands"
                               << "CSV"
                               << QByteArray("Location,Name,Frequency,Mode\n0,Net,14.1955,USB\n")
                               << 10;
}

void tst_ExchangeWindows::keyboardExportAndImport()
{
    QFETCH(Kind, kind);
    QFETCH(QString, menu);
    QFETCH(QString, format);
    QFETCH(QByteArray, incoming);
    QFETCH(int, rowsAfter);
    const Opened o = open(kind);
    TableWindow *window = o.window.get();

    // A menu of the window's own, with an access key on every entry.
    QVERIFY(o.menuBar);
    QMenu *commands = nullptr;
    for (QAction *title : o.menuBar->actions())
        commands = title->text() == menu ? title->menu() : commands;
    QVERIFY2(commands, qPrintable(menu));
    QStringList entries;
    for (QAction *action : commands->actions())
        entries << action->text();
    QCOMPARE(entries, QStringList({"E&xport " + format + "...", "&Import " + format + "..."}));
    const auto menuKey = Qt::Key(menu.at(1).toUpper().unicode());

    // Export: the chooser is asked for a file to write, and the outcome names it.
    m_answer = m_dir->filePath(QStringLiteral("out.") + format.toLower());
    chooseFromMenu(window, menuKey, Qt::Key_X);
    QCOMPARE(m_requests.size(), 1);
    QVERIFY(m_requests.first().save);
    QCOMPARE(m_requests.first().caption, QStringLiteral("Export ") + format);
    QVERIFY(m_requests.first().filter.startsWith(format));
    QCOMPARE(m_told.size(), 1);
    QVERIFY2(m_told.first().startsWith(QLatin1String("Wrote ")), qPrintable(m_told.first()));
    QVERIFY2(m_told.first().contains(m_answer), qPrintable(m_told.first()));
    QVERIFY(QFile::exists(m_answer));

    // Import: the grid shows the rows the file brought.
    const int rowsBefore = window->model()->allRowCount();
    m_answer = m_dir->filePath(QStringLiteral("in.") + format.toLower());
    writeFile(m_answer, incoming);
    chooseFromMenu(window, menuKey, Qt::Key_I);
    QCOMPARE(m_requests.size(), 2);
    QVERIFY(!m_requests.last().save);
    QCOMPARE(m_problems.last(), false);
    QVERIFY2(m_told.last().contains(m_answer), qPrintable(m_told.last()));
    QCOMPARE(window->model()->allRowCount(), rowsAfter);
    switch (kind) {
    case Kind::Logbook:
        QCOMPARE(rowsBefore, 0);
        QCOMPARE(window->currentRow(), 0);
        QCOMPARE(window->rowCells(0).at(4), QStringLiteral("W1AW"));
        QCOMPARE(static_cast<frmLogging *>(window)->statusText(),
                 m_told.last().section(QLatin1Char('\n'), 0, 0));
        break;
    case Kind::Memory:
        QCOMPARE(window->rowCells(5), QStringList({"05", "14,195.5", " ", "USB", " ", "Net", "A"}));
        QCOMPARE(TableSnapshots(window->database()).list().size(), 1);
        break;
    case Kind::Bands:
        QCOMPARE(window->currentRow(), rowsBefore);
        QCOMPARE(window->rowCells(rowsBefore), QStringList({"14195.5", "USB", "Net"}));
        break;
    }
}

void tst_ExchangeWindows::refusedFileChangesNothing()
{
    const Opened o = open(Kind::Bands);
    const QList<QStringList> before
        = StoredTable(m_dir->filePath(Tables::band().fileName)).rows(Tables::band());
    m_answer = m_dir->filePath(QStringLiteral("bad.csv"));
    writeFile(m_answer, "Location,Frequency,Mode\n0,14.2,USB\n1,145.5,NFM\n");
    static_cast<frmBand *>(o.window.get())->mnuImportCsv_Click();
    QCOMPARE(m_problems, QList<bool>({true}));
    QVERIFY2(
        m_told.first().startsWith(
            QStringLiteral("Nothing was imported from %1, line 3: Mode \"NFM\"").arg(m_answer)),
        qPrintable(m_told.first()));
    QCOMPARE(o.window->model()->allRowCount(), before.size());
    QCOMPARE(StoredTable(m_dir->filePath(Tables::band().fileName)).rows(Tables::band()), before);
}

void tst_ExchangeWindows::cancelledDialogDoesNothing()
{
    const Opened o = open(Kind::Memory);
    m_answer.clear();
    static_cast<frmMemory *>(o.window.get())->mnuImportCsv_Click();
    static_cast<frmMemory *>(o.window.get())->mnuExportCsv_Click();
    QCOMPARE(m_requests.size(), 2);
    QVERIFY(m_told.isEmpty());
    QVERIFY(TableSnapshots(o.window->database()).list().isEmpty());
}

QTEST_MAIN(tst_ExchangeWindows)
#include "tst_exchangewindows.moc"
