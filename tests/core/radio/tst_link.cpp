// The radio core over a real pseudo-terminal, end to end: the test plays the radio at the
// master side, the core runs its port on the slave side.
#include "common/ptypair.h"
#include "core/radio/radio.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>

namespace {

// Records what the core shows; answers serial error boxes with errorAnswer.
class LinkDisplay : public NullDisplay
{
public:
    void setLabel(RadioView::Label label, const QString &text) override
    {
        if (label == RadioView::Label::LblMode)
            modes << text;
    }
    int serialError(const QString &text) override
    {
        errors << text;
        return errorAnswer;
    }
    void portProblem(const QString &text) override { problems << text; }

    QStringList modes;
    QStringList errors;
    QStringList problems;
    int errorAnswer = 1;
};

void spinEventLoop(int rounds = 50)
{
    for (int i = 0; i < rounds; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QTest::qSleep(1);
    }
}

// The radio core with its port opened on the slave side of a fresh pseudo-terminal.
struct Link
{
    PtyPair pty;
    Radio radio;
    LinkDisplay display;

    bool open()
    {
        radio.setDisplay(&display);
        return pty.isValid() && radio.MSComm1().setCommPort(pty.slavePath())
            && radio.MSComm1().setPortOpen(true);
    }
};

} // namespace

class TestLink : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void replies_data();
    void replies();
    void noiseIsBounded_data();
    void noiseIsBounded();
    void commandsReachTheRadio();
    void errorBoxAnswer_data();
    void errorBoxAnswer();
    void deadLineIsReportedOnce();
    void writeWhileClosedIsReported();
};

void TestLink::replies_data()
{
    QTest::addColumn<QList<QByteArray>>("writes");
    QTest::addColumn<QString>("vfoA");
    QTest::addColumn<QString>("vfoB");
    QTest::addColumn<QStringList>("modes");
    QTest::addColumn<QString>("left");

    const QStringList none;
    QTest::newRow("one reply") << QList<QByteArray> {"FA00007050500;"} << "7050.5"
                               << "" << none << "";
    QTest::newRow("split across writes") << QList<QByteArray> {"FA000070", "50500;"} << "7050.5"
                                         << "" << none << "";
    QTest::newRow("split in three") << QList<QByteArray> {"F", "A00014200", "000;"} << "14200"
                                    << "" << none << "";
    QTest::newRow("mode split: shown once") << QList<QByteArray> {"M", "D2;"} << ""
                                            << "" << QStringList {"USB"} << "";
    QTest::newRow("two replies in one write")
        << QList<QByteArray> {"FA00007050500;FB00014200000;"} << "7050.5"
        << "14200" << none << "";
    QTest::newRow("two replies in order") << QList<QByteArray> {"MD1;MD2;"} << ""
                                          << "" << QStringList {"LSB", "USB"} << "";
    QTest::newRow("same field twice: the later wins")
        << QList<QByteArray> {"FA00007000000;FA00007050500;"} << "7050.5"
        << "" << none << "";
    QTest::newRow("reply then a piece of the next")
        << QList<QByteArray> {"FA00007050500;FB0001"} << "7050.5"
        << "" << none << "FB0001";
    QTest::newRow("piece completed by a write with another reply")
        << QList<QByteArray> {"FA0000705", "0500;MD3;"} << "7050.5"
        << "" << QStringList {"CW"} << "";
}

void TestLink::replies()
{
    QFETCH(QList<QByteArray>, writes);
    QFETCH(QString, vfoA);
    QFETCH(QString, vfoB);
    QFETCH(QStringList, modes);
    QFETCH(QString, left);
    Link link;
    QVERIFY2(link.open(), qPrintable(link.radio.MSComm1().lastError()));
    const QString startA = link.radio.state().VFOAFreq;

    for (qsizetype i = 0; i < writes.size(); ++i) {
        const QByteArray &piece = writes.at(i);
        QVERIFY(link.pty.send(piece));
        if (i + 1 < writes.size()) {
            // A piece without its ";" waits in Out and changes nothing.
            QVERIFY(!piece.contains(';'));
            QTRY_VERIFY(link.radio.Out.toLatin1().endsWith(piece));
            QCOMPARE(link.radio.state().VFOAFreq, startA);
            QVERIFY(link.display.modes.isEmpty());
        }
    }
    QTRY_COMPARE(link.radio.Out, left);
    spinEventLoop(5);
    if (!vfoA.isEmpty())
        QCOMPARE(link.radio.state().VFOAFreq, vfoA);
    if (!vfoB.isEmpty())
        QCOMPARE(link.radio.state().VFOBFreq, vfoB);
    QCOMPARE(link.display.modes, modes);
    QCOMPARE(link.radio.Out, left);
    QVERIFY(link.display.errors.isEmpty());
}

void TestLink::noiseIsBounded_data()
{
    QTest::addColumn<int>("pieceSize");
    QTest::addColumn<int>("pieces");
    QTest::newRow("1500 characters in pieces of 100") << 100 << 15;
    QTest::newRow("5000 characters at once") << 5000 << 1;
    QTest::newRow("just past the limit") << 1025 << 1;
}

