// The logbook below its window: the stamp's cells (GMT offsets, the frequency's precision, a
// radio that has not reported yet), local time and GMT all year in zones with and without
// daylight saving, typed times, and the schema step that turns times written
// in the clock's form into ISO text.
#include "common/storedtable.h"
#include "core/clock/clocktext.h"
#include "core/db/database.h"
#include "core/exchange/logbookadif.h"
#include "core/logbook/logstamp.h"
#include "core/logbook/logtime.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <ctime>

namespace {
const QString Left = QStringLiteral("<left as it was>");

QString orLeft(const std::optional<QString> &cell)
{
    return cell ? *cell : Left;
}

QDateTime at(int year, int month, int day, int hour, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::LocalTime);
}
} // namespace

class tst_LogbookOps : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void stampCells_data();
    void stampCells();
    void timesAllYear_data();
    void timesAllYear();
    void typedTimes_data();
    void typedTimes();
    void clockFormRowsBecomeIso();
};

void tst_LogbookOps::stampCells_data()
{
    QTest::addColumn<QDateTime>("local");
    QTest::addColumn<QString>("offset");
    QTest::addColumn<QString>("freq");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("gmt"); // stored form
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<QString>("modeCell");
    const QDateTime eight = at(2026, 12, 6, 20);
    QTest::newRow("+10 at 20:00 gives 10:00") << eight << "+10"
                                              << "14200"
                                              << "2"
                                              << "2026-12-06T10:00:00"
                                              << "14,200"
                                              << "USB";
    QTest::newRow("-5 at 22:00 gives 3:00 the next day") << at(2026, 12, 6, 22) << "-5"
                                                         << "7050.6"
                                                         << "1"
                                                         << "2026-12-07T03:00:00"
                                                         << "7,050.6"
                                                         << "LSB";
    QTest::newRow("-5 on new year's eve") << at(2026, 12, 31, 22, 30) << "-5"
                                          << "3573"
                                          << "8"
                                          << "2027-01-01T03:30:00"
                                          << "3,573"
                                          << " ";
    QTest::newRow("5.5, and hertz kept") << eight << "5.5"
                                         << "28400.125"
                                         << "9"
                                         << "2026-12-06T14:30:00"
                                         << "28,400.125"
                                         << "FSK-R";
    QTest::newRow("offset not a number, mode not in the table") << eight << "abc"
                                                                << "14200"
                                                                << "X"
                                                                << "2026-12-06T20:00:00"
                                                                << "14,200" << Left;
    // Before the radio has reported a frequency: both times, nothing else.
    QTest::newRow("start value 999999999") << eight << "+10"
                                           << "999999999"
                                           << "2"
                                           << "2026-12-06T10:00:00" << Left << Left;
    QTest::newRow("frequency not a number") << eight << "0"
                                            << "14200abc"
                                            << "2"
                                            << "2026-12-06T20:00:00" << Left << Left;
    QTest::newRow("no frequency") << eight << "0"
                                  << ""
                                  << "2"
                                  << "2026-12-06T20:00:00" << Left << Left;
}

void tst_LogbookOps::stampCells()
{
    QFETCH(QDateTime, local);
    QFETCH(QString, offset);
    QFETCH(QString, freq);
    QFETCH(QString, mode);
    const LogStamp::Cells cells = LogStamp::cells(local, offset, freq, mode);
    QCOMPARE(cells.local, LogTime::stored(local));
    QTEST(cells.gmt, "gmt");
    QTEST(orLeft(cells.frequency), "frequency");
    QTEST(orLeft(cells.mode), "modeCell");
}

