// The simulated radio's pseudo-terminal: the exchange a client sees, with each fault switch.
#include "sim/ptyclient.h"
#include "sim/simptyserver.h"

#include <QSignalSpy>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

Q_DECLARE_METATYPE(SimOptions)

namespace {

SimOptions with(void (*change)(SimOptions &))
{
    SimOptions o;
    change(o);
    return o;
}

// The replies of a fresh radio to "ID;FA;FB;FR;".
const QByteArray Queries = "ID;FA;FB;FR;";
const QByteArray Answers = "ID017;FA00014200000;FB00007050000;FR0;";

} // namespace

class TestSimPtyServer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void exchange_data();
    void exchange();
    void clientMayCloseAndReopen();
    void unreadRepliesAreThrownAway_data();
    void unreadRepliesAreThrownAway();
    void radioClockFollowsTime();
    void splitRepliesComeInPieces();
    void mergedRepliesShareAWrite();
    void noiseLiesBetweenReplies();
    void lateAndPacedRepliesWait_data();
    void lateAndPacedRepliesWait();
    void wireTime_data();
    void wireTime();
};

void TestSimPtyServer::exchange_data()
{
    QTest::addColumn<SimOptions>("options");
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QByteArray>("arrives");

    QTest::newRow("plain") << SimOptions() << Queries << Answers;
    QTest::newRow("junk is refused")
        << SimOptions() << QByteArray("\xff\x01garbage;ID;") << QByteArray("?;ID017;");
    QTest::newRow("split") << with([](SimOptions &o) { o.splitReplies = true; }) << Queries
                           << Answers;
    QTest::newRow("merge") << with([](SimOptions &o) { o.mergeReplies = true; }) << Queries
                           << Answers;
    QTest::newRow("merge odd count") << with([](SimOptions &o) { o.mergeReplies = true; })
                                     << QByteArray("ID;FA;FB;") << Answers.left(34);
    QTest::newRow("late") << with([](SimOptions &o) { o.lateMs = 30; }) << Queries << Answers;
    QTest::newRow("9600 baud") << with([](SimOptions &o) { o.baud = 9600; }) << Queries << Answers;
    QTest::newRow("drop every 2nd") << with([](SimOptions &o) { o.dropEvery = 2; }) << Queries
                                    << QByteArray("ID017;FB00007050000;");
    QTest::newRow("drop every 3rd, split, merged") << with([](SimOptions &o) {
        o.dropEvery = 3;
        o.splitReplies = o.mergeReplies = true;
    }) << Queries << QByteArray("ID017;FA00014200000;FR0;");
}

void TestSimPtyServer::exchange()
{
    QFETCH(SimOptions, options);
    QFETCH(QByteArray, sent);
    QFETCH(QByteArray, arrives);

    SimPtyServer server(options);
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QVERIFY(server.devicePath().startsWith(QLatin1String("/dev/")));
    PtyClient client(server.devicePath());
    QVERIFY(client.isOpen());
    QVERIFY(client.write(sent));
    QTRY_COMPARE(client.data, arrives);
    QTRY_COMPARE(server.queuedBytes(), 0);
    QCOMPARE(server.bytesReceived(), sent.size());
    QCOMPARE(server.bytesSent(), arrives.size());
    QCOMPARE(client.data, arrives); // nothing more came
}

void TestSimPtyServer::clientMayCloseAndReopen()
{
    SimPtyServer server {SimOptions()};
    QVERIFY(server.start());
    for (int round = 0; round < 3; ++round) {
        PtyClient client(server.devicePath());
        QVERIFY(client.write("FA00014" + QByteArray::number(round) + "00000;FA;"));
        QTRY_COMPARE(client.data, "FA00014" + QByteArray::number(round) + "00000;");
    }
    QCOMPARE(server.radio().frequencyA(), 14'200'000);
}

void TestSimPtyServer::unreadRepliesAreThrownAway_data()
{
    QTest::addColumn<SimOptions>("options");
    QTest::newRow("plain") << SimOptions();
    QTest::newRow("9600 baud: replies still queued") << with([](SimOptions &o) { o.baud = 9600; });
    QTest::newRow("split and merged")
        << with([](SimOptions &o) { o.splitReplies = o.mergeReplies = true; });
}