void TestLink::noiseIsBounded()
{
    QFETCH(int, pieceSize);
    QFETCH(int, pieces);
    Link link;
    QVERIFY2(link.open(), qPrintable(link.radio.MSComm1().lastError()));

    qsizetype longest = 0;
    connect(&link.radio.MSComm1(), &CommPort::OnComm, this,
            [&] { longest = std::max(longest, link.radio.Out.size()); });
    for (int i = 0; i < pieces; ++i) {
        QVERIFY(link.pty.send(QByteArray(pieceSize, '#')));
        spinEventLoop(3);
    }
    QTRY_COMPARE(link.radio.MSComm1().inBufferCount(), 0);
    spinEventLoop(5);
    QVERIFY2(link.radio.Out.size() <= Radio::MaxPendingReply,
             qPrintable(QString::number(link.radio.Out.size())));
    QVERIFY(longest <= Radio::MaxPendingReply);

    // The line recovers: the next reply is read as usual.
    QVERIFY(link.pty.send("FA00007050500;"));
    QTRY_COMPARE(link.radio.state().VFOAFreq, QStringLiteral("7050.5"));
    QVERIFY(link.radio.Out.isEmpty());
    QVERIFY(link.display.errors.isEmpty());
}

void TestLink::commandsReachTheRadio()
{
    Link link;
    QVERIFY2(link.open(), qPrintable(link.radio.MSComm1().lastError()));
    QSignalSpy written(&link.radio, &Radio::commandWritten);
    link.radio.send(QByteArrayLiteral("FA00014201000;"));
    link.radio.send(std::optional<QByteArray> {}); // a refused command sends nothing
    link.radio.cmdSend_Click();
    QByteArray atRadio;
    const QByteArray expected("FA00014201000;TX;SM;");
    QTRY_COMPARE(atRadio += link.pty.readAvailable(), expected);
    QCOMPARE(written.count(), 3);
    QVERIFY(link.display.problems.isEmpty());
}

void TestLink::errorBoxAnswer_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("stillOpen");
    QTest::newRow("framing, OK") << int(CommPort::comEventFrame) << 1 << "Framing Error" << true;
    QTest::newRow("framing, Cancel")
        << int(CommPort::comEventFrame) << 2 << "Framing Error" << false;
    QTest::newRow("overrun, OK") << int(CommPort::comEventOverrun) << 1 << "Overrun Error" << true;
    QTest::newRow("1005, OK") << 1005 << 1 << "Unknown error or event" << true;
    QTest::newRow("transmit full, Cancel")
        << int(CommPort::comEventTxFull) << 2 << "Transmit Buffer Full" << false;
}

void TestLink::errorBoxAnswer()
{
    QFETCH(int, code);
    QFETCH(int, answer);
    QFETCH(QString, text);
    QFETCH(bool, stillOpen);
    Link link;
    QVERIFY2(link.open(), qPrintable(link.radio.MSComm1().lastError()));
    link.display.errorAnswer = answer;
    link.radio.Out = QStringLiteral("FA0000"); // a piece waiting for the rest

    link.radio.MSComm1().raiseEvent(code);
    QCOMPARE(link.display.errors, QStringList {text});
    QCOMPARE(link.radio.MsgResult, qint16(answer));
    QCOMPARE(link.radio.MSComm1().portOpen(), stillOpen);
    QCOMPARE(link.radio.Out, QStringLiteral("FA0000")); // the buffer keeps what it held

    // Line-state events show nothing.
    for (const int quiet : {1, 3, 4, 5, 6, 7})
        link.radio.MSComm1().raiseEvent(quiet);
    QCOMPARE(link.display.errors.size(), 1);

    link.radio.Out.clear();
    QVERIFY(link.pty.send("FA00007050500;"));
    if (stillOpen) {
        // The next reply is interpreted as usual and raises no box.
        QTRY_COMPARE(link.radio.state().VFOAFreq, QStringLiteral("7050.5"));
    } else {
        spinEventLoop(10);
        QVERIFY(link.radio.state().VFOAFreq != QStringLiteral("7050.5"));
        link.radio.send(QByteArrayLiteral("IF;"));
        QCOMPARE(link.display.problems.size(), 1);
    }
    QCOMPARE(link.display.errors.size(), 1);
}

void TestLink::deadLineIsReportedOnce()
{
    Link link;
    QVERIFY2(link.open(), qPrintable(link.radio.MSComm1().lastError()));
    link.display.errorAnswer = 1; // OK: the operator lets the program go on
    QVERIFY(link.pty.send("FA00007050500;"));
    QTRY_COMPARE(link.radio.state().VFOAFreq, QStringLiteral("7050.5"));

    link.pty.releaseSlave();
    link.pty.closeMaster();
    QTRY_COMPARE(link.display.errors.size(), 1);
    QCOMPARE(link.display.errors.first(), QStringLiteral("Unknown error or event"));
    QTRY_VERIFY(!link.radio.MSComm1().portOpen());
    spinEventLoop();
    QCOMPARE(link.display.errors.size(), 1);

    link.radio.send(QByteArrayLiteral("IF;"));
    QCOMPARE(link.display.problems.size(), 1);
    QCOMPARE(link.radio.state().VFOAFreq, QStringLiteral("7050.5"));
}

void TestLink::writeWhileClosedIsReported()
{
    Link link;
    QVERIFY2(link.open(), qPrintable(link.radio.MSComm1().lastError()));
    QVERIFY(link.radio.MSComm1().setPortOpen(false));
    QSignalSpy written(&link.radio, &Radio::commandWritten);

    link.radio.send(QByteArrayLiteral("FA00014201000;"));
    link.radio.cmdSend_Click();
    QCOMPARE(written.count(), 3);
    QCOMPARE(link.display.problems.size(), 3);
    QVERIFY2(link.display.problems.first().contains(QStringLiteral("FA00014201000;")),
             qPrintable(link.display.problems.first()));
    spinEventLoop(10);
    QVERIFY(link.pty.readAvailable().isEmpty());
    QVERIFY(link.display.errors.isEmpty());
}

QTEST_GUILESS_MAIN(TestLink)
#include "tst_link.moc"
