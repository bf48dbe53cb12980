// The transfers between the memory table and the radio: the upload's commands and pacing, the
// download's requests and replies, their ends (completion, time-out, Cancel), and a round trip
// through the simulated radio.
#include "common/commandlog.h"
#include "core/memory/memorydownload.h"
#include "core/memory/memoryupload.h"
#include "core/memory/simlink.h"

#include <QSignalSpy>
#include <QTest>

using namespace std::chrono_literals;

namespace {

// Hands the memory replies the interpreter receives during a download to it, as the main
// window does.
class DownloadDisplay : public NullDisplay
{
public:
    void memoryDownload(const QString &reply) override
    {
        if (download)
            download->memoryDownload(reply);
    }
    MemoryDownload *download = nullptr;
};

QByteArray cmd(const char *fields)
{
    return QByteArray(fields).replace('|', "");
}

MemoryRow row(const char *mem, const char *main, const char *split, const char *mode,
              const char *tone)
{
    return MemoryRow {mem, main, split, mode, tone, "", ""};
}

// The table as it is shipped: 100 empty channels.
QList<MemoryRow> emptyTable()
{
    QList<MemoryRow> rows;
    for (int i = 0; i < 100; ++i)
        rows << MemoryRow {
            QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')), " ", " ", " ", " ", " ", " "};
    return rows;
}

// Fires a pending pause at once (the tests set pauses that never end by themselves).
void firePause(QObject &owner, const char *timerName)
{
    auto *timer = owner.findChild<QTimer *>(QString::fromLatin1(timerName));
    QVERIFY(timer);
    QVERIFY(timer->isActive());
    timer->stop();
    QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
}

QByteArrayList requestsOf(const QByteArrayList &commands)
{
    QByteArrayList requests;
    for (const QByteArray &c : commands) {
        if (c.startsWith("MR"))
            requests << c;
    }
    return requests;
}

} // namespace

class TestMemoryTransfer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void uploadCommands();
    void uploadPacing();
    void uploadCancel();
    void uploadGoesOnPastRefusals();
    void roundTrip();
    void downloadCells_data();
    void downloadCells();
    void downloadIgnoresOtherReplies_data();
    void downloadIgnoresOtherReplies();
    void downloadTimeout();
    void downloadCancel();
};

void TestMemoryTransfer::uploadCommands()
{
    Radio radio;
    CommandLog log(radio);
    MemoryUpload upload(radio);
    upload.setPacing(0ms);
    QSignalSpy progress(&upload, &MemoryUpload::progressChanged);
    QSignalSpy finished(&upload, &MemoryUpload::finished);

    // Each row goes to the channel its Mem cell names; a row naming none is left out. The tone
    // of channel 01 must not reach channel 02, whose tone cell is junk.
    QVERIFY(upload.start(
        {row("00", "14,195.5", " ", "USB", " "), row("01", "29,620", "29,520", "FM", "88.5"),
         row("1x", "3,650", " ", "LSB", " "), row("02", "7,050", " ", "LSB", "loud")}));
    QTRY_COMPARE(finished.count(), 1);

    const QStringList expected {
        "AI0;",
        cmd("MW1 |00|00000000000|2|0|0|00| ;"),
        cmd("MW0 |00|00014195500|2|0|0|00| ;"),
        cmd("MW1 |01|00029520000|4|0|1|08| ;"),
        cmd("MW0 |01|00029620000|4|0|1|08| ;"),
        cmd("MW1 |02|00000000000|1|0|0|00| ;"),
        cmd("MW0 |02|00007050000|1|0|0|00| ;"),
        "AI3;",
    };
    QCOMPARE(log.commands, expected);
    QCOMPARE(progress.count(), 3);
    QCOMPARE(progress.at(0), (QVariantList {33, QStringLiteral("33 %")}));
    QCOMPARE(progress.at(2), (QVariantList {100, QStringLiteral("100 %")}));
    QCOMPARE(finished.at(0).at(0).value<MemoryUpload::Outcome>(), MemoryUpload::Outcome::Completed);
    const QString message = finished.at(0).at(1).toString();
    QVERIFY2(message.contains("02 (Tone)") && !message.contains("01"), qPrintable(message));
    QVERIFY(!upload.isRunning());
}

