// The logbook on 10,000 contacts: time from the "Logging" menu entry to the window shown with
// its newest row current and painted, and time for a click on a column header to show the
// table sorted by that column (targets: under 200 ms each). Also the time to log one more
// contact: Add, Date/Time/Freq/Mode and Update.
#include "benchapplication.h"
#include "core/db/database.h"
#include "core/db/datafolder.h"
#include "core/db/tablemodel.h"
#include "core/radio/radio.h"
#include "ui/logbook/frmlogging.h"
#include "ui/main/frmterminal.h"
#include "ui/tablewindow/datagrid.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int Contacts = 10000;
constexpr int LargeLogbook = 120000;

// Contacts a few hours apart over several years, in the order they were logged.
bool fillLogbook(int contacts = Contacts)
{
    Database db(Tables::logging());
    if (!db.open())
        return false;
    QSqlQuery query(db.connection());
    return query.exec(
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
                       "%1) INSERT INTO Logging (DateLocal, DateGMT, Frequency, Mode, CallSign, "
                       "Description) SELECT strftime('%Y-%m-%dT%H:%M:%S', '2020-01-01', "
                       "'+' || (i * 7) || ' hours'), strftime('%Y-%m-%dT%H:%M:%S', "
                       "'2020-01-01', '+' || (i * 7 - 1) || ' hours'), '14,' || (i % 350), "
                       "'USB', 'CALL' || (i * 7919 % 10007), 'contact ' || i FROM n")
            .arg(contacts));
}

// Milliseconds for opening the logbook's file (its check included), or -1.
double openFile()
{
    QElapsedTimer timer;
    timer.start();
    Database db(Tables::logging());
    return db.open() ? double(timer.nsecsElapsed()) / 1e6 : -1;
}

frmLogging *logbook()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<frmLogging *>(w); window && window->isVisible())
            return window;
    }
    return nullptr;
}

// Milliseconds from the menu entry to the newest row current and painted.
double openOnce(QAction &entry)
{
    QElapsedTimer timer;
    timer.start();
    entry.trigger();
    frmLogging *window = logbook();
    if (!window || !QTest::qWaitForWindowExposed(window) || window->currentRow() != Contacts - 1)
        return -1;
    window->repaint();
    return double(timer.nsecsElapsed()) / 1e6;
}

// Milliseconds from a click on the header of column to the sorted table painted.
double sortOnce(frmLogging &window, int column)
{
    QHeaderView *header = window.grid()->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + 5, header->height() / 2);
    QElapsedTimer timer;
    timer.start();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    window.repaint();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    return window.currentRow() == 0 ? ms : -1;
}

// Milliseconds for Add, the stamp and Update, the new contact current afterwards.
double logOnce(frmLogging &window)
{
    QElapsedTimer timer;
    timer.start();
    window.cmdAdd_Click();
    window.cmdDateTime_Click();
    window.cmdUpdate_Click();
    window.repaint();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    return window.currentRow() == window.model()->rowCount() - 1 ? ms : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    BenchApplication app(argc, argv);
    QTemporaryDir folder;
    DataFolder::setPath(folder.path());
    if (!fillLogbook()) {
        std::fprintf(stderr, "the logbook could not be filled\n");
        return 1;
    }

    Radio radio;
    frmTerminal terminal(radio);
    terminal.show();
    QAction *entry = terminal.findChild<QAction *>(QStringLiteral("mnuLogging"));
    if (!entry || !QTest::qWaitForWindowExposed(&terminal)) {
        std::fprintf(stderr, "the main window was not shown\n");
        return 1;
    }
    QList<double> openings;
    for (int i = 0; i < 10; ++i) {
        const double ms = openOnce(*entry);
        if (ms < 0) {
            std::fprintf(stderr, "the logbook did not open on its newest row\n");
            return 1;
        }
        openings << ms;
        if (i < 9) {
            logbook()->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    frmLogging &window = *logbook();
    QList<double> sorts;
    const QList<int> columns {0, 1, 4, 2, 0, 1, 4, 2, 0, 1};
    for (int column : columns) {
        const double ms = sortOnce(window, column);
        if (ms < 0) {
            std::fprintf(stderr, "the header click did not sort the logbook\n");
            return 1;
        }
        sorts << ms;
    }

    QList<double> logged;
    for (int i = 0; i < 10; ++i) {
        window.Form_Activate(); // the table's own order, the newest row current
        const double ms = logOnce(window);
        if (ms < 0) {
            std::fprintf(stderr, "the new contact was not saved at the end\n");
            return 1;
        }
        logged << ms;
    }

    std::sort(openings.begin(), openings.end());
    std::sort(logged.begin(), logged.end());
    std::sort(sorts.begin(), sorts.end());
    std::printf("logbook of %d contacts, opening on its newest row: median %.1f ms, worst %.1f ms "
                "over %lld openings\n",
                Contacts, median(openings), openings.last(), qlonglong(openings.size()));
    std::printf("logbook of %d contacts, sorting by a header click: median %.1f ms, worst %.1f ms "
                "over %lld clicks\n",
                Contacts, median(sorts), sorts.last(), qlonglong(sorts.size()));
    printFigure("logbook opening, median", median(openings), 1, "ms", BenchTarget::under(200));
    printFigure("logbook sort by a header, median", median(sorts), 1, "ms",
                BenchTarget::under(200));
    std::printf("logbook of %d contacts, logging one more (Add, stamp, Update): median %.1f ms, "
                "worst %.1f ms over %lld contacts\n",
                Contacts, median(logged), logged.last(), qlonglong(logged.size()));

    // The check of a large file on opening, with and without the day's backup.
    QTemporaryDir large;
    DataFolder::setPath(large.path());
    if (!fillLogbook(LargeLogbook)) {
        std::fprintf(stderr, "the large logbook could not be filled\n");
        return 1;
    }
    const double first = openFile();
    QList<double> later;
    for (int i = 0; i < 5; ++i)
        later << openFile();
    std::sort(later.begin(), later.end());
    std::printf("logbook file of %d contacts, opened with its check: first of the day (backup "
                "made) %.1f ms, later openings median %.1f ms\n",
                LargeLogbook, first, median(later));
    return 0;
}
