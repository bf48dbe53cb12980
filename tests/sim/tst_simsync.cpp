// The program's whole start-up synchronisation over the simulated radio's pseudo-terminal.
#include "core/radio/radio.h"
#include "sim/simptyserver.h"

#include <QTest>

Q_DECLARE_METATYPE(SimOptions)

namespace {

SimOptions with(void (*change)(SimOptions &))
{
    SimOptions o;
    change(o);
    return o;
}

constexpr int SyncTimeoutMs = 15000;

} // namespace

class TestSimSync : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void synchronise_data();
    void synchronise();
    void synchroniseSurvivesNoise();
    void reportsFollowCommands();

private:
    static bool connectRadio(Radio &radio, SimPtyServer &server);
};

bool TestSimSync::connectRadio(Radio &radio, SimPtyServer &server)
{
    return server.start() && radio.MSComm1().setCommPort(server.devicePath())
        && radio.MSComm1().setPortOpen(true);
}

void TestSimSync::synchronise_data()
{
    QTest::addColumn<SimOptions>("options");
    QTest::addColumn<QByteArray>("radioSetup"); // applied on the radio's front panel first
    QTest::addColumn<QString>("freq");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("vfo");
    QTest::addColumn<QString>("vfoB");
    QTest::addColumn<QString>("power");
    QTest::addColumn<QString>("agc");

    QTest::newRow("factory state") << SimOptions() << QByteArray() << "14200"
                                   << "2"
                                   << "0"
                                   << "7050"
                                   << "100"
                                   << "004";
    QTest::newRow("operator's settings")
        << SimOptions() << QByteArray("FA00007012340;FB00021074000;MD3;PC050;GT002;") << "7012.34"
        << "3"
        << "0"
        << "21074"
        << "050"
        << "002";
    QTest::newRow("VFO B, split") << SimOptions() << QByteArray("FR1;FT0;MD1;") << "7050"
                                  << "1"
                                  << "1"
                                  << "7050"
                                  << "100"
                                  << "004";
    QTest::newRow("memory 10") << SimOptions() << QByteArray("MC 10;FR2;") << "29620"
                               << "4"
                               << "2"
                               << "7050"
                               << "100"
                               << "004";
    QTest::newRow("replies split")
        << with([](SimOptions &o) { o.splitReplies = true; }) << QByteArray() << "14200"
        << "2"
        << "0"
        << "7050"
        << "100"
        << "004";
    QTest::newRow("replies merged")
        << with([](SimOptions &o) { o.mergeReplies = true; }) << QByteArray() << "14200"
        << "2"
        << "0"
        << "7050"
        << "100"
        << "004";
    QTest::newRow("replies late") << with([](SimOptions &o) { o.lateMs = 5; }) << QByteArray()
                                  << "14200"
                                  << "2"
                                  << "0"
                                  << "7050"
                                  << "100"
                                  << "004";
    QTest::newRow("9600 baud") << with([](SimOptions &o) { o.baud = 9600; }) << QByteArray()
                               << "14200"
                               << "2"
                               << "0"
                               << "7050"
                               << "100"
                               << "004";
}

void TestSimSync::synchronise()
{
    QFETCH(SimOptions, options);
    QFETCH(QByteArray, radioSetup);

    SimPtyServer server(options);
    QCOMPARE(server.radio().handle(radioSetup), QByteArray());
    Radio radio;
    QVERIFY2(connectRadio(radio, server), qPrintable(radio.MSComm1().lastError()));
    radio.Synchronise();
    QCOMPARE(radio.state().StartupLoading, QStringLiteral("1"));
    QTRY_COMPARE_WITH_TIMEOUT(radio.state().StartupLoading, QStringLiteral("0"), SyncTimeoutMs);

    const RadioState &s = radio.state();
    QTEST(s.Freq, "freq");
    QTEST(s.Mode, "mode");
    QTEST(s.VFO, "vfo");
    QTEST(s.VFOBFreq, "vfoB");
    QTEST(s.PCValue, "power");
    QTEST(s.AGCOn, "agc");
    QCOMPARE(s.Split, server.radio().split() ? QStringLiteral("1") : QStringLiteral("0"));
    QCOMPARE(s.ToneNum, QStringLiteral("%1").arg(server.radio().setting("TN"), 2, 10, QChar('0')));
    QCOMPARE(s.MGValue, QStringLiteral("050"));
    QCOMPARE(s.KSValue, QStringLiteral("020"));
    QCOMPARE(s.VGValue, QStringLiteral("004"));
    QCOMPARE(s.VDValue, QStringLiteral("0300"));
    QCOMPARE(s.SQValue, QStringLiteral("000"));
    QCOMPARE(s.AntNum, QStringLiteral("1"));
    QCOMPARE(s.PreAmpOn, QStringLiteral("1"));
    QCOMPARE(s.PowerOn, QStringLiteral("1"));
    QCOMPARE(s.AttOn, QStringLiteral("00"));
    QCOMPARE(s.NRMode, QStringLiteral("0"));
    QCOMPARE(s.ATState, QStringLiteral("0"));
    QCOMPARE(s.FilterWidth, QString::fromLatin1(server.radio().filterWidth()));
    // Every query was understood, and automatic reports are on afterwards.
    QCOMPARE(server.radio().refusedCount(), 0);
    QCOMPARE(server.radio().autoInformation(), 3);
}

void TestSimSync::synchroniseSurvivesNoise()
{
    SimOptions options;
    options.noise = true;
    SimPtyServer server(options);
    Radio radio;
    QVERIFY(connectRadio(radio, server));
    radio.Synchronise();
    // Stray bytes spoil some replies; the list still runs to its end.
    QTRY_COMPARE_WITH_TIMEOUT(radio.state().StartupLoading, QStringLiteral("0"), SyncTimeoutMs);
    QCOMPARE(server.radio().autoInformation(), 3);
}

void TestSimSync::reportsFollowCommands()
{
    SimPtyServer server {SimOptions()};
    Radio radio;
    QVERIFY(connectRadio(radio, server));
    radio.Synchronise();
    QTRY_COMPARE_WITH_TIMEOUT(radio.state().StartupLoading, QStringLiteral("0"), SyncTimeoutMs);

    // With automatic reports on, a change shows without being asked for.
    radio.send(QByteArray("FA00014250000;"));
    QTRY_COMPARE(radio.state().Freq, QStringLiteral("14250"));
    QTRY_COMPARE(radio.state().VFOAFreq, QStringLiteral("14250"));
    radio.send(QByteArray("MD3;"));
    QTRY_COMPARE(radio.state().Mode, QStringLiteral("3"));
    radio.send(QByteArray("NB1;"));
    QTRY_COMPARE(radio.state().NBOn, QStringLiteral("1"));
    radio.send(QByteArray("FR2;"));
    QTRY_COMPARE(radio.state().VFO, QStringLiteral("2"));
    QCOMPARE(radio.state().Freq, QStringLiteral("3650"));
}

QTEST_GUILESS_MAIN(TestSimSync)
#include "tst_simsync.moc"
