// Crash safety of "Radio to PC": a program killed outright (SIGKILL) in the middle of a download
// leaves memory.sqlite whole (PRAGMA integrity_check) and its table as it was, or, killed while
// the last reply is stored, either as it was or wholly downloaded, never a mix.
//
// The program killed is this test binary started again with --download-child: the memory
// window, its controller and the simulated radio on a pseudo-terminal in the process, with the
// memory reads printed on standard output. The radio's drop switch loses the reply to the read
// the kill follows, so that the kill lands before that reply could arrive.
#include "common/storedtable.h"
#include "core/db/database.h"
#include "core/db/tablesnapshots.h"
#include "core/radio/radio.h"
#include "sim/simptyserver.h"
#include "ui/memory/frmmemory.h"
#include "ui/memory/memorycontroller.h"

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

constexpr const char *ChildArgument = "--download-child";

// --- The child: a download that runs until it is killed ----------------------------------------

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

void say(const QByteArray &line)
{
    std::fputs((line + '\n').constData(), stdout);
    std::fflush(stdout);
}

// dropReply: the number of the reply the radio loses (1 is the first), 0 for none.
int downloadChild(int argc, char *argv[], const QString &folder, int dropReply)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
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
    ForwardingDisplay display;
    display.controller = controller;
    radio.setDisplay(&display);
    // A message means the download did not go as it should: the parent sees it and fails.
    controller->setMessageBox([](const QString &text) {
        say(text.toUtf8());
        QCoreApplication::exit(3);
    });
    QObject::connect(&controller->download(), &MemoryDownload::finished, &app, [&display] {
        say("finished");
        display.controller = nullptr;
        QCoreApplication::quit();
    });
    window->CmdRadtoMem->click();
    const int status = app.exec();
    radio.setDisplay(nullptr);
    return status;
}

// --- The test ---------------------------------------------------------------------------------

QList<QStringList> rowsIn(const QString &folder)
{
    return StoredTable(folder + QStringLiteral("/memory.sqlite")).rows(Tables::memory());
}

// A table an operator has made: every tenth channel programmed.
void prepareTable(const QString &folder)
{
    Database db(Tables::memory(), folder);
    QVERIFY2(db.open(), qPrintable(db.errorText()));
    StoredTable stored(db.filePath());
    for (int channel = 0; channel < 100; channel += 10) {
        QCOMPARE(stored.exec({QStringLiteral("UPDATE Memory SET FreqMain = '%1', Mode = 'USB', "
                                             "Description = 'mine' WHERE Mem = '%2'")
                                  .arg(3500 + channel * 250)
                                  .arg(channel, 2, 10, QLatin1Char('0'))}),
                 QString());
    }
}

} // namespace

class tst_MemoryCrash : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void killedDuringDownload_data();
    void killedDuringDownload();

private:
    QList<QStringList> m_before;
    QList<QStringList> m_downloaded;
};

void tst_MemoryCrash::initTestCase()
{
    // The same download run to its end gives the table a completed download leaves.
    QTemporaryDir folder;
    prepareTable(folder.path());
    m_before = rowsIn(folder.path());
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QLatin1String(ChildArgument), folder.path()});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitCode(), 0);
    QVERIFY2(child.readAllStandardOutput().endsWith("finished\n"), "the download did not end");
    m_downloaded = rowsIn(folder.path());
    QVERIFY(m_downloaded != m_before);
    QCOMPARE(m_downloaded.at(10).at(5), QStringLiteral("mine")); // not the radio's to change
}

void tst_MemoryCrash::killedDuringDownload_data()
{
    QTest::addColumn<QByteArray>("killAt"); // the memory read after which the program dies
    QTest::addColumn<int>("lostReply"); // the reply to it, lost; 0: it is on its way
    QTest::newRow("first channel") << QByteArray("MR1 00;") << 2;
    QTest::newRow("half-way") << QByteArray("MR0 50;") << 101;
    QTest::newRow("last channel, receive side") << QByteArray("MR0 99;") << 199;
    QTest::newRow("last reply on its way") << QByteArray("MR1 99;") << 0;
}

void tst_MemoryCrash::killedDuringDownload()
{
    QFETCH(QByteArray, killAt);
    QFETCH(int, lostReply);
    const bool mayHaveEnded = lostReply == 0;
    QTemporaryDir folder;
    prepareTable(folder.path());

    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QLatin1String(ChildArgument), folder.path(), QString::number(lostReply)});
    QVERIFY(child.waitForStarted());
    QByteArray line;
    while (line != killAt + '\n') {
        QVERIFY2(child.canReadLine() || child.waitForReadyRead(20000), "the child fell silent");
        line = child.readLine();
        QVERIFY2(line != "finished\n", "the download ended before the kill");
    }
    child.kill(); // SIGKILL: no destructor, no rollback, no closing of the file
    QVERIFY(child.waitForFinished());
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);

    StoredTable stored(folder.filePath(QStringLiteral("memory.sqlite")));
    QCOMPARE(stored.value(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
    const QList<QStringList> after = rowsIn(folder.path());
    if (mayHaveEnded && after != m_before)
        QCOMPARE(after, m_downloaded);
    else
        QCOMPARE(after, m_before);
    // The snapshot taken before the download holds the operator's table.
    Database db(Tables::memory(), folder.path());
    QVERIFY2(db.open(), qPrintable(db.errorText()));
    TableSnapshots snapshots(db);
    const QList<TableSnapshots::Snapshot> kept = snapshots.list();
    QCOMPARE(kept.size(), 1);
    QCOMPARE(snapshots.rows(kept.first().id).value(), m_before);
}

int main(int argc, char *argv[])
{
    if (argc >= 3 && qstrcmp(argv[1], ChildArgument) == 0)
        return downloadChild(argc, argv, QString::fromLocal8Bit(argv[2]),
                             argc >= 4 ? QByteArray(argv[3]).toInt() : 0);
    QCoreApplication app(argc, argv);
    tst_MemoryCrash test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_memorycrash.moc"
