// The simulated radio's memory file: its text both ways, bad files refused with the line named,
// and the store that keeps a running radio's channels in it.
#include "sim/ptyclient.h"
#include "sim/simmemoryfile.h"
#include "sim/simmemorystore.h"
#include "sim/simptyserver.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

} // namespace

class TestSimMemoryFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void textRoundTrip();
    void goodText_data();
    void goodText();
    void badText_data();
    void badText();
    void files_data();
    void files();
    void saveReplacesWholeFile();
    void storeFollowsWrites();
};

void TestSimMemoryFile::textRoundTrip()
{
    for (const SimMemoryBank &bank : {SimMemory::factoryChannels(), SimMemoryBank {}}) {
        const QByteArray text = SimMemoryFile::toText(bank);
        QString error;
        const auto back = SimMemoryFile::fromText(text, &error);
        QVERIFY2(back, qPrintable(error));
        QVERIFY(*back == bank);
    }
    // One line a programmed side: the factory radio has ten channels, two of them with a
    // transmit side.
    const QByteArray text = SimMemoryFile::toText(SimMemory::factoryChannels());
    QCOMPARE(text.count("\nMW0 "), 10);
    QCOMPARE(text.count("\nMW1 "), 2);
    QVERIFY(text.contains("\nMW0 100002962000040108 ;\nMW1 100002952000040108 ;\n"));
}

void TestSimMemoryFile::goodText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("channel");
    QTest::addColumn<qint64>("receiveHz");
    QTest::addColumn<qint64>("transmitHz");

    QTest::newRow("nothing") << QByteArray() << 0 << qint64(0) << qint64(0);
    QTest::newRow("comments and blank lines")
        << QByteArray("# mine\n\n  \nMW0 070001407000060000 ;\n") << 7 << qint64(14'070'000)
        << qint64(0);
    QTest::newRow("line ends of another system, no final blank")
        << QByteArray("MW0 990002850000020000;\r\nMW1 990002860000020000 ;\r\n") << 99
        << qint64(28'500'000) << qint64(28'600'000);
    QTest::newRow("later line wins")
        << QByteArray("MW0 010000705000010000 ;\nMW0 010000710000010000 ;") << 1
        << qint64(7'100'000) << qint64(0);
    QTest::newRow("zero empties") << QByteArray(
        "MW0 010000705000010000 ;\nMW0 010000000000000000 ;")
                                  << 1 << qint64(0) << qint64(0);
}

void TestSimMemoryFile::goodText()
{
    QFETCH(QByteArray, text);
    QFETCH(int, channel);
    QFETCH(qint64, receiveHz);
    QFETCH(qint64, transmitHz);
    QString error;
    const auto bank = SimMemoryFile::fromText(text, &error);
    QVERIFY2(bank, qPrintable(error));
    QCOMPARE((*bank)[channel].receive.hz, receiveHz);
    QCOMPARE((*bank)[channel].transmit.hz, transmitHz);
}

void TestSimMemoryFile::badText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("named"); // in the message

    QTest::newRow("a read, not a write") << QByteArray("MR0 00;") << "line 1 ";
    QTest::newRow("third line bad")
        << QByteArray("# x\nMW0 010000705000010000 ;\nMW2 010000705000010000 ;\n") << "line 3 ";
    QTest::newRow("no terminator") << QByteArray("MW0 010000705000010000 ") << "line 1 ";
    QTest::newRow("too few digits") << QByteArray("MW0 01000070500001000 ;") << "line 1 ";
    QTest::newRow("beyond the radio's range")
        << QByteArray("MW0 010009900000010000 ;") << "line 1 ";
    QTest::newRow("tone 40") << QByteArray("MW0 010000705000010140 ;") << "line 1 ";
    QTest::newRow("mode 8") << QByteArray("MW0 010000705000080000 ;") << "line 1 ";
    QTest::newRow("binary") << QByteArray("\x01\x02\xff;\n") << "line 1 ";
    QTest::newRow("long junk shown short") << QByteArray(5000, 'x') << "xxx...";
}

