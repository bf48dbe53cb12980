// The settings file: where it lives, values written by hand, the earlier version's file, and
// agreement with scripts/stored-port.sh, which scripts/run.sh asks for the stored port.
#include "common/settingsfiles.h"
#include "core/radio/commport.h"
#include "core/settings/settingsstore.h"
#include "ui/main/portstartup.h"
#include "ui/settings/frmproperties.h"

#include <QComboBox>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString configFolder()
{
    return qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Vantelo");
}

// What scripts/stored-port.sh prints, or "<none>" when it reports that no port is stored.
QString scriptPort()
{
    QProcess script;
    script.start(QStringLiteral("sh"),
                 {QStringLiteral(VANTELO_SOURCE_DIR "/scripts/stored-port.sh")});
    if (!script.waitForFinished(10000) || script.exitStatus() != QProcess::NormalExit)
        return QStringLiteral("<script failed>");
    const QString out = QString::fromUtf8(script.readAllStandardOutput());
    if (script.exitCode() == 1 && out.isEmpty())
        return QStringLiteral("<none>");
    if (script.exitCode() != 0 || !out.endsWith(QLatin1Char('\n')))
        return QStringLiteral("<exit %1: %2>").arg(script.exitCode()).arg(out);
    return out.chopped(1);
}

QString stored(const char *key)
{
    return SettingsStore::get(QLatin1String(key), QStringLiteral("<none>"));
}

} // namespace

class tst_SettingsStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();

    void fileIsVanteloConf();
    void propertiesAndRunScriptAgree_data();
    void propertiesAndRunScriptAgree();
    void handWrittenPortFound_data();
    void handWrittenPortFound();
    void handWrittenFileObeyed_data();
    void handWrittenFileObeyed();
    void everyKeyReadWhole();
    void unusableValuesToldOnce_data();
    void unusableValuesToldOnce();
    void writtenValuesReadByEarlierVersions_data();
    void writtenValuesReadByEarlierVersions();
    void earlierFileCarriedOverOnce();

private:
    QTemporaryDir m_config;
};

void tst_SettingsStore::initTestCase()
{
    // Run by hand, outside ctest, the test still never touches the operator's own settings.
    if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"))
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
}

void tst_SettingsStore::init()
{
    SettingsFiles::clear();
}

void tst_SettingsStore::fileIsVanteloConf()
{
    SettingsStore::save(QStringLiteral("GMTOffset"), QStringLiteral("+2"));
    const QString conf = configFolder() + QStringLiteral("/Vantelo.conf");
    QCOMPARE(SettingsStore::filePath(), conf);
    QCOMPARE(QDir(configFolder()).entryList(QDir::Files), QStringList {"Vantelo.conf"});
    QCOMPARE(QSettings(conf, QSettings::IniFormat).childGroups(), QStringList {"Properties"});
    QCOMPARE(QSettings(conf, QSettings::IniFormat).value("Properties/GMTOffset").toString(),
             QStringLiteral("+2"));
}

void tst_SettingsStore::propertiesAndRunScriptAgree_data()
{
    QTest::addColumn<QString>("entry"); // the value of the port list entry chosen
    QTest::newRow("Com3") << "3";
    QTest::newRow("USB adapter") << "/dev/ttyUSB0";
    QTest::newRow("comma in the path") << "/dev/serial/by-path/pci-0000:00:14.0-usb-0:2,1";
}

void tst_SettingsStore::propertiesAndRunScriptAgree()
{
    QFETCH(QString, entry);
    QCOMPARE(scriptPort(), QStringLiteral("<none>"));

    CommPort port;
    const QList<PortList::SystemPort> systemPorts {
        {QStringLiteral("/dev/ttyUSB0"), QStringLiteral("FT232R USB UART")},
        {QStringLiteral("/dev/serial/by-path/pci-0000:00:14.0-usb-0:2,1"), {}}};
    frmProperties dialog(port, systemPorts);
    const int position = dialog.cboPort->findData(entry);
    QVERIFY(position >= 0);
    dialog.cboPort->setCurrentIndex(position);
    dialog.cmdOk_Click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    QCOMPARE(stored("CommPort"), entry);
    QCOMPARE(scriptPort(), entry);
}

