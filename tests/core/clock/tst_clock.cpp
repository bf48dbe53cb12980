// The main window's clock: the date format and the GMT offsets an operator may have stored.
#include "core/clock/clocktext.h"

#include <QLocale>
#include <QTest>
#include <QTimeZone>

class tst_clock : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void format_data();
    void format();
    void gmt_data();
    void gmt();
    void offsetSeconds_data();
    void offsetSeconds();
    void localText();
    void monthNamesIgnoreLocale();
};

void tst_clock::format_data()
{
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<QString>("expected");
    QTest::newRow("hour without leading zero")
        << QDateTime(QDate(2026, 12, 7), QTime(9, 5, 3)) << "07 Dec 2026 9:05:03";
    QTest::newRow("midnight") << QDateTime(QDate(2026, 1, 1), QTime(0, 0, 0))
                              << "01 Jan 2026 0:00:00";
    QTest::newRow("24-hour clock")
        << QDateTime(QDate(2026, 6, 30), QTime(23, 59, 59)) << "30 Jun 2026 23:59:59";
}

void tst_clock::format()
{
    QFETCH(QDateTime, time);
    QFETCH(QString, expected);
    QCOMPARE(ClockText::format(time), expected);
}

void tst_clock::gmt_data()
{
    QTest::addColumn<QString>("offset");
    QTest::addColumn<QString>("expected");
    // Local time is 07 Dec 2026 9:05:03 in Kolkata in every row.
    QTest::newRow("+10: ten hours behind, day before") << "+10"
                                                       << "GMT 06 Dec 2026 23:05:03";
    QTest::newRow("10 without sign") << "10"
                                     << "GMT 06 Dec 2026 23:05:03";
    QTest::newRow("-5: five hours ahead") << "-5"
                                          << "GMT 07 Dec 2026 14:05:03";
    QTest::newRow("5.5: hours and minutes") << "5.5"
                                            << "GMT 07 Dec 2026 3:35:03";
    QTest::newRow("-9.5") << "-9.5"
                          << "GMT 07 Dec 2026 18:35:03";
    QTest::newRow("blank: the zone's own offset") << " "
                                                  << "GMT 07 Dec 2026 3:35:03";
    QTest::newRow("0: local time") << "0"
                                   << "GMT 07 Dec 2026 9:05:03";
    QTest::newRow("text counts as 0") << "abc"
                                      << "GMT 07 Dec 2026 9:05:03";
    QTest::newRow("none stored: the zone's own offset") << ""
                                                        << "GMT 07 Dec 2026 3:35:03";
    QTest::newRow("leading blanks skipped") << "  +2"
                                            << "GMT 07 Dec 2026 7:05:03";
    QTest::newRow("number then text") << "3h"
                                      << "GMT 07 Dec 2026 6:05:03";
    QTest::newRow("absurd offset held at two days") << "99999999999999999999"
                                                    << "GMT 05 Dec 2026 9:05:03";
}

void tst_clock::gmt()
{
    QFETCH(QString, offset);
    QFETCH(QString, expected);
    const QDateTime local(QDate(2026, 12, 7), QTime(9, 5, 3), QTimeZone("Asia/Kolkata"));
    QCOMPARE(ClockText::gmtText(local, offset), expected);
    // How an import message names the rule.
    const QString rule = ClockText::ruleText(offset, QTimeZone("Asia/Kolkata"));
    if (ClockText::followsZone(offset))
        QCOMPARE(rule, QStringLiteral("the computer's time zone (Asia/Kolkata) on each date"));
    else if (offset == QLatin1String("-9.5"))
        QCOMPARE(rule, QStringLiteral("GMT minus 9:30 hours"));
    else if (offset == QLatin1String("0"))
        QCOMPARE(rule, QStringLiteral("the same as GMT (offset 0)"));
}

void tst_clock::offsetSeconds_data()
{
    QTest::addColumn<QString>("offset");
    QTest::addColumn<qint64>("seconds");
    QTest::newRow("+10") << "+10" << qint64(36000);
    QTest::newRow("-5") << "-5" << qint64(-18000);
    QTest::newRow("5.5") << "5.5" << qint64(19800);
    QTest::newRow("5.75") << "5.75" << qint64(20700);
    QTest::newRow("blank") << " " << qint64(0);
    QTest::newRow("zero") << "0" << qint64(0);
    QTest::newRow("text") << "GMT" << qint64(0);
    QTest::newRow("held at +48 h") << "1000" << qint64(48 * 3600);
    QTest::newRow("held at -48 h") << "-1000" << qint64(-48 * 3600);
}

void tst_clock::offsetSeconds()
{
    QFETCH(QString, offset);
    QFETCH(qint64, seconds);
    QCOMPARE(ClockText::offsetSeconds(offset), seconds);
}

void tst_clock::localText()
{
    const QDateTime local(QDate(2026, 3, 29), QTime(2, 30, 0));
    QCOMPARE(ClockText::localText(local), QStringLiteral("Local 29 Mar 2026 2:30:00"));
}

void tst_clock::monthNamesIgnoreLocale()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString text = ClockText::format(QDateTime(QDate(2026, 3, 1), QTime(12, 0, 0)));
    QLocale::setDefault(before);
    QCOMPARE(text, QStringLiteral("01 Mar 2026 12:00:00"));
    QCOMPARE(ClockText::format(QDateTime(QDate(2026, 5, 1), QTime(1, 2, 3))),
             QStringLiteral("01 May 2026 1:02:03"));
}

QTEST_GUILESS_MAIN(tst_clock)
#include "tst_clock.moc"