void TestMemoryTransfer::uploadPacing()
{
    Radio radio;
    CommandLog log(radio);
    MemoryUpload upload(radio);
    upload.setPacing(1h);
    QSignalSpy finished(&upload, &MemoryUpload::finished);

    QVERIFY(
        upload.start({row("00", "14,200", " ", "USB", " "), row("01", "3,650", " ", "LSB", " ")}));
    QVERIFY(!upload.start({row("02", "7,050", " ", "LSB", " ")})); // one at a time
    // Each pause ends in exactly one step of the sequence.
    const QList<QStringList> steps {
        {"AI0;", cmd("MW1 |00|00000000000|2|0|0|00| ;")},
        {cmd("MW0 |00|00014200000|2|0|0|00| ;")},
        {cmd("MW1 |01|00000000000|1|0|0|00| ;")},
        {cmd("MW0 |01|00003650000|1|0|0|00| ;")},
        {}, // the pause after the last channel
        {"AI3;"},
    };
    for (qsizetype i = 0; i < steps.size(); ++i) {
        if (i > 0)
            firePause(upload, "pacing");
        QCOMPARE(log.take(), steps.at(i));
    }
    QCOMPARE(finished.count(), 1);
    QVERIFY(!upload.findChild<QTimer *>("pacing")->isActive());
}

void TestMemoryTransfer::uploadCancel()
{
    Radio radio;
    CommandLog log(radio);
    MemoryUpload upload(radio);
    upload.setPacing(1h);
    QSignalSpy finished(&upload, &MemoryUpload::finished);

    QVERIFY(upload.start(emptyTable()));
    QCOMPARE(log.take().size(), 2); // AI0; and the transmit side of channel 00
    upload.cancel();
    // The channel in progress is completed, then the pauses and "AI3;".
    firePause(upload, "pacing");
    QCOMPARE(log.take(), QStringList {cmd("MW0 |00|00000000000|0|0|0|00| ;")});
    firePause(upload, "pacing");
    QCOMPARE(log.take(), QStringList());
    firePause(upload, "pacing");
    QCOMPARE(log.take(), QStringList {"AI3;"});
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).value<MemoryUpload::Outcome>(), MemoryUpload::Outcome::Cancelled);
    QVERIFY(finished.at(0).at(1).toString().contains("channels 01 to 99"));
}

void TestMemoryTransfer::uploadGoesOnPastRefusals()
{
    // The radio refuses frequencies outside its range ("?;"): the upload writes the rest and
    // names the refused channels.
    Radio radio;
    SimLink link(radio);
    QList<MemoryRow> table = emptyTable();
    table[5] = row("05", "70,000", " ", "USB", " ");
    table[7] = row("07", "14,200", "100", "USB", " ");
    table[99] = row("99", "7,050", " ", "LSB", " ");
    MemoryUpload upload(radio);
    upload.setPacing(0ms);
    QSignalSpy finished(&upload, &MemoryUpload::finished);
    QVERIFY(upload.start(table));
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(link.sim.refusedCount(), 2);
    QCOMPARE(link.sim.channel(99).receive.hz, 7'050'000);
    const QString message = finished.at(0).at(1).toString();
    QVERIFY2(message.contains("refused to store channels 05, 07"), qPrintable(message));
}

