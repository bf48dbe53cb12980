// The memory table's cells and the radio's memory fields, both ways, and the memory-write
// commands built from a row.
#include "core/memory/memorycells.h"

#include <QTest>

using MemoryCells::Side;

namespace {

// A command written with its fields apart: "MW0 |05|00014200000|2|0|0|00| ;".
QByteArray cmd(const char *fields)
{
    return QByteArray(fields).replace('|', "");
}

} // namespace

class TestMemoryCells : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void frequencyHz_data();
    void frequencyHz();
    void frequencyCell_data();
    void frequencyCell();
    void modeDigit_data();
    void modeDigit();
    void modeCell_data();
    void modeCell();
    void tone_data();
    void tone();
    void writeCommands_data();
    void writeCommands();
};

void TestMemoryCells::frequencyHz_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<bool>("defined");
    QTest::addColumn<qint64>("hz");

    QTest::newRow("blank") << " " << true << qint64(0);
    QTest::newRow("cleared cell") << "" << true << qint64(0);
    QTest::newRow("whole kHz") << "14200" << true << qint64(14'200'000);
    QTest::newRow("grouped") << "14,200" << true << qint64(14'200'000);
    QTest::newRow("grouped, decimal") << "14,195.5" << true << qint64(14'195'500);
    QTest::newRow("plain decimal") << "7050.5" << true << qint64(7'050'500);
    QTest::newRow("hertz") << "28,400.125" << true << qint64(28'400'125);
    QTest::newRow("sub-hertz rounds up") << "28400.1255" << true << qint64(28'400'126);
    QTest::newRow("sub-hertz rounds down") << "28400.1254" << true << qint64(28'400'125);
    QTest::newRow("padded") << " 3650 " << true << qint64(3'650'000);
    QTest::newRow("point only after") << "14200." << true << qint64(14'200'000);
    QTest::newRow("zero") << "0" << true << qint64(0);
    QTest::newRow("two groups") << "1,000,000" << true << qint64(1'000'000'000);
    QTest::newRow("largest") << "99,999,999.999" << true << qint64(99'999'999'999);
    QTest::newRow("too large") << "100,000,000" << false << qint64(0);
    QTest::newRow("before first report") << "999999999" << false << qint64(0);
    QTest::newRow("short group") << "14,19" << false << qint64(0);
    QTest::newRow("misplaced comma") << "1,41,95" << false << qint64(0);
    QTest::newRow("comma in decimals") << "14.195,5" << false << qint64(0);
    QTest::newRow("two points") << "7050.5.5" << false << qint64(0);
    QTest::newRow("negative") << "-7050" << false << qint64(0);
    QTest::newRow("inner blank") << "14 200" << false << qint64(0);
    QTest::newRow("trailing text") << "12abc" << false << qint64(0);
    QTest::newRow("point alone") << "." << false << qint64(0);
    QTest::newRow("exponent") << "1e4" << false << qint64(0);
    QTest::newRow("other digits") << QString::fromUtf8("١٤٢٠٠") << false << qint64(0);
}

void TestMemoryCells::frequencyHz()
{
    QFETCH(QString, cell);
    QFETCH(bool, defined);
    QFETCH(qint64, hz);
    const std::optional<qint64> got = MemoryCells::frequencyHz(cell);
    QCOMPARE(got.has_value(), defined);
    if (defined)
        QCOMPARE(*got, hz);
}

void TestMemoryCells::frequencyCell_data()
{
    QTest::addColumn<qint64>("hz");
    QTest::addColumn<QString>("cell");

    QTest::newRow("empty channel") << qint64(0) << " ";
    QTest::newRow("half kHz") << qint64(14'195'500) << "14,195.5";
    QTest::newRow("whole kHz") << qint64(7'050'000) << "7,050";
    QTest::newRow("hertz") << qint64(28'400'125) << "28,400.125";
    QTest::newRow("tens of hertz") << qint64(3'650'010) << "3,650.01";
    QTest::newRow("below 1 kHz") << qint64(500) << "0.5";
    QTest::newRow("largest") << qint64(99'999'999'999) << "99,999,999.999";
}

void TestMemoryCells::frequencyCell()
{
    QFETCH(qint64, hz);
    QFETCH(QString, cell);
    QCOMPARE(MemoryCells::frequencyCell(hz), cell);
    // What is written reads back as the same hertz: an upload after a download moves nothing.
    QCOMPARE(MemoryCells::frequencyHz(cell), std::optional<qint64>(hz));
}

void TestMemoryCells::modeDigit_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("digit"); // empty: not a mode

    QTest::newRow("blank") << " "
                           << "0";
    QTest::newRow("cleared") << ""
                             << "0";
    const char *names[] = {"LSB", "USB", "CW", "FM", "AM", "FSK", "CW-R", "FSK-R"};
    const char *digits[] = {"1", "2", "3", "4", "5", "6", "7", "9"};
    for (int i = 0; i < 8; ++i)
        QTest::newRow(names[i]) << names[i] << digits[i];
    QTest::newRow("lower case") << "usb"
                                << "";
    QTest::newRow("label text") << "None"
                                << "";
    QTest::newRow("a digit") << "2"
                             << "";
    QTest::newRow("trailing blank") << "USB "
                                    << "";
}

void TestMemoryCells::modeDigit()
{
    QFETCH(QString, cell);
    QFETCH(QString, digit);
    const std::optional<char> got = MemoryCells::modeDigit(cell);
    QCOMPARE(got.has_value(), !digit.isEmpty());
    if (got)
        QCOMPARE(QString(QLatin1Char(*got)), digit);
}

void TestMemoryCells::modeCell_data()
{
    QTest::addColumn<QChar>("digit");
    QTest::addColumn<QString>("cell"); // empty: the cell stays as it is

    QTest::newRow("0") << QChar('0') << " ";
    QTest::newRow("8") << QChar('8') << " ";
    QTest::newRow("1") << QChar('1') << "LSB";
    QTest::newRow("4") << QChar('4') << "FM";
    QTest::newRow("7") << QChar('7') << "CW-R";
    QTest::newRow("9") << QChar('9') << "FSK-R";
    QTest::newRow("letter") << QChar('x') << "";
    QTest::newRow("blank") << QChar(' ') << "";
}

void TestMemoryCells::modeCell()
{
    QFETCH(QChar, digit);
    QFETCH(QString, cell);
    QCOMPARE(MemoryCells::modeCell(digit).value_or(QString()), cell);
}

void TestMemoryCells::tone_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<bool>("defined");
    QTest::addColumn<char>("flag");
    QTest::addColumn<int>("number");

    QTest::newRow("blank") << " " << true << '0' << 0;
    QTest::newRow("cleared") << "" << true << '0' << 0;
    QTest::newRow("tone text") << "88.5" << true << '1' << 8;
    QTest::newRow("first text") << "67.0" << true << '1' << 1;
    QTest::newRow("burst") << "1750" << true << '1' << 39;
    QTest::newRow("downloaded number") << "08" << true << '1' << 8;
    QTest::newRow("first number") << "01" << true << '1' << 1;
    QTest::newRow("last number") << "39" << true << '1' << 39;
    QTest::newRow("number 00") << "00" << false << '0' << 0;
    QTest::newRow("number 40") << "40" << false << '0' << 0;
    QTest::newRow("one digit") << "8" << false << '0' << 0;
    QTest::newRow("text not in table") << "88.50" << false << '0' << 0;
    QTest::newRow("junk") << "junk" << false << '0' << 0;
}