void tst_LogbookOps::timesAllYear_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDateTime>("instant");
    QTest::addColumn<QString>("offset"); // as stored; empty when none is
    QTest::addColumn<QString>("local"); // stored form
    QTest::addColumn<QString>("gmt");
    const auto utc = [](int month, int day, int hour, int minute = 0) {
        return QDateTime(QDate(2026, month, day), QTime(hour, minute), Qt::UTC);
    };
    const auto row = [](const char *zone, const char *season, const char *offset) -> QTestData & {
        return QTest::addRow("%s %s, offset \"%s\"", zone, season, offset);
    };
    // No offset stored: each instant in the zone's own time of year.
    row("New York", "winter", "") << QByteArray("America/New_York") << utc(1, 15, 17) << ""
                                  << "2026-01-15T12:00:00"
                                  << "2026-01-15T17:00:00";
    row("New York", "summer", "") << QByteArray("America/New_York") << utc(7, 15, 16) << ""
                                  << "2026-07-15T12:00:00"
                                  << "2026-07-15T16:00:00";
    row("New York", "just after the clocks went back", "")
        << QByteArray("America/New_York") << utc(11, 1, 6, 1) << ""
        << "2026-11-01T01:01:00"
        << "2026-11-01T06:01:00";
    row("Sydney", "summer", "") << QByteArray("Australia/Sydney") << utc(1, 15, 1) << ""
                                << "2026-01-15T12:00:00"
                                << "2026-01-15T01:00:00";
    row("Sydney", "winter", "") << QByteArray("Australia/Sydney") << utc(7, 15, 2) << ""
                                << "2026-07-15T12:00:00"
                                << "2026-07-15T02:00:00";
    row("Kolkata", "January", "") << QByteArray("Asia/Kolkata") << utc(1, 15, 6, 30) << ""
                                  << "2026-01-15T12:00:00"
                                  << "2026-01-15T06:30:00";
    row("Kolkata", "July", "") << QByteArray("Asia/Kolkata") << utc(7, 15, 6, 30) << ""
                               << "2026-07-15T12:00:00"
                               << "2026-07-15T06:30:00";
    // A stored offset is honoured exactly, summer and winter alike.
    row("New York", "summer", "-5") << QByteArray("America/New_York") << utc(7, 15, 16) << "-5"
                                    << "2026-07-15T12:00:00"
                                    << "2026-07-15T17:00:00";
    row("Sydney", "summer", "+10") << QByteArray("Australia/Sydney") << utc(1, 15, 1) << "+10"
                                   << "2026-01-15T12:00:00"
                                   << "2026-01-15T02:00:00";
}

void tst_LogbookOps::timesAllYear()
{
    QFETCH(QByteArray, zone);
    QFETCH(QDateTime, instant);
    QFETCH(QString, offset);
    QFETCH(QString, local);
    QFETCH(QString, gmt);
    // The computer's own zone, as the program meets it: TZ and the clock's local time.
    const QByteArray savedTz = qgetenv("TZ");
    qputenv("TZ", zone);
    tzset();
    const auto restore = qScopeGuard([&savedTz] {
        qputenv("TZ", savedTz);
        tzset();
    });
    QCOMPARE(QTimeZone::systemTimeZone().id(), zone);
    const QDateTime now = instant.toLocalTime();

    // The stamp.
    const LogStamp::Cells cells = LogStamp::cells(now, offset, QStringLiteral("14200"), "2");
    QCOMPARE(cells.local, local);
    QCOMPARE(cells.gmt, gmt);
    // The clock on the main window.
    QCOMPARE(ClockText::localText(now), QStringLiteral("Local ") + LogTime::shown(local));
    QCOMPARE(ClockText::gmtText(now, offset), QStringLiteral("GMT ") + LogTime::shown(gmt));
    // ADIF export writes the GMT cell; an import of that record gives the local time back.
    const QStringList row {
        cells.local, cells.gmt, *cells.frequency, *cells.mode, QStringLiteral("W1AW"), QString()};
    const QByteArray file = LogbookAdif::write({row}, instant).bytes;
    const QString gmtDate = gmt.left(10).remove(QLatin1Char('-'));
    const QString gmtTime = gmt.mid(11).remove(QLatin1Char(':'));
    QVERIFY2(file.contains(("<QSO_DATE:8>" + gmtDate + " <TIME_ON:6>" + gmtTime).toLatin1()),
             file.constData());
    const LogbookAdif::Import back = LogbookAdif::read(file, {}, offset);
    QCOMPARE(back.rows, QList<QStringList> {row});
}

