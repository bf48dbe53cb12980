// Memory channels and the band list in CHIRP's CSV layout: the lines an export writes, that an
// import gives the same rows back, a file CHIRP wrote, and lines refused with their line named.
#include "core/exchange/bandcsv.h"
#include "core/exchange/chirpcsv.h"
#include "core/exchange/memorycsv.h"

#include <QTest>

namespace {

using Rows = QList<QStringList>;

const QByteArray Header = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                          "DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,"
                          "Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

// The memory table of a new user: 100 empty channels.
Rows emptyChannels()
{
    Rows rows;
    for (int i = 0; i < 100; ++i)
        rows << QStringList {
            QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')), " ", " ", " ", " ", " ", " "};
    return rows;
}

QStringList channel(const char *mem, const char *main, const char *split, const char *mode,
                    const char *tone, const QString &description, const char *scan)
{
    return {QLatin1String(mem),  QLatin1String(main), QLatin1String(split), QLatin1String(mode),
            QLatin1String(tone), description,         QLatin1String(scan)};
}

QByteArray lines(const QList<QByteArray> &records)
{
    QByteArray text;
    for (const QByteArray &record : records)
        text += record + "\r\n";
    return text;
}

} // namespace

class tst_ChirpCsv : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void exportWritesChirpsLines();
    void memoryRoundTrip();
    void fileWrittenByChirp();
    void refusedLineNamed_data();
    void refusedLineNamed();
    void bandListBothWays();
};

void tst_ChirpCsv::exportWritesChirpsLines()
{
    Rows rows = emptyChannels();
    rows[5] = channel("05", "14,195.5", " ", "USB", " ", QStringLiteral("Net, \"Sunday\""), " ");
    rows[6] = channel("06", "29,620", "29,520", "FM", "08", QStringLiteral("10 m repeater"), "A");
    rows[7] = channel("07", "7,025", " ", "CW-R", "1750", QString(), "B");
    rows[8] = channel("08", "14,2x", " ", "USB", " ", QString(), " ");
    const MemoryCsv::Export out = MemoryCsv::write(rows);
    QCOMPARE(out.written, 3);
    QCOMPARE(out.empty, 96);
    QCOMPARE(out.leftOut, QStringList {"channel 08: FreqMain \"14,2x\" is no frequency"});
    QCOMPARE(out.notes,
             QStringList {"channel 07: CHIRP has no 1750 Hz tone burst, so the channel "
                          "was written without a tone"});
    // The tone a download writes as its number ("08") goes out as its frequency.
    QCOMPARE(out.bytes,
             lines({Header,
                    "5,\"Net, \"\"Sunday\"\"\",14.195500,,0.000000,,88.5,88.5,023,NN,023,"
                    "Tone->Tone,USB,5.00,S,100W,,,,,",
                    "6,10 m repeater,29.620000,split,29.520000,Tone,88.5,88.5,023,NN,023,"
                    "Tone->Tone,FM,5.00,,100W,Vantelo scan code: A,,,,",
                    "7,,7.025000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,CWR,5.00,,100W,"
                    "Vantelo scan code: B,,,,"}));
}