void tst_SettingsStore::handWrittenPortFound_data()
{
    QTest::addColumn<QByteArray>("conf"); // empty: no such file
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("port"); // what both the program and the script read

    QTest::newRow("no file") << QByteArray() << QByteArray() << "<none>";
    QTest::newRow("plain") << QByteArray("[Properties]\nCommPort=/dev/ttyUSB0\n") << QByteArray()
                           << "/dev/ttyUSB0";
    QTest::newRow("quoted") << QByteArray("[Properties]\nCommPort=\"/dev/ttyS1\"\n") << QByteArray()
                            << "/dev/ttyS1";
    QTest::newRow("CRLF and comments")
        << QByteArray("; radio port\r\n[Properties]\r\n# Com2\r\nCommPort=2\r\n") << QByteArray()
        << "2";
    QTest::newRow("comma without quotes")
        << QByteArray("[Properties]\nCommPort=/dev/odd, name\n") << QByteArray() << "/dev/odd,name";
    QTest::newRow("another group's key")
        << QByteArray("[Other]\nCommPort=/dev/ttyUSB0\n") << QByteArray() << "<none>";
    QTest::newRow("earlier file only")
        << QByteArray() << QByteArray("[Properties]\nCommPort=/dev/ttyUSB3\n") << "/dev/ttyUSB3";
    QTest::newRow("present file wins")
        << QByteArray("[Properties]\nCommPort=4\n")
        << QByteArray("[Properties]\nCommPort=/dev/ttyUSB3\n") << "4";
}

void tst_SettingsStore::handWrittenPortFound()
{
    QFETCH(QByteArray, conf);
    QFETCH(QByteArray, ini);
    QFETCH(QString, port);
    if (!conf.isEmpty())
        QVERIFY(SettingsFiles::write(SettingsStore::filePath(), conf));
    if (!ini.isEmpty())
        QVERIFY(SettingsFiles::write(SettingsStore::earlierFilePath(), ini));

    QCOMPARE(scriptPort(), port);
    QCOMPARE(stored("CommPort").isEmpty() ? QStringLiteral("<none>") : stored("CommPort"), port);
    QCOMPARE(scriptPort(), port); // and still after the program has read the files
}

void tst_SettingsStore::handWrittenFileObeyed_data()
{
    QTest::addColumn<QByteArray>("conf");
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("commPort");
    QTest::addColumn<int>("handshaking");
    QTest::addColumn<QString>("gmtOffset");

    QTest::newRow("commas without quotes")
        << QByteArray("[Properties]\nSettings=4800,e,7,2\nCommPort=/dev/ttyUSB1\nHandshaking=2\n"
                      "GMTOffset=-5\n")
        << "4800,e,7,2"
        << "/dev/ttyUSB1" << 2 << "-5";
    QTest::newRow("blanks after the commas")
        << QByteArray("[Properties]\nSettings = 4800, e, 7, 2\nCommPort = 3\n") << "4800,e,7,2"
        << "3" << 0 << "";
    QTest::newRow("quoted, as the program writes")
        << QByteArray("[Properties]\nSettings=\"19200,o,8,1\"\nHandshaking=1\nGMTOffset=+10\n")
        << "19200,o,8,1" << CommPort::DefaultPort << 1 << "+10";
    QTest::newRow("no file") << QByteArray() << CommPort::DefaultSettings << CommPort::DefaultPort
                             << 0 << "";
}

void tst_SettingsStore::handWrittenFileObeyed()
{
    QFETCH(QByteArray, conf);
    QFETCH(QString, settings);
    QFETCH(QString, commPort);
    QFETCH(int, handshaking);
    QFETCH(QString, gmtOffset);
    if (!conf.isEmpty())
        QVERIFY(SettingsFiles::write(SettingsStore::filePath(), conf));

    CommPort port;
    const std::optional<QString> refused = PortStartup::applyStored(port, QString());
    QVERIFY2(!refused, qPrintable(refused.value_or(QString())));
    QCOMPARE(port.settings(), settings);
    QCOMPARE(port.commPort(), commPort);
    QCOMPARE(port.handshaking(), handshaking);
    QCOMPARE(SettingsStore::gmtOffset(), gmtOffset);
}

void tst_SettingsStore::everyKeyReadWhole()
{
    // Keys whose values may hold commas (the port settings' own are read whole above).
    const char *keys[] = {"CommPort", "Echo", "MyOwnKey"};
    QByteArray conf("[Properties]\n");
    for (const char *key : keys)
        conf += key + QByteArray("=a,b, c\n");
    conf += "Unreadable=@Rect(1 2 3 4)\n";
    QVERIFY(SettingsFiles::write(SettingsStore::filePath(), conf));
    for (const char *key : keys)
        QCOMPARE(stored(key), QStringLiteral("a,b,c"));
    // A value that is no text at all counts as absent.
    QCOMPARE(stored("Unreadable"), QStringLiteral("<none>"));
}

