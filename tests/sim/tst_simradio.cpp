// The simulated radio's model checked against the reply layouts the program reads.
#include "sim/simradio.h"

#include <QRandomGenerator>
#include <QTest>

class TestSimRadio : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void statusWordFields_data();
    void statusWordFields();
    void readReplies_data();
    void readReplies();
    void setCommandsApplied_data();
    void setCommandsApplied();
    void refusedInput_data();
    void refusedInput();
    void framing_data();
    void framing();
    void overlongNoiseIsDropped();
    void randomBytesNeverStopIt();
    void memoryReplies_data();
    void memoryReplies();
    void memoryWriteAndRecall();
    void emptyChannelIsRefused_data();
    void emptyChannelIsRefused();
    void uploadReadsBack_data();
    void uploadReadsBack();
    void automaticReports_data();
    void automaticReports();
    void powerOffHearsOnlyPowerSwitch();
    void inspection();
};

void TestSimRadio::statusWordFields_data()
{
    QTest::addColumn<QByteArray>("setup");
    QTest::addColumn<int>("position"); // 1-based, as the layout counts
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("code") << QByteArray() << 1 << QByteArray("IF");
    QTest::newRow("frequency") << QByteArray() << 3 << QByteArray("00014200000");
    QTest::newRow("five blanks") << QByteArray() << 14 << QByteArray("     ");
    QTest::newRow("offset at rest") << QByteArray() << 19 << QByteArray("+0000");
    QTest::newRow("fixed 26") << QByteArray() << 26 << QByteArray("0");
    QTest::newRow("scan") << QByteArray() << 32 << QByteArray("0");
    QTest::newRow("fixed 37 and end") << QByteArray() << 37 << QByteArray("0;");
    QTest::newRow("new VFO A frequency")
        << QByteArray("FA00007050500;") << 3 << QByteArray("00007050500");
    QTest::newRow("RIT on") << QByteArray("RT1;") << 24 << QByteArray("10");
    QTest::newRow("XIT on") << QByteArray("XT1;") << 24 << QByteArray("01");
    QTest::newRow("offset steps up") << QByteArray("RU;RU;RU;") << 19 << QByteArray("+0030");
    QTest::newRow("offset steps down") << QByteArray("RD;") << 19 << QByteArray("-0010");
    QTest::newRow("offset cleared") << QByteArray("RU;RU;RC;") << 19 << QByteArray("+0000");
    QTest::newRow("transmitting") << QByteArray("TX;") << 29 << QByteArray("1");
    QTest::newRow("back to receive") << QByteArray("TX;RX;") << 29 << QByteArray("0");
    QTest::newRow("mode") << QByteArray("MD3;") << 30 << QByteArray("3");
    QTest::newRow("VFO B") << QByteArray("FR1;") << 30 << QByteArray("11");
    QTest::newRow("VFO B frequency") << QByteArray("FR1;") << 3 << QByteArray("00007050000");
    QTest::newRow("split") << QByteArray("FT1;") << 31 << QByteArray("001");
    QTest::newRow("split ends with FR") << QByteArray("FT1;FR0;") << 33 << QByteArray("0");
    QTest::newRow("memory") << QByteArray("FR2;") << 27 << QByteArray("00012");
    QTest::newRow("memory frequency") << QByteArray("FR2;") << 3 << QByteArray("00003650000");
    QTest::newRow("channel selected in VFO mode")
        << QByteArray("MC 20;") << 27 << QByteArray("20020");
    QTest::newRow("channel recalled") << QByteArray("FR2;MC 10;") << 3 << QByteArray("00029620000");
    QTest::newRow("recalled channel's tone")
        << QByteArray("FR2;MC 10;") << 27 << QByteArray("10042001080;");
    QTest::newRow("tone") << QByteArray("TO1;TN12;") << 34 << QByteArray("112");
}

void TestSimRadio::statusWordFields()
{
    QFETCH(QByteArray, setup);
    QFETCH(int, position);
    QFETCH(QByteArray, expected);

    SimRadio radio;
    radio.handle(setup);
    const QByteArray word = radio.handle("IF;");
    QCOMPARE(word.size(), 38);
    QCOMPARE(word, radio.statusWord());
    QCOMPARE(word.mid(position - 1, expected.size()), expected);
}

