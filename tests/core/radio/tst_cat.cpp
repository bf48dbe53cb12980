// The protocol's number rule, text forms and command layouts.
#include "core/radio/cat.h"
#include "core/radio/cattables.h"
#include "core/radio/cellrules.h"

#include <QTest>

class TestCat : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readNumber_data();
    void readNumber();
    void readDecimal_data();
    void readDecimal();
    void khzText_data();
    void khzText();
    void formats_data();
    void formats();
    void frequencyCommand_data();
    void frequencyCommand();
    void otherCommands_data();
    void otherCommands();
    void modeTable();
    void toneTable();
    void filterTable_data();
    void filterTable();
    void startupList();
    void typedCells_data();
    void typedCells();
};

void TestCat::readNumber_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<qint64>("value");
    QTest::newRow("digits") << "00014200000" << qint64(14200000);
    QTest::newRow("trailing blank ends nothing") << "0014200000 " << qint64(14200000);
    QTest::newRow("leading blanks") << "   42" << qint64(42);
    QTest::newRow("inner blank skipped") << "1 2" << qint64(12);
    QTest::newRow("plus sign") << "+0150" << qint64(150);
    QTest::newRow("minus sign") << "-0200" << qint64(-200);
    QTest::newRow("stops at letter") << "12abc" << qint64(12);
    QTest::newRow("stops at point") << "12.5" << qint64(12);
    QTest::newRow("empty") << "" << qint64(0);
    QTest::newRow("letters only") << "abc" << qint64(0);
    QTest::newRow("sign only") << "-" << qint64(0);
    QTest::newRow("second sign ends") << "+-5" << qint64(0);
    QTest::newRow("huge does not overflow")
        << "99999999999999999999999" << qint64(999999999999999999);
}

void TestCat::readNumber()
{
    QFETCH(QString, field);
    QFETCH(qint64, value);
    QCOMPARE(Cat::readNumber(field), value);
}

void TestCat::readDecimal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("fraction") << "5.5" << 5.5;
    QTest::newRow("plus ten") << "+10" << 10.0;
    QTest::newRow("minus five") << "-5" << -5.0;
    QTest::newRow("kilohertz") << "14200.5" << 14200.5;
    QTest::newRow("blank") << " " << 0.0;
    QTest::newRow("text") << "GMT" << 0.0;
    QTest::newRow("second point ends") << "1.2.3" << 1.2;
}

void TestCat::readDecimal()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(Cat::readDecimal(text), value);
}

void TestCat::khzText_data()
{
    QTest::addColumn<qint64>("hz");
    QTest::addColumn<QString>("khz");
    QTest::newRow("whole") << qint64(14200000) << "14200";
    QTest::newRow("half") << qint64(7050500) << "7050.5";
    QTest::newRow("ten hertz") << qint64(14200010) << "14200.01";
    QTest::newRow("one hertz") << qint64(1) << "0.001";
    QTest::newRow("offset") << qint64(150) << "0.15";
    QTest::newRow("negative offset") << qint64(-200) << "-0.2";
    QTest::newRow("zero") << qint64(0) << "0";
    QTest::newRow("start value") << qint64(999999999000) << "999999999";
}

void TestCat::khzText()
{
    QFETCH(qint64, hz);
    QFETCH(QString, khz);
    QCOMPARE(Cat::khzText(hz), khz);
    QCOMPARE(Cat::khzToHz(khz), hz);
}

void TestCat::formats_data()
{
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("expected");
    QTest::newRow("freq grouped") << Cat::formatFreq(14200.01) << "14,200.010";
    QTest::newRow("freq small") << Cat::formatFreq(7049.75) << "7,049.750";
    QTest::newRow("freq below 1 kHz") << Cat::formatFreq(0.5) << ".500";
    QTest::newRow("freq millions") << Cat::formatFreq(999999.999) << "999,999.999";
    QTest::newRow("freq from hz") << Cat::formatFreqHz(14200150) << "14,200.150";
    QTest::newRow("offset") << Cat::formatOffset(0.15) << "0.150";
    QTest::newRow("offset negative") << Cat::formatOffset(-0.2) << "-0.200";
    QTest::newRow("offset zero") << Cat::formatOffset(0) << "0.000";
    QTest::newRow("level") << Cat::formatLevel(86) << "86";
    QTest::newRow("level zero is empty") << Cat::formatLevel(0) << "";
    QTest::newRow("if shift zero") << Cat::formatIfShift(0) << "000";
    QTest::newRow("if shift 50") << Cat::formatIfShift(50) << "050";
    QTest::newRow("if shift negative") << Cat::formatIfShift(-200) << "-200";
    QTest::newRow("if shift grouped") << Cat::formatIfShift(1100) << "1,100";
    QTest::newRow("cell") << Cat::khzCell(14'200'000) << "14,200";
    QTest::newRow("cell keeps its hertz") << Cat::khzCell(7'050'500) << "7,050.5";
    QTest::newRow("cell below 1 kHz") << Cat::khzCell(125) << "0.125";
}

void TestCat::formats()
{
    QFETCH(QString, actual);
    QFETCH(QString, expected);
    QCOMPARE(actual, expected);
}

