// The memory window at work on the main window, against the simulated radio on a
// pseudo-terminal: both transfers with their progress window, a lost reply, Cancel, the
// snapshot restore, Mem>VFO and VFO>Mem, the scan from its frame, and the memory buttons of the
// main window.
#include "common/commandlog.h"
#include "common/storedtable.h"
#include "core/db/datafolder.h"
#include "core/db/tablesnapshots.h"
#include "core/memory/memorycells.h"
#include "core/radio/radio.h"
#include "sim/simptyserver.h"
#include "ui/main/frmterminal.h"
#include "ui/memory/frmmemory.h"
#include "ui/memory/frmsnapshots.h"
#include "ui/memory/memorycontroller.h"
#include "ui/settings/frmmessage.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace std::chrono_literals;

namespace {

constexpr int TransferTimeoutMs = 30000;

QString cmd(const char *fields)
{
    return QString::fromLatin1(fields).remove(QLatin1Char('|'));
}

MemoryRow channel(int n, const char *main, const char *split, const char *mode, const char *tone,
                  const char *scan = " ")
{
    return MemoryRow {
        QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')), main, split, mode, tone, " ", scan};
}

// The main window with its memory window open, on the simulated radio's line.
struct Station
{
    explicit Station(const SimOptions &options = {})
        : server(options)
    {
        DataFolder::setPath(data.path());
        if (!server.start() || !radio.MSComm1().setCommPort(server.devicePath())
            || !radio.MSComm1().setPortOpen(true))
            qWarning("the simulated radio's line did not open");
        terminal = std::make_unique<frmTerminal>(radio);
        terminal->mnuMemory_Click();
        window = terminal->memoryWindow();
        controller = terminal->memoryController();
        controller->setMessageBox([this](const QString &text) { messages << text; });
        window->setDataErrorReporter([this](QWidget *, const QString &text) { errors << text; });
        controller->upload().setPacing(0ms);
    }
    ~Station() { DataFolder::setPath(QString()); }

    QList<MemoryRow> stored()
    {
        QList<MemoryRow> rows;
        for (const QStringList &cells :
             StoredTable(window->database().filePath()).rows(Tables::memory()))
            rows << MemoryRow::fromCells(cells);
        return rows;
    }
    void write(const QList<MemoryRow> &rows) { QVERIFY(window->storeChannels(rows)); }
    // Runs the event loop until the transfer has ended (QTest's waits sleep between turns,
    // which would cost each request and reply a sleep).
    bool transferEnds()
    {
        QDeadlineTimer deadline(TransferTimeoutMs);
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (!controller->isTransferring() || deadline.hasExpired())
                loop.quit();
        });
        poll.start(1);
        if (controller->isTransferring())
            loop.exec();
        return !controller->isTransferring();
    }

    QTemporaryDir data;
    SimPtyServer server;
    Radio radio;
    CommandLog log {radio};
    std::unique_ptr<frmTerminal> terminal;
    QPointer<frmMemory> window;
    QPointer<MemoryController> controller;
    QStringList messages;
    QStringList errors;
};

// Channels whose cells sort differently by every column, so that a header sort moves them.
const QList<MemoryRow> SortedApart {
    {"00", "14,195.5", " ", "USB", " ", "DX window", "B"},
    {"05", "7,050", " ", "LSB", "67.0", "net", "C"},
    {"10", "29,620", "29,520", "FM", "88.5", "repeater", "A"},
    {"11", "3,650", " ", "AM", " ", "ragchew", " "},
    {"12", "21,300", "21,310", "CW", "1750", "contest", "A"},
    {"99", "70,000", " ", "CW-R", " ", "beyond the radio", "D"},
};

QList<MemoryRow> blankTable()
{
    QList<MemoryRow> rows;
    for (int n = 0; n < 100; ++n)
        rows << channel(n, " ", " ", " ", " ");
    return rows;
}