void TestSimMemoryFile::badText()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, named);
    QString error;
    QVERIFY(!SimMemoryFile::fromText(text, &error));
    QVERIFY2(error.contains(named), qPrintable(error));
    QVERIFY(error.size() < 200);
}

void TestSimMemoryFile::files_data()
{
    QTest::addColumn<QByteArray>("contents"); // "<dir>": a folder stands there; "<none>": nothing
    QTest::addColumn<bool>("loads");
    QTest::addColumn<int>("programmed");

    QTest::newRow("missing: empty radio") << QByteArray("<none>") << true << 0;
    QTest::newRow("empty file") << QByteArray() << true << 0;
    QTest::newRow("two channels") << QByteArray(
        "MW0 010000705000010000 ;\nMW0 020001420000020000 ;\n")
                                  << true << 2;
    QTest::newRow("malformed") << QByteArray("hello\n") << false << 0;
    QTest::newRow("a folder") << QByteArray("<dir>") << false << 0;
    QTest::newRow("too large") << QByteArray(SimMemoryFile::MaxBytes + 1, '#') << false << 0;
}

void TestSimMemoryFile::files()
{
    QFETCH(QByteArray, contents);
    QFETCH(bool, loads);
    QFETCH(int, programmed);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("memory.txt"));
    if (contents == "<dir>")
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("memory.txt")));
    else if (contents != "<none>")
        QVERIFY(writeAll(path, contents));

    QString error;
    const auto bank = SimMemoryFile::load(path, &error);
    QCOMPARE(bool(bank), loads);
    if (!bank) {
        QVERIFY2(error.startsWith(path + QStringLiteral(": ")), qPrintable(error));
        return;
    }
    QCOMPARE(std::count_if(bank->begin(), bank->end(),
                           [](const SimMemoryChannel &c) { return !c.isEmpty(); }),
             programmed);
}

void TestSimMemoryFile::saveReplacesWholeFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("memory.txt"));
    QVERIFY(writeAll(path, QByteArray(3000, '#')));
    QString error;
    QVERIFY2(SimMemoryFile::save(path, SimMemory::factoryChannels(), &error), qPrintable(error));
    QCOMPARE(readAll(path), SimMemoryFile::toText(SimMemory::factoryChannels()));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1); // no leftovers

    const QString nowhere = dir.filePath(QStringLiteral("no/such/folder/memory.txt"));
    QVERIFY(!SimMemoryFile::save(nowhere, SimMemoryBank {}, &error));
    QVERIFY2(error.startsWith(nowhere), qPrintable(error));
}

void TestSimMemoryFile::storeFollowsWrites()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("memory.txt"));
    QVERIFY(writeAll(path, "MW0 030002130000020000 ;\n"));

    SimPtyServer server {SimOptions()};
    SimMemoryStore store(server, path, 10);
    QVERIFY2(store.load(), qPrintable(store.errorString()));
    QVERIFY(server.radio().channel(0).isEmpty()); // the file's channels replace the factory's
    QCOMPARE(server.radio().channel(3).receive.hz, 21'300'000);
    QVERIFY(server.start());

    // Reads and unchanged writes do not touch the file; a changing write is saved.
    PtyClient client(server.devicePath());
    QVERIFY(client.write("MR0 03;MW0 030002130000020000 ;ID;"));
    QTRY_VERIFY(client.data.endsWith("ID017;"));
    QTest::qWait(30);
    QCOMPARE(readAll(path), QByteArray("MW0 030002130000020000 ;\n"));
    QVERIFY(client.write("MW1 030002140000020000 ;MW0 030002130000020000 ;"));
    QTRY_VERIFY(readAll(path).contains("MW1 030002140000020000 ;"));

    // The next run reads back what this one stored.
    SimPtyServer next {SimOptions()};
    SimMemoryStore nextStore(next, path, 10);
    QVERIFY(nextStore.load());
    QCOMPARE(next.radio().handle("MR1 03;"), QByteArray("MR1 030002140000020000 ;"));
    QVERIFY(nextStore.save()); // unchanged: nothing to do
}

QTEST_GUILESS_MAIN(TestSimMemoryFile)
#include "tst_simmemoryfile.moc"
