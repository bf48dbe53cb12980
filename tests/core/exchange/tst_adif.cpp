// The logbook as ADIF: what an export writes, that an import gives the same rows back, files
// written by other programs, duplicates, and files refused with their first bad line named.
#include "core/exchange/adifbands.h"
#include "core/exchange/adifreader.h"
#include "core/exchange/logbookadif.h"

#include <QTest>

namespace {

using Rows = QList<QStringList>;

// A contact as the logbook stores it; the local time is GMT plus ten hours.
QStringList contact(const char *gmt, const char *local, const char *frequency, const char *mode,
                    const char *call, const QString &description = QString())
{
    return {QLatin1String(local), QLatin1String(gmt),  QLatin1String(frequency),
            QLatin1String(mode),  QLatin1String(call), description};
}

const QDateTime Created(QDate(2026, 12, 6), QTime(9, 5, 7), Qt::UTC);

} // namespace

class tst_Adif : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void exportWritesTheFields();
    void roundTripGivesTheSameRows();
    void bands_data();
    void bands();
    void fileFromAnotherProgram();
    void duplicatesSkippedAndNamed();
    void localTimeFromTheOffset_data();
    void localTimeFromTheOffset();
    void malformedFileNamesItsFirstBadLine_data();
    void malformedFileNamesItsFirstBadLine();
};

void tst_Adif::exportWritesTheFields()
{
    const Rows rows {
        contact("2026-12-06T09:05:07", "2026-12-06T19:05:07", "7,050.6", "LSB", "K1ABC", "Tnx"),
        contact("2026-12-06T09:10:00", "2026-12-06T19:10:00", "14,025", "CW-R", "DL1XYZ"),
        contact("2026-12-06T09:20:00", "2026-12-06T19:20:00", "", " ", "G4AAA"),
        contact("", "2026-12-06T19:30:00", "14,200", "USB", "W1AW"),
        contact("2026-12-06T09:40:00", "2026-12-06T19:40:00", "14,200", "USB", " "),
    };
    const LogbookAdif::Export out = LogbookAdif::write(rows, Created);
    const QString text = QString::fromUtf8(out.bytes);
    QCOMPARE(out.written, 3);
    QCOMPARE(out.leftOut.size(), 2);
    QVERIFY(out.leftOut.at(0).startsWith(QLatin1String("W1AW at ")));
    QVERIFY(out.leftOut.at(1).contains(QLatin1String("no call sign")));

    // The header: free text first, then the version, the program and when.
    QVERIFY(!text.startsWith(QLatin1Char('<')));
    for (const char *field : {"<ADIF_VER:5>3.1.4", "<PROGRAMID:7>Vantelo",
                              "<CREATED_TIMESTAMP:15>20261206 090507", "<EOH>"})
        QVERIFY2(text.contains(QLatin1String(field)), field);
    QCOMPARE(AdifReader::read(out.bytes).content.header.value("PROGRAMVERSION"),
             QStringLiteral(VANTELO_VERSION));

    const QStringList records = text.mid(text.indexOf(QLatin1String("<EOH>")) + 6)
                                    .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(records.size(), 3);
    QCOMPARE(records.at(0),
             QStringLiteral("<CALL:5>K1ABC <QSO_DATE:8>20261206 <TIME_ON:6>090507 "
                            "<FREQ:8>7.050600 <BAND:3>40m <MODE:3>SSB <SUBMODE:3>LSB "
                            "<COMMENT:3>Tnx <EOR>"));
    QCOMPARE(records.at(1),
             QStringLiteral("<CALL:6>DL1XYZ <QSO_DATE:8>20261206 <TIME_ON:6>091000 "
                            "<FREQ:9>14.025000 <BAND:3>20m <MODE:2>CW "
                            "<APP_VANTELO_MODE:4>CW-R <EOR>"));
    QCOMPARE(records.at(2),
             QStringLiteral("<CALL:5>G4AAA <QSO_DATE:8>20261206 <TIME_ON:6>092000 <EOR>"));
}

