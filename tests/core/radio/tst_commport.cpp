// The serial port layer over a real pseudo-terminal: the test plays the radio at the master
// side of the pair.
#include "common/ptypair.h"
#include "core/radio/commport.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>

namespace {

// Collects the events the port raises, with what input() held at each receive event, the way
// the program's event handler reads it.
class EventLog : public QObject
{
public:
    explicit EventLog(CommPort &port)
        : m_port(port)
    {
        connect(&port, &CommPort::OnComm, this, [this] { onComm(); });
    }

    QList<int> codes;
    QList<QByteArray> pieces;
    QByteArray received() const { return pieces.join(); }
    int count(int code) const { return int(codes.count(code)); }
    int errorCount() const
    {
        return int(std::count_if(codes.cbegin(), codes.cend(), [](int c) { return c > 1000; }));
    }

private:
    void onComm()
    {
        const int code = m_port.commEvent();
        codes.append(code);
        if (code == CommPort::comEvReceive)
            pieces.append(m_port.input());
    }

    CommPort &m_port;
};

// Lets the event loop run a fixed number of rounds, so that anything that would repeat
// (a busy loop of errors) has the chance to show.
void spinEventLoop(int rounds = 50)
{
    for (int i = 0; i < rounds; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QTest::qSleep(1);
    }
}

} // namespace

class TestCommPort : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void builtInValues();
    void eventText_data();
    void eventText();
    void devicePath_data();
    void devicePath();
    void setCommPort_data();
    void setCommPort();
    void settingsRoundTrip_data();
    void settingsRoundTrip();
    void settingsOnTheOpenLine_data();
    void settingsOnTheOpenLine();
    void driverRefusalKeepsOldSettings();
    void refusedSettingsFailTheOpen();
    void settingsAppliedAtOpen();
    void handshaking_data();
    void handshaking();
    void openByPath();
    void openFailureIsReportedNotRaised();
    void portChangeWhileOpen();
    void outputReachesTheRadio();
    void outputWhileClosed();
    void outBufferCount();
    void receive_data();
    void receive();
    void inputWhileClosedIsEmpty();
    void raisedEvents_data();
    void raisedEvents();
    void repeatedErrorDuringItsOwnEventIsDropped();
    void deadLineGivesOneErrorAndCloses();
    void portCanBeReopenedAfterLoss();
};

void TestCommPort::builtInValues()
{
    CommPort port;
    QCOMPARE(port.commPort(), QStringLiteral("1"));
    QCOMPARE(port.portNumber(), 1);
    QCOMPARE(port.settings(), QStringLiteral("9600,n,8,1"));
    QCOMPARE(port.handshaking(), 0);
    QVERIFY(!port.portOpen());
    QCOMPARE(port.outBufferCount(), 0);
    QCOMPARE(port.inBufferCount(), 0);
}

void TestCommPort::eventText_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("break") << 1001 << "Break Received";
    QTest::newRow("cts timeout") << 1002 << "CTS Timeout";
    QTest::newRow("dsr timeout") << 1003 << "DSR Timeout";
    QTest::newRow("framing") << 1004 << "Framing Error";
    QTest::newRow("1005 is not in the table") << 1005 << "Unknown error or event";
    QTest::newRow("overrun") << 1006 << "Overrun Error";
    QTest::newRow("cd timeout") << 1007 << "Carrier Detect Timeout";
    QTest::newRow("rx overflow") << 1008 << "Receive Buffer Overflow";
    QTest::newRow("parity") << 1009 << "Parity Error";
    QTest::newRow("tx full") << 1010 << "Transmit Buffer Full";
    QTest::newRow("dcb") << 1011 << "Error retrieving DCB";
    QTest::newRow("unknown event") << 1099 << "Unknown error or event";
    QTest::newRow("zero") << 0 << "Unknown error or event";
    QTest::newRow("negative") << -5 << "Unknown error or event";
    QTest::newRow("send") << 1 << "";
    QTest::newRow("receive") << 2 << "";
    QTest::newRow("cts") << 3 << "";
    QTest::newRow("ring") << 6 << "";
    QTest::newRow("eof") << 7 << "";
}

void TestCommPort::eventText()
{
    QFETCH(int, code);
    QFETCH(QString, text);
    QCOMPARE(CommPort::eventText(code), text);
}

