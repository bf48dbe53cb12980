// The link watch in the radio core: a radio that stops answering is noticed after three
// queries and asked again; a device that goes away is reopened when it is back at its path; in
// both cases the core synchronises, commands issued meanwhile are refused, commands issued
// afterwards reach the radio once, and at most one error box is shown.
#include "common/ptypair.h"
#include "common/recordingdisplay.h"
#include "core/radio/cat.h"
#include "core/radio/radio.h"
#include "sim/simlink.h"
#include "sim/simptyserver.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

using RadioView::Link;

constexpr int ReplyTimeoutMs = 100;
constexpr int RetryMs = 40;
constexpr int SyncTimeoutMs = 10000;

void shortenTimers(Radio &radio)
{
    radio.link().setReplyTimeout(ReplyTimeoutMs);
    radio.link().setRetryInterval(RetryMs);
}

// A simulated radio at a fixed path, as `vantelo-radio-sim --link PATH` keeps one; it can be
// taken away and a new one put in its place. Every byte each radio received is logged.
class SwappableRadio
{
public:
    explicit SwappableRadio(const QString &path)
        : m_path(path)
    {
    }

    bool start(qint64 frequencyHz)
    {
        m_server = std::make_unique<SimPtyServer>(SimOptions {});
        received.clear();
        QObject::connect(m_server.get(), &SimPtyServer::received, m_server.get(),
                         [this](const QByteArray &bytes) { received += bytes; });
        if (!m_server->start())
            return false;
        m_server->radio().handle(*Cat::setFrequency('A', frequencyHz));
        m_link = std::make_unique<SimLink>();
        return m_link->place(m_path, m_server->devicePath());
    }
    // The device goes away; keepLink leaves the link behind, pointing at nothing. (Not at the
    // old terminal's path: the system may give that number to a terminal another test opens.)
    void stop(bool keepLink)
    {
        m_server.reset();
        m_link.reset();
        if (keepLink) {
            m_link = std::make_unique<SimLink>();
            m_link->place(m_path, m_path + QStringLiteral(".gone"));
        }
    }
    SimRadio &radio() { return m_server->radio(); }

    QByteArray received;

private:
    QString m_path;
    std::unique_ptr<SimPtyServer> m_server;
    std::unique_ptr<SimLink> m_link;
};

} // namespace

class TestLinkWatch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void silence_data();
    void silence();
    void silentRadioEndsTheStartup();
    void cancelLeavesThePortClosed();
    void outageAndReturn_data();
    void outageAndReturn();
};

void TestLinkWatch::silence_data()
{
    // What the program writes, and ("<" first) what the radio sends in between.
    QTest::addColumn<QList<QByteArray>>("traffic");
    QTest::addColumn<bool>("silent");

    QTest::newRow("three queries") << QList<QByteArray> {"IF;", "FA;", "SM;"} << true;
    QTest::newRow("two queries") << QList<QByteArray> {"IF;", "FA;"} << false;
    QTest::newRow("three in one write") << QList<QByteArray> {"FA;FB;IF;"} << true;
    QTest::newRow("memory reads") << QList<QByteArray> {"MR0 01;", "MR1 01;", "MR0 02;"} << true;
    QTest::newRow("settings are not answered")
        << QList<QByteArray> {"FA00014200000;", "MD2;", "AI3;", "FA00014201000;"} << false;
    QTest::newRow("actions are not answered")
        << QList<QByteArray> {"TX;", "RX;", "RU;", "RD;", "RC;"} << false;
    QTest::newRow("a reply in between")
        << QList<QByteArray> {"IF;", "FA;", "<FA00014200000;", "FB;", "MD;"} << false;
    QTest::newRow("a refusal is an answer")
        << QList<QByteArray> {"IF;", "FA;", "<?;", "FB;", "MD;"} << false;
    QTest::newRow("noise is no answer") << QList<QByteArray> {"IF;", "<QQ;", "FA;", "FB;"} << true;
}