void tst_ChirpCsv::memoryRoundTrip()
{
    // Every mode, split, tones, frequencies to the hertz, descriptions with commas, quotes and
    // a line end, and scan codes.
    Rows rows = emptyChannels();
    rows[0] = channel("00", "7,050.6", " ", "LSB", " ", QStringLiteral("40 m net"), "A");
    rows[1] = channel("01", "28,400.125", " ", "USB", " ", QStringLiteral("a, \"b\"\nc"), " ");
    rows[2] = channel("02", "7,005", "7,025", "CW", " ", " ", "A");
    rows[3] = channel("03", "14,026", " ", "CW-R", " ", " ", "B");
    rows[4] = channel("04", "3,885", " ", "AM", " ", " ", " ");
    rows[5] = channel("05", "29,620", "29,520", "FM", "88.5", QStringLiteral("rpt"), "A");
    rows[6] = channel("06", "29,600", " ", "FM", "67.0", " ", "A");
    rows[7] = channel("07", "14,085", " ", "FSK", " ", " ", " ");
    rows[8] = channel("08", "14,086", " ", "FSK-R", " ", " ", " ");
    rows[9] = channel("09", "10,000", " ", " ", " ", QStringLiteral("WWV"), " ");
    // Names a spreadsheet would take for formulas, and names that only look escaped.
    rows[10] = channel("10", "7,010", " ", "CW", " ", QStringLiteral("=cmd|' /C calc'!A0"), " ");
    rows[11] = channel("11", "7,011", " ", "CW", " ", QStringLiteral("+1 kHz"), " ");
    rows[12] = channel("12", "7,012", " ", "CW", " ", QStringLiteral("-20 dB"), " ");
    rows[13] = channel("13", "7,013", " ", "CW", " ", QStringLiteral("@SUM(A1)"), " ");
    rows[14] = channel("14", "7,014", " ", "CW", " ", QStringLiteral("\tindented"), " ");
    rows[15] = channel("15", "7,015", " ", "CW", " ", QStringLiteral("'=quoted"), " ");
    rows[16] = channel("16", "7,016", " ", "CW", " ", QStringLiteral("'plain'"), " ");
    rows[99] = channel("99", "51,000", "50,500", "FM", "250.3", QStringLiteral("6 m"), "C");
    const MemoryCsv::Export out = MemoryCsv::write(rows);
    QCOMPARE(out.written, 18);
    // Every cell a spreadsheet would run as a formula is written behind a "'".
    for (const QByteArray &line : out.bytes.split('\n')) {
        const QList<QByteArray> cells = line.split(',');
        const char first = cells.size() > 1 && !cells.at(1).isEmpty() ? cells.at(1).at(0) : ' ';
        QVERIFY2(!QByteArray("=+-@\t").contains(first), line.constData());
    }
    QVERIFY(out.bytes.contains("\n10,'=cmd|' /C calc'!A0,"));
    QVERIFY(out.bytes.contains("\n15,''=quoted,"));
    QVERIFY(out.bytes.contains("\n16,'plain',"));

    const MemoryCsv::Import back = MemoryCsv::read(out.bytes, 100);
    QVERIFY2(!back.problem, qPrintable(back.problem ? back.problem->described() : QString()));
    QCOMPARE(back.rows.keys(),
             QList<int>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 99}));
    for (int number : back.rows.keys())
        QCOMPARE(back.rows.value(number), rows.at(number));
}

void tst_ChirpCsv::fileWrittenByChirp()
{
    // CHIRP's own lines: a byte order mark, a quoted header, comments, "+" and "-" shifts, a
    // tone, RTTY, "Auto", CHIRP's default scan setting and a comment of its own.
    const QByteArray file = "\xEF\xBB\xBF# exported by CHIRP\r\n"
                            "\"Location\",\"Name\",\"Frequency\",\"Duplex\",\"Offset\",\"Tone\","
                            "\"rToneFreq\",\"cToneFreq\",\"DtcsCode\",\"DtcsPolarity\","
                            "\"RxDtcsCode\",\"CrossMode\",\"Mode\",\"TStep\",\"Skip\",\"Power\","
                            "\"Comment\",\"URCALL\",\"RPT1CALL\",\"RPT2CALL\",\"DVCODE\"\r\n"
                            "0,10M RPT,29.620000,-,0.100000,Tone,88.5,88.5,023,NN,023,Tone->Tone,"
                            "FM,10.00,,50W,Mt Wilson,,,,\r\n"
                            "# a comment between channels\r\n"
                            "1,6M RPT,50.520000,+,0.500000,,88.5,88.5,023,NN,023,Tone->Tone,FM,"
                            "10.00,S,50W,,,,,\r\n"
                            ",,,,,,,,,,,,,,,,,,,,\r\n"
                            "2,RTTY,14.080000,,0.600000,,88.5,88.5,023,NN,023,Tone->Tone,RTTY,"
                            "5.00,,50W,,,,,\r\n"
                            "3,WWV,10.000000,,0.600000,,88.5,88.5,023,NN,023,Tone->Tone,Auto,"
                            "5.00,P,50W,,,,,\r\n";
    const MemoryCsv::Import out = MemoryCsv::read(file, 100);
    QVERIFY2(!out.problem, qPrintable(out.problem ? out.problem->described() : QString()));
    QCOMPARE(out.rows.value(0),
             channel("00", "29,620", "29,520", "FM", "88.5", QStringLiteral("10M RPT - Mt Wilson"),
                     "A"));
    QCOMPARE(out.rows.value(1), channel("01", "50,520", "51,020", "FM", " ", "6M RPT", " "));
    QCOMPARE(out.rows.value(2), channel("02", "14,080", " ", "FSK", " ", "RTTY", "A"));
    QCOMPARE(out.rows.value(3), channel("03", "10,000", " ", " ", " ", "WWV", "A"));

    // CHIRP's smallest file names two columns; its channels are FM, as CHIRP makes them.
    const MemoryCsv::Import minimal = MemoryCsv::read("Location,Frequency\n1,29.6\n", 100);
    QCOMPARE(minimal.rows.value(1), channel("01", "29,600", " ", "FM", " ", " ", "A"));
}

