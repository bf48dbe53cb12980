// The keyer's sender against the simulated radio on a pseudo-terminal: what it hands over
// arrives whole and in order at the pace of the key speed, Stop ends the feeding, a radio out
// of CW refuses, and nothing goes while the link is down. Every case also checks that "KY;"
// is asked at most five times a second and never together with other work on the line.
#include "common/recordingdisplay.h"
#include "common/spinuntil.h"
#include "core/cw/cwsender.h"
#include "core/cw/cwtext.h"
#include "core/radio/smeterpoll.h"
#include "sim/simptyserver.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

constexpr int WaitMs = 30000;

// 100 characters: distinct two-letter words of short characters, so that order tells.
QString hundredCharacters()
{
    const QString letters = QStringLiteral("ETIANMS");
    QStringList words;
    for (int i = 0; words.size() * 3 < 100; ++i)
        words << QString(letters[i % 7]) + letters[(i / 7) % 7];
    return words.join(QLatin1Char(' ')).left(100);
}

// Milliseconds the keyer needs for text at wpm.
double keyingMs(const QString &text, int wpm)
{
    int dots = 0;
    for (const QChar c : text)
        dots += SimKeyer::dots(c.toLatin1());
    return dots * SimKeyer::dotMs(wpm);
}

struct Station
{
    Station()
    {
        radio.setDisplay(&display);
        radio.setStartupReplyTimeout(100);
        radio.link().setReplyTimeout(300);
        QObject::connect(&radio, &Radio::commandWritten, &radio, [this](const QByteArray &c) {
            if (!c.contains("KY"))
                return;
            polls << clock.elapsed();
            if (!radio.isActive(Radio::Activity::Keyer)
                || !radio.isIdleApartFrom(Radio::Activity::Keyer))
                sharedLine = true;
            if (!radio.lineUp())
                writtenWhileDown = true;
            keyerCommands << c;
        });
    }
    bool start(char mode)
    {
        sim = std::make_unique<SimPtyServer>(SimOptions {});
        QObject::connect(sim.get(), &SimPtyServer::keyed, &radio,
                         [this](const QByteArray &text) { keyed << text; });
        if (!sim->start())
            return false;
        sim->radio().handle(QByteArray("MD") + mode + ";KS060;");
        if (!radio.MSComm1().setCommPort(sim->devicePath()) || !radio.MSComm1().setPortOpen(true))
            return false;
        radio.Synchronise();
        clock.start();
        return spinUntil([this] { return radio.isIdle(); }, WaitMs);
    }
    // The fewest milliseconds between two "KY;" questions.
    qint64 closestPolls() const
    {
        qint64 closest = 1'000'000;
        for (qsizetype i = 1; i < polls.size(); ++i)
            closest = qMin(closest, polls[i] - polls[i - 1]);
        return closest;
    }

    RecordingDisplay display;
    Radio radio;
    SMeterPoll meter {radio};
    std::unique_ptr<SimPtyServer> sim;
    CwSender sender {radio};
    QElapsedTimer clock;
    QList<qint64> polls;
    QByteArrayList keyerCommands;
    QByteArrayList keyed;
    bool sharedLine = false;
    bool writtenWhileDown = false;
};

} // namespace

class tst_CwSender : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void macros_data();
    void macros();
    void sending_data();
    void sending();
};

void tst_CwSender::macros_data()
{
    QTest::addColumn<QString>("macro");
    QTest::addColumn<QString>("call"); // the logbook's; {MYCALL} is DL1VTL, {RST} 5NN
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("problem");

    QTest::newRow("fields") << "{call} de {MYCALL}  ur {rst}"
                            << "g4abc/p"
                            << "G4ABC/P DE DL1VTL UR 5NN" << QString();
    QTest::newRow("no contact chosen")
        << "{CALL} DE {MYCALL}" << QString() << QString() << "{CALL} has no value.";
    QTest::newRow("unknown field") << "QRZ {NAME}" << QString() << QString()
                                   << "{NAME} is not a field: use {MYCALL}, {CALL} or {RST}.";
    QTest::newRow("brace left open") << "CQ {MYCALL" << QString() << QString()
                                     << "A \"{\" opens no field: use {MYCALL}, {CALL} or {RST}.";
    QTest::newRow("a call the keyer cannot send")
        << "{CALL} 5NN" << QStringLiteral("\u00d8Z1A#") << QString()
        << QStringLiteral("The keyer cannot send \"\u00d8\" \"#\": it sends ")
            + CwText::allowedText() + QLatin1Char('.');
}

void tst_CwSender::macros()
{
    QFETCH(QString, macro);
    QFETCH(QString, call);
    QFETCH(QString, text);
    QFETCH(QString, problem);
    const CwText::Expansion out
        = CwText::expand(macro, {QStringLiteral("dl1vtl"), call, QStringLiteral("5nn")});
    QCOMPARE(out.text, text);
    QCOMPARE(out.problem, problem);
}