void TestLinkWatch::silence()
{
    QFETCH(QList<QByteArray>, traffic);
    QFETCH(bool, silent);
    PtyPair pty;
    RecordingDisplay display;
    Radio radio;
    radio.setDisplay(&display);
    shortenTimers(radio);
    QVERIFY(pty.isValid());
    QVERIFY(radio.MSComm1().setCommPort(pty.slavePath()));
    QVERIFY2(radio.MSComm1().setPortOpen(true), qPrintable(radio.MSComm1().lastError()));

    QSignalSpy events(&radio.MSComm1(), &CommPort::OnComm); // after the core's own handler
    for (const QByteArray &step : traffic) {
        if (step.startsWith('<')) {
            const qsizetype before = events.count();
            QVERIFY(pty.send(step.mid(1)));
            QTRY_VERIFY(events.count() > before && radio.Out.isEmpty());
        } else {
            radio.send(step);
        }
    }
    if (!silent) {
        QTest::qWait(ReplyTimeoutMs * 2); // twice as long as a silent radio needs
        QVERIFY(display.links.isEmpty());
        QCOMPARE(radio.link().state(), Link::Up);
        return;
    }
    QTRY_COMPARE(radio.link().state(), Link::Silent);
    QCOMPARE(display.links, QList<Link> {Link::Silent});
    QVERIFY2(display.linkTexts.first().contains(pty.slavePath()),
             qPrintable(display.linkTexts.first()));
    pty.readAvailable();

    // Asked again at each retry; the operator's commands are refused meanwhile, not queued.
    radio.send(QByteArrayLiteral("FA00007000000;"));
    QVERIFY(!display.problems.isEmpty());
    QVERIFY2(display.problems.last().contains(QStringLiteral("FA00007000000; was not sent")),
             qPrintable(display.problems.last()));
    QByteArray asked;
    QTRY_VERIFY((asked += pty.readAvailable()).count("IF;") >= 2);
    QVERIFY(!asked.contains("FA00007000000;"));
    QVERIFY(display.errors.isEmpty());
}

void TestLinkWatch::silentRadioEndsTheStartup()
{
    // Nothing at the other end: the start-up list stops once the radio counts as silent, rather
    // than ask every query of the list four times, and "Synchronise Radio" waits for its return.
    PtyPair pty;
    RecordingDisplay display;
    Radio radio;
    radio.setDisplay(&display);
    shortenTimers(radio);
    radio.setStartupReplyTimeout(20);
    QVERIFY(pty.isValid());
    QVERIFY(radio.MSComm1().setCommPort(pty.slavePath()));
    QVERIFY2(radio.MSComm1().setPortOpen(true), qPrintable(radio.MSComm1().lastError()));
    radio.Synchronise();
    QTRY_COMPARE(radio.link().state(), Link::Silent);
    QCOMPARE(radio.state().StartupLoading, QStringLiteral("0"));
    QVERIFY(!display.progressOpen);

    const int shown = display.progressShows;
    radio.Synchronise();
    QCOMPARE(display.progressShows, shown);
    QCOMPARE(radio.state().StartupLoading, QStringLiteral("0"));
    QVERIFY2(display.problems.last().contains(QStringLiteral("synchronised as soon as it is back")),
             qPrintable(display.problems.last()));
}

void TestLinkWatch::cancelLeavesThePortClosed()
{
    // Cancel in the error box closes the port for the rest of the run: no attempt reopens it.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ts570"));
    SwappableRadio sim(path);
    QVERIFY(sim.start(14'200'000));
    RecordingDisplay display;
    display.errorAnswer = 2;
    Radio radio;
    radio.setDisplay(&display);
    shortenTimers(radio);
    QVERIFY(radio.MSComm1().setCommPort(path));
    QVERIFY2(radio.MSComm1().setPortOpen(true), qPrintable(radio.MSComm1().lastError()));
    sim.stop(false);
    QTRY_COMPARE(display.errors.size(), 1);
    QVERIFY(sim.start(3'550'000));
    QTest::qWait(RetryMs * 5);
    QVERIFY(!radio.MSComm1().portOpen());
    QCOMPARE(radio.link().state(), Link::Lost);
    QVERIFY(!radio.link().isDown());
    QVERIFY2(display.linkTexts.last().contains(QStringLiteral("stays closed")),
             qPrintable(display.linkTexts.last()));
    QVERIFY(sim.received.isEmpty());
}