void tst_ChirpCsv::refusedLineNamed_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("what");
    const QByteArray ok = "0,ok,14.200000,,0,,88.5,88.5,023,NN,023,Tone->Tone,USB,5.00,,50W,,,,,\n";
    const auto with = [&](const QByteArray &cells) { return ok + "1," + cells + '\n'; };
    QTest::newRow("NFM") << with("x,145.5,,0,,88.5,88.5,023,NN,023,Tone->Tone,NFM,5,,5W,,,,,") << 3
                         << "Mode \"NFM\" is none of the modes a channel holds";
    QTest::newRow("Location beyond the table")
        << ok + "100,x,14.2,,0,,88.5,88.5,023,NN,023,Tone->Tone,USB,5,,5W,,,,,\n"
        << 3 << "Location 100 is no channel of the memory table (0 to 99)";
    QTest::newRow("Location twice")
        << ok + "0,x,14.2,,0,,88.5,88.5,023,NN,023,Tone->Tone,USB,5,,5W,,,,,\n"
        << 3 << "Location 0 was given before, on line 2";
    QTest::newRow("Location not a number")
        << ok + "A1,x,14.2,,0,,88.5,88.5,023,NN,023,Tone->Tone,USB,5,,5W,,,,,\n"
        << 3 << "Location \"A1\" is no channel number";
    QTest::newRow("no transmitting")
        << with("x,14.2,off,0,,88.5,88.5,023,NN,023,Tone->Tone,USB,5,,5W,,,,,") << 3
        << "Duplex \"off\"";
    QTest::newRow("tone squelch") << with(
        "x,29.6,,0,TSQL,88.5,88.5,023,NN,023,Tone->Tone,FM,5,,5W,,,,,")
                                  << 3 << "Tone \"TSQL\" is not something a channel holds";
    QTest::newRow("tone not the radio's")
        << with("x,29.6,,0,Tone,69.3,88.5,023,NN,023,Tone->Tone,FM,5,,5W,,,,,") << 3
        << "rToneFreq 69.3 is none of the radio's tones";
    QTest::newRow("frequency not a number")
        << with("x,14.2.1,,0,,88.5,88.5,023,NN,023,Tone->Tone,USB,5,,5W,,,,,") << 3
        << "Frequency \"14.2.1\" is no frequency in MHz";
    // Found by fuzzing: the megahertz in hertz overflowed a 64-bit number.
    QTest::newRow("frequency of 16 digits")
        << with("x,15143151451434,,0,,88.5,88.5,023,NN,023,Tone->Tone,USB,5,,5W,,,,,") << 3
        << "Frequency \"15143151451434\" is no frequency in MHz";
    QTest::newRow("frequency beyond 11 digits")
        << with("x,100000,,0,,88.5,88.5,023,NN,023,Tone->Tone,USB,5,,5W,,,,,") << 3
        << "not one a channel holds";
    QTest::newRow("split without a transmit frequency")
        << with("x,14.2,split,0,,88.5,88.5,023,NN,023,Tone->Tone,USB,5,,5W,,,,,") << 3
        << "Duplex \"split\" without a transmit frequency";
    QTest::newRow("too few cells")
        << with("x,14.2,,0") << 3 << "5 cells where the header names 21 columns";
    QTest::newRow("quote never closed")
        << with("\"x,14.2,,0,,88.5,88.5,023,NN,023,Tone->Tone,USB,5,,5W,,,,,") << 3
        << "a quoted cell that starts here is never closed";
    QTest::newRow("text after a quote")
        << with("\"x\"y,14.2,,0,,88.5,88.5,023,NN,023,Tone->Tone,USB,5,,5W,,,,,") << 3
        << "text follows the closing quote";
    QTest::newRow("NUL in a name") << with(
        "K1" + QByteArray(2, '\0') + "AB,14.2,,0,,88.5,88.5,023,NN,023,Tone->Tone,USB,5,,5W,,,,,")
                                   << 3 << "Name \"K1??AB\" holds the control character U+0000";
    QTest::newRow("bell in a comment")
        << with("x,14.2,,0,,88.5,88.5,023,NN,023,Tone->Tone,USB,5,,5W,ring\a,,,,") << 3
        << "Comment \"ring?\" holds the control character U+0007";
}

