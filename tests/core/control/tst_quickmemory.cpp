// The main window's quick memory and M>VFOA: what each click sends for the radio state as it
// stands, and the recall button's caption.
#include "common/commandlog.h"
#include "core/control/memorytovfoa.h"
#include "core/control/quickmemory.h"

#include <QTest>

class TestQuickMemory : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void recallCycle();
    void recallOnVfoB();
    void storeBeforeFirstReport();
    void memoryToVfoA_data();
    void memoryToVfoA();
};

void TestQuickMemory::recallCycle()
{
    Radio radio;
    CommandLog log(radio);
    radio.state().VFO = "0";
    QuickMemory qm(radio);
    QCOMPARE(qm.caption(), "Q Mem Recall");

    const char *stores[][2] = {{"3650", "1"}, {"7050.5", "1"}, {"14200", "2"}};
    for (const auto &s : stores) {
        radio.state().Freq = s[0];
        radio.state().Mode = s[1];
        qm.cmdQMIn_Click();
    }
    QCOMPARE(log.take(), QStringList()); // storing sends nothing

    const QList<QPair<QString, QStringList>> recalls {
        {"Q Mem Rec 1", {"FA00014200000;", "MD2;"}}, // the newest
        {"Q Mem Rec 2", {"FA00007050500;", "MD1;"}},
        {"Q Mem Rec 3", {"FA00003650000;", "MD1;"}},
        {"Q Mem Rec 4", {}}, // empty entries
        {"Q Mem Rec 5", {}},
        {"Q Mem Rec 1", {"FA00014200000;", "MD2;"}},
    };
    for (const auto &[caption, commands] : recalls) {
        QCOMPARE(qm.cmdQMRec_Click(), caption);
        QCOMPARE(log.take(), commands);
    }

    // A store does not reset the position; the fifth entry falls out.
    for (const char *freq : {"21300", "24900", "28500"}) {
        radio.state().Freq = freq;
        qm.cmdQMIn_Click();
    }
    QCOMPARE(qm.QMStore[4].freq, "7050.5");
    QCOMPARE(qm.cmdQMRec_Click(), "Q Mem Rec 2");
    QCOMPARE(log.take(), (QStringList {"FA00024900000;", "MD2;"}));
}

void TestQuickMemory::recallOnVfoB()
{
    Radio radio;
    CommandLog log(radio);
    radio.state().Freq = "14195.5";
    radio.state().Mode = "3";
    QuickMemory qm(radio);
    qm.cmdQMIn_Click();
    for (const char *vfo : {"1", "2"}) { // anything but VFO A tunes VFO B
        radio.state().VFO = vfo;
        qm.qmRecallPos = 0;
        qm.cmdQMRec_Click();
        QCOMPARE(log.take(), (QStringList {"FB00014195500;", "MD3;"}));
    }
}

void TestQuickMemory::storeBeforeFirstReport()
{
    // Freq holds no frequency until the radio's first status report: such an entry is kept
    // but recalls nothing.
    Radio radio;
    CommandLog log(radio);
    radio.state().VFO = "0";
    QuickMemory qm(radio);
    qm.cmdQMIn_Click();
    radio.state().Freq.clear();
    qm.cmdQMIn_Click();
    QCOMPARE(qm.cmdQMRec_Click(), "Q Mem Rec 1");
    QCOMPARE(qm.cmdQMRec_Click(), "Q Mem Rec 2");
    QCOMPARE(log.take(), QStringList());
}

void TestQuickMemory::memoryToVfoA_data()
{
    QTest::addColumn<QString>("freq");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("vfo");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("half kilohertz") << "14200.5"
                                    << "2"
                                    << "0" << QStringList {"FA00014200500;", "MD2;"};
    QTest::newRow("on VFO B still A") << "7050"
                                      << "1"
                                      << "1" << QStringList {"FA00007050000;", "MD1;"};
    QTest::newRow("hertz") << "28400.125"
                           << "7"
                           << "2" << QStringList {"FA00028400125;", "MD7;"};
    QTest::newRow("mode not reported") << "7050"
                                       << ""
                                       << "0" << QStringList {"FA00007050000;"};
    QTest::newRow("before first report") << "999999999"
                                         << "2"
                                         << "0" << QStringList();
    QTest::newRow("no frequency") << ""
                                  << "2"
                                  << "0" << QStringList();
    QTest::newRow("zero") << "0"
                          << "2"
                          << "0" << QStringList();
}

void TestQuickMemory::memoryToVfoA()
{
    QFETCH(QString, freq);
    QFETCH(QString, mode);
    QFETCH(QString, vfo);
    QFETCH(QStringList, expected);

    Radio radio;
    CommandLog log(radio);
    radio.state().Freq = freq;
    radio.state().Mode = mode;
    radio.state().VFO = vfo;
    QCOMPARE(CmdMemtoFreq_Click(radio), !expected.isEmpty());
    QCOMPARE(log.commands, expected);
}

QTEST_GUILESS_MAIN(TestQuickMemory)
#include "tst_quickmemory.moc"