void TestSimPtyServer::unreadRepliesAreThrownAway()
{
    QFETCH(SimOptions, options);
    SimPtyServer server(options);
    QVERIFY(server.start());
    if (server.clientCount() < 0)
        QSKIP("this system does not tell when the device is opened and closed");

    // A client that asks a thousand times, reads nothing, and leaves half a command behind.
    const int fd = ::open(server.devicePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    QVERIFY(fd >= 0);
    const QByteArray asked = QByteArray("IF;").repeated(1000) + "FA0001";
    QCOMPARE(::write(fd, asked.constData(), size_t(asked.size())), ssize_t(asked.size()));
    QTRY_COMPARE(server.bytesReceived(), asked.size());
    QCOMPARE(server.clientCount(), 1);
    ::close(fd);

    PtyClient next(server.devicePath());
    QVERIFY(next.write("ID;"));
    QTRY_COMPARE(next.data, QByteArray("ID017;"));
    QTRY_COMPARE(server.queuedBytes(), 0);
    QCOMPARE(next.data, QByteArray("ID017;")); // nothing old came after it either
    QCOMPARE(server.clientCount(), 1);
}

void TestSimPtyServer::radioClockFollowsTime()
{
    SimPtyServer server {SimOptions()};
    server.radio().setTiming({.cwTuneMs = 30, .tunerTuneMs = 60, .meterStepMs = 1});
    QVERIFY(server.start());
    PtyClient client(server.devicePath());

    // The runs end by themselves and are reported with nobody asking.
    QVERIFY(client.write("AI2;MD3;CA1;AC011;"));
    QTRY_VERIFY(client.data.endsWith("CA1;AC011;CA0;AC010;"));

    // The S-meter answers follow the wander.
    QSet<QByteArray> readings;
    for (int poll = 0; poll < 10; ++poll) {
        client.data.clear();
        QVERIFY(client.write("SM;"));
        QTRY_COMPARE(client.data.size(), 7);
        readings.insert(client.data);
        QTest::qWait(20);
    }
    QVERIFY(readings.size() > 1);
    QVERIFY(server.radio().clockMs() >= 200);
}

void TestSimPtyServer::splitRepliesComeInPieces()
{
    SimOptions options;
    options.splitReplies = true;
    SimPtyServer server(options);
    QVERIFY(server.start());
    QSignalSpy written(&server, &SimPtyServer::written);
    PtyClient client(server.devicePath());
    QVERIFY(client.write("IF;"));
    QTRY_COMPARE(client.data, server.radio().statusWord());

    QVERIFY(written.size() >= 2);
    QByteArray joined;
    for (qsizetype i = 0; i < written.size(); ++i) {
        const QByteArray piece = written.at(i).at(0).toByteArray();
        QVERIFY(!piece.isEmpty());
        QCOMPARE(piece.endsWith(';'), i == written.size() - 1);
        joined += piece;
    }
    QCOMPARE(joined, server.radio().statusWord());
}

void TestSimPtyServer::mergedRepliesShareAWrite()
{
    SimOptions options;
    options.mergeReplies = true;
    SimPtyServer server(options);
    QVERIFY(server.start());
    QSignalSpy written(&server, &SimPtyServer::written);
    PtyClient client(server.devicePath());
    QVERIFY(client.write("FA;FB;FR;"));
    QTRY_COMPARE(client.data, QByteArray("FA00014200000;FB00007050000;FR0;"));
    QCOMPARE(written.size(), 2);
    QCOMPARE(written.at(0).at(0).toByteArray(), QByteArray("FA00014200000;FB00007050000;"));
    // The odd one out does not wait for ever.
    QCOMPARE(written.at(1).at(0).toByteArray(), QByteArray("FR0;"));
}

void TestSimPtyServer::noiseLiesBetweenReplies()
{
    SimOptions options;
    options.noise = true;
    options.seed = 7;
    SimPtyServer server(options);
    QVERIFY(server.start());
    PtyClient client(server.devicePath());
    QVERIFY(client.write(Queries));
    // Each reply ends the stream's pieces in order; noise never carries a ";".
    const QList<QByteArray> expected = Answers.split(';').mid(0, 4);
    QTRY_COMPARE(client.data.count(';'), 4);
    QTRY_COMPARE(server.queuedBytes(), 0);
    const QList<QByteArray> pieces = client.data.split(';');
    for (int i = 0; i < 4; ++i)
        QVERIFY2(pieces[i].endsWith(expected[i]), pieces[i].constData());
    QVERIFY(client.data.size() > Answers.size());
    QVERIFY(!pieces[4].isEmpty()); // noise after the last reply as well
}

void TestSimPtyServer::lateAndPacedRepliesWait_data()
{
    QTest::addColumn<SimOptions>("options");
    QTest::addColumn<qint64>("queued");
    QTest::newRow("unpaced") << SimOptions() << qint64(0);
    QTest::newRow("late") << with([](SimOptions &o) { o.lateMs = 50; }) << qint64(14);
    QTest::newRow("1200 baud") << with([](SimOptions &o) { o.baud = 1200; }) << qint64(14);
}

void TestSimPtyServer::lateAndPacedRepliesWait()
{
    QFETCH(SimOptions, options);
    QFETCH(qint64, queued);
    SimPtyServer server(options);
    QVERIFY(server.start());
    PtyClient client(server.devicePath());
    qint64 queuedWhenHandled = -1;
    connect(&server, &SimPtyServer::received, this,
            [&] { queuedWhenHandled = server.queuedBytes(); });
    QVERIFY(client.write("FA;"));
    QTRY_COMPARE(client.data, QByteArray("FA00014200000;"));
    // Right after the command was handled its reply was written, or waiting for its time.
    QCOMPARE(queuedWhenHandled, queued);
}

void TestSimPtyServer::wireTime_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<int>("baud");
    QTest::addColumn<qint64>("ns");
    QTest::newRow("960 bytes at 9600") << qint64(960) << 9600 << qint64(1'000'000'000);
    QTest::newRow("status word at 4800") << qint64(38) << 4800 << qint64(79'166'666);
    QTest::newRow("unpaced") << qint64(100) << 0 << qint64(0);
    QTest::newRow("nothing") << qint64(0) << 9600 << qint64(0);
}

void TestSimPtyServer::wireTime()
{
    QFETCH(qint64, bytes);
    QFETCH(int, baud);
    QFETCH(qint64, ns);
    QCOMPARE(SimPtyServer::wireTimeNs(bytes, baud), ns);
}

QTEST_GUILESS_MAIN(TestSimPtyServer)
#include "tst_simptyserver.moc"
