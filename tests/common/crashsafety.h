// Crash safety of the tables: a program killed outright (SIGKILL) in the middle of a long
// operation leaves every table file whole (PRAGMA integrity_check), every transaction it
// committed in place and nothing half-written. Shared by the test, which kills a handful of
// times per operation, and the benchmark, which kills fifty times.
//
// The program killed is the caller's own executable started again with ChildArgument, the
// operation and a data folder the parent has prepared. It runs the operation through the
// windows and the tables as the operator would, and says on standard output "started" when
// the operation begins, "committed N" after each commit of a sequence of them, each memory
// read of a download, and "finished" at the end.
#pragma once

#include "common/storedtable.h"
#include "core/db/database.h"
#include "core/db/tablemodel.h"
#include "core/db/tablesnapshots.h"
#include "core/exchange/logbookadif.h"
#include "core/exchange/memorycsv.h"
#include "core/memory/memorycells.h"
#include "core/radio/radio.h"
#include "sim/simptyserver.h"
#include "ui/logbook/frmlogging.h"
#include "ui/memory/frmmemory.h"
#include "ui/memory/memorycontroller.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <chrono>
#include <cstdio>
#include <functional>

namespace CrashSafety {

enum class Operation { Download, Upload, LogbookEdit, SnapshotRestore, AdifImport, CsvImport };

inline const QList<Operation> &operations()
{
    static const QList<Operation> all {Operation::Download,    Operation::Upload,
                                       Operation::LogbookEdit, Operation::SnapshotRestore,
                                       Operation::AdifImport,  Operation::CsvImport};
    return all;
}

inline const char *name(Operation operation)
{
    static const char *const Names[] = {"memory download",  "memory upload", "logbook edit",
                                        "snapshot restore", "ADIF import",   "CSV import"};
    return Names[int(operation)];
}

inline constexpr const char *ChildArgument = "--crash-child";
// The commits of the two operations that are sequences of them.
inline constexpr int LogbookEdits = 60;
inline constexpr int Restores = 31;
inline constexpr int ImportedContacts = 3000;
inline constexpr int LoggedContacts = 40;

using Rows = QList<QStringList>;

inline bool onLogbook(Operation operation)
{
    return operation == Operation::LogbookEdit || operation == Operation::AdifImport;
}

inline QString tablePath(const QString &folder, Operation operation)
{
    return folder
        + (onLogbook(operation) ? QStringLiteral("/Logging.sqlite")
                                : QStringLiteral("/memory.sqlite"));
}

inline const TableSchema &schema(Operation operation)
{
    return onLogbook(operation) ? Tables::logging() : Tables::memory();
}

// --- What the tables hold at each step ---------------------------------------------------------

// A memory table an operator has made: every tenth channel programmed, with a word of its own.
inline Rows memoryTable(const QString &word)
{
    Rows rows;
    for (int channel = 0; channel < 100; ++channel) {
        const bool programmed = channel % 10 == 0;
        rows << QStringList {MemoryCells::channelText(channel),
                             programmed ? MemoryCells::frequencyCell(3'500'000 + channel * 250'000)
                                        : MemoryCells::blank(),
                             MemoryCells::blank(),
                             programmed ? QStringLiteral("USB") : MemoryCells::blank(),
                             MemoryCells::blank(),
                             programmed ? word : MemoryCells::blank(),
                             MemoryCells::blank()};
    }
    return rows;
}

// Contact number n of a logbook, in the table's columns.
inline QStringList contact(int n, const QString &description)
{
    const QDateTime gmt
        = QDateTime(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC).addSecs(qint64(n) * 97);
    return {gmt.addSecs(3600).toString(Qt::ISODate).chopped(1),
            gmt.toString(Qt::ISODate).chopped(1),
            MemoryCells::frequencyCell(7'000'000 + (n % 300) * 1'000),
            QStringLiteral("CW"),
            QStringLiteral("K%1AB").arg(n),
            description};
}

inline Rows loggedContacts()
{
    Rows rows;
    for (int n = 0; n < LoggedContacts; ++n)
        rows << contact(n, QStringLiteral("logged"));
    return rows;
}

// The logbook after the first `edits` edits: each adds a contact and changes the description
// of one logged before.
inline Rows logbookAfter(int edits)
{
    Rows rows = loggedContacts();
    for (int e = 1; e <= edits; ++e) {
        rows[(e - 1) % LoggedContacts][5] = QStringLiteral("edit %1").arg(e);
        rows << contact(1000 + e, QStringLiteral("new %1").arg(e));
    }
    return rows;
}

// The memory table after the first `restores` restores: they go to the word "B" and back.
inline Rows restoredAfter(int restores)
{
    return memoryTable(restores % 2 ? QStringLiteral("B") : QStringLiteral("A"));
}

// --- Preparing a folder ------------------------------------------------------------------------

inline bool writeRows(const QString &folder, Operation operation, const Rows &rows)
{
    Database db(schema(operation), folder);
    if (!db.open())
        return false;
    StoredTable stored(db.filePath());
    QStringList statements {
        QStringLiteral("DELETE FROM %1").arg(Tables::quoted(schema(operation).tableName))};
    for (const QStringList &row : rows) {
        QStringList values;
        for (const QString &cell : row)
            values << QLatin1Char('\'')
                    + QString(cell).replace(QLatin1Char('\''), QStringLiteral("''"))
                    + QLatin1Char('\'');
        QStringList columns;
        for (const QString &column : schema(operation).columns)
            columns << Tables::quoted(column);
        statements << QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(Tables::quoted(schema(operation).tableName),
                               columns.join(QLatin1Char(',')), values.join(QLatin1Char(',')));
    }
    return stored.exec(statements).isEmpty();
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The folder as the operation finds it.
inline bool prepare(const QString &folder, Operation operation)
{
    switch (operation) {
    case Operation::LogbookEdit:
        return writeRows(folder, operation, loggedContacts());
    case Operation::AdifImport: {
        Rows imported;
        for (int n = 0; n < ImportedContacts; ++n)
            imported << contact(5000 + n, QStringLiteral("imported"));
        return writeRows(folder, operation, loggedContacts())
            && writeFile(folder + QStringLiteral("/contacts.adi"),
                         LogbookAdif::write(imported, QDateTime::currentDateTimeUtc()).bytes);
    }
    case Operation::SnapshotRestore: {
        if (!writeRows(folder, operation, memoryTable(QStringLiteral("B"))))
            return false;
        Database db(Tables::memory(), folder);
        if (!db.open() || !TableSnapshots(db).take(QStringLiteral("prepared")))
            return false;
        return writeRows(folder, operation, memoryTable(QStringLiteral("A")));
    }
    case Operation::CsvImport: {
        Rows channels;
        for (int channel = 0; channel < 100; ++channel)
            channels << QStringList {MemoryCells::channelText(channel),
                                     MemoryCells::frequencyCell(14'000'000 + channel * 1'000),
                                     MemoryCells::blank(),
                                     QStringLiteral("CW"),
                                     MemoryCells::blank(),
                                     QStringLiteral("csv"),
                                     QStringLiteral("A")};
        return writeRows(folder, operation, memoryTable(QStringLiteral("A")))
            && writeFile(folder + QStringLiteral("/channels.csv"),
                         MemoryCsv::write(channels).bytes);
    }
    case Operation::Download:
    case Operation::Upload:
        return writeRows(folder, operation, memoryTable(QStringLiteral("A")));
    }
    return false;
}

// --- The child -------------------------------------------------------------------------------

inline void say(const QByteArray &line)
{
    std::fputs((line + '\n').constData(), stdout);
    std::fflush(stdout);
}

// Hands the memory replies of a download to the window's controller, as the main window does.
class ForwardingDisplay : public NullDisplay
{
public:
    void memoryDownload(const QString &reply) override
    {
        if (controller)
            controller->memoryDownload(reply);
    }
    MemoryController *controller = nullptr;
};

// A transfer or a restore through the memory window and its controller, the simulated radio
// on a pseudo-terminal in this process. dropReply: the reply the radio loses (0: none).
inline int memoryChild(Operation operation, const QString &folder, int dropReply)
{
    SimOptions options;
    options.dropEvery = dropReply;
    SimPtyServer server(options);
    Radio radio;
    if (!server.start() || !radio.MSComm1().setCommPort(server.devicePath())
        || !radio.MSComm1().setPortOpen(true)) {
        say("no line to the radio");
        return 2;
    }
    QObject::connect(&radio, &Radio::commandWritten, &radio, [](const QByteArray &command) {
        if (command.startsWith("MR"))
            say(command);
    });
    // The window deletes itself when it closes, as the program ends, and its controller with it.
    auto *window = new frmMemory(nullptr, folder);
    window->show();
    auto *controller = new MemoryController(radio, *window);
    controller->upload().setPacing(std::chrono::milliseconds(2));
    ForwardingDisplay display;
    display.controller = controller;
    radio.setDisplay(&display);
    int status = 0;
    const auto end = [&](int code) {
        say(code == 0 ? "finished" : "failed");
        display.controller = nullptr;
        QCoreApplication::exit(code);
    };
    // A message means the operation did not go as it should: the parent sees it and fails.
    controller->setMessageBox([&](const QString &text) {
        say(text.toUtf8());
        end(3);
    });
    QObject::connect(&controller->download(), &MemoryDownload::finished, window, [&] { end(0); });
    QObject::connect(&controller->upload(), &MemoryUpload::finished, window, [&] { end(0); });
    if (operation == Operation::SnapshotRestore) {
        QTimer::singleShot(0, window, [&] {
            say("started");
            TableSnapshots snapshots(window->database());
            for (int restore = 1; restore <= Restores; ++restore) {
                const Rows wanted = restoredAfter(restore);
                qint64 id = 0;
                for (const TableSnapshots::Snapshot &s : snapshots.list()) {
                    if (snapshots.rows(s.id) == wanted) {
                        id = s.id;
                        break;
                    }
                }
                if (id == 0 || !controller->restoreSnapshot(id))
                    return end(4);
                say("committed " + QByteArray::number(restore));
            }
            end(0);
        });
    } else if (operation == Operation::CsvImport) {
        window->setFileChooser([folder](QWidget *, const FileCommand::Request &, auto chosen) {
            chosen(folder + QStringLiteral("/channels.csv"));
        });
        window->setOutcomeTeller([&](QWidget *, const QString &text, bool problem) {
            if (problem)
                say(text.toUtf8());
            end(problem ? 3 : 0);
        });
        QTimer::singleShot(0, window, [&] {
            say("started");
            window->mnuImportCsv_Click();
        });
    } else {
        QTimer::singleShot(0, window, [&] {
            (operation == Operation::Download ? window->CmdRadtoMem : window->cmdMemtoRad)->click();
            say("started");
        });
    }
    status = QCoreApplication::exec();
    radio.setDisplay(nullptr);
    return status;
}

// Edits through the logbook's model, each saved in one transaction as the window saves them,
// or an ADIF import through the logbook window.
inline int logbookChild(Operation operation, const QString &folder)
{
    RadioState state;
    auto *window = new frmLogging(state, nullptr, folder);
    window->show();
    if (operation == Operation::AdifImport) {
        window->setFileChooser([folder](QWidget *, const FileCommand::Request &, auto chosen) {
            chosen(folder + QStringLiteral("/contacts.adi"));
        });
        window->setOutcomeTeller([](QWidget *, const QString &text, bool problem) {
            if (problem)
                say(text.toUtf8());
            say(problem ? "failed" : "finished");
            QCoreApplication::exit(problem ? 3 : 0);
        });
        QTimer::singleShot(0, window, [window] {
            say("started");
            window->mnuImportAdif_Click();
        });
        return QCoreApplication::exec();
    }
    Database db(Tables::logging(), folder);
    if (!db.open())
        return 2;
    TableModel model(db);
    if (!model.attach() || !model.select())
        return 2;
    say("started");
    const Rows logged = loggedContacts();
    for (int edit = 1; edit <= LogbookEdits; ++edit) {
        const Rows after = logbookAfter(edit);
        const int changed = (edit - 1) % LoggedContacts;
        model.fetchUpTo(-1);
        const int added = model.rowCount();
        QString error;
        if (!model.setRowCells(changed, after.at(changed)) || !model.insertRow(added)
            || !model.setRowCells(added, after.last()) || !model.save(&error)) {
            say("the edit was refused: " + model.lastError().text().toUtf8());
            say(error.toUtf8());
            return 3;
        }
        say("committed " + QByteArray::number(edit));
    }
    say("finished");
    return 0;
}

// Call from main() when argv[1] is ChildArgument: argv[2] the operation's number, argv[3] the
// folder, argv[4] (optional) the reply the simulated radio loses.
inline int childMain(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const auto operation = Operation(QByteArray(argv[2]).toInt());
    const QString folder = QString::fromLocal8Bit(argv[3]);
    if (onLogbook(operation))
        return logbookChild(operation, folder);
    return memoryChild(operation, folder, argc > 4 ? QByteArray(argv[4]).toInt() : 0);
}

// --- The parent --------------------------------------------------------------------------------

struct Child
{
    QStringList said;
    bool finished = false;
    bool killed = false;
    double runMs = 0; // from "started" to the end or the kill
    QString failure; // set when the child could not run as it should

    // The commits the child said it made; all of them for an operation that finished.
    int commits() const
    {
        int last = 0;
        for (const QString &line : said) {
            if (line.startsWith(QLatin1String("committed ")))
                last = line.mid(10).toInt();
        }
        return last;
    }
};

// Runs the operation on the prepared folder; killAfterMs >= 0 kills the child that long after
// it said "started", killAfterLine kills it once it has said that line.
inline Child runChild(const QString &program, Operation operation, const QString &folder,
                      int killAfterMs, const QByteArray &killAfterLine = {}, int dropReply = 0)
{
    Child child;
    QProcess process;
    process.start(program,
                  {QLatin1String(ChildArgument), QString::number(int(operation)), folder,
                   QString::number(dropReply)});
    if (!process.waitForStarted(10000)) {
        child.failure = QStringLiteral("the child did not start");
        return child;
    }
    QElapsedTimer clock;
    const auto take = [&] {
        while (process.canReadLine()) {
            const QString line = QString::fromUtf8(process.readLine()).trimmed();
            child.said << line;
            if (line == QLatin1String("started"))
                clock.start();
            if (line == QLatin1String("finished"))
                child.finished = true;
        }
    };
    const auto due = [&] {
        if (!killAfterLine.isEmpty())
            return child.said.contains(QString::fromLatin1(killAfterLine));
        return killAfterMs >= 0 && clock.isValid() && clock.elapsed() >= killAfterMs;
    };
    QDeadlineTimer giveUp(120000);
    while (process.state() != QProcess::NotRunning && !due() && !giveUp.hasExpired()) {
        process.waitForReadyRead(killAfterLine.isEmpty() && clock.isValid()
                                     ? int(qMax<qint64>(1, killAfterMs - clock.elapsed()))
                                     : 100);
        take();
    }
    if (process.state() != QProcess::NotRunning) {
        if (due()) {
            process.kill(); // SIGKILL: no destructor, no rollback, no closing of the file
            child.killed = true;
        } else {
            process.kill();
            child.failure = QStringLiteral("the child did not end within two minutes");
        }
    }
    process.waitForFinished(10000);
    take();
    child.runMs = clock.isValid() ? double(clock.nsecsElapsed()) / 1e6 : 0;
    if (!child.killed && child.failure.isEmpty()
        && (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0))
        child.failure
            = QStringLiteral("the child failed: ") + child.said.join(QLatin1String(" / "));
    return child;
}

// What a kill left: nothing of the operation, all of it, or the commits of a sequence up to
// the one named.
struct Outcome
{
    QString problem; // empty: whole, and as committed
    enum { Before, Between, After } landed = Before;
};

// The first row where two tables differ, for a message.
inline QString firstDifference(const Rows &got, const Rows &expected)
{
    for (qsizetype i = 0; i < qMax(got.size(), expected.size()); ++i) {
        if (got.value(i) != expected.value(i))
            return QStringLiteral("row %1 is %2, not %3")
                .arg(i)
                .arg(got.value(i).join(QLatin1Char('|')), expected.value(i).join(QLatin1Char('|')));
    }
    return QStringLiteral("no row differs");
}

// Checks the folder after the child ended or was killed. before: the table as prepared;
// after: the table a finished run leaves (for the operations that are one transaction).
inline Outcome check(const QString &folder, Operation operation, const Child &child,
                     const Rows &before, const Rows &after)
{
    Outcome out;
    const auto fail = [&](const QString &text) {
        out.problem = text;
        return out;
    };
    StoredTable stored(tablePath(folder, operation));
    const QString integrity = stored.value(QStringLiteral("PRAGMA integrity_check"));
    if (integrity != QLatin1String("ok"))
        return fail(QStringLiteral("integrity check: ") + integrity);
    const Rows rows = stored.rows(schema(operation));
    const int commits = child.commits();

    switch (operation) {
    case Operation::LogbookEdit:
    case Operation::SnapshotRestore: {
        // Every commit the child reported is there; the one after it may be too.
        const auto state = [operation](int k) {
            return operation == Operation::LogbookEdit ? logbookAfter(k) : restoredAfter(k);
        };
        const int last = operation == Operation::LogbookEdit ? LogbookEdits : Restores;
        if (rows == state(commits))
            out.landed = commits == 0 ? Outcome::Before
                : commits == last     ? Outcome::After
                                      : Outcome::Between;
        else if (commits < last && rows == state(commits + 1))
            out.landed = commits + 1 == last ? Outcome::After : Outcome::Between;
        else
            return fail(QStringLiteral("after %1 commits the table is neither their state nor "
                                       "the next: %2")
                            .arg(commits)
                            .arg(firstDifference(rows, state(commits))));
        break;
    }
    case Operation::Upload:
        if (rows != before)
            return fail(QStringLiteral("the upload changed the table"));
        out.landed = child.finished ? Outcome::After : Outcome::Before;
        break;
    default:
        if (rows == after)
            out.landed = Outcome::After;
        else if (rows == before && !child.finished)
            out.landed = Outcome::Before;
        else
            return fail(child.finished ? QStringLiteral("the finished operation is not all there")
                                       : QStringLiteral("the table is half-written"));
        break;
    }
    if (operation == Operation::SnapshotRestore || operation == Operation::Download
        || operation == Operation::CsvImport) {
        Database db(Tables::memory(), folder);
        if (!db.open())
            return fail(QStringLiteral("memory.sqlite does not open: ") + db.errorText());
        TableSnapshots snapshots(db);
        const QList<TableSnapshots::Snapshot> kept = snapshots.list();
        for (const TableSnapshots::Snapshot &s : kept) {
            const std::optional<Rows> snapshotRows = snapshots.rows(s.id);
            if (!snapshotRows
                || (*snapshotRows != before && *snapshotRows != after
                    && *snapshotRows != restoredAfter(1)))
                return fail(QStringLiteral("a snapshot holds a table that never was"));
        }
        // The table a transfer or import replaced is kept before it is replaced.
        if (operation != Operation::SnapshotRestore && out.landed == Outcome::After
            && kept.isEmpty())
            return fail(QStringLiteral("the table was replaced without a snapshot"));
    }
    return out;
}

} // namespace CrashSafety