const QList<MemoryRow> OperatorsChannels {
    channel(0, "14,195.5", " ", "USB", " "),
    channel(10, "29,620", "29,520", "FM", "88.5"),
    channel(37, "28,400.125", " ", "CW-R", "08"),
    channel(99, "7,050", " ", "LSB", " "),
};

} // namespace

class tst_MemoryWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void channelsFollowTheirNumbers_data();
    void channelsFollowTheirNumbers();
    void uploadThenDownloadReadsTheSameTable();
    void lostReplyAskedAgain();
    void cancel_data();
    void cancel();
    void refusedWhileThePortIsClosed();
    void snapshotRestored_data();
    void snapshotRestored();
    void exchangeWithTheVfos();
    void scanShowsItsRowAndStopsOnClose();
    void mainWindowMemoryButtons();
};

void tst_MemoryWindow::channelsFollowTheirNumbers_data()
{
    QTest::addColumn<QString>("operation");
    for (const char *operation : {"Radio to PC", "PC to Radio", "Mem>VFO", "VFO>Mem", "scan"})
        QTest::newRow(operation) << operation;
}

void tst_MemoryWindow::channelsFollowTheirNumbers()
{
    // Each operation runs on the same table and radio, first in the table's own order, then
    // after a click on each header: the radio, the table and what was sent end the same.
    QFETCH(QString, operation);
    Station s;
    s.controller->scan().setTiming({10, 1});
    RadioState &state = s.radio.state();
    struct Outcome
    {
        QList<MemoryRow> table;
        SimMemoryBank radio;
        QStringList sent;
        QStringList messages;
        QString currentMem; // the Mem cell of the row current at the end
    };
    std::optional<Outcome> unsorted;
    for (int header = -1; header < 7; ++header) {
        s.server.radio().setChannels(SimMemory::factoryChannels());
        s.write(blankTable());
        s.write(SortedApart);
        state.VFO = "0";
        s.messages.clear();
        if (header >= 0)
            s.window->grdDataGrid_HeadClick(header);
        s.log.take();

        if (operation == QLatin1String("Radio to PC")) {
            s.window->CmdRadtoMem->click();
            QVERIFY(s.transferEnds());
        } else if (operation == QLatin1String("PC to Radio")) {
            s.window->cmdMemtoRad->click();
            QVERIFY(s.transferEnds());
        } else if (operation == QLatin1String("Mem>VFO")) {
            s.window->setCurrentRow(s.window->rowOfChannel(10));
            s.window->CmdMemtoVFO->click();
            s.window->CmdMemtoVFO->click(); // the next channel, wherever its row is
        } else if (operation == QLatin1String("VFO>Mem")) {
            state.Freq = "7050.5";
            state.Split = "0";
            state.Mode = "3";
            s.window->setCurrentRow(s.window->rowOfChannel(11));
            s.window->cmdVFOtoMem->click();
        } else {
            s.window->txtStartMem->setText("10");
            s.window->txtEndMem->setText("12");
            s.window->cmdActivate->click();
            QTRY_VERIFY(s.log.commands.filter(QStringLiteral("FA")).size() >= 4);
            s.window->cmdActivate->click();
            QTRY_COMPARE(s.log.commands.filter(QStringLiteral("IF;")).size(), 2);
        }
        QStringList sent = s.log.take();
        if (operation == QLatin1String("scan"))
            sent = sent.filter(QStringLiteral("FA")).mid(0, 4); // the dwells' timing varies
        // The exchange moves on to the next channel's row (the transfers end with the window's
        // activation, whose timing is the platform's).
        const int current = operation.startsWith(QLatin1String("VFO"))
                || operation.startsWith(QLatin1String("Mem"))
            ? s.window->currentRow()
            : -1;
        const Outcome now {s.stored(), s.server.radio().channels(), sent, s.messages,
                           current < 0 ? QString() : s.window->row(current).Mem};
        if (unsorted) {
            const QByteArray where = "after a click on header " + QByteArray::number(header);
            QVERIFY2(now.table == unsorted->table, where);
            QVERIFY2(now.radio == unsorted->radio, where);
            QVERIFY2(now.sent == unsorted->sent, where + ": " + now.sent.join(' ').toLatin1());
            QVERIFY2(now.messages == unsorted->messages, where);
            QVERIFY2(now.currentMem == unsorted->currentMem, where);
            continue;
        }
        // In the table's own order, each operation does what it should.
        unsorted = now;
        if (operation == QLatin1String("Radio to PC")) {
            QCOMPARE(now.table.at(10),
                     (MemoryRow {"10", "29,620", "29,520", "FM", "88.5", "repeater", "A"}));
            QCOMPARE(now.table.at(5), (MemoryRow {"05", "10,120", " ", "CW", " ", "net", "C"}));
            QCOMPARE(now.table.at(11), (MemoryRow {"11", " ", " ", " ", " ", "ragchew", " "}));
        } else if (operation == QLatin1String("PC to Radio")) {
            QCOMPARE(now.radio.at(0).receive.hz, 14'195'500);
            QCOMPARE(now.radio.at(12).transmit.hz, 21'310'000);
            QCOMPARE(now.radio.at(12).receive.tone, 39);
            QVERIFY(now.radio.at(1).isEmpty()); // 7,050 at the factory, empty in the table
            // 70,000 kHz is beyond the radio: it refuses the channel and keeps its own.
            QCOMPARE(now.radio.at(99).receive.hz, 28'500'000);
            QCOMPARE(now.messages.size(), 1);
            QVERIFY2(now.messages.first().contains(QLatin1String("refused to store channel 99")),
                     qPrintable(now.messages.first()));
        } else if (operation == QLatin1String("Mem>VFO")) {
            QCOMPARE(now.sent,
                     (QStringList {"FA00029620000;", "FA;", "FB00029520000;", "FB;", "FT1;", "MD4;",
                                   "MD;", "FA00003650000;", "FA;", "FT0;", "MD5;", "MD;"}));
            QCOMPARE(now.currentMem, QStringLiteral("12"));
        } else if (operation == QLatin1String("VFO>Mem")) {
            QCOMPARE(now.table.at(11),
                     (MemoryRow {"11", "7,050.5", " ", "CW", " ", "ragchew", " "}));
            QCOMPARE(now.currentMem, QStringLiteral("12"));
        } else {
            QCOMPARE(now.sent,
                     (QStringList {"FA00029620000;", "FA00021300000;", "FA00029620000;",
                                   "FA00021300000;"}));
        }
    }
}