void tst_Adif::roundTripGivesTheSameRows()
{
    // Every mode, frequencies to the hertz, and descriptions holding what ADIF's lengths must
    // carry: "<", a line end, and letters beyond ASCII.
    const Rows rows {
        contact("2026-12-06T09:05:07", "2026-12-06T19:05:07", "7,050.6", "LSB", "K1ABC"),
        contact("2026-12-06T09:06:00", "2026-12-06T19:06:00", "28,400.125", "USB", "VK2XY",
                QStringLiteral("59 <both> ways")),
        contact("2026-12-06T09:07:00", "2026-12-06T19:07:00", "14,025", "CW", "JA1AA",
                QStringLiteral("first line\nsecond line")),
        contact("2026-12-06T09:08:00", "2026-12-06T19:08:00", "14,026", "CW-R", "ZL3X"),
        contact("2026-12-06T09:09:00", "2026-12-06T19:09:00", "3,885", "AM", "W2AM"),
        contact("2026-12-06T09:10:00", "2026-12-06T19:10:00", "29,600", "FM", "F5FM",
                QStringLiteral("Grüße aus Köln")),
        contact("2026-12-06T09:11:00", "2026-12-06T19:11:00", "14,085", "FSK", "OH2RT"),
        contact("2026-12-06T09:12:00", "2026-12-06T19:12:00", "14,086", "FSK-R", "SM5RT"),
        contact("2026-12-06T09:13:00", "2026-12-06T19:13:00", "", " ", "EA1XX"),
        contact("2026-12-07T00:14:59", "2026-12-07T10:14:59", "14,074", "FT8", "PY2FT"),
        contact("2026-12-07T00:15:00", "2026-12-07T10:15:00", "14,080", "FT4", "LU1FT"),
    };
    const LogbookAdif::Export out = LogbookAdif::write(rows, Created);
    QCOMPARE(out.written, int(rows.size()));
    QVERIFY(out.bytes.contains("<MODE:4>MFSK <SUBMODE:3>FT4"));

    const LogbookAdif::Import back = LogbookAdif::read(out.bytes, {}, QStringLiteral("+10"));
    QVERIFY2(!back.problem, qPrintable(back.problem ? back.problem->described() : QString()));
    QCOMPARE(back.rows, rows);
    QVERIFY(back.skipped.isEmpty());
    QCOMPARE(back.notes.size(), 2); // no FREQ; FT8 and FT4 kept as written
    QVERIFY2(back.notes.at(1).contains(QLatin1String("FT4 (1 contact), FT8 (1 contact)")),
             qPrintable(back.notes.at(1)));

    // Importing the same file again adds nothing.
    const LogbookAdif::Import again = LogbookAdif::read(out.bytes, rows, QStringLiteral("+10"));
    QVERIFY(again.rows.isEmpty());
    QCOMPARE(again.skipped.size(), rows.size());
}