void TestLinkWatch::outageAndReturn_data()
{
    QTest::addColumn<QString>("outage");
    QTest::addColumn<Link>("down");
    QTest::addColumn<int>("boxes");

    QTest::newRow("unplugged") << "unplugged" << Link::Lost << 1;
    QTest::newRow("unplugged, link left behind") << "dangling" << Link::Lost << 1;
    QTest::newRow("switched off") << "off" << Link::Silent << 0;
}

void TestLinkWatch::outageAndReturn()
{
    QFETCH(QString, outage);
    QFETCH(Link, down);
    QFETCH(int, boxes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ts570"));
    SwappableRadio sim(path);
    QVERIFY(sim.start(14'200'000));
    RecordingDisplay display;
    Radio radio;
    radio.setDisplay(&display);
    shortenTimers(radio);
    QVERIFY(radio.MSComm1().setCommPort(path));
    QVERIFY2(radio.MSComm1().setPortOpen(true), qPrintable(radio.MSComm1().lastError()));
    radio.Synchronise();
    QTRY_COMPARE_WITH_TIMEOUT(radio.state().StartupLoading, QStringLiteral("0"), SyncTimeoutMs);
    QCOMPARE(radio.state().VFOAFreq, QStringLiteral("14200"));

    if (outage == QLatin1String("off")) {
        sim.radio().handle("PS0;");
        for (int i = 0; i < LinkWatch::UnansweredLimit; ++i)
            radio.send(Cat::query("SM"));
    } else {
        sim.stop(outage == QLatin1String("dangling"));
    }
    QTRY_COMPARE(radio.link().state(), down);
    QVERIFY2(display.linkTexts.last().contains(path), qPrintable(display.linkTexts.last()));
    const QByteArray refused = *Cat::setFrequency('A', 7'000'000);
    radio.send(refused);
    QVERIFY(!display.problems.isEmpty());
    QVERIFY2(display.problems.last().contains(QString::fromLatin1(refused) + " was not sent"),
             qPrintable(display.problems.last()));
    QTest::qWait(RetryMs * 5); // several attempts while the radio is away
    QCOMPARE(display.errors.size(), boxes);
    QCOMPARE(radio.link().state(), down);

    // Back, tuned elsewhere meanwhile.
    if (outage == QLatin1String("off")) {
        sim.radio().handle("PS1;");
        sim.radio().handle(*Cat::setFrequency('A', 3'550'000));
        sim.received.clear();
    } else {
        QVERIFY(sim.start(3'550'000));
    }
    QTRY_COMPARE_WITH_TIMEOUT(radio.link().state(), Link::Up, SyncTimeoutMs);
    QCOMPARE(display.links.last(), Link::Up);
    QCOMPARE(display.links.mid(display.links.size() - 2, 1), QList<Link> {Link::Reading});
    QCOMPARE(radio.state().VFOAFreq, QStringLiteral("3550"));
    QCOMPARE(display.errors.size(), boxes);

    // A command after the return reaches the radio once; the refused one never does.
    const QByteArray after = *Cat::setFrequency('A', 3'551'000);
    radio.send(after);
    QTRY_COMPARE(sim.radio().frequencyA(), qint64(3'551'000));
    QTest::qWait(RetryMs * 2);
    QCOMPARE(sim.received.count(after), 1);
    QVERIFY(!sim.received.contains(refused));
}

QTEST_GUILESS_MAIN(TestLinkWatch)
#include "tst_linkwatch.moc"
