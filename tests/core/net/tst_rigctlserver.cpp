// The server over real sockets: clients side by side, answers in each client's order while the
// radio answers late, clients that go away mid-command, over-long lines, slow readers, a backend
// that never answers, and a thousand random lines.
#include "core/net/fakerigbackend.h"
#include "core/net/rigcaps.h"
#include "core/net/rigctlserver.h"
#include "core/net/rigdump.h"

#include <QRandomGenerator>
#include <QTcpSocket>
#include <QTest>

#include <sys/socket.h>

namespace {

// Closes the connection with a reset, as a client that crashes or loses its network does.
void resetConnection(QTcpSocket &socket)
{
    const linger reset {1, 0};
    ::setsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    socket.abort();
}

class Client
{
public:
    explicit Client(quint16 port) { m_socket.connectToHost(QHostAddress::LocalHost, port); }

    void send(const QByteArray &text) { m_socket.write(text); }
    // Everything received until it ends with `ending` (or the wait gives up).
    QByteArray readUntil(const QByteArray &ending)
    {
        if (!QTest::qWaitFor([&] { return collect().endsWith(ending); }, 10000))
            qWarning("gave up waiting for %s", ending.constData());
        return m_received;
    }
    QByteArray received() { return collect(); }
    QTcpSocket &socket() { return m_socket; }

private:
    const QByteArray &collect()
    {
        m_received += m_socket.readAll();
        return m_received;
    }

    QTcpSocket m_socket;
    QByteArray m_received;
};

} // namespace

class TestRigctlServer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void twoClientsInterleaved();
    void oneCommandAtATime();
    void clientGoneMidCommand();
    void lineLimit_data();
    void lineLimit();
    void backendNeverAnswers();
    void quitCloses();
    void transmitterReleased();
    void slowReader();
    void randomLines();
    void clientsBeyondTheLimitWait();
    void portInUse();

private:
    quint16 port() const { return m_server->port(); }

    FakeRigBackend m_backend;
    RigctlServer *m_server = nullptr;
};

void TestRigctlServer::init()
{
    m_backend = FakeRigBackend();
    m_server = new RigctlServer(m_backend);
    QVERIFY2(m_server->listen(QHostAddress::LocalHost, 0), qPrintable(m_server->errorString()));
}

void TestRigctlServer::cleanup()
{
    delete m_server;
    m_server = nullptr;
}

void TestRigctlServer::twoClientsInterleaved()
{
    m_backend.deferred = true;
    Client first(port());
    Client second(port());
    first.send("f\nm\n");
    second.send("v\nF 14100000\nf\n");
    // Each client has one command at the radio at a time; answer them as they come.
    QTRY_COMPARE(m_backend.pendingCount(), 2);
    for (int answers = 0; answers < 5; ++answers) {
        QTRY_VERIFY(m_backend.pendingCount() > 0);
        QVERIFY(m_backend.pendingCount() <= 2);
        m_backend.answerOne();
    }
    QCOMPARE(first.readUntil("2400\n"), QByteArray("14200000\nUSB\n2400\n"));
    QCOMPARE(second.readUntil("14100000\n"), QByteArray("VFOA\nRPRT 0\n14100000\n"));
    QCOMPARE(m_server->clientCount(), 2);
}

void TestRigctlServer::oneCommandAtATime()
{
    m_backend.deferred = true;
    Client client(port());
    client.send("f\n+\\get_mode\nS 1 VFOB s\n");
    const QByteArray expected = "14200000\n"
                                "get_mode:\nMode: USB\nPassband: 2400\nRPRT 0\n"
                                "RPRT 0\n"
                                "1\nVFOB\n";
    for (int answers = 0; answers < 4; ++answers) {
        QTRY_COMPARE(m_backend.pendingCount(), 1);
        m_backend.answerOne();
    }
    QCOMPARE(client.readUntil("VFOB\n"), expected);
    QCOMPARE(m_server->answerCounts().byRadio, 3);
    QCOMPARE(m_server->answerCounts().fromState, 0);
}

void TestRigctlServer::clientGoneMidCommand()
{
    m_backend.deferred = true;
    {
        Client leaving(port());
        leaving.send("F 7000000\nf\n");
        QTRY_COMPARE(m_backend.pendingCount(), 1);
        resetConnection(leaving.socket());
    }
    QTRY_COMPARE(m_server->clientCount(), 0);
    QCOMPARE(m_backend.gone, QList<quint64> {1});
    QCOMPARE(m_backend.pendingCount(), 0); // its answer is dropped: nobody waits for it
    QCOMPARE(m_backend.calls, QStringList {"setFrequency currVFO 7000000"});

    Client next(port());
    next.send("f\n");
    QTRY_COMPARE(m_backend.pendingCount(), 1);
    m_backend.answerAll();
    QCOMPARE(next.readUntil("\n"), QByteArray("14200000\n")); // the set was withdrawn
}

void TestRigctlServer::lineLimit_data()
{
    QTest::addColumn<QByteArrayList>("writes");
    QTest::addColumn<QByteArray>("reply");

    const QByteArray longest = "v" + QByteArray(1023, ' ') + "\n";
    QTest::newRow("1024 bytes") << QByteArrayList {longest} << QByteArray("VFOA\n");
    QTest::newRow("1025 bytes") << QByteArrayList {" " + longest} << QByteArray("RPRT -1\n");
    QTest::newRow("long line, then a good one")
        << QByteArrayList {QByteArray(5000, 'f') + "\nv\n"} << QByteArray("RPRT -1\nVFOA\n");
    QTest::newRow("long line in pieces")
        << QByteArrayList {QByteArray(700, 'f'), QByteArray(700, 'm'),
                           QByteArray(700, 'v') + "\nf\n"}
        << QByteArray("RPRT -1\n14200000\n");
    QTest::newRow("line in pieces")
        << QByteArrayList {"\\get", "_fr", "eq\n"} << QByteArray("14200000\n");
}