void tst_Adif::bands_data()
{
    QTest::addColumn<qint64>("hz");
    QTest::addColumn<QString>("band");
    QTest::newRow("2190m lower edge") << qint64(135'700) << "2190m";
    QTest::newRow("160m upper edge") << qint64(2'000'000) << "160m";
    QTest::newRow("just above 160m") << qint64(2'000'001) << "";
    QTest::newRow("60m channel") << qint64(5'357'000) << "60m";
    QTest::newRow("40m") << qint64(7'050'600) << "40m";
    QTest::newRow("broadcast") << qint64(9'500'000) << "";
    QTest::newRow("10m") << qint64(28'400'125) << "10m";
    QTest::newRow("6m upper edge") << qint64(54'000'000) << "6m";
    QTest::newRow("5m lower edge") << qint64(54'000'001) << "5m";
    QTest::newRow("70cm") << qint64(432'100'000) << "70cm";
    QTest::newRow("nothing") << qint64(0) << "";
}

void tst_Adif::bands()
{
    QFETCH(qint64, hz);
    QFETCH(QString, band);
    QCOMPARE(AdifBands::bandOf(hz), band);
}

void tst_Adif::fileFromAnotherProgram()
{
    // Lower-case names, type indicators, fields the logbook has no column for, SUBMODE, a
    // four-digit TIME_ON, BAND without FREQ, a comment with "<" and a line end in it, and text
    // between the records.
    const QByteArray file = "Generated by OtherLog 2.0 <for testing>\r\n"
                            "<adif_ver:5>3.1.1 <programid:8>OtherLog\r\n<eoh>\r\n"
                            "<call:6>DL1ABC <qso_date:8:d>20240301 <time_on:4>1405 "
                            "<freq:6>14.250 <band:3>20m <mode:3>SSB <submode:3>USB "
                            "<rst_sent:2>59 <rst_rcvd:2>57 <gridsquare:4>JO62 "
                            "<comment:9>a<b\r\nc>d! <eor>\r\n"
                            "some notes between records\r\n"
                            "<CALL:4>K2BB<QSO_DATE:8>20240301<TIME_ON:6>231500<BAND:3>80m"
                            "<MODE:3>SSB<EOR>\n"
                            "<CALL:4>N3RT<QSO_DATE:8>20240302<TIME_ON:6>000100"
                            "<FREQ:9>7.0855000<MODE:4>RTTY<EOR>\n"
                            "<CALL:4>W4SB<QSO_DATE:8>20240302<TIME_ON:6>000200"
                            "<FREQ:5>3.750<MODE:3>SSB<EOR>\n";
    const LogbookAdif::Import out = LogbookAdif::read(file, {}, QStringLiteral("0"));
    QVERIFY2(!out.problem, qPrintable(out.problem ? out.problem->described() : QString()));
    QCOMPARE(out.records, 4);
    const Rows expected {
        contact("2024-03-01T14:05:00", "2024-03-01T14:05:00", "14,250", "USB", "DL1ABC",
                QStringLiteral("a<b\r\nc>d!")),
        contact("2024-03-01T23:15:00", "2024-03-01T23:15:00", "", "LSB", "K2BB"),
        contact("2024-03-02T00:01:00", "2024-03-02T00:01:00", "7,085.5", "FSK", "N3RT"),
        contact("2024-03-02T00:02:00", "2024-03-02T00:02:00", "3,750", "LSB", "W4SB"),
    };
    QCOMPARE(out.rows, expected);
    QCOMPARE(out.notes, QStringList {"1 contact without FREQ: their Frequency cell is empty."});

    // A file without a header, and one whose header begins with a field.
    const QByteArray bare = "<CALL:4>K2BB<QSO_DATE:8>20240301<TIME_ON:4>2315<EOR>";
    QCOMPARE(LogbookAdif::read(bare, {}, "0").rows.size(), 1);
    QCOMPARE(LogbookAdif::read("<ADIF_VER:5>3.1.4<EOH>" + bare, {}, "0").rows.size(), 1);
}

void tst_Adif::duplicatesSkippedAndNamed()
{
    // The same contact: call sign in any case, GMT time to the minute, band and mode; the
    // comment and the frequency within the band play no part.
    const Rows existing {
        contact("2026-12-06T09:05:07", "2026-12-06T19:05:07", "7,050.6", "LSB", "k1abc"),
    };
    const QByteArray file
        = "<CALL:5>K1ABC<QSO_DATE:8>20261206<TIME_ON:6>090507<FREQ:6>7.0506<MODE:3>SSB"
          "<SUBMODE:3>LSB<EOR>\n"
          "<CALL:5>K1ABC<QSO_DATE:8>20261206<TIME_ON:6>090507<FREQ:6>7.0506<MODE:3>SSB"
          "<SUBMODE:3>LSB<COMMENT:5>again<EOR>\n"
          "<CALL:4>W1AW<QSO_DATE:8>20261206<TIME_ON:6>091000<FREQ:2>14<MODE:2>CW<EOR>\n"
          "<CALL:4>W1AW<QSO_DATE:8>20261206<TIME_ON:6>091000<FREQ:9>14.000000<MODE:2>CW<EOR>\n"
          "<CALL:5>K1abc<QSO_DATE:8>20261206<TIME_ON:4>0905<FREQ:5>7.074<MODE:3>SSB"
          "<SUBMODE:3>LSB<EOR>\n"
          "<CALL:4>w1aw<QSO_DATE:8>20261206<TIME_ON:6>091059<BAND:3>20M<MODE:2>CW<EOR>\n"
          "<CALL:5>K1ABC<QSO_DATE:8>20261206<TIME_ON:4>0905<FREQ:4>14.2<MODE:3>SSB"
          "<SUBMODE:3>USB<EOR>\n"
          "<CALL:4>W1AW<QSO_DATE:8>20261206<TIME_ON:4>0911<FREQ:2>14<MODE:2>CW<EOR>\n"
          "<CALL:4>W1AW<QSO_DATE:8>20261206<TIME_ON:4>0910<FREQ:2>14<MODE:3>SSB"
          "<SUBMODE:3>USB<EOR>\n";
    const LogbookAdif::Import out = LogbookAdif::read(file, existing, QStringLiteral("+10"));
    QVERIFY(!out.problem);
    QStringList added;
    for (const QStringList &row : out.rows)
        added << row.at(4) + QLatin1Char(' ') + row.at(1) + QLatin1Char(' ') + row.at(3);
    QCOMPARE(added,
             QStringList({"W1AW 2026-12-06T09:10:00 CW", "K1ABC 2026-12-06T09:05:00 USB",
                          "W1AW 2026-12-06T09:11:00 CW", "W1AW 2026-12-06T09:10:00 USB"}));
    QCOMPARE(out.skipped,
             QStringList({"line 1 (K1ABC, 06 Dec 2026 9:05:07 GMT) is already in the logbook",
                          "line 2 (K1ABC, 06 Dec 2026 9:05:07 GMT) is already in the logbook",
                          "line 4 (W1AW, 06 Dec 2026 9:10:00 GMT) repeats line 3 of the file",
                          "line 5 (K1abc, 06 Dec 2026 9:05:00 GMT) is already in the logbook",
                          "line 6 (w1aw, 06 Dec 2026 9:10:59 GMT) repeats line 3 of the file"}));
}

void tst_Adif::localTimeFromTheOffset_data()
{
    QTest::addColumn<QString>("offset");
    QTest::addColumn<QString>("gmt");
    QTest::addColumn<QString>("local");
    QTest::newRow("+10") << "+10"
                         << "2026-12-06T10:00:00"
                         << "2026-12-06T20:00:00";
    QTest::newRow("-5 back a day") << "-5"
                                   << "2026-12-07T03:00:00"
                                   << "2026-12-06T22:00:00";
    QTest::newRow("5.5") << "5.5"
                         << "2026-12-06T23:45:00"
                         << "2026-12-07T05:15:00";
    QTest::newRow("0") << "0"
                       << "2026-12-06T10:00:00"
                       << "2026-12-06T10:00:00";
}

void tst_Adif::localTimeFromTheOffset()
{
    QFETCH(QString, offset);
    QFETCH(QString, gmt);
    QFETCH(QString, local);
    const QDateTime utc = QDateTime::fromString(gmt, Qt::ISODate);
    const QByteArray file = "<CALL:4>W1AW<QSO_DATE:8>"
        + utc.date().toString(QStringLiteral("yyyyMMdd")).toLatin1() + "<TIME_ON:6>"
        + utc.time().toString(QStringLiteral("HHmmss")).toLatin1() + "<EOR>";
    const LogbookAdif::Import out = LogbookAdif::read(file, {}, offset);
    QCOMPARE(out.rows.size(), 1);
    QCOMPARE(out.rows.first().at(0), local);
    QCOMPARE(out.rows.first().at(1), gmt);
}

void tst_Adif::malformedFileNamesItsFirstBadLine_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("what");
    const QByteArray good = "<CALL:4>W1AW <QSO_DATE:8>20261206 <TIME_ON:4>0910 <EOR>\n";
    const QByteArray head = "header\n<EOH>\n";
    QTest::newRow("no CALL") << head + good + "<QSO_DATE:8>20261206\n<TIME_ON:4>0910<EOR>\n"
                             << 4 << "the record that starts here has no CALL";
    QTest::newRow("empty CALL") << good + "<CALL:0><QSO_DATE:8>20261206<TIME_ON:4>0910<EOR>" << 2
                                << "no CALL";
    QTest::newRow("no QSO_DATE") << good + "<CALL:4>K2BB<TIME_ON:4>0910<EOR>" << 2
                                 << "the record of K2BB has no QSO_DATE";
    QTest::newRow("no date") << good + "<CALL:4>K2BB<QSO_DATE:8>20261306<TIME_ON:4>0910<EOR>" << 2
                             << "QSO_DATE \"20261306\", which is no date";
    QTest::newRow("no time") << good + "<CALL:4>K2BB<QSO_DATE:8>20261206<TIME_ON:4>2561<EOR>" << 2
                             << "TIME_ON \"2561\", which is no time";
    QTest::newRow("FREQ not a number")
        << good + "<CALL:4>K2BB<QSO_DATE:8>20261206<TIME_ON:4>0910<FREQ:3>abc<EOR>" << 2
        << "FREQ \"abc\", which is no frequency in MHz";
    // Found by fuzzing: the megahertz in units overflowed a 64-bit number.
    QTest::newRow("FREQ of 16 digits")
        << good + "<CALL:4>K2BB<QSO_DATE:8>20261206<TIME_ON:4>0910<FREQ:17>+0015143151451434<EOR>"
        << 2 << "FREQ \"+0015143151451434\", which is no frequency in MHz";
    QTest::newRow("FREQ rounding up past 18 digits") << good
            + "<CALL:4>K2BB<QSO_DATE:8>20261206<TIME_ON:4>0910<FREQ:20>999999999999.9999999<EOR>"
                                                     << 2 << "which is no frequency in MHz";
    QTest::newRow("tag without length")
        << good + "\n<CALL>K2BB<EOR>" << 3 << "\"<CALL>\" has no length";
    QTest::newRow("stray <") << good + "a < b" << 2 << "\"< b\" is not a field";
    QTest::newRow("value beyond the end") << good
            + "<CALL:40>K2BB" << 2 << "<CALL:40> asks for 40 characters, but the file ends after 4";
    QTest::newRow("no EOR at the end") << good + "\n<CALL:4>K2BB<QSO_DATE:8>20261206" << 3
                                       << "has no <EOR>: the file ends inside it";
    QTest::newRow("header without EOH")
        << QByteArray("written by hand\n<ADIF_VER:5>3.1.4\n") << 1 << "has no <EOH>";
    QTest::newRow("second EOH") << head + good + "<EOH>" << 4 << "<EOH> here";
    QTest::newRow("NUL in CALL") << good + "<CALL:6>K1" + QByteArray(2, '\0')
            + "AB<QSO_DATE:8>20261206<TIME_ON:4>0910<EOR>"
                                 << 2 << "CALL \"K1??AB\" holds the control character U+0000";
    QTest::newRow("escape in COMMENT")
        << good + "<CALL:4>K2BB<QSO_DATE:8>20261206<TIME_ON:4>0910<COMMENT:5>a\x1b[2J<EOR>" << 2
        << "COMMENT \"a?[2J\" holds the control character U+001B";
    QTest::newRow("DEL in MODE") << good
            + "<CALL:4>K2BB<QSO_DATE:8>20261206<TIME_ON:4>0910<MODE:3>CW\x7f<EOR>"
                                 << 2 << "MODE \"CW?\" holds the control character U+007F";
}

void tst_Adif::malformedFileNamesItsFirstBadLine()
{
    QFETCH(QByteArray, file);
    QFETCH(int, line);
    QFETCH(QString, what);
    const LogbookAdif::Import out = LogbookAdif::read(file, {}, QStringLiteral("0"));
    QVERIFY(out.problem);
    QVERIFY(out.rows.isEmpty());
    QCOMPARE(out.problem->line, line);
    QVERIFY2(out.problem->text.contains(what), qPrintable(out.problem->text));
}

QTEST_GUILESS_MAIN(tst_Adif)
#include "tst_adif.moc"