void TestSimRadio::readReplies_data()
{
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<QByteArray>("reply");

    const char *rows[][2] = {
        {"FA;", "FA00014200000;"}, {"FB;", "FB00007050000;"}, {"ID;", "ID017;"},
        {"AG;", "AG100;"},         {"RG;", "RG255;"},         {"SH;", "SH08;"},
        {"SL;", "SL03;"},          {"IS;", "IS+0000;"},       {"PC;", "PC100;"},
        {"MG;", "MG050;"},         {"KS;", "KS020;"},         {"SQ;", "SQ000;"},
        {"VG;", "VG004;"},         {"VD;", "VD0300;"},        {"GT;", "GT004;"},
        {"RA;", "RA00;"},          {"BY;", "BY0;"},           {"LK;", "LK0;"},
        {"PA;", "PA1;"},           {"PS;", "PS1;"},           {"PR;", "PR0;"},
        {"VX;", "VX0;"},           {"BC;", "BC0;"},           {"NB;", "NB0;"},
        {"NR;", "NR0;"},           {"AN;", "AN1;"},           {"PB;", "PB0;"},
        {"AC;", "AC000;"},         {"CA;", "CA0;"},           {"FW;", "FW0001;"},
        {"TO;", "TO0;"},           {"TN;", "TN08;"},          {"SM;", "SM0010;"},
        {"MD;", "MD2;"},           {"FR;", "FR0;"},           {"FT;", "FT0;"},
        {"MC;", "MC 00;"},         {"AI;", "AI0;"},           {"RT;", "RT0;"},
        {"XT;", "XT0;"},           {"RM;", "RM10000;"},       {"KY;", "KY0;"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << QByteArray(row[0]) << QByteArray(row[1]);
}

void TestSimRadio::readReplies()
{
    QFETCH(QByteArray, query);
    QFETCH(QByteArray, reply);
    SimRadio radio;
    QCOMPARE(radio.handle(query), reply);
}

void TestSimRadio::setCommandsApplied_data()
{
    QTest::addColumn<QByteArray>("commands");
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<QByteArray>("reply");

    const char *rows[][3] = {
        {"FA00021300000;", "FA;", "FA00021300000;"},
        {"FB00003500000;", "FB;", "FB00003500000;"},
        {"AG200;", "AG;", "AG200;"},
        {"RG000;", "RG;", "RG000;"},
        {"SH11;SL00;", "SH;", "SH11;"},
        {"IS-0200;", "IS;", "IS-0200;"},
        {"PC005;", "PC;", "PC005;"},
        {"KS060;", "KS;", "KS060;"},
        {"SQ255;", "SQ;", "SQ255;"},
        {"VD1500;", "VD;", "VD1500;"},
        {"GT002;", "GT;", "GT002;"},
        {"RA01;", "RA;", "RA01;"},
        {"NR2;", "NR;", "NR2;"},
        {"AN2;", "AN;", "AN2;"},
        {"PB3;", "PB;", "PB3;"},
        {"PA0;", "PA;", "PA0;"},
        {"LK1;", "LK;", "LK1;"},
        {"TN39;", "TN;", "TN39;"},
        {"AC011;", "AC;", "AC011;"},
        {"AC110;AC 00;", "AC;", "AC100;"},
        {"AI3;", "AI;", "AI3;"},
        {"MD9;", "MD;", "MD9;"},
        {"MD3;FW0050;", "FW;", "FW0050;"},
        {"MD3;FW0550;", "FW;", "FW0600;"},
        {"MD6;FW1500;", "FW;", "FW1500;"},
        {"MD3;FW0200;MD2;FW0000;MD3;", "FW;", "FW0200;"},
        {"FR1;", "FT;", "FT1;"},
        {"FR1;FT0;", "FR;", "FR1;"},
        {"MC 05;", "MC;", "MC 05;"},
        {"MC005;", "MC;", "MC 05;"},
        {"FR1;MD5;FR0;", "MD;", "MD2;"},
        {"FR1;MD5;FR0;FR1;", "MD;", "MD5;"},
        {"IS-1100;", "IS;", "IS-1100;"},
        {"IS 0500;", "IS;", "IS+0500;"},
        {"RT1;", "RT;", "RT1;"},
        {"XT1;RT0;", "XT;", "XT1;"},
        {"RM3;", "RM;", "RM30000;"},
        // Meter readings in transmit, on the 0-30 scale.
        {"TX;", "RM;", "RM10006;"},
        {"AC010;TX;", "RM;", "RM10002;"},
        {"RM2;TX;", "RM;", "RM20000;"},
        {"RM2;PR1;TX;", "RM;", "RM20010;"},
        {"RM3;MG050;TX;", "RM;", "RM30009;"},
        {"RM3;MG050;TX;RX;", "RM;", "RM30000;"},
        {"MD3;CA1;", "CA;", "CA1;"},
        {"MD7;CA1;CA0;", "CA;", "CA0;"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << QByteArray(row[0]) << QByteArray(row[1]) << QByteArray(row[2]);
}

void TestSimRadio::setCommandsApplied()
{
    QFETCH(QByteArray, commands);
    QFETCH(QByteArray, query);
    QFETCH(QByteArray, reply);
    SimRadio radio;
    QCOMPARE(radio.handle(commands), QByteArray()); // a set command is not answered
    QCOMPARE(radio.handle(query), reply);
    QCOMPARE(radio.refusedCount(), 0);
}

void TestSimRadio::refusedInput_data()
{
    QTest::addColumn<QByteArray>("command");

    const char *rows[] = {
        "XX;",
        "I;",
        ";",
        "fa;",
        "FA123;",
        "FA0001420000A;",
        "FA00099000000;",
        "FA00000010000;",
        "FA-0014200000;",
        "MD0;",
        "MD8;",
        "MD12;",
        "AG256;",
        "AG12;",
        "AG-12;",
        "AG 12;",
        "GT003;",
        "SM0005;",
        "BY1;",
        "FR3;",
        "FT9;",
        "MC100;",
        "MC 5;",
        "MR2 00;",
        "MR0 ab;",
        "MR0 1;",
        "MW0 05123;",
        "MW0 050001420000080000 ;",
        "MW0 050001420000020140 ;",
        "RA02;",
        "TN40;",
        "TN00;",
        "IS*0100;",
        "IS+01;",
        "AC200;",
        "KS005;",
        "PC000;",
        "NR3;",
        "AN0;",
        "RT2;",
        "TX1;",
        "AI4;",
        "\xff\xfe;",
        // Levels outside the radio's range.
        "IS+1200;",
        "IS-1101;",
        "SH12;",
        "SL12;",
        "PC101;",
        "PC004;",
        "MG101;",
        "KS061;",
        "KS009;",
        "VG010;",
        "VD3001;",
        "SQ256;",
        // Auto-tune outside CW, meters that do not exist.
        "CA1;",
        "CA2;",
        "RM0;",
        "RM4;",
        "RM12;",
    };
    for (const char *row : rows)
        QTest::newRow(row) << QByteArray(row);
}

void TestSimRadio::refusedInput()
{
    QFETCH(QByteArray, command);
    SimRadio radio;
    const QByteArray statusBefore = radio.statusWord();
    const QByteArray levelsBefore = radio.handle("AG;GT;SM;TN;KS;PC;MC;FW;");

    QCOMPARE(radio.handle(command), QByteArray("?;"));
    QCOMPARE(radio.refusedCount(), 1);
    QCOMPARE(radio.statusWord(), statusBefore);
    QCOMPARE(radio.handle("AG;GT;SM;TN;KS;PC;MC;FW;"), levelsBefore);
    QCOMPARE(radio.handle("ID;"), QByteArray("ID017;")); // and it keeps serving
}

void TestSimRadio::framing_data()
{
    QTest::addColumn<QList<QByteArray>>("pieces");
    QTest::addColumn<QByteArray>("answer");

    QTest::newRow("split query") << QList<QByteArray> {"F", "A;"} << QByteArray("FA00014200000;");
    QTest::newRow("split set then read")
        << QList<QByteArray> {"FA000", "14100", "000;F", "A;"} << QByteArray("FA00014100000;");
    QTest::newRow("several at once")
        << QList<QByteArray> {"FA;FB;ID;"} << QByteArray("FA00014200000;FB00007050000;ID017;");
    QTest::newRow("tail kept") << QList<QByteArray> {"ID;F", "B", ";"}
                               << QByteArray("ID017;FB00007050000;");
    QTest::newRow("terminal line ends")
        << QList<QByteArray> {"\r\nID;\r\n", "FB;\r\n"} << QByteArray("ID017;FB00007050000;");
    QTest::newRow("junk between good commands")
        << QList<QByteArray> {"ID;zz;ID;"} << QByteArray("ID017;?;ID017;");
}

void TestSimRadio::framing()
{
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(QByteArray, answer);
    SimRadio radio;
    QByteArray out;
    for (const QByteArray &piece : pieces)
        out += radio.handle(piece);
    QCOMPARE(out, answer);
}

void TestSimRadio::overlongNoiseIsDropped()
{
    SimRadio radio;
    QCOMPARE(radio.handle(QByteArray(SimRadio::MaxCommandLength, 'x')), QByteArray());
    QCOMPARE(radio.pendingSize(), SimRadio::MaxCommandLength);
    QCOMPARE(radio.handle("x"), QByteArray("?;"));
    QCOMPARE(radio.pendingSize(), 0);
    QCOMPARE(radio.handle("ID;"), QByteArray("ID017;"));
}

void TestSimRadio::randomBytesNeverStopIt()
{
    // Line garbage, with plenty of terminators and real codes among it.
    QRandomGenerator random(42);
    const QByteArray alphabet = "FAIBMRWCDTOSN0123456789 ;;;?+-\xff\r";
    SimRadio radio;
    for (int round = 0; round < 2000; ++round) {
        QByteArray chunk;
        const int size = int(random.bounded(1, 40));
        for (int i = 0; i < size; ++i)
            chunk += alphabet[int(random.bounded(alphabet.size()))];
        const QByteArray out = radio.handle(chunk);
        QVERIFY(out.isEmpty() || out.endsWith(';'));
        QVERIFY(radio.pendingSize() <= SimRadio::MaxCommandLength);
    }
    radio.handle(";PS1;AI0;");
    QCOMPARE(radio.handle("ID;"), QByteArray("ID017;"));
    QCOMPARE(radio.handle("IF;").size(), 38);
}

void TestSimRadio::memoryReplies_data()
{
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<QByteArray>("reply");

    // Positions: 3 side, 5-6 channel, 7-17 Hz, 18 mode, 19 "0", 20 tone on, 21-22 tone, " ;".
    QTest::newRow("empty channel")
        << QByteArray("MR0 04;") << QByteArray("MR0 040000000000000000 ;");
    QTest::newRow("empty transmit side")
        << QByteArray("MR1 02;") << QByteArray("MR1 020000000000000000 ;");
    QTest::newRow("programmed") << QByteArray("MR0 02;") << QByteArray("MR0 020001420000020000 ;");
    QTest::newRow("repeater receive")
        << QByteArray("MR0 10;") << QByteArray("MR0 100002962000040108 ;");
    QTest::newRow("repeater transmit")
        << QByteArray("MR1 10;") << QByteArray("MR1 100002952000040108 ;");
    QTest::newRow("last channel") << QByteArray("MR0 99;")
                                  << QByteArray("MR0 990002850000020000 ;");
    QTest::newRow("zero instead of blank")
        << QByteArray("MR0002;") << QByteArray("MR0 020001420000020000 ;");
}

void TestSimRadio::memoryReplies()
{
    QFETCH(QByteArray, query);
    QFETCH(QByteArray, reply);
    SimRadio radio;
    const QByteArray out = radio.handle(query);
    QCOMPARE(out, reply);
    QCOMPARE(out.size(), 24);
}

void TestSimRadio::memoryWriteAndRecall()
{
    SimRadio radio;
    QCOMPARE(radio.handle("MW0 420001407000060105 ;MW1 420001407500060105 ;"), QByteArray());
    QCOMPARE(radio.channel(42).receive, (SimMemorySide {14'070'000, '6', '1', 5}));
    QCOMPARE(radio.channel(42).transmit.hz, 14'075'000);
    QCOMPARE(radio.handle("MR0 42;"), QByteArray("MR0 420001407000060105 ;"));

    // Recalling it puts the receiver on the channel; rewriting it while recalled moves it.
    radio.handle("MC 42;FR2;");
    QCOMPARE(radio.frequency(), 14'070'000);
    QCOMPARE(radio.mode(), '6');
    radio.handle("MW0 420001407100030000;");
    QCOMPARE(radio.frequency(), 14'071'000);
    QCOMPARE(radio.mode(), '3');

    // A zero frequency empties the side; an empty channel cannot be selected in memory mode.
    radio.handle("MW0 420000000000000000 ;");
    QVERIFY(radio.channel(42).isEmpty());
    QCOMPARE(radio.handle("MC 02;MC 04;"), QByteArray("?;"));
    QCOMPARE(radio.memoryChannel(), 2);
    QCOMPARE(radio.frequency(), 14'200'000);
}

void TestSimRadio::emptyChannelIsRefused_data()
{
    QTest::addColumn<QByteArray>("setup");
    QTest::addColumn<QByteArray>("command");

    // Channel 04 is empty, 10 is the repeater.
    QTest::newRow("select in memory mode") << QByteArray("FR2;") << QByteArray("MC 04;");
    QTest::newRow("select, blank written as 0") << QByteArray("FR2;MC 10;") << QByteArray("MC004;");
    QTest::newRow("receive on it") << QByteArray("MC 04;") << QByteArray("FR2;");
    QTest::newRow("transmit on it") << QByteArray("MC 04;") << QByteArray("FT2;");
    QTest::newRow("emptied, then selected again")
        << QByteArray("FR2;MW0 100000000000000000 ;MC 02;") << QByteArray("MC 10;");
}

void TestSimRadio::emptyChannelIsRefused()
{
    QFETCH(QByteArray, setup);
    QFETCH(QByteArray, command);
    SimRadio radio;
    QCOMPARE(radio.handle(setup + "AI3;"), QByteArray());
    const QByteArray before = radio.statusWord();
    QCOMPARE(radio.handle(command), QByteArray("?;"));
    QCOMPARE(radio.statusWord(), before); // and nothing reported

    // In memory mode the status word is one channel's: its number, frequency and mode.
    const QByteArray word = radio.statusWord();
    if (word.at(30) == '2') {
        const SimMemorySide &rx = radio.channel(word.mid(26, 2).toInt()).receive;
        QCOMPARE(word.mid(2, 11).toLongLong(), rx.hz);
        QCOMPARE(word.at(29), rx.mode);
    }
}

void TestSimRadio::uploadReadsBack_data()
{
    QTest::addColumn<QByteArrayList>("upload"); // transmit side first, as an upload sends them
    QTest::addColumn<QByteArrayList>("download"); // replies to "MR0 nn;" then "MR1 nn;"

    QTest::newRow("simplex with hertz")
        << QByteArrayList {"MW1 050000000000020000 ;", "MW0 050001419550020000 ;"}
        << QByteArrayList {"MR0 050001419550020000 ;", "MR1 050000000000000000 ;"};
    QTest::newRow("repeater with tone")
        << QByteArrayList {"MW1 420002952000040108 ;", "MW0 420002962000040108 ;"}
        << QByteArrayList {"MR0 420002962000040108 ;", "MR1 420002952000040108 ;"};
    QTest::newRow("split, FSK-R") << QByteArrayList {"MW1 980001408500090000 ;",
                                                     "MW0 980001408000090000 ;"}
                                  << QByteArrayList {"MR0 980001408000090000 ;",
                                                     "MR1 980001408500090000 ;"};
    QTest::newRow("programmed channel erased")
        << QByteArrayList {"MW1 100000000000000000 ;", "MW0 100000000000000000 ;"}
        << QByteArrayList {"MR0 100000000000000000 ;", "MR1 100000000000000000 ;"};
}

void TestSimRadio::uploadReadsBack()
{
    QFETCH(QByteArrayList, upload);
    QFETCH(QByteArrayList, download);
    SimRadio radio;
    QCOMPARE(radio.handle("AI0;" + upload.join()), QByteArray());
    const QByteArray channel = upload[0].mid(4, 2);
    const QByteArray rx = radio.handle("MR0 " + channel + ';');
    const QByteArray tx = radio.handle("MR1 " + channel + ';');
    QCOMPARE(rx, download[0]);
    QCOMPARE(tx, download[1]);
    // The fields stay where the program cuts them (1-based): 3 side, 5-6 channel,
    // 7-17 hertz, 18 mode, 19 "0", 20 tone flag, 21-22 tone number.
    for (const QByteArray &reply : {rx, tx}) {
        QCOMPARE(reply.size(), 24);
        QCOMPARE(reply.mid(4, 2), channel);
        QCOMPARE(reply.at(18), '0');
        QVERIFY(reply.mid(6, 11).toLongLong() >= 0);
    }
    QCOMPARE(rx.at(2), '0');
    QCOMPARE(tx.at(2), '1');

    // Writing the same again changes nothing worth saving.
    const quint64 revision = radio.memoryRevision();
    QVERIFY(revision > 0);
    radio.handle(upload.join());
    QCOMPARE(radio.memoryRevision(), revision);
}

void TestSimRadio::automaticReports_data()
{
    QTest::addColumn<QByteArray>("reports"); // "AI" command switching them
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("statusWord");

    QTest::newRow("off: frequency")
        << QByteArray("AI0;") << QByteArray("FA00014100000;") << QByteArray() << false;
    QTest::newRow("off: switch") << QByteArray("AI0;") << QByteArray("PA0;") << QByteArray()
                                 << false;
    QTest::newRow("frequency") << QByteArray("AI3;") << QByteArray("FA00014100000;")
                               << QByteArray("FA00014100000;") << true;
    QTest::newRow("other VFO") << QByteArray("AI3;") << QByteArray("FB00007000000;")
                               << QByteArray("FB00007000000;") << false;
    QTest::newRow("same frequency")
        << QByteArray("AI3;") << QByteArray("FA00014200000;") << QByteArray() << false;
    QTest::newRow("mode") << QByteArray("AI3;") << QByteArray("MD3;") << QByteArray("MD3;") << true;
    QTest::newRow("VFO") << QByteArray("AI3;") << QByteArray("FR1;") << QByteArray("FR1;") << true;
    QTest::newRow("channel") << QByteArray("AI3;") << QByteArray("MC 05;") << QByteArray("MC 05;")
                             << true;
    QTest::newRow("switch") << QByteArray("AI1;") << QByteArray("PA0;") << QByteArray("PA0;")
                            << false;
    QTest::newRow("switch unchanged")
        << QByteArray("AI3;") << QByteArray("PA1;") << QByteArray() << false;
    QTest::newRow("level") << QByteArray("AI2;") << QByteArray("AG050;") << QByteArray("AG050;")
                           << false;
    QTest::newRow("transmit") << QByteArray("AI3;") << QByteArray("TX;") << QByteArray("TX;")
                              << true;
    QTest::newRow("RIT") << QByteArray("AI3;") << QByteArray("RT1;") << QByteArray() << true;
    QTest::newRow("reports off is silent")
        << QByteArray("AI3;") << QByteArray("AI0;") << QByteArray() << false;
    QTest::newRow("refused") << QByteArray("AI3;") << QByteArray("MD8;") << QByteArray("?;")
                             << false;
}

void TestSimRadio::automaticReports()
{
    QFETCH(QByteArray, reports);
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, reply);
    QFETCH(bool, statusWord);

    SimRadio radio;
    QCOMPARE(radio.handle(reports), QByteArray());
    const QByteArray out = radio.handle(command);
    QCOMPARE(out, statusWord ? reply + radio.statusWord() : reply);
}

void TestSimRadio::powerOffHearsOnlyPowerSwitch()
{
    SimRadio radio;
    QCOMPARE(radio.handle("PS0;"), QByteArray());
    QVERIFY(!radio.powerOn());
    QCOMPARE(radio.handle("FA;FA00007000000;XX;"), QByteArray());
    QCOMPARE(radio.frequencyA(), 14'200'000);
    QCOMPARE(radio.handle("PS;"), QByteArray("PS0;"));
    QCOMPARE(radio.handle("PS1;FA;"), QByteArray("FA00014200000;"));
}

void TestSimRadio::inspection()
{
    SimRadio radio;
    radio.handle("FA00014010000;FB00021010000;FR1;FT0;MD3;AG077;AI3;");
    QCOMPARE(radio.frequencyA(), 14'010'000);
    QCOMPARE(radio.frequencyB(), 21'010'000);
    QCOMPARE(radio.frequency(), 21'010'000);
    QCOMPARE(radio.receiveFunction(), SimRadio::VfoB);
    QCOMPARE(radio.transmitFunction(), SimRadio::VfoA);
    QVERIFY(radio.split());
    QCOMPARE(radio.mode(), '3');
    QCOMPARE(radio.setting("AG"), 77);
    QCOMPARE(radio.autoInformation(), 3);
    QCOMPARE(radio.setting("ZZ"), -1);
    QVERIFY(radio.setSetting("SM", 25));
    QCOMPARE(radio.handle("SM;"), QByteArray("SM0025;"));
    QVERIFY(!radio.setSetting("SM", 10000));
    QVERIFY(!radio.setSetting("ZZ", 1));
    QCOMPARE(radio.channel(-1), SimMemoryChannel());
    QCOMPARE(radio.channel(100), SimMemoryChannel());
}

QTEST_GUILESS_MAIN(TestSimRadio)
#include "tst_simradio.moc"
