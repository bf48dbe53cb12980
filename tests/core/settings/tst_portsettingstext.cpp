// The settings string as the port properties dialog reads and writes it, the port list, and
// the check of a typed radio code.
#include "core/settings/portlist.h"
#include "core/settings/portsettingstext.h"
#include "core/settings/radiocode.h"

#include <QTest>

using PortSettingsText::Fields;
Q_DECLARE_METATYPE(Fields)

class tst_PortSettingsText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parse_data();
    void parse();
    void composeThenParse_data();
    void composeThenParse();
    void portEntries();
    void portPosition_data();
    void portPosition();
    void sameValue_data();
    void sameValue();
    void radioCode_data();
    void radioCode();
};

void tst_PortSettingsText::parse_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<Fields>("expected");
    const auto f = [](const char *speed, const char *parity, const char *data, const char *stop) {
        return Fields {QLatin1String(speed), QLatin1String(parity), QLatin1String(data),
                       QLatin1String(stop)};
    };
    QTest::newRow("9600 n 8 1") << "9600,n,8,1" << f("9600", "None", "8", "1");
    QTest::newRow("19200 e 7 2") << "19200,e,7,2" << f("19200", "Even", "7", "2");
    QTest::newRow("1.5 stop bits") << "4800,n,5,1.5" << f("4800", "None", "5", "1.5");
    QTest::newRow("mark") << "1200,m,7,1" << f("1200", "Mark", "7", "1");
    QTest::newRow("odd") << "115200,o,8,1" << f("115200", "Odd", "8", "1");
    QTest::newRow("space") << "110,s,8,2" << f("110", "Space", "8", "2");
    QTest::newRow("speed not in the list") << "1234,n,8,1" << f("1234", "None", "8", "1");
    // Only the lower-case letter the port reports is recognised; the rest still shows.
    QTest::newRow("upper-case parity") << "9600,N,8,1" << f("9600", "", "8", "1");
    QTest::newRow("unknown parity") << "9600,x,8,1" << f("9600", "", "8", "1");
    QTest::newRow("empty") << "" << Fields {};
    QTest::newRow("too short") << ",n,8,1" << Fields {};
    QTest::newRow("one character") << "9" << Fields {};
    QTest::newRow("only commas") << ",,,,,,," << Fields {};
    QTest::newRow("five fields") << "96,00,n,8,1" << Fields {};
    QTest::newRow("comma as parity") << "9600,,,8" << Fields {};
    QTest::newRow("two-digit data bits") << "9600,n,10,1" << Fields {};
    QTest::newRow("no commas") << "9600n8x1" << Fields {};
    QTest::newRow("dot elsewhere") << "96.0,n,8,1" << Fields {};
    QTest::newRow("dot, too short") << "1.5" << Fields {};
    QTest::newRow("trailing blank") << "9600,n,8,1 " << Fields {};
}

void tst_PortSettingsText::parse()
{
    QFETCH(QString, settings);
    QFETCH(Fields, expected);
    const Fields got = PortSettingsText::parse(settings);
    QCOMPARE(got.speed, expected.speed);
    QCOMPARE(got.parity, expected.parity);
    QCOMPARE(got.dataBits, expected.dataBits);
    QCOMPARE(got.stopBits, expected.stopBits);
}

void tst_PortSettingsText::composeThenParse_data()
{
    QTest::addColumn<Fields>("chosen");
    QTest::addColumn<QString>("composed");
    QTest::newRow("blanks trimmed") << Fields {QStringLiteral(" 9600 "), QStringLiteral("None"),
                                               QStringLiteral(" 8"), QStringLiteral("1 ")}
                                    << "9600,N,8,1";
    QTest::newRow("space, 1.5") << Fields {QStringLiteral("300"), QStringLiteral("Space"),
                                           QStringLiteral("7"), QStringLiteral("1.5")}
                                << "300,S,7,1.5";
    QTest::newRow("no parity chosen")
        << Fields {QStringLiteral("300"), QString(), QStringLiteral("7"), QStringLiteral("2")}
        << "300,,7,2";
}