void TestCommPort::devicePath_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("path");
#ifdef Q_OS_WIN
    QTest::newRow("1") << "1"
                       << "COM1";
    QTest::newRow("16") << "16"
                        << "COM16";
#else
    QTest::newRow("1") << "1"
                       << "/dev/ttyS0";
    QTest::newRow("16") << "16"
                        << "/dev/ttyS15";
    QTest::newRow("blanks around") << " 3 "
                                   << "/dev/ttyS2";
    QTest::newRow("leading zero") << "02"
                                  << "/dev/ttyS1";
#endif
    QTest::newRow("usb path") << "/dev/ttyUSB0"
                              << "/dev/ttyUSB0";
    QTest::newRow("pty path") << "/dev/pts/5"
                              << "/dev/pts/5";
    QTest::newRow("zero") << "0"
                          << "";
    QTest::newRow("negative") << "-3"
                              << "";
    QTest::newRow("too large") << "99999999999"
                               << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("blank") << "  "
                           << "";
}

void TestCommPort::devicePath()
{
    QFETCH(QString, given);
    QFETCH(QString, path);
    QCOMPARE(CommPort::devicePath(given), path);
}

void TestCommPort::setCommPort_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<int>("number");
    QTest::newRow("number") << "3" << true << "3" << 3;
    QTest::newRow("above the list") << "17" << true << "17" << 17;
    QTest::newRow("number with blanks") << " 4 " << true << "4" << 4;
    QTest::newRow("path") << "/dev/ttyUSB0" << true << "/dev/ttyUSB0" << 0;
    QTest::newRow("zero") << "0" << false << "1" << 1;
    QTest::newRow("negative") << "-2" << false << "1" << 1;
    QTest::newRow("empty") << "" << false << "1" << 1;
}

void TestCommPort::setCommPort()
{
    QFETCH(QString, given);
    QFETCH(bool, accepted);
    QFETCH(QString, kept);
    QFETCH(int, number);
    CommPort port;
    QCOMPARE(port.setCommPort(given), accepted);
    QCOMPARE(port.commPort(), kept);
    QCOMPARE(port.portNumber(), number);
    if (!accepted)
        QCOMPARE(port.lastError(), QStringLiteral("Invalid Port Number"));
}

void TestCommPort::settingsRoundTrip_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("reported");
    const QString old = QStringLiteral("4800,e,7,2"); // what the port held before
    QTest::newRow("plain") << "9600,n,8,1" << true << "9600,n,8,1";
    QTest::newRow("upper-case parity") << "4800,E,7,2" << true << "4800,e,7,2";
    QTest::newRow("odd") << "1200,O,8,1" << true << "1200,o,8,1";
    QTest::newRow("mark") << "9600,M,8,1" << true << "9600,m,8,1";
    QTest::newRow("space") << "9600,s,8,1" << true << "9600,s,8,1";
    QTest::newRow("one and a half stop bits") << "9600,n,5,1.5" << true << "9600,n,5,1.5";
    QTest::newRow("six data bits") << "2400,n,6,2" << true << "2400,n,6,2";
    QTest::newRow("blanks around fields") << " 19200 , N , 8 , 1 " << true << "19200,n,8,1";
    QTest::newRow("leading zero in speed") << "09600,n,8,1" << true << "9600,n,8,1";
    QTest::newRow("letters") << "abc" << false << old;
    QTest::newRow("bad parity") << "9600,x,8,1" << false << old;
    QTest::newRow("nine data bits") << "9600,n,9,1" << false << old;
    QTest::newRow("four data bits") << "9600,n,4,1" << false << old;
    QTest::newRow("zero speed") << "0,n,8,1" << false << old;
    QTest::newRow("negative speed") << "-9600,n,8,1" << false << old;
    QTest::newRow("speed with sign") << "+9600,n,8,1" << false << old;
    QTest::newRow("speed too large") << "99999999999,n,8,1" << false << old;
    QTest::newRow("three stop bits") << "9600,n,8,3" << false << old;
    QTest::newRow("two parity letters") << "9600,ne,8,1" << false << old;
    QTest::newRow("missing field") << "9600,n,8" << false << old;
    QTest::newRow("extra field") << "9600,n,8,1,1" << false << old;
    QTest::newRow("empty") << "" << false << old;
}