void TestRigctlServer::lineLimit()
{
    QFETCH(QByteArrayList, writes);
    QFETCH(QByteArray, reply);
    Client client(port());
    for (const QByteArray &piece : writes) {
        client.send(piece);
        QVERIFY(client.socket().waitForBytesWritten(5000));
        QTest::qWait(10);
    }
    QCOMPARE(client.readUntil(reply), reply);
}

void TestRigctlServer::backendNeverAnswers()
{
    m_server->setLimits({.answerTimeoutMs = 100});
    m_backend.deferred = true;
    Client client(port());
    client.send("f\n");
    QCOMPARE(client.readUntil("\n"), QByteArray("RPRT -5\n"));
    m_backend.answerAll(); // too late: dropped
    m_backend.deferred = false;
    client.send("v\n");
    QCOMPARE(client.readUntil("VFOA\n"), QByteArray("RPRT -5\nVFOA\n"));
}

void TestRigctlServer::quitCloses()
{
    Client client(port());
    client.send("f\nq\nv\n");
    QTRY_COMPARE(client.socket().state(), QAbstractSocket::UnconnectedState);
    QCOMPARE(client.received(), QByteArray("14200000\nRPRT 0\n"));
    QTRY_COMPARE(m_server->clientCount(), 0);
}

void TestRigctlServer::transmitterReleased()
{
    {
        Client keyer(port());
        keyer.send("T 1\n");
        QCOMPARE(keyer.readUntil("\n"), QByteArray("RPRT 0\n"));
        QVERIFY(m_backend.ptt);
    }
    QTRY_VERIFY(!m_backend.ptt);
    {
        Client polite(port());
        polite.send("T 1\nT 0\n");
        polite.readUntil("RPRT 0\nRPRT 0\n");
    }
    QTRY_COMPARE(m_server->clientCount(), 0);
    QCOMPARE(m_backend.calls, (QStringList {"setPtt 1", "setPtt 0", "setPtt 1", "setPtt 0"}));
}

// A client that writes far more than it reads (400 kB of answers) gets every answer, in order,
// once it reads.
void TestRigctlServer::slowReader()
{
    Client client(port());
    client.send(QByteArray("\\dump_caps\nf\n").repeated(200));
    QTest::qWait(200); // the server meanwhile fills what the client does not take
    const QByteArray round = RigDump::capsLines().join('\n') + "\nRPRT 0\n14200000\n";
    QCOMPARE(client.readUntil(round.repeated(200)), round.repeated(200));
}

void TestRigctlServer::randomLines()
{
    static const QByteArrayList pieces = {
        "f",
        "F",
        "m",
        "M",
        "v",
        "V",
        "s",
        "S",
        "t",
        "T",
        "j",
        "J",
        "+",
        ";",
        "|",
        ",",
        "\\",
        "?",
        "VFOB",
        "USB",
        "CW",
        "0",
        "1",
        "14100000",
        "-1",
        "1e9",
        " ",
        "\t",
        "\r",
        "#",
        "\\chk_vfo",
        "\\set_split_vfo",
        "\\dump_state",
        "MEM",
        "nan",
    };
    QRandomGenerator random(10);
    Client client(port());
    for (int n = 0; n < 1000; ++n) {
        QByteArray line;
        const int count = random.bounded(1, 10);
        for (int k = 0; k < count; ++k) {
            if (random.bounded(6) == 0)
                line += char(random.bounded(256));
            else
                line += pieces[random.bounded(pieces.size())];
        }
        if (random.bounded(100) == 0)
            line += QByteArray(random.bounded(900, 3000), 'x');
        line.replace('\n', ' ').replace('q', 'x').replace('Q', 'x');
        client.send(line + '\n');
    }
    m_backend.frequencyB = 3'500'000;
    client.send("F VFOB 3512345\nf VFOB\n");
    client.readUntil("RPRT 0\n3512345\n");
    QCOMPARE(client.socket().state(), QAbstractSocket::ConnectedState);
    // Nothing out of the radio's range got through.
    QVERIFY(RigCaps::canReceive(m_backend.frequencyA));
    QVERIFY(std::abs(m_backend.rit) <= RigCaps::MaxRitHz);
    QCOMPARE(m_server->clientCount(), 1);
}

void TestRigctlServer::clientsBeyondTheLimitWait()
{
    m_server->setMaxClients(2);
    Client first(port());
    Client second(port());
    QTRY_COMPARE(m_server->clientCount(), 2);
    Client third(port());
    third.send("v\n");
    first.send("f\n");
    QCOMPARE(first.readUntil("\n"), QByteArray("14200000\n"));
    QCOMPARE(third.received(), QByteArray());
    second.send("q\n");
    QCOMPARE(third.readUntil("\n"), QByteArray("VFOA\n"));
    QCOMPARE(m_server->clientCount(), 2);
}

void TestRigctlServer::portInUse()
{
    FakeRigBackend other;
    RigctlServer second(other);
    QVERIFY(!second.listen(QHostAddress::LocalHost, port()));
    QVERIFY(!second.errorString().isEmpty());
    QVERIFY(!second.isListening());
}

QTEST_GUILESS_MAIN(TestRigctlServer)
#include "tst_rigctlserver.moc"