void TestMemoryTransfer::roundTrip()
{
    Radio radio;
    DownloadDisplay display;
    radio.setDisplay(&display);
    SimLink link(radio);

    QList<MemoryRow> table = emptyTable();
    table[0] = MemoryRow {"00", "14,195.5", " ", "USB", " ", "DX window", "A"};
    table[10] = MemoryRow {"10", "29,620", "29,520", "FM", "88.5", "repeater", "A"};
    table[37] = MemoryRow {"37", "28,400.125", " ", "CW-R", "08", " ", " "};
    table[99] = MemoryRow {"99", "7,050", " ", "LSB", " ", " ", "B"};

    MemoryUpload upload(radio);
    upload.setPacing(0ms);
    QSignalSpy uploaded(&upload, &MemoryUpload::finished);
    QVERIFY(upload.start(table));
    QTRY_COMPARE(uploaded.count(), 1);
    QCOMPARE(link.sim.refusedCount(), 0);
    QCOMPARE(link.sim.channel(37).receive.hz, 28'400'125);

    // Download over a table whose frequencies have been lost, keeping its other cells.
    QList<MemoryRow> current = table;
    for (MemoryRow &r : current)
        r.FreqMain = r.FreqSplit = r.Mode = r.Tone = " ";
    MemoryDownload download(radio);
    display.download = &download;
    QSignalSpy rows(&download, &MemoryDownload::rowsDownloaded);
    QSignalSpy progress(&download, &MemoryDownload::progressChanged);
    QSignalSpy finished(&download, &MemoryDownload::finished);
    link.commands.clear();
    radio.state().Mode = "3";
    radio.state().ToneOn = "1";
    const QString modeBefore = radio.state().Mode;
    const QString toneBefore = radio.state().ToneOn;
    QVERIFY(download.start(current));
    QCOMPARE(radio.state().DownloadSwitch, 1);
    QTRY_COMPARE(finished.count(), 1);

    QCOMPARE(finished.at(0).at(0).value<MemoryDownload::Outcome>(),
             MemoryDownload::Outcome::Completed);
    QCOMPARE(rows.count(), 1);
    QList<MemoryRow> expected = table;
    expected[37].Tone = "88.5"; // the download writes the tone's frequency
    QCOMPARE(rows.at(0).at(0).value<QList<MemoryRow>>(), expected);

    QCOMPARE(link.commands.first(), "AI0;");
    QCOMPARE(link.commands.last(), "AI3;");
    const QByteArrayList requests = requestsOf(link.commands);
    QCOMPARE(requests.size(), 200);
    QCOMPARE(requests.mid(0, 3), (QByteArrayList {"MR0 00;", "MR1 00;", "MR0 01;"}));
    QCOMPARE(requests.last(), "MR1 99;");
    QCOMPARE(link.commands.size(), 202);

    QCOMPARE(progress.count(), 99);
    QCOMPARE(progress.first(), (QVariantList {0, QStringLiteral("1 %")}));
    QCOMPARE(progress.last(), (QVariantList {98, QStringLiteral("99 %")}));
    // Memory stepping has its replies back, and the radio state is the radio's own again,
    // not the last channel's: a VFO>Mem after the download stores the VFO's mode.
    QCOMPARE(radio.state().DownloadSwitch, 0);
    QCOMPARE(radio.state().replyMemChannel, " ");
    QCOMPARE(radio.state().Mode, modeBefore);
    QCOMPARE(radio.state().ToneOn, toneBefore);
    radio.setDisplay(nullptr);
}

void TestMemoryTransfer::downloadCells_data()
{
    QTest::addColumn<SimMemoryChannel>("channel");
    QTest::addColumn<MemoryRow>("before");
    QTest::addColumn<MemoryRow>("after");

    const MemoryRow old {"05", "3,650", "3,700", "AM", "67.0", "net", "A"};
    auto cells = [&old](const char *main, const char *split, const char *mode, const char *tone) {
        MemoryRow r = old;
        r.FreqMain = main;
        r.FreqSplit = split;
        r.Mode = mode;
        r.Tone = tone;
        return r;
    };
    QTest::newRow("empty channel") << SimMemoryChannel {} << old << cells(" ", " ", " ", " ");
    QTest::newRow("half kilohertz") << SimMemoryChannel {{14'195'500, '2', '0', 0}, {}} << old
                                    << cells("14,195.5", " ", "USB", " ");
    QTest::newRow("split with tone")
        << SimMemoryChannel {{29'620'000, '4', '1', 8}, {29'520'000, '4', '1', 8}} << old
        << cells("29,620", "29,520", "FM", "88.5");
    QTest::newRow("transmit side equal")
        << SimMemoryChannel {{7'050'000, '1', '0', 0}, {7'050'000, '1', '0', 0}} << old
        << cells("7,050", " ", "LSB", " ");
    QTest::newRow("mode 8") << SimMemoryChannel {{7'050'000, '8', '0', 0}, {}} << old
                            << cells("7,050", " ", " ", " ");
    // A letter where the mode digit stands does not fit the memory reply's layout: the link
    // drops such a reply as line noise before the download sees it.
    QTest::newRow("FSK-R") << SimMemoryChannel {{7'040'000, '9', '0', 0}, {}} << old
                           << cells("7,040", " ", "FSK-R", " ");
}

void TestMemoryTransfer::downloadCells()
{
    QFETCH(SimMemoryChannel, channel);
    QFETCH(MemoryRow, before);
    QFETCH(MemoryRow, after);

    Radio radio;
    DownloadDisplay display;
    radio.setDisplay(&display);
    SimLink link(radio);
    link.sim.setChannel(5, channel);
    MemoryDownload download(radio);
    display.download = &download;
    QSignalSpy rows(&download, &MemoryDownload::rowsDownloaded);

    QList<MemoryRow> table = emptyTable();
    table[5] = before;
    QVERIFY(download.start(table));
    QTRY_COMPARE(rows.count(), 1);
    QCOMPARE(rows.at(0).at(0).value<QList<MemoryRow>>().at(5), after);
    radio.setDisplay(nullptr);
}