void TestCommPort::settingsRoundTrip()
{
    QFETCH(QString, given);
    QFETCH(bool, accepted);
    QFETCH(QString, reported);
    CommPort port;
    QVERIFY(port.setSettings(QStringLiteral("4800,e,7,2")));
    QCOMPARE(port.setSettings(given), accepted);
    QCOMPARE(port.settings(), reported);
    if (!accepted)
        QCOMPARE(port.lastError(), QStringLiteral("Invalid property value"));
}

void TestCommPort::settingsOnTheOpenLine_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("reported");
    QTest::addColumn<int>("speed");
    QTest::addColumn<bool>("twoStop");
    // The port runs 4800,n,8,2 before each row. A pseudo-terminal keeps 8 data bits and no
    // parity bit whatever it is told, so the line is checked for speed and stop bits.
    QTest::newRow("9600,n,8,1") << "9600,n,8,1" << true << "9600,n,8,1" << int(B9600) << false;
    QTest::newRow("1200,N,8,1") << "1200,N,8,1" << true << "1200,n,8,1" << int(B1200) << false;
    QTest::newRow("57600,n,8,2") << "57600,n,8,2" << true << "57600,n,8,2" << int(B57600) << true;
    QTest::newRow("1.5 stop bits go out as two")
        << "9600,n,8,1.5" << true << "9600,n,8,1.5" << int(B9600) << true;
    QTest::newRow("refused text leaves the line alone")
        << "9600,x,8,1" << false << "4800,n,8,2" << int(B4800) << true;
    QTest::newRow("zero speed leaves the line alone")
        << "0,n,8,1" << false << "4800,n,8,2" << int(B4800) << true;
}

void TestCommPort::settingsOnTheOpenLine()
{
    QFETCH(QString, given);
    QFETCH(bool, accepted);
    QFETCH(QString, reported);
    QFETCH(int, speed);
    QFETCH(bool, twoStop);
    PtyPair pty;
    QVERIFY(pty.isValid());
    CommPort port;
    EventLog log(port);
    QVERIFY(port.setCommPort(pty.slavePath()));
    QVERIFY(port.setSettings(QStringLiteral("4800,n,8,2")));
    QVERIFY2(port.setPortOpen(true), qPrintable(port.lastError()));

    QCOMPARE(port.setSettings(given), accepted);
    QCOMPARE(port.settings(), reported);
    QVERIFY(port.portOpen());
    termios tio {};
    QVERIFY(pty.slaveTermios(&tio));
    QCOMPARE(int(cfgetospeed(&tio)), speed);
    QCOMPARE(bool(tio.c_cflag & CSTOPB), twoStop);
    spinEventLoop(5);
    QCOMPARE(log.errorCount(), 0); // a refused value is the call's result, not an event
}

void TestCommPort::driverRefusalKeepsOldSettings()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    CommPort port;
    EventLog log(port);
    QVERIFY(port.setCommPort(pty.slavePath()));
    QVERIFY(port.setSettings(QStringLiteral("4800,n,8,2")));
    QVERIFY2(port.setPortOpen(true), qPrintable(port.lastError()));

    // A pseudo-terminal stays at 8 data bits: the driver refuses 7.
    if (port.setSettings(QStringLiteral("9600,n,7,1")))
        QSKIP("this terminal driver takes 7 data bits");
    QVERIFY(!port.lastError().isEmpty());
    QVERIFY(port.lastError() != QStringLiteral("Invalid property value"));
    QCOMPARE(port.settings(), QStringLiteral("4800,n,8,2"));
    termios tio {};
    QVERIFY(pty.slaveTermios(&tio));
    QCOMPARE(int(cfgetospeed(&tio)), int(B4800));
    QVERIFY(tio.c_cflag & CSTOPB);
    QVERIFY(port.portOpen());
    QVERIFY(port.output("ID;"));
    QByteArray atRadio;
    QTRY_COMPARE(atRadio += pty.readAvailable(), QByteArray("ID;"));
    spinEventLoop(5);
    QCOMPARE(log.errorCount(), 0);
}

void TestCommPort::refusedSettingsFailTheOpen()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    CommPort port;
    EventLog log(port);
    QVERIFY(port.setCommPort(pty.slavePath()));
    QVERIFY(port.setSettings(QStringLiteral("9600,e,7,1")));
    // Opening with settings the driver will not run must not leave a line that works
    // otherwise than the port reports.
    if (port.setPortOpen(true))
        QSKIP("this terminal driver takes 7 data bits");
    QVERIFY(!port.portOpen());
    QVERIFY2(port.lastError().startsWith(QStringLiteral("Cannot open ") + pty.slavePath()),
             qPrintable(port.lastError()));
    QVERIFY(port.setSettings(QStringLiteral("9600,n,8,1")));
    QVERIFY2(port.setPortOpen(true), qPrintable(port.lastError()));
    spinEventLoop(5);
    QCOMPARE(log.errorCount(), 0);
}