void tst_SettingsStore::unusableValuesToldOnce_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    const QString huge = QStringLiteral("/dev/") + QString(10 * 1024 * 1024, QLatin1Char('x'));
    QTest::newRow("port name of 10 MB") << "CommPort" << huge;
    QTest::newRow("port path of 4097 bytes") << "CommPort" << QString(4097, QLatin1Char('/'));
    QTest::newRow("port name with a NUL") << "CommPort" << QStringLiteral("/dev/tty\0USB0");
    QTest::newRow("settings of 1 MB") << "Settings" << huge.left(1024 * 1024);
    QTest::newRow("settings of another form") << "Settings"
                                              << "9600;n;8;1";
    QTest::newRow("handshaking no number") << "Handshaking"
                                           << "RTS";
    QTest::newRow("offset of 100 characters") << "GMTOffset" << QString(100, QLatin1Char('1'));
    QTest::newRow("sharing neither 0 nor 1") << "ShareRadio"
                                             << "yes";
    QTest::newRow("address no address") << "ShareAddress" << huge.left(100);
    QTest::newRow("TCP port too high") << "SharePort"
                                       << "65536";
    QTest::newRow("any key, a text of 5000") << "MyOwnKey" << huge.left(5000);
}

void tst_SettingsStore::unusableValuesToldOnce()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    // Written by hand, as an operator (or a damaged disk) might.
    QSettings(SettingsStore::filePath(), QSettings::IniFormat)
        .setValue(QStringLiteral("Properties/") + key, value);
    (void)SettingsStore::takeProblems();

    QCOMPARE(stored(qPrintable(key)), QStringLiteral("<none>"));
    QCOMPARE(stored(qPrintable(key)), QStringLiteral("<none>"));
    const QStringList told = SettingsStore::takeProblems();
    QCOMPARE(told.size(), 1);
    QVERIFY2(told.first().startsWith(key + QStringLiteral(" \"")), qPrintable(told.first()));
    QVERIFY2(told.first().size() < 200, qPrintable(told.first()));
    QVERIFY(SettingsStore::takeProblems().isEmpty());
    // The caller that reports it itself gets the same problem and the value unused.
    const SettingsStore::Read read = SettingsStore::read(key, QStringLiteral("default"));
    QCOMPARE(read.problem, told.first());
    QVERIFY(read.text.isEmpty());
}

void tst_SettingsStore::writtenValuesReadByEarlierVersions_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("settings") << "4800,e,7,2";
    QTest::newRow("quote and semicolon") << "a \"b\"; c";
    QTest::newRow("empty") << "";
}

void tst_SettingsStore::writtenValuesReadByEarlierVersions()
{
    QFETCH(QString, value);
    SettingsStore::save(QStringLiteral("Echo"), value);
    QCOMPARE(stored("Echo"), value);
    // An earlier version read each value with toString().
    QSettings earlierReader(SettingsStore::filePath(), QSettings::IniFormat);
    QCOMPARE(earlierReader.value(QStringLiteral("Properties/Echo")).toString(), value);
}

void tst_SettingsStore::earlierFileCarriedOverOnce()
{
    const QByteArray earlier("[Properties]\nSettings=\"4800,e,7,2\"\nCommPort=/dev/ttyUSB0\n"
                             "Handshaking=0\nEcho=False\nGMTOffset=+1\nHand=9600, n, 8, 1\n");
    QVERIFY(SettingsFiles::write(SettingsStore::earlierFilePath(), earlier));

    QCOMPARE(stored("Settings"), QStringLiteral("4800,e,7,2"));
    QCOMPARE(stored("CommPort"), QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(stored("GMTOffset"), QStringLiteral("+1"));
    QCOMPARE(stored("Hand"), QStringLiteral("9600,n,8,1"));
    QVERIFY(QFileInfo::exists(SettingsStore::filePath()));
    QSettings present(SettingsStore::filePath(), QSettings::IniFormat);
    QCOMPARE(present.allKeys().size(), 6);
    QCOMPARE(present.value(QStringLiteral("Properties/Hand")).toString(),
             QStringLiteral("9600,n,8,1"));

    // From now on only the present file counts; the earlier one stays as the operator left it.
    QCOMPARE(SettingsFiles::read(SettingsStore::earlierFilePath()), earlier);
    SettingsStore::save(QStringLiteral("GMTOffset"), QStringLiteral("-4"));
    QVERIFY(SettingsFiles::write(SettingsStore::earlierFilePath(),
                                 "[Properties]\nCommPort=/dev/ttyUSB9\n"));
    QCOMPARE(stored("GMTOffset"), QStringLiteral("-4"));
    QCOMPARE(stored("CommPort"), QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(scriptPort(), QStringLiteral("/dev/ttyUSB0"));
}

QTEST_MAIN(tst_SettingsStore)
#include "tst_settingsstore.moc"