void tst_MemoryWindow::uploadThenDownloadReadsTheSameTable()
{
    Station s;
    s.write(OperatorsChannels);
    const QList<MemoryRow> table = s.stored();
    s.log.take();

    s.window->cmdMemtoRad->click();
    frmMessage *progress = s.controller->progressWindow();
    QVERIFY(progress->isVisible());
    QCOMPARE(progress->windowModality(), Qt::ApplicationModal);
    QCOMPARE(progress->lblMessage->text(),
             QStringLiteral("Loading Radio with PC Memory, Do Not Interrupt !"));
    QVERIFY(progress->cmdCancel->isVisible());
    QVERIFY(!s.window->isVisible());
    QVERIFY(s.transferEnds());
    QVERIFY(!progress->isVisible());
    QVERIFY(s.window->isVisible());
    QCOMPARE(s.messages, QStringList());

    const QStringList sent = s.log.take();
    QCOMPARE(sent.size(), 202);
    QCOMPARE(sent.first(), "AI0;");
    QCOMPARE(sent.mid(1, 2),
             (QStringList {cmd("MW1 |00|00000000000|2|0|0|00| ;"),
                           cmd("MW0 |00|00014195500|2|0|0|00| ;")}));
    QCOMPARE(sent.mid(21, 2),
             (QStringList {cmd("MW1 |10|00029520000|4|0|1|08| ;"),
                           cmd("MW0 |10|00029620000|4|0|1|08| ;")}));
    QCOMPARE(sent.last(), "AI3;");
    QTRY_COMPARE(s.server.radio().channel(99).receive.hz, 7'050'000);
    QCOMPARE(s.server.radio().refusedCount(), 0);

    // The frequencies are lost on the PC; the download brings them back from the radio.
    QList<MemoryRow> lost = table;
    for (MemoryRow &row : lost)
        row.FreqMain = row.FreqSplit = row.Mode = row.Tone = " ";
    s.write(lost);
    s.window->CmdRadtoMem->click();
    QVERIFY(progress->isVisible());
    QCOMPARE(progress->windowModality(), Qt::NonModal);
    QCOMPARE(progress->lblMessage->text(),
             QStringLiteral("Loading Memory Data from Radio, Do Not Interrupt !"));
    QCOMPARE(s.radio.state().DownloadSwitch, 1);
    QVERIFY(!s.window->isVisible());
    QVERIFY(s.transferEnds());

    QList<MemoryRow> expected = table;
    expected[37].Tone = "88.5"; // the radio's tone number 08 as its frequency
    QCOMPARE(s.stored(), expected);
    QCOMPARE(s.radio.state().DownloadSwitch, 0);
    QCOMPARE(s.log.commands.last(), "AI3;");
    QVERIFY(!progress->isVisible());
    QVERIFY(s.window->isVisible());
    QCOMPARE(s.messages, QStringList());
    // The table as it was before the download is kept.
    TableSnapshots snapshots(s.window->database());
    const QList<TableSnapshots::Snapshot> kept = snapshots.list();
    QCOMPARE(kept.size(), 1);
    QCOMPARE(kept.first().reason, QStringLiteral("before Radio to PC"));
    QCOMPARE(MemoryRow::fromCells(snapshots.rows(kept.first().id)->at(10)), lost.at(10));
}