void tst_CwSender::sending_data()
{
    QTest::addColumn<char>("mode");
    QTest::addColumn<QString>("happening"); // what goes on while it sends
    QTest::addColumn<CwSender::Refusal>("refusal");
    QTest::addColumn<CwSender::End>("end");

    QTest::newRow("100 characters")
        << '3' << QString() << CwSender::Refusal::None << CwSender::End::Sent;
    QTest::newRow("CW-R") << '7' << QStringLiteral("short") << CwSender::Refusal::None
                          << CwSender::End::Sent;
    QTest::newRow("stop") << '3' << QStringLiteral("stop") << CwSender::Refusal::None
                          << CwSender::End::Stopped;
    QTest::newRow("known to be in USB")
        << '2' << QString() << CwSender::Refusal::NotInCw << CwSender::End::Sent;
    QTest::newRow("turned to USB unseen")
        << '3' << QStringLiteral("usb") << CwSender::Refusal::None << CwSender::End::Refused;
    QTest::newRow("link down") << '3' << QStringLiteral("unplug") << CwSender::Refusal::None
                               << CwSender::End::LinkDown;
}

void tst_CwSender::sending()
{
    QFETCH(char, mode);
    QFETCH(QString, happening);
    QFETCH(CwSender::Refusal, refusal);
    QFETCH(CwSender::End, end);
    Station station;
    QVERIFY(station.start(mode));
    station.meter.setIntervalMs(50);
    station.meter.start();
    QSignalSpy finished(&station.sender, &CwSender::finished);
    const QString text
        = happening == QLatin1String("short") ? QStringLiteral("cq test") : hundredCharacters();
    QCOMPARE(text.size(), happening == QLatin1String("short") ? 7 : 100);

    if (happening == QLatin1String("usb"))
        station.sim->radio().handle("MD2;"); // behind the program's back: it hears no report
    QElapsedTimer keying;
    keying.start();
    QCOMPARE(station.sender.send(text), refusal);
    if (refusal != CwSender::Refusal::None) {
        QTest::qWait(500);
        QVERIFY(station.keyerCommands.isEmpty());
        QVERIFY(!station.sender.isBusy());
        return;
    }
    if (happening == QLatin1String("stop") || happening == QLatin1String("unplug")) {
        QVERIFY(spinUntil([&] { return station.sender.taken() > 0; }, WaitMs));
        if (happening == QLatin1String("stop"))
            station.sender.stop();
        else
            station.sim.reset();
    }
    QVERIFY(spinUntil([&] { return !finished.isEmpty(); }, WaitMs));
    const qint64 handedOverMs = keying.elapsed();
    QCOMPARE(finished.first().at(0).value<CwSender::End>(), end);
    const int notSent = finished.first().at(1).toInt();

    switch (end) {
    case CwSender::End::Sent: {
        // The keyer never ran empty before the end: one run, the whole text, in order.
        QVERIFY(spinUntil([&] { return !station.keyed.isEmpty(); }, WaitMs));
        const qint64 keyedMs = keying.elapsed();
        QCOMPARE(station.keyed, QByteArrayList {text.toUpper().toLatin1()});
        const double needed = keyingMs(text, 60);
        QVERIFY2(
            keyedMs >= needed * 0.95 && keyedMs <= needed * 1.1 + 1000,
            qPrintable(QStringLiteral("%1 ms to key what needs %2 ms").arg(keyedMs).arg(needed)));
        QVERIFY(handedOverMs < keyedMs);
        QCOMPARE(notSent, 0);
        break;
    }
    case CwSender::End::Stopped: {
        // The simulated radio cannot empty its keyer: it sends what it already holds, a
        // beginning of the text, and nothing more is fed.
        QVERIFY(spinUntil([&] { return !station.keyed.isEmpty(); }, WaitMs));
        const int taken = station.sender.taken();
        QCOMPARE(station.keyed, QByteArrayList {text.left(taken).toLatin1()});
        QCOMPARE(taken + notSent, 100);
        QVERIFY(taken <= 48);
        QCOMPARE(station.keyerCommands.last(), QByteArray("KY0;KY;"));
        break;
    }
    case CwSender::End::Refused:
        QCOMPARE(notSent, 100);
        QVERIFY(station.sim->radio().keyer().sent().isEmpty());
        break;
    case CwSender::End::LinkDown:
        QVERIFY(notSent > 0);
        QCOMPARE(station.sender.send(text), CwSender::Refusal::LinkDown);
        break;
    case CwSender::End::Emptied:
    case CwSender::End::NoAnswer:
        QFAIL("not a case of this table");
    }
    const int asked = int(station.keyerCommands.size());
    QTest::qWait(500);
    QCOMPARE(int(station.keyerCommands.size()), asked); // no question once it has ended
    QVERIFY(!station.sender.isBusy());
    QVERIFY2(station.closestPolls() >= CwSender::PollIntervalMs - 5,
             qPrintable(QString::number(station.closestPolls())));
    QVERIFY(!station.sharedLine);
    QVERIFY(!station.writtenWhileDown);
}

QTEST_GUILESS_MAIN(tst_CwSender)
#include "tst_cwsender.moc"