void TestCat::frequencyCommand_data()
{
    QTest::addColumn<char>("vfo");
    QTest::addColumn<qint64>("hz");
    QTest::addColumn<QByteArray>("command");
    QTest::newRow("A") << 'A' << qint64(14200010) << QByteArray("FA00014200010;");
    QTest::newRow("B") << 'B' << qint64(7050500) << QByteArray("FB00007050500;");
    QTest::newRow("zero") << 'A' << qint64(0) << QByteArray("FA00000000000;");
    QTest::newRow("eleven digits") << 'A' << Cat::MaxFrequencyHz << QByteArray("FA99999999999;");
    QTest::newRow("twelve digits refused") << 'A' << qint64(999999999000) << QByteArray();
    QTest::newRow("negative refused") << 'B' << qint64(-10) << QByteArray();
    QTest::newRow("bad vfo refused") << 'C' << qint64(10) << QByteArray();
}

void TestCat::frequencyCommand()
{
    QFETCH(char, vfo);
    QFETCH(qint64, hz);
    QFETCH(QByteArray, command);
    QCOMPARE(Cat::setFrequency(vfo, hz).value_or(QByteArray()), command);
}

void TestCat::otherCommands_data()
{
    QTest::addColumn<QByteArray>("actual");
    QTest::addColumn<QByteArray>("expected");
    auto v = [](const std::optional<QByteArray> &c) { return c.value_or(QByteArray("<refused>")); };
    QTest::newRow("AG") << v(Cat::setLevel("AG", 7, 3)) << QByteArray("AG007;");
    QTest::newRow("SH") << v(Cat::setLevel("SH", 12, 2)) << QByteArray("SH12;");
    QTest::newRow("VD") << v(Cat::setLevel("VD", 50, 4)) << QByteArray("VD0050;");
    QTest::newRow("level too wide") << v(Cat::setLevel("AG", 1000, 3)) << QByteArray("<refused>");
    QTest::newRow("level negative") << v(Cat::setLevel("AG", -1, 3)) << QByteArray("<refused>");
    QTest::newRow("IS minus") << v(Cat::setIfShift(-100)) << QByteArray("IS-0100;");
    QTest::newRow("IS zero") << v(Cat::setIfShift(0)) << QByteArray("IS+0000;");
    QTest::newRow("IS ends") << v(Cat::setIfShift(1100)) << QByteArray("IS+1100;");
    QTest::newRow("MD") << Cat::setMode('9') << QByteArray("MD9;");
    QTest::newRow("FW") << Cat::setFilterWidth("0050") << QByteArray("FW0050;");
    QTest::newRow("TN") << v(Cat::selectTone(2)) << QByteArray("TN02;");
    QTest::newRow("TN refused") << v(Cat::selectTone(0)) << QByteArray("<refused>");
    QTest::newRow("MR receive") << v(Cat::readMemory(0, 5)) << QByteArray("MR0 05;");
    QTest::newRow("MR transmit") << v(Cat::readMemory(1, 99)) << QByteArray("MR1 99;");
    QTest::newRow("MR refused") << v(Cat::readMemory(0, 100)) << QByteArray("<refused>");
    QTest::newRow("MC") << v(Cat::selectMemory(0)) << QByteArray("MC 00;");
    Cat::MemoryChannel m;
    m.side = 0;
    m.channel = 7;
    m.hz = 14200000;
    m.mode = '2';
    m.toneOn = '1';
    m.toneNumber = 12;
    QTest::newRow("MW") << v(Cat::writeMemory(m)) << QByteArray("MW0 070001420000020112 ;");
    m.hz = -1;
    QTest::newRow("MW refused") << v(Cat::writeMemory(m)) << QByteArray("<refused>");
    QTest::newRow("query") << Cat::query("IF") << QByteArray("IF;");
}

void TestCat::otherCommands()
{
    QFETCH(QByteArray, actual);
    QFETCH(QByteArray, expected);
    QCOMPARE(actual, expected);
}

void TestCat::modeTable()
{
    QCOMPARE(Cat::modeName(QLatin1Char('0')), QStringLiteral("None"));
    QCOMPARE(Cat::modeName(QLatin1Char('8')), QStringLiteral("None"));
    QCOMPARE(Cat::modeName(QLatin1Char('9')), QStringLiteral("FSK-R"));
    QCOMPARE(Cat::modeName(QLatin1Char('x')), QString());
    QCOMPARE(Cat::modeCellName(QLatin1Char('0')), QStringLiteral(" "));
    QCOMPARE(Cat::modeCellName(QLatin1Char('3')), QStringLiteral("CW"));
    // Every name a button sends maps back to its digit; "None" has no digit to send.
    const QByteArray digits = "12345679";
    const QStringList names = Cat::modeNames();
    QCOMPARE(names.size(), digits.size());
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(Cat::modeDigit(names.at(i)).value_or('?'), digits.at(i));
    QVERIFY(!Cat::modeDigit(QStringLiteral("None")));
}

