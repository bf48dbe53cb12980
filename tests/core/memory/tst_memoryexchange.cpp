// Mem>VFO and VFO>Mem: the commands a row sends for each VFO, and the row the radio's state
// makes.
#include "core/memory/memoryexchange.h"
#include "core/radio/radiostate.h"

#include <QTest>

class TestMemoryExchange : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void memoryToVfo_data();
    void memoryToVfo();
    void vfoToMemory_data();
    void vfoToMemory();
};

namespace {

MemoryRow row(const char *main, const char *split, const char *mode)
{
    return MemoryRow {"14", main, split, mode, "88.5", "club net", "A"};
}

QByteArrayList commands(const char *text)
{
    // "FA00014200000;|FA;" -> two commands
    return QByteArray(text).split('|');
}

} // namespace

void TestMemoryExchange::memoryToVfo_data()
{
    QTest::addColumn<QString>("vfo");
    QTest::addColumn<MemoryRow>("row");
    QTest::addColumn<QByteArrayList>("expected");
    QTest::addColumn<QStringList>("undefined");

    QTest::newRow("A with split") << "0" << row("14,200", "14,250", "USB")
                                  << commands("FA00014200000;|FA;|FB00014250000;|FB;|FT1;|MD2;|MD;")
                                  << QStringList();
    QTest::newRow("A without split")
        << "0" << row("7,050", " ", "LSB") << commands("FA00007050000;|FA;|FT0;|MD1;|MD;")
        << QStringList();
    QTest::newRow("B with split") << "1" << row("14,200", "14,250", "USB")
                                  << commands("FB00014200000;|FB;|FA00014250000;|FA;|FT0;|MD2;|MD;")
                                  << QStringList();
    QTest::newRow("B without split")
        << "1" << row("14,200", " ", "USB") << commands("FB00014200000;|FB;|FT1;|MD2;|MD;")
        << QStringList();
    QTest::newRow("empty receive frequency")
        << "0" << row(" ", "14,250", " ") << commands("FB00014250000;|FB;|FT1;|MD0;|MD;")
        << QStringList();
    QTest::newRow("hertz kept") << "0" << row("14,195.5", " ", "CW")
                                << commands("FA00014195500;|FA;|FT0;|MD3;|MD;") << QStringList();
    QTest::newRow("memory mode: only the mode")
        << "2" << row("14,200", "14,250", "FSK-R") << commands("MD9;|MD;") << QStringList();
    QTest::newRow("junk cells sent as empty")
        << "0" << row("fourteen", " ", "usb") << commands("FT0;|MD0;|MD;")
        << QStringList {"FreqMain", "Mode"};
}

void TestMemoryExchange::memoryToVfo()
{
    QFETCH(QString, vfo);
    QFETCH(MemoryRow, row);
    QFETCH(QByteArrayList, expected);
    QFETCH(QStringList, undefined);

    const MemoryToVfo got = ::memoryToVfo(row, vfo);
    QCOMPARE(got.commands, expected);
    QCOMPARE(got.undefinedCells, undefined);
}

void TestMemoryExchange::vfoToMemory_data()
{
    QTest::addColumn<RadioState>("state");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QString>("freqMain");
    QTest::addColumn<QString>("freqSplit");
    QTest::addColumn<QString>("mode");

    auto state = [](const char *freq, const char *split, const char *vfo, const char *mode) {
        RadioState s;
        s.Freq = freq;
        s.Split = split;
        s.VFO = vfo;
        s.Mode = mode;
        s.VFOAFreq = "14195.5";
        s.VFOBFreq = "14225";
        return s;
    };
    // The row before holds 3,650 / 3,700 / AM.
    QTest::newRow("split off") << state("7050", "0", "0", "1") << true << "7,050"
                               << " "
                               << "LSB";
    QTest::newRow("split on A") << state("14195.5", "1", "0", "2") << true << "14,195.5"
                                << "14,225"
                                << "USB";
    QTest::newRow("split on B") << state("14225", "1", "1", "2") << true << "14,225"
                                << "14,195.5"
                                << "USB";
    QTest::newRow("split in memory mode") << state("14225", "1", "2", "3") << true << "14,225"
                                          << "3,700"
                                          << "CW";
    QTest::newRow("hertz kept") << state("28400.125", "0", "0", "7") << true << "28,400.125"
                                << " "
                                << "CW-R";
    QTest::newRow("mode 0") << state("7050", "0", "0", "0") << true << "7,050"
                            << " "
                            << " ";
    QTest::newRow("mode 8") << state("7050", "0", "0", "8") << true << "7,050"
                            << " "
                            << " ";
    QTest::newRow("mode unknown") << state("7050", "0", "0", "x") << true << "7,050"
                                  << " "
                                  << "AM";
    QTest::newRow("mode not reported") << state("7050", "0", "0", "") << true << "7,050"
                                       << " "
                                       << "AM";
    QTest::newRow("before first report") << state("999999999", "0", "0", "2") << false << ""
                                         << ""
                                         << "";
    QTest::newRow("no frequency") << state("", "0", "0", "2") << false << ""
                                  << ""
                                  << "";
}

void TestMemoryExchange::vfoToMemory()
{
    QFETCH(RadioState, state);
    QFETCH(bool, stored);
    QFETCH(QString, freqMain);
    QFETCH(QString, freqSplit);
    QFETCH(QString, mode);

    const MemoryRow before {"14", "3,650", "3,700", "AM", "88.5", "club net", "A"};
    const std::optional<MemoryRow> got = ::vfoToMemory(before, state);
    QCOMPARE(got.has_value(), stored);
    if (!got)
        return;
    MemoryRow expected = before; // Mem, Tone, Description and Scan stay
    expected.FreqMain = freqMain;
    expected.FreqSplit = freqSplit;
    expected.Mode = mode;
    QCOMPARE(*got, expected);
}

QTEST_GUILESS_MAIN(TestMemoryExchange)
#include "tst_memoryexchange.moc"