void TestCommPort::settingsAppliedAtOpen()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    CommPort port;
    QVERIFY(port.setCommPort(pty.slavePath()));
    QVERIFY(port.setSettings(QStringLiteral("57600,n,8,2")));
    QVERIFY(port.setHandshaking(2));
    QVERIFY2(port.setPortOpen(true), qPrintable(port.lastError()));

    termios tio {};
    QVERIFY(pty.slaveTermios(&tio));
    QCOMPARE(int(cfgetospeed(&tio)), int(B57600));
    QVERIFY(tio.c_cflag & CSTOPB);
    QVERIFY(tio.c_cflag & CRTSCTS);
}

void TestCommPort::handshaking_data()
{
    QTest::addColumn<bool>("open");
    QTest::addColumn<int>("given");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("reported");
    QTest::addColumn<bool>("rtsCts");
    QTest::addColumn<bool>("xonXoff");
    for (const bool open : {false, true}) {
        const QString state = QLatin1String(open ? "open: " : "closed: ");
        auto row = [&](const char *name) {
            return &(QTest::newRow(qPrintable(state + QLatin1String(name))) << open);
        };
        // The port holds RTS/CTS (2) before each row.
        *row("none") << 0 << true << 0 << false << false;
        *row("xon/xoff") << 1 << true << 1 << false << true;
        *row("rts/cts") << 2 << true << 2 << true << false;
        *row("rts/cts with xon/xoff reported as 3") << 3 << true << 3 << true << false;
        *row("4 refused") << 4 << false << 2 << true << false;
        *row("negative refused") << -1 << false << 2 << true << false;
    }
}

void TestCommPort::handshaking()
{
    QFETCH(bool, open);
    QFETCH(int, given);
    QFETCH(bool, accepted);
    QFETCH(int, reported);
    QFETCH(bool, rtsCts);
    QFETCH(bool, xonXoff);
    PtyPair pty;
    QVERIFY(pty.isValid());
    CommPort port;
    QVERIFY(port.setCommPort(pty.slavePath()));
    QVERIFY(port.setHandshaking(2));
    if (open)
        QVERIFY2(port.setPortOpen(true), qPrintable(port.lastError()));

    QCOMPARE(port.setHandshaking(given), accepted);
    QCOMPARE(port.handshaking(), reported);
    if (!accepted)
        QCOMPARE(port.lastError(), QStringLiteral("Invalid property value"));
    if (!open)
        QVERIFY2(port.setPortOpen(true), qPrintable(port.lastError()));
    termios tio {};
    QVERIFY(pty.slaveTermios(&tio));
    QCOMPARE(bool(tio.c_cflag & CRTSCTS), rtsCts);
    QCOMPARE(bool(tio.c_iflag & IXON), xonXoff);
}

void TestCommPort::openByPath()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    CommPort port;
    QVERIFY(port.setCommPort(pty.slavePath()));
    QVERIFY2(port.setPortOpen(true), qPrintable(port.lastError()));
    QVERIFY(port.portOpen());
    QVERIFY(port.setPortOpen(true)); // opening an open port changes nothing
    QVERIFY(port.portOpen());
    // Held by another program: said so, rather than the driver's words for its lock.
    CommPort other;
    QVERIFY(other.setCommPort(pty.slavePath()));
    QVERIFY(!other.setPortOpen(true));
    QCOMPARE(
        other.lastError(),
        QStringLiteral("Cannot open %1: it is in use by another program").arg(pty.slavePath()));
    QVERIFY(port.setPortOpen(false));
    QVERIFY(!port.portOpen());
    QVERIFY(port.setPortOpen(false));
}

void TestCommPort::openFailureIsReportedNotRaised()
{
    CommPort port;
    EventLog log(port);
    const QString path = QStringLiteral("/dev/vantelo-no-such-port");
    QVERIFY(port.setCommPort(path));
    QVERIFY(!port.setPortOpen(true));
    QVERIFY(!port.portOpen());
    QVERIFY2(
        port.lastError().startsWith(QStringLiteral("Cannot open ") + path + QStringLiteral(": ")),
        qPrintable(port.lastError()));
    QVERIFY(port.lastError().size() > QStringLiteral("Cannot open : ").size() + path.size());
    spinEventLoop(5);
    QVERIFY(log.codes.isEmpty());
}