void TestMemoryCells::tone()
{
    QFETCH(QString, cell);
    QFETCH(bool, defined);
    QFETCH(char, flag);
    QFETCH(int, number);
    const std::optional<MemoryCells::Tone> got = MemoryCells::tone(cell);
    QCOMPARE(got.has_value(), defined);
    if (got) {
        QCOMPARE(got->flag, flag);
        QCOMPARE(got->number, number);
    }
    // What a download writes for this tone reads back as the same tone, in the pick list's
    // form.
    if (got && got->flag == '1') {
        const QString downloaded
            = MemoryCells::toneCell(QLatin1Char('1'), MemoryCells::channelText(number));
        QCOMPARE(MemoryCells::tone(downloaded), got);
        QVERIFY2(downloaded.size() != 2, qPrintable(downloaded));
    }
    QCOMPARE(MemoryCells::toneCell(QLatin1Char('0'), u"08"), QStringLiteral(" "));
}

void TestMemoryCells::writeCommands_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<MemoryRow>("row");
    QTest::addColumn<QByteArray>("transmit");
    QTest::addColumn<QByteArray>("receive");
    QTest::addColumn<QStringList>("undefined");

    auto row = [](const char *main, const char *split, const char *mode, const char *tone) {
        return MemoryRow {"", main, split, mode, tone, "", ""};
    };
    QTest::newRow("simplex LSB") << 3 << row("7,050", " ", "LSB", " ")
                                 << cmd("MW1 |03|00000000000|1|0|0|00| ;")
                                 << cmd("MW0 |03|00007050000|1|0|0|00| ;") << QStringList();
    QTest::newRow("simplex USB") << 5 << row("14,200", " ", "USB", " ")
                                 << cmd("MW1 |05|00000000000|2|0|0|00| ;")
                                 << cmd("MW0 |05|00014200000|2|0|0|00| ;") << QStringList();
    QTest::newRow("split with tone text")
        << 20 << row("14,195.5", "14,225", "FM", "88.5") << cmd("MW1 |20|00014225000|4|0|1|08| ;")
        << cmd("MW0 |20|00014195500|4|0|1|08| ;") << QStringList();
    QTest::newRow("downloaded tone number")
        << 10 << row("29,620", "29,520", "FM", "08") << cmd("MW1 |10|00029520000|4|0|1|08| ;")
        << cmd("MW0 |10|00029620000|4|0|1|08| ;") << QStringList();
    QTest::newRow("hertz kept") << 99 << row("28,400.125", " ", "CW-R", "1750")
                                << cmd("MW1 |99|00000000000|7|0|1|39| ;")
                                << cmd("MW0 |99|00028400125|7|0|1|39| ;") << QStringList();
    QTest::newRow("empty channel")
        << 0 << row(" ", " ", " ", " ") << cmd("MW1 |00|00000000000|0|0|0|00| ;")
        << cmd("MW0 |00|00000000000|0|0|0|00| ;") << QStringList();
    QTest::newRow("junk tone") << 7 << row("14,080", " ", "FSK", "loud")
                               << cmd("MW1 |07|00000000000|6|0|0|00| ;")
                               << cmd("MW0 |07|00014080000|6|0|0|00| ;") << QStringList {"Tone"};
    QTest::newRow("junk everywhere")
        << 42 << row("abc", "1,41,95", "usb", "8") << cmd("MW1 |42|00000000000|0|0|0|00| ;")
        << cmd("MW0 |42|00000000000|0|0|0|00| ;")
        << QStringList {"FreqMain", "FreqSplit", "Mode", "Tone"};
}

void TestMemoryCells::writeCommands()
{
    QFETCH(int, channel);
    QFETCH(MemoryRow, row);
    QFETCH(QByteArray, transmit);
    QFETCH(QByteArray, receive);
    QFETCH(QStringList, undefined);

    const MemoryCells::Channel c = MemoryCells::channel(row);
    QCOMPARE(c.undefinedCells, undefined);
    const std::optional<QByteArray> tx = MemoryCells::writeCommand(Side::Transmit, channel, c);
    const std::optional<QByteArray> rx = MemoryCells::writeCommand(Side::Receive, channel, c);
    QVERIFY(tx && rx);
    QCOMPARE(*tx, transmit);
    QCOMPARE(*rx, receive);
    QCOMPARE(tx->size(), 24);
    QCOMPARE(rx->size(), 24);
}

QTEST_GUILESS_MAIN(TestMemoryCells)
#include "tst_memorycells.moc"