void tst_MemoryWindow::lostReplyAskedAgain()
{
    SimOptions options;
    options.dropEvery = 60; // the 60th reply: the transmit side of channel 29
    Station s(options);
    s.write(OperatorsChannels);
    s.controller->download().setReplyTimeout(200ms);

    s.window->CmdRadtoMem->click();
    // "&Mem" during the download brings the progress window forward, not the hidden table.
    s.terminal->mnuMemory_Click();
    QVERIFY(!s.window->isVisible());
    QVERIFY(s.transferEnds());

    // Each lost reply was asked for again, and the download went on to its end.
    QCOMPARE(s.messages, QStringList());
    QVERIFY(s.server.repliesDropped() > 0);
    QCOMPARE(s.log.commands.count("MR1 29;"), 2);
    QCOMPARE(s.log.commands.filter(QRegularExpression("^MR")).size(),
             200 + s.server.repliesDropped());
    const QList<MemoryRow> stored = s.stored();
    for (int channel : {0, 29, 30, 99})
        QCOMPARE(stored.at(channel).FreqMain,
                 MemoryCells::frequencyCell(s.server.radio().channel(channel).receive.hz));
    QCOMPARE(s.log.commands.last(), "AI3;");
    QCOMPARE(s.radio.state().DownloadSwitch, 0);
    QVERIFY(!s.controller->progressWindow()->isVisible());
    QVERIFY(s.window->isVisible());
}

void tst_MemoryWindow::cancel_data()
{
    QTest::addColumn<bool>("upload");
    QTest::addColumn<QString>("how");
    QTest::newRow("download, Cancel") << false << "button";
    QTest::newRow("download, Escape") << false << "escape";
    QTest::newRow("upload, Cancel") << true << "button";
    QTest::newRow("upload, window closed") << true << "close";
}