void TestCommPort::portChangeWhileOpen()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    CommPort port;
    QVERIFY(port.setCommPort(pty.slavePath()));
    QVERIFY2(port.setPortOpen(true), qPrintable(port.lastError()));
    QVERIFY(port.setCommPort(pty.slavePath())); // the same port: nothing to change
    QVERIFY(!port.setCommPort(QStringLiteral("2")));
    QCOMPARE(port.lastError(), QStringLiteral("Port already open"));
    QCOMPARE(port.commPort(), pty.slavePath());
    QVERIFY(port.portOpen());
    QVERIFY(port.setPortOpen(false));
    QVERIFY(port.setCommPort(QStringLiteral("2")));
    QCOMPARE(port.portNumber(), 2);
}

void TestCommPort::outputReachesTheRadio()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    CommPort port;
    QVERIFY(port.setCommPort(pty.slavePath()));
    QVERIFY2(port.setPortOpen(true), qPrintable(port.lastError()));
    QVERIFY(port.output("FA00014201000;"));
    QVERIFY(port.output("IF;"));
    QVERIFY(port.output(QByteArray()));
    QByteArray atRadio;
    QTRY_VERIFY((atRadio += pty.readAvailable()).size() >= 17);
    QCOMPARE(atRadio, QByteArray("FA00014201000;IF;"));
}

void TestCommPort::outputWhileClosed()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    CommPort port;
    EventLog log(port);
    QVERIFY(port.setCommPort(pty.slavePath()));
    QVERIFY(!port.output("IF;"));
    QCOMPARE(port.lastError(), QStringLiteral("Port is closed"));
    QCOMPARE(port.outBufferCount(), 0);

    QVERIFY2(port.setPortOpen(true), qPrintable(port.lastError()));
    QVERIFY(port.setPortOpen(false));
    QVERIFY(!port.output("TX;"));
    QCOMPARE(port.lastError(), QStringLiteral("Port is closed"));
    spinEventLoop(5);
    QVERIFY(pty.readAvailable().isEmpty());
    QCOMPARE(log.errorCount(), 0);
}

void TestCommPort::outBufferCount()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    CommPort port;
    QVERIFY(port.setCommPort(pty.slavePath()));
    QVERIFY2(port.setPortOpen(true), qPrintable(port.lastError()));
    const QByteArray command("FA00007050500;");
    QVERIFY(port.output(command));
    // The line takes the characters at once: none wait in the port for the event loop.
    QCOMPARE(port.outBufferCount(), qint64(0));
    QByteArray atRadio;
    QTRY_COMPARE(atRadio += pty.readAvailable(), command);
}

void TestCommPort::receive_data()
{
    QTest::addColumn<QList<QByteArray>>("writes");
    QTest::newRow("one reply") << QList<QByteArray> {"FA00007050500;"};
    QTest::newRow("reply split across writes") << QList<QByteArray> {"FA000070", "50500;"};
    QTest::newRow("reply in three pieces") << QList<QByteArray> {"I", "F0001420", "0000;"};
    QTest::newRow("two replies in one write") << QList<QByteArray> {"FA00007050500;FB00014200000;"};
    QTest::newRow("noise without terminator") << QList<QByteArray> {QByteArray(300, '\x7f')};
    QTest::newRow("bytes of every value")
        << QList<QByteArray> {QByteArray("\x00\x01\xff\x11\x13;", 6)};
}

void TestCommPort::receive()
{
    QFETCH(QList<QByteArray>, writes);
    PtyPair pty;
    QVERIFY(pty.isValid());
    CommPort port;
    EventLog log(port);
    QVERIFY(port.setCommPort(pty.slavePath()));
    QVERIFY2(port.setPortOpen(true), qPrintable(port.lastError()));

    QByteArray expected;
    for (const QByteArray &piece : writes) {
        const int before = log.count(CommPort::comEvReceive);
        QVERIFY(pty.send(piece));
        expected += piece;
        // Each piece raises its own receive event; the handler finds it waiting.
        QTRY_VERIFY(log.count(CommPort::comEvReceive) > before);
        QTRY_COMPARE(log.received(), expected);
    }
    QCOMPARE(log.errorCount(), 0);
    for (const QByteArray &piece : std::as_const(log.pieces))
        QVERIFY(!piece.isEmpty()); // no receive event without a character waiting
    QCOMPARE(port.inBufferCount(), 0);
}