void TestCat::toneTable()
{
    QCOMPARE(Cat::toneText(1), QStringLiteral("67.0"));
    QCOMPARE(Cat::toneText(12), QStringLiteral("100.0"));
    QCOMPARE(Cat::toneText(39), QStringLiteral("1750"));
    QCOMPARE(Cat::toneText(0), QString());
    QCOMPARE(Cat::toneText(40), QString());
    for (int n = 1; n <= Cat::ToneCount; ++n)
        QCOMPARE(Cat::toneNumber(Cat::toneText(n)).value_or(0), n);
    QVERIFY(!Cat::toneNumber(QStringLiteral("Off")));
}

void TestCat::filterTable_data()
{
    QTest::addColumn<QChar>("mode");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("CW 50") << QChar('3') << "0050"
                           << "50 Hz";
    QTest::newRow("CW-R 2000") << QChar('7') << "2000"
                               << "2000 Hz";
    QTest::newRow("FSK 250") << QChar('6') << "0250"
                             << "250 Hz";
    QTest::newRow("FSK-R 1500") << QChar('9') << "1500"
                                << "1500 Hz";
    QTest::newRow("AM wide") << QChar('5') << "0001"
                             << "WIDE";
    QTest::newRow("USB narrow") << QChar('2') << "0000"
                                << "NARROW";
    QTest::newRow("AM with a CW code") << QChar('5') << "0050"
                                       << "";
    QTest::newRow("FSK with a CW-only code") << QChar('6') << "0050"
                                             << "";
    QTest::newRow("no mode") << QChar('0') << "0000"
                             << "";
}

void TestCat::filterTable()
{
    QFETCH(QChar, mode);
    QFETCH(QString, code);
    QFETCH(QString, text);
    QCOMPARE(Cat::filterReplyText(mode, code), text);
}

void TestCat::startupList()
{
    const auto list = Cat::startupCommands();
    int queries = 0;
    while (list[queries] != QLatin1String(" "))
        ++queries;
    QCOMPARE(queries, 38);
    QCOMPARE(list[0], QStringLiteral("IF;"));
    QCOMPARE(list[37], QStringLiteral("IF;"));
    for (int i = 39; i < Cat::StartupListSize; ++i)
        QVERIFY(list[i].isEmpty());
}

void TestCat::typedCells_data()
{
    using Rule = CellRules::Rule;
    QTest::addColumn<Rule>("rule");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("verdict"); // "store", "refuse" or "ask"
    QTest::addColumn<QString>("text"); // stored; or what the message or question holds
    const auto row = [](const char *name, Rule rule, const char *typed, const char *verdict,
                        const char *text) {
        QTest::newRow(name) << rule << QString::fromUtf8(typed) << QString::fromUtf8(verdict)
                            << QString::fromUtf8(text);
    };
    row("kHz kept as typed", Rule::RadioFrequency, " 14195.5 ", "store", "14195.5");
    row("highest", Rule::RadioFrequency, "60000", "store", "60000");
    row("blank", Rule::RadioFrequency, "", "store", " ");
    row("MHz by habit", Rule::RadioFrequency, "7.050", "ask",
        "Frequencies are in kHz: use 7,050 kHz?");
    row("MHz, half kHz", Rule::RadioFrequency, "14.1955", "ask", "use 14,195.5 kHz?");
    row("text", Rule::RadioFrequency, "abc", "refuse",
        "FreqMain takes a number of kilohertz from 30 to 60,000");
    row("negative", Rule::RadioFrequency, "-5", "refuse", "\"-5\" is not one");
    row("above the radio", Rule::RadioFrequency, "60000.001", "refuse", "60,000");
    row("too low even in MHz", Rule::RadioFrequency, "0.01", "refuse", "30");
    row("step 0", Rule::ScanStep, "0", "refuse", "above 0");
    row("pause too long", Rule::ScanPause, "33", "refuse", "32.767");
    row("log MHz", Rule::LogFrequency, "14.2", "ask", "use 14,200 kHz?");
    row("log blank", Rule::LogFrequency, " ", "store", "");
    row("call sign", Rule::CallSign, " dl1abc/p ", "store", "DL1ABC/P");
}

void TestCat::typedCells()
{
    QFETCH(CellRules::Rule, rule);
    QFETCH(QString, typed);
    QFETCH(QString, verdict);
    QFETCH(QString, text);
    const CellRules::Verdict got = CellRules::check(rule, QStringLiteral("FreqMain"), typed);
    const QString kind = got.kind == CellRules::Verdict::Kind::Store ? QStringLiteral("store")
        : got.kind == CellRules::Verdict::Kind::Ask                  ? QStringLiteral("ask")
                                                                     : QStringLiteral("refuse");
    QCOMPARE(kind, verdict);
    if (verdict == QLatin1String("store"))
        QCOMPARE(got.text, text);
    else
        QVERIFY2(got.text.contains(text), qPrintable(got.text));
    if (verdict == QLatin1String("ask"))
        QCOMPARE(CellRules::check(rule, QStringLiteral("FreqMain"), got.answer).kind,
                 CellRules::Verdict::Kind::Store);
}

QTEST_GUILESS_MAIN(TestCat)
#include "tst_cat.moc"