void tst_LogbookOps::typedTimes_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored"); // "<refused>" when nothing is stored
    QTest::newRow("the clock's form") << "06 Dec 2026 9:05:07"
                                      << "2026-12-06T09:05:07";
    QTest::newRow("short forms, any case") << " 6 dec 2026  21:05"
                                           << "2026-12-06T21:05:00";
    QTest::newRow("full month name") << "1 January 2027 0:00:59"
                                     << "2027-01-01T00:00:59";
    QTest::newRow("ISO") << "2026-12-06 09:05"
                         << "2026-12-06T09:05:00";
    QTest::newRow("blank clears the cell") << "   "
                                           << "";
    QTest::newRow("31 Feb") << "31 Feb 2026 9:00:00"
                            << "<refused>";
    QTest::newRow("29 Feb outside a leap year") << "29 Feb 2026 9:00:00"
                                                << "<refused>";
    QTest::newRow("hour 24") << "06 Dec 2026 24:00:00"
                             << "<refused>";
    QTest::newRow("two-digit year") << "06 Dec 26 9:05:07"
                                    << "<refused>";
    QTest::newRow("unknown month") << "06 Dez 2026 9:05:07"
                                   << "<refused>";
    QTest::newRow("date alone") << "06 Dec 2026"
                                << "<refused>";
}

void tst_LogbookOps::typedTimes()
{
    QFETCH(QString, typed);
    const std::optional<QString> stored = LogTime::fromTyped(typed);
    QTEST(stored ? *stored : QStringLiteral("<refused>"), "stored");
}

void tst_LogbookOps::clockFormRowsBecomeIso()
{
    // A logbook written before its times were kept as ISO text: the file is left at the first
    // step with the stamp's texts and the operator's own.
    QTemporaryDir dir;
    const TableSchema &table = Tables::logging();
    {
        TableSchema first = table;
        first.steps = table.steps.mid(0, 1);
        Database db(first, dir.path());
        QVERIFY2(db.open(), qPrintable(db.errorText()));
        QCOMPARE(
            StoredTable(db.filePath())
                .exec({QStringLiteral("INSERT INTO Logging (DateLocal, DateGMT, CallSign) VALUES "
                                      "('06 Dec 2026 9:05:07', '05 Dec 2026 23:05:07', 'A1'), "
                                      "('01 dec 2025 19:00:00', 'about noon', 'B2'), "
                                      "('', NULL, 'C3'), "
                                      "('31 Feb 2026 9:00:00', '2026-12-06T09:05:07', 'D4')")}),
            QString());
    }
    Database db(table, dir.path());
    QVERIFY2(db.open(), qPrintable(db.errorText()));
    const QList<QStringList> rows = StoredTable(db.filePath()).rows(table);
    QCOMPARE(rows.size(), 4);
    const QList<QStringList> times {
        {"2026-12-06T09:05:07", "2026-12-05T23:05:07"},
        {"2025-12-01T19:00:00", "about noon"}, // a text of its own is kept
        {"", ""},
        {"31 Feb 2026 9:00:00", "2026-12-06T09:05:07"}, // no such day: kept as it was
    };
    for (int i = 0; i < rows.size(); ++i) {
        QCOMPARE(rows.at(i).mid(0, 2), times.at(i));
        QCOMPARE(rows.at(i).at(4), (QStringList {"A1", "B2", "C3", "D4"}.at(i)));
    }
}

QTEST_MAIN(tst_LogbookOps)
#include "tst_logbookops.moc"