void tst_MemoryWindow::cancel()
{
    QFETCH(bool, upload);
    QFETCH(QString, how);
    SimOptions options;
    options.baud = 9600; // slow enough to stop half-way
    Station s(options);
    s.write(OperatorsChannels);
    const QList<MemoryRow> before = s.stored();
    const SimMemoryBank radioBefore = s.server.radio().channels();
    s.controller->upload().setPacing(20ms);
    s.log.take();

    (upload ? s.window->cmdMemtoRad : s.window->CmdRadtoMem)->click();
    frmMessage *progress = s.controller->progressWindow();
    QTRY_VERIFY(progress->ProgressBar1->value() >= 3);
    if (how == QLatin1String("button")) {
        progress->cmdCancel->click();
    } else if (how == QLatin1String("escape")) {
        QTest::keyClick(progress, Qt::Key_Escape);
    } else {
        QVERIFY(!progress->close()); // as the window's close button does
    }
    if (upload) {
        // The channel in progress is completed first.
        QVERIFY(progress->isVisible());
        QVERIFY(!progress->cmdCancel->isEnabled());
    }
    QVERIFY(s.transferEnds());

    QVERIFY(!progress->isVisible());
    QVERIFY(s.window->isVisible());
    QCOMPARE(s.log.commands.last(), "AI3;");
    QCOMPARE(s.radio.state().DownloadSwitch, 0);
    QCOMPARE(s.messages.size(), 1);
    QCOMPARE(s.stored(), before);
    if (upload) {
        QVERIFY2(s.messages.first().contains(QLatin1String("cancelled after channel")),
                 qPrintable(s.messages.first()));
        const QStringList writes = s.log.commands.filter(QStringLiteral("MW"));
        QVERIFY(writes.size() < 200);
        QCOMPARE(writes.size() % 2, 0); // both sides of every channel begun
        QTRY_COMPARE(s.server.radio().channel(0).receive.hz, 14'195'500);
        QCOMPARE(s.server.radio().channel(99), radioBefore.at(99));
    } else {
        QVERIFY2(s.messages.first().contains(QLatin1String("cancelled"))
                     && s.messages.first().contains(QLatin1String("unchanged")),
                 qPrintable(s.messages.first()));
        QVERIFY(s.log.commands.filter(QStringLiteral("MR")).size() < 200);
    }
}

void tst_MemoryWindow::refusedWhileThePortIsClosed()
{
    // An upload to a closed port would send nothing and end as if it had written every channel.
    Station s;
    s.radio.MSComm1().setPortOpen(false);
    s.window->cmdMemtoRad->click();
    s.window->CmdRadtoMem->click();
    QCOMPARE(s.messages.size(), 2);
    for (const QString &message : s.messages)
        QVERIFY2(message.contains(QLatin1String("port is closed")), qPrintable(message));
    QVERIFY(!s.controller->isTransferring());
    QVERIFY(s.window->isVisible());
    QCOMPARE(s.log.commands, QStringList());
    QCOMPARE(s.radio.state().DownloadSwitch, 0);
    QVERIFY(TableSnapshots(s.window->database()).list().isEmpty());
}

void tst_MemoryWindow::snapshotRestored_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