void tst_PortSettingsText::composeThenParse()
{
    QFETCH(Fields, chosen);
    QFETCH(QString, composed);
    QCOMPARE(PortSettingsText::compose(chosen), composed);
    // What the dialog writes, reported back with a lower-case letter, reads as chosen.
    const QString reported = composed.toLower();
    if (!chosen.parity.isEmpty())
        QCOMPARE(PortSettingsText::parse(reported).parity, chosen.parity);
}

void tst_PortSettingsText::portEntries()
{
    const QList<PortList::Entry> list
        = PortList::entries({{QStringLiteral("/dev/ttyUSB0"), QStringLiteral("FT232R USB UART")},
                             {QString(), QStringLiteral("nameless")},
                             {QStringLiteral("/dev/ttyACM0"), QString()}});
    QCOMPARE(list.size(), 18);
    QCOMPARE(list.first(), (PortList::Entry {QStringLiteral("Com1"), QStringLiteral("1")}));
    QCOMPARE(list.at(15), (PortList::Entry {QStringLiteral("Com16"), QStringLiteral("16")}));
    QCOMPARE(list.at(16),
             (PortList::Entry {QStringLiteral("/dev/ttyUSB0 (FT232R USB UART)"),
                               QStringLiteral("/dev/ttyUSB0")}));
    QCOMPARE(list.at(17),
             (PortList::Entry {QStringLiteral("/dev/ttyACM0"), QStringLiteral("/dev/ttyACM0")}));
}

void tst_PortSettingsText::portPosition_data()
{
    QTest::addColumn<QString>("commPort");
    QTest::addColumn<int>("position");
    QTest::newRow("1") << "1" << 0;
    QTest::newRow("16") << "16" << 15;
    QTest::newRow("leading zero") << "03" << 2;
    QTest::newRow("17 has no entry") << "17" << -1;
    QTest::newRow("0") << "0" << -1;
    QTest::newRow("negative") << "-2" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("listed path") << "/dev/ttyUSB0" << 16;
    QTest::newRow("unlisted path") << "/dev/ttyUSB7" << -1;
    QTest::newRow("huge number") << "99999999999999999999" << -1;
}

void tst_PortSettingsText::portPosition()
{
    QFETCH(QString, commPort);
    QFETCH(int, position);
    const auto list = PortList::entries({{QStringLiteral("/dev/ttyUSB0"), QString()}});
    QCOMPARE(PortList::positionOf(list, commPort), position);
}

void tst_PortSettingsText::sameValue_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("same");
    QTest::newRow("same number") << "3"
                                 << "3" << true;
    QTest::newRow("leading zero") << "3"
                                  << "03" << true;
    QTest::newRow("other number") << "3"
                                  << "4" << false;
    QTest::newRow("number and path") << "1"
                                     << "/dev/ttyS0" << false;
    QTest::newRow("same path") << "/dev/ttyUSB0"
                               << "/dev/ttyUSB0" << true;
    QTest::newRow("other path") << "/dev/ttyUSB0"
                                << "/dev/ttyUSB1" << false;
}

void tst_PortSettingsText::sameValue()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, same);
    QCOMPARE(PortList::sameValue(a, b), same);
    QCOMPARE(PortList::sameValue(b, a), same);
}

void tst_PortSettingsText::radioCode_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QByteArray>("command");
    QTest::newRow("whole command") << "IF;" << true << QByteArray("IF;");
    QTest::newRow("no terminator added") << "IF" << true << QByteArray("IF");
    QTest::newRow("blanks kept") << " MD2; " << true << QByteArray(" MD2; ");
    QTest::newRow("two commands") << "FA;FB;" << true << QByteArray("FA;FB;");
    QTest::newRow("empty") << "" << true << QByteArray();
    QTest::newRow("accented letter") << QStringLiteral("F\u00c4;") << false << QByteArray();
    QTest::newRow("outside Latin-1") << QStringLiteral("FA\u20ac;") << false << QByteArray();
    QTest::newRow("control character") << QStringLiteral("FA\t;") << false << QByteArray();
}

void tst_PortSettingsText::radioCode()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(QByteArray, command);
    const std::optional<QByteArray> got = RadioCode::toCommand(typed);
    QCOMPARE(got.has_value(), accepted);
    if (got)
        QCOMPARE(*got, command);
}

QTEST_APPLESS_MAIN(tst_PortSettingsText)
#include "tst_portsettingstext.moc"