void tst_ChirpCsv::refusedLineNamed()
{
    QFETCH(QByteArray, body);
    QFETCH(int, line);
    QFETCH(QString, what);
    const MemoryCsv::Import out = MemoryCsv::read(Header + '\n' + body, 100);
    QVERIFY(out.problem);
    QVERIFY(out.rows.isEmpty());
    QCOMPARE(out.problem->line, line);
    QVERIFY2(out.problem->text.contains(what), qPrintable(out.problem->text));

    // A file of another layout is refused on its first line.
    const ChirpCsv::Read other = ChirpCsv::read("Channel,RX Freq\n1,14.2\n");
    QVERIFY(other.problem);
    QCOMPARE(other.problem->line, 1);
}

void tst_ChirpCsv::bandListBothWays()
{
    const Rows rows {{"1840", "LSB", "160 m SSB"},
                     {"7050.6", "CW-R", " "},
                     {"28,400.125", "FSK-R", "10 m RTTY"},
                     {" ", "USB", "nothing yet"},
                     {"14200abc", "USB", " "},
                     {"29600", "FM", "10 m FM, calling"}};
    const BandCsv::Export out = BandCsv::write(rows);
    QCOMPARE(out.written, 4);
    QCOMPARE(out.leftOut,
             QStringList(
                 {"row 4: no frequency", "row 5: Frequency \"14200abc\" is no frequency in kHz"}));
    QVERIFY(out.bytes.contains("\r\n1,,7.050600,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,CWR,"));

    // Read back as the band list writes its cells: plain kilohertz.
    const BandCsv::Import back = BandCsv::read(out.bytes);
    QVERIFY(!back.problem);
    QCOMPARE(back.rows,
             Rows({{"1840", "LSB", "160 m SSB"},
                   {"7050.6", "CW-R", " "},
                   {"28400.125", "FSK-R", "10 m RTTY"},
                   {"29600", "FM", "10 m FM, calling"}}));

    // A repeater's shift and tone have no column in the band list: the row comes without them.
    const BandCsv::Import repeater = BandCsv::read(
        Header
        + "\n0,RPT,29.620000,-,0.100000,Tone,88.5,88.5,023,NN,023,Tone->Tone,FM,5,,5W,,,,,\n");
    QCOMPARE(repeater.rows, Rows({{"29620", "FM", "RPT"}}));
    QCOMPARE(repeater.leftBehind, 1);

    const BandCsv::Import refused
        = BandCsv::read(Header + "\n0,x,145.5,,0,,88.5,88.5,023,NN,023,Tone->Tone,DV,5,,5W,,,,,\n");
    QVERIFY(refused.problem);
    QCOMPARE(refused.problem->described().left(37),
             QStringLiteral("line 2: Mode \"DV\" is none of the mode"));
}

QTEST_GUILESS_MAIN(tst_ChirpCsv)
#include "tst_chirpcsv.moc"