void TestCommPort::inputWhileClosedIsEmpty()
{
    CommPort port;
    QVERIFY(port.input().isEmpty());
    QCOMPARE(port.inBufferCount(), 0);
}

void TestCommPort::raisedEvents_data()
{
    QTest::addColumn<int>("code");
    QTest::newRow("framing") << int(CommPort::comEventFrame);
    QTest::newRow("break") << int(CommPort::comEventBreak);
    QTest::newRow("code outside the table") << 1005;
    QTest::newRow("cts change") << int(CommPort::comEvCTS);
    QTest::newRow("ring") << int(CommPort::comEvRing);
}

void TestCommPort::raisedEvents()
{
    QFETCH(int, code);
    CommPort port;
    EventLog log(port);
    port.raiseEvent(code);
    QCOMPARE(log.codes, QList<int> {code});
    QCOMPARE(port.commEvent(), code);
    port.raiseEvent(code); // the same event again is reported again
    QCOMPARE(log.codes.size(), 2);
}

void TestCommPort::repeatedErrorDuringItsOwnEventIsDropped()
{
    CommPort port;
    QList<int> seen;
    connect(&port, &CommPort::OnComm, this, [&] {
        const int code = port.commEvent();
        seen.append(code);
        if (code == CommPort::comEventFrame) {
            // While the operator looks at the first error box, the line fails again and
            // characters keep arriving.
            port.raiseEvent(CommPort::comEventOverrun);
            port.raiseEvent(CommPort::comEvReceive);
        }
    });
    port.raiseEvent(CommPort::comEventFrame);
    QCOMPARE(seen, (QList<int> {CommPort::comEventFrame, CommPort::comEvReceive}));
    // Once the box is answered, later errors are reported again.
    port.raiseEvent(CommPort::comEventRxParity);
    QCOMPARE(seen.last(), int(CommPort::comEventRxParity));
}

void TestCommPort::deadLineGivesOneErrorAndCloses()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    CommPort port;
    EventLog log(port);
    QVERIFY(port.setCommPort(pty.slavePath()));
    QVERIFY2(port.setPortOpen(true), qPrintable(port.lastError()));
    QVERIFY(pty.send("FA00007050500;"));
    QTRY_COMPARE(log.received(), QByteArray("FA00007050500;"));

    // The radio's end of the cable goes dead.
    pty.releaseSlave();
    pty.closeMaster();
    QTRY_COMPARE(log.errorCount(), 1);
    QCOMPARE(log.codes.last(), int(CommPort::comEventUnknown));
    QCOMPARE(CommPort::eventText(log.codes.last()), QStringLiteral("Unknown error or event"));
    QCOMPARE(port.lastError(), QStringLiteral("Lost the connection to ") + pty.slavePath());
    QTRY_VERIFY(!port.portOpen());
    spinEventLoop();
    QCOMPARE(log.errorCount(), 1); // reported once, no stream of errors
    QVERIFY(!port.output("IF;"));
    QCOMPARE(port.lastError(), QStringLiteral("Port is closed"));
}

void TestCommPort::portCanBeReopenedAfterLoss()
{
    PtyPair first;
    QVERIFY(first.isValid());
    CommPort port;
    EventLog log(port);
    QVERIFY(port.setCommPort(first.slavePath()));
    QVERIFY2(port.setPortOpen(true), qPrintable(port.lastError()));
    first.releaseSlave();
    first.closeMaster();
    QTRY_VERIFY(!port.portOpen());
    QCOMPARE(log.errorCount(), 1);

    PtyPair second;
    QVERIFY(second.isValid());
    QVERIFY(port.setCommPort(second.slavePath()));
    QVERIFY2(port.setPortOpen(true), qPrintable(port.lastError()));
    QVERIFY(second.send("ID017;"));
    QTRY_COMPARE(log.received(), QByteArray("ID017;"));
    second.releaseSlave();
    second.closeMaster();
    QTRY_COMPARE(log.errorCount(), 2); // a new loss on the reopened port is reported again
}

QTEST_GUILESS_MAIN(TestCommPort)
#include "tst_commport.moc"