void tst_MemoryWindow::snapshotRestored()
{
    QFETCH(bool, confirm);
    Station s;
    QCOMPARE(s.window->menuBar->actions().first()->text(), QStringLiteral("&Snapshots"));
    QCOMPARE(s.window->mnuRestoreSnapshot->text(), QStringLiteral("&Restore Snapshot..."));
    s.window->mnuRestoreSnapshot->trigger();
    QCOMPARE(s.messages.size(), 1); // none yet
    QVERIFY(!s.controller->snapshotWindow());

    s.write(OperatorsChannels);
    const QList<MemoryRow> operators = s.stored();
    s.window->CmdRadtoMem->click();
    QVERIFY(s.transferEnds());
    const QList<MemoryRow> downloaded = s.stored();
    QVERIFY(downloaded != operators);

    s.window->mnuRestoreSnapshot->trigger();
    frmSnapshots *dialog = s.controller->snapshotWindow();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->lstSnapshots->count(), 1);
    QVERIFY2(dialog->lstSnapshots->item(0)->text().contains(QLatin1String("before Radio to PC")),
             qPrintable(dialog->lstSnapshots->item(0)->text()));
    const TableSnapshots::Snapshot kept = TableSnapshots(s.window->database()).list().first();
    QTest::keyClick(dialog->lstSnapshots, Qt::Key_Return);
    QMessageBox *question = dialog->confirmation();
    QVERIFY(question);
    const QString when = QStringLiteral("on %1 at %2")
                             .arg(kept.taken.toString(QStringLiteral("yyyy-MM-dd")),
                                  kept.taken.toString("HH:mm:ss"));
    QVERIFY2(question->text().contains(when), qPrintable(question->text()));
    question->button(confirm ? QMessageBox::Yes : QMessageBox::No)->click();

    if (confirm) {
        QTRY_VERIFY(!s.controller->snapshotWindow());
        QCOMPARE(s.stored(), operators);
        QCOMPARE(s.window->row(37), operators.at(37)); // the window shows it
        QCOMPARE(TableSnapshots(s.window->database()).list().first().reason,
                 QStringLiteral("before restoring a snapshot"));
    } else {
        QVERIFY(dialog->isVisible());
        QCOMPARE(s.stored(), downloaded);
        dialog->cmdCancel->click();
        QTRY_VERIFY(!s.controller->snapshotWindow());
    }
    QCOMPARE(s.errors, QStringList());
}

void tst_MemoryWindow::exchangeWithTheVfos()
{
    Station s;
    s.write(OperatorsChannels);
    s.window->setCurrentRow(-1);
    s.window->CmdMemtoVFO->click();
    s.window->cmdVFOtoMem->click();
    QCOMPARE(s.messages.size(), 2); // no row chosen
    s.log.take();

    // Mem>VFO on channel 10 with VFO A: receive on A, transmit on B; then the next row.
    RadioState &state = s.radio.state();
    state.VFO = "0";
    s.window->setCurrentRow(10);
    s.window->CmdMemtoVFO->click();
    QCOMPARE(
        s.log.take(),
        (QStringList {"FA00029620000;", "FA;", "FB00029520000;", "FB;", "FT1;", "MD4;", "MD;"}));
    QCOMPARE(s.window->currentRow(), 11);

    // VFO>Mem into channel 11, at once in the file, then the next row.
    state.Freq = "7050.5";
    state.Split = "0";
    state.Mode = "3";
    s.window->cmdVFOtoMem->click();
    QCOMPARE(s.stored().at(11), channel(11, "7,050.5", " ", "CW", " "));
    QCOMPARE(s.window->currentRow(), 12);

    // Before the radio has reported a frequency nothing is stored.
    state.Freq.clear();
    s.window->cmdVFOtoMem->click();
    QCOMPARE(s.stored().at(12), channel(12, " ", " ", " ", " "));
    QCOMPARE(s.window->currentRow(), 12);
    QCOMPARE(s.messages.size(), 3);
    QVERIFY2(s.messages.last().contains(QLatin1String("channel 12 is unchanged")),
             qPrintable(s.messages.last()));
}