void TestMemoryTransfer::downloadIgnoresOtherReplies_data()
{
    QTest::addColumn<QString>("reply");

    const SimMemorySide side {14'200'000, '2', '1', 8};
    QTest::newRow("transmit side") << QString(SimMemory::reply(1, 0, side));
    QTest::newRow("other channel") << QString(SimMemory::reply(0, 1, side));
    QTest::newRow("cut short") << QString(cmd("MR0 |00|00014200000|2|0|1"));
    QTest::newRow("letter in frequency") << QString(cmd("MR0 |00|000142O0000|2|0|1|08| ;"));
    QTest::newRow("tone number not digits") << QString(cmd("MR0 |00|00014200000|2|0|1|x8| ;"));
    QTest::newRow("other code") << "FA00014200000;";
    QTest::newRow("nothing") << "";
}

void TestMemoryTransfer::downloadIgnoresOtherReplies()
{
    QFETCH(QString, reply);

    Radio radio;
    CommandLog log(radio);
    MemoryDownload download(radio);
    radio.state().Mode = "3";
    QVERIFY(download.start(emptyTable()));
    QCOMPARE(log.take(), (QStringList {"AI0;", "MR0 00;"}));

    download.memoryDownload(reply);
    QCOMPARE(log.take(), QStringList());
    QCOMPARE(radio.state().Mode, "3");
    QCOMPARE(download.downloadChannel(), "00");

    // The awaited reply still counts afterwards.
    download.memoryDownload(SimMemory::reply(0, 0, {14'200'000, '2', '0', 0}));
    QCOMPARE(log.take(), QStringList {"MR1 00;"});
    QCOMPARE(radio.state().Mode, "2");
}

void TestMemoryTransfer::downloadTimeout()
{
    Radio radio;
    DownloadDisplay display;
    radio.setDisplay(&display);
    SimLink link(radio);
    link.unanswered.insert("MR1 37;");
    MemoryDownload download(radio);
    download.setReplyTimeout(20ms);
    display.download = &download;
    QSignalSpy rows(&download, &MemoryDownload::rowsDownloaded);
    QSignalSpy finished(&download, &MemoryDownload::finished);

    QVERIFY(download.start(emptyTable()));
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).value<MemoryDownload::Outcome>(),
             MemoryDownload::Outcome::TimedOut);
    const QString message = finished.at(0).at(1).toString();
    QVERIFY2(message.contains("channel 37") && message.contains("unchanged"), qPrintable(message));
    QCOMPARE(rows.count(), 0);
    QCOMPARE(requestsOf(link.commands).last(), "MR1 37;");
    QCOMPARE(link.commands.count("MR1 37;"), MemoryDownload::AskCount); // asked again first
    QCOMPARE(link.commands.last(), "AI3;");
    QCOMPARE(radio.state().DownloadSwitch, 0);
    QCOMPARE(radio.state().replyMemChannel, " ");
    QVERIFY(!download.isRunning());
    radio.setDisplay(nullptr);
}

void TestMemoryTransfer::downloadCancel()
{
    Radio radio;
    CommandLog log(radio);
    MemoryDownload download(radio);
    QSignalSpy rows(&download, &MemoryDownload::rowsDownloaded);
    QSignalSpy finished(&download, &MemoryDownload::finished);

    QVERIFY(download.start(emptyTable()));
    download.memoryDownload(SimMemory::reply(0, 0, {14'200'000, '2', '0', 0}));
    log.take();
    download.cancel();
    QCOMPARE(log.take(), QStringList {"AI3;"});
    QCOMPARE(radio.state().DownloadSwitch, 0);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).value<MemoryDownload::Outcome>(),
             MemoryDownload::Outcome::Cancelled);
    QVERIFY(finished.at(0).at(1).toString().contains("unchanged"));
    QCOMPARE(rows.count(), 0);

    // A late reply finds no download; a second Cancel does nothing.
    download.memoryDownload(SimMemory::reply(1, 0, {}));
    download.cancel();
    QCOMPARE(log.take(), QStringList());
    QCOMPARE(finished.count(), 1);
    QVERIFY(!download.findChild<QTimer *>("replyTimeout")->isActive());
}

QTEST_GUILESS_MAIN(TestMemoryTransfer)
#include "tst_memorytransfer.moc"