void tst_MemoryWindow::scanShowsItsRowAndStopsOnClose()
{
    Station s;
    s.write({channel(10, "7,050", " ", "LSB", " ", "A"),
             channel(12, "14,200", " ", "USB", " ", "A"),
             channel(14, "21,300", " ", "USB", " ", "A")});
    s.controller->scan().setTiming({10, 1}); // a pause second lasts 10 ms
    s.radio.state().VFO = "0";

    s.window->txtStartMem->setText("1x");
    s.window->cmdActivate->click();
    QCOMPARE(s.messages.size(), 1);
    QVERIFY2(s.messages.first().contains(QLatin1String("\"1x\"")), qPrintable(s.messages.first()));
    QCOMPARE(s.window->cmdActivate->text(), QStringLiteral("S&tart"));

    s.window->txtStartMem->setText("10");
    s.window->txtEndMem->setText("12");
    s.window->cmdActivate->click();
    QCOMPARE(s.window->cmdActivate->text(), QStringLiteral("S&top"));
    QVERIFY(s.window->cmdActivate->accessibleName().startsWith(QLatin1String("Stop")));
    // The row tuned is the current row; past the end row the scan starts again.
    QSignalSpy rows(&s.controller->scan(), &MemoryScan::rowChanged);
    QTRY_VERIFY(rows.size() >= 4);
    QCOMPARE(s.window->currentRow(), rows.last().first().toInt());
    QStringList visited;
    for (const QList<QVariant> &row : rows.mid(0, 4))
        visited << row.first().toString();
    const QString order = visited.join(QLatin1Char(' '));
    QVERIFY2(order == QLatin1String("12 10 12 10") || order == QLatin1String("10 12 10 12"),
             qPrintable(order));
    QVERIFY(!s.log.commands.contains("FA00021300000;"));

    // Close stops the scan first; its status requests still go out.
    s.log.take();
    s.window->cmdClose->click();
    QTRY_VERIFY(!s.window);
    QCOMPARE(s.log.commands.filter(QStringLiteral("IF;")).size(), 2);
    QCOMPARE(s.log.commands.filter(QStringLiteral("FA")).size(), 0);
}

void tst_MemoryWindow::mainWindowMemoryButtons()
{
    Station s;
    s.terminal->show();
    RadioState &state = s.radio.state();
    state.Freq = "14200.5";
    state.Mode = "2";
    state.VFO = "1";
    const auto button = [&s](const char *name) {
        auto *b = s.terminal->findChild<QPushButton *>(QLatin1String(name));
        if (b
            && b->parentWidget()
                != static_cast<QWidget *>(s.terminal->frontPanel()->freqMemFrame()))
            return static_cast<QPushButton *>(nullptr);
        return b;
    };
    const QList<std::pair<const char *, const char *>> captions {
        {"CmdMemtoFreq", "M>VFOA"}, {"cmdQMIn", "Q Mem In"}, {"cmdQMRec", "Q Mem Recall"}};
    for (const auto &[name, caption] : captions) {
        QPushButton *b = button(name);
        QVERIFY2(b, name);
        QCOMPARE(b->text(), QLatin1String(caption));
        QVERIFY2(b->accessibleName().startsWith(QLatin1String(caption)),
                 qPrintable(b->accessibleName()));
    }
    s.log.take();

    button("CmdMemtoFreq")->click(); // VFO A, whatever VFO is in use
    QCOMPARE(s.log.take(), (QStringList {"FA00014200500;", "MD2;"}));
    button("cmdQMIn")->click();
    QCOMPARE(s.log.take(), QStringList());
    state.VFO = "0";
    button("cmdQMRec")->click();
    QCOMPARE(button("cmdQMRec")->text(), QStringLiteral("Q Mem Rec 1"));
    QVERIFY(button("cmdQMRec")->accessibleName().startsWith(QLatin1String("Q Mem Rec 1")));
    QCOMPARE(s.log.take(), (QStringList {"FA00014200500;", "MD2;"}));

    // The start-up synchronisation's progress window offers no Cancel.
    s.terminal->showProgress(QStringLiteral("Loading Data from Radio, Please Wait !"), false,
                             false);
    QVERIFY(!s.terminal->progressWindow()->cmdCancel->isVisible());
    s.terminal->closeProgress();
}

QTEST_MAIN(tst_MemoryWindow)
#include "tst_memorywindow.moc"
