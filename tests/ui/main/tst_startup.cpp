// Start-up of the main window against the simulated radio on a pseudo-terminal, and the ways
// start-up can end early: a stored setting the port refuses, a port that cannot be opened.
#include "common/settingsfiles.h"
#include "core/radio/cattables.h"
#include "core/radio/radio.h"
#include "core/settings/settingsstore.h"
#include "sim/simptyserver.h"
#include "ui/main/frmterminal.h"
#include "ui/settings/frmmessage.h"

#include <QAction>
#include <QLabel>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {
constexpr int SyncTimeoutMs = 20000;

QStringList startupQueries()
{
    QStringList queries;
    for (const QString &entry : Cat::startupCommands()) {
        if (entry.trimmed().isEmpty())
            break;
        queries << entry;
    }
    return queries;
}
} // namespace

class tst_startup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void queriesRunAsTheRadioAnswers();
    void synchroniseRestartsTheList();
    void simulatedPortLeavesTheStoreAlone();
    void propertiesNeverStoreTheSimulatedPort_data();
    void propertiesNeverStoreTheSimulatedPort();
    void refusedSetting_data();
    void refusedSetting();
    void portThatCannotBeOpened();
    void propertiesFinishesStartUp_data();
    void propertiesFinishesStartUp();
    void initialValues();
    void gmtOffset_data();
    void gmtOffset();

private:
    QTemporaryDir m_config;
    void makeWindow(const QString &simulatedPort = {});
    bool progressShown() const
    {
        return m_window->progressWindow() && m_window->progressWindow()->isVisible();
    }
    QString text(const char *label) const
    {
        return m_window->findChild<QLabel *>(QLatin1String(label))->text();
    }

    std::unique_ptr<SimPtyServer> m_sim;
    std::unique_ptr<Radio> m_radio;
    std::unique_ptr<frmTerminal> m_window;
    QStringList m_written;
    QStringList m_warnings;
};

void tst_startup::initTestCase()
{
    // Run by hand, outside ctest, the test still never touches the operator's own settings.
    if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"))
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
}

void tst_startup::init()
{
    SettingsFiles::clear();
    m_written.clear();
    m_warnings.clear();
}

void tst_startup::cleanup()
{
    m_window.reset();
    m_radio.reset();
    m_sim.reset();
}

void tst_startup::makeWindow(const QString &simulatedPort)
{
    m_radio = std::make_unique<Radio>();
    m_window = std::make_unique<frmTerminal>(*m_radio, TerminalOptions {simulatedPort});
    connect(m_radio.get(), &Radio::commandWritten, this,
            [this](const QByteArray &command) { m_written << QString::fromLatin1(command); });
    m_window->prompts().warning = [this](QWidget *, const QString &t) { m_warnings << t; };
    m_window->prompts().serialError = [this](QWidget *, const QString &t) {
        m_warnings << t;
        return 1;
    };
}

void tst_startup::queriesRunAsTheRadioAnswers()
{
    SimOptions options;
    options.baud = 9600;
    m_sim = std::make_unique<SimPtyServer>(options);
    QVERIFY2(m_sim->start(), qPrintable(m_sim->errorString()));
    makeWindow(m_sim->devicePath());
    m_window->show();

    QVERIFY(m_window->Form_Load());
    QVERIFY(m_warnings.isEmpty());
    QCOMPARE(m_written.mid(0, 2), (QStringList {"IF;", "AI3;"}));
    QCOMPARE(m_radio->state().StartupLoading, QStringLiteral("1"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Vantelo - simulated radio"));
    QVERIFY(m_window->portStatus()->text().contains(m_sim->devicePath()));
    QVERIFY(m_window->portStatus()->text().contains(QStringLiteral("Simulated radio")));
    QVERIFY(m_window->portStatus()->text().contains(QStringLiteral("Port open")));

    QTRY_VERIFY_WITH_TIMEOUT(progressShown(), SyncTimeoutMs);
    QCOMPARE(m_window->progressWindow()->lblMessage->text(),
             QStringLiteral("Loading Data from Radio, Please Wait !"));
    QTRY_COMPARE_WITH_TIMEOUT(m_radio->state().StartupLoading, QStringLiteral("0"), SyncTimeoutMs);
    QVERIFY(!progressShown());

    // Every query of the list went out, in the list's order (repeats allowed).
    const QStringList queries = startupQueries();
    QVERIFY(queries.size() > 30);
    qsizetype at = 0;
    for (const QString &query : queries) {
        const qsizetype found = m_written.indexOf(query, at);
        QVERIFY2(found >= 0, qPrintable(query));
        at = found + 1;
    }
    // The display follows the radio's answers.
    QVERIFY(text("lblFreq") != QLatin1String("999,999.999"));
    QVERIFY(text("LblMode") != QLatin1String("MODE"));
    QVERIFY(text("lblVFO") != QLatin1String("VFO"));
    QVERIFY(m_warnings.isEmpty());
}

void tst_startup::synchroniseRestartsTheList()
{
    m_sim = std::make_unique<SimPtyServer>(SimOptions {});
    QVERIFY2(m_sim->start(), qPrintable(m_sim->errorString()));
    makeWindow(m_sim->devicePath());
    m_window->show();
    QVERIFY(m_window->Form_Load());
    QTRY_COMPARE_WITH_TIMEOUT(m_radio->state().StartupLoading, QStringLiteral("0"), SyncTimeoutMs);
    QVERIFY(!progressShown());

    m_written.clear();
    auto *synchronise = m_window->findChild<QAction *>(QStringLiteral("mnuOpen"));
    QVERIFY(synchronise);
    synchronise->trigger();
    QCOMPARE(m_written.mid(0, 2), (QStringList {"IF;", "AI3;"}));
    QCOMPARE(m_radio->state().StartupLoading, QStringLiteral("1"));
    QCOMPARE(m_radio->state().StartupIndex, qint16(0));
    QTRY_VERIFY_WITH_TIMEOUT(progressShown() || m_radio->state().StartupLoading == "0",
                             SyncTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(m_radio->state().StartupLoading, QStringLiteral("0"), SyncTimeoutMs);
    QVERIFY(!progressShown());
    QVERIFY(m_written.contains(QStringLiteral("RG;")));
}

void tst_startup::simulatedPortLeavesTheStoreAlone()
{
    SettingsStore::save(QStringLiteral("CommPort"), QStringLiteral("/dev/vantelo-stored-port"));
    m_sim = std::make_unique<SimPtyServer>(SimOptions {});
    QVERIFY2(m_sim->start(), qPrintable(m_sim->errorString()));
    makeWindow(m_sim->devicePath());
    QVERIFY(m_window->Form_Load());
    QCOMPARE(m_radio->MSComm1().commPort(), m_sim->devicePath());
    QCOMPARE(SettingsStore::get(QStringLiteral("CommPort"), QString()),
             QStringLiteral("/dev/vantelo-stored-port"));
    QVERIFY(!SettingsStore::contains(QStringLiteral("Settings")));
}

void tst_startup::propertiesNeverStoreTheSimulatedPort_data()
{
    QTest::addColumn<QString>("stored"); // before; empty: no key
    QTest::addColumn<QString>("chosen"); // the port OK stores; "sim": the simulated one
    QTest::addColumn<QString>("after"); // empty: no key
    QTest::newRow("nothing stored, simulated kept") << ""
                                                    << "sim"
                                                    << "";
    QTest::newRow("stored port kept") << "/dev/ttyUSB0"
                                      << "sim"
                                      << "/dev/ttyUSB0";
    QTest::newRow("a real port is stored") << ""
                                           << "/dev/ttyUSB1"
                                           << "/dev/ttyUSB1";
}

void tst_startup::propertiesNeverStoreTheSimulatedPort()
{
    QFETCH(QString, stored);
    QFETCH(QString, chosen);
    QFETCH(QString, after);
    if (!stored.isEmpty())
        SettingsStore::save(QStringLiteral("CommPort"), stored);
    m_sim = std::make_unique<SimPtyServer>(SimOptions {});
    QVERIFY2(m_sim->start(), qPrintable(m_sim->errorString()));
    makeWindow(m_sim->devicePath());
    QVERIFY(m_window->Form_Load());
    const QString store = chosen == QLatin1String("sim") ? m_sim->devicePath() : chosen;
    m_window->setPropertiesDialog([store](QWidget *) {
        // What OK does: the port as the port reports it goes to the store.
        SettingsStore::save(QStringLiteral("CommPort"), store);
        SettingsStore::save(QStringLiteral("Settings"), QStringLiteral("9600,n,8,1"));
        return true;
    });
    m_window->mnuProperties_Click();
    QCOMPARE(SettingsStore::contains(QStringLiteral("CommPort")), !after.isEmpty());
    QCOMPARE(SettingsStore::get(QStringLiteral("CommPort"), QString()), after);
    QCOMPARE(SettingsStore::get(QStringLiteral("Settings"), QString()),
             QStringLiteral("9600,n,8,1"));
}

void tst_startup::refusedSetting_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("settings text") << "Settings"
                                   << "fast,n,8,1";
    QTest::newRow("parity letter") << "Settings"
                                   << "9600,x,8,1";
    QTest::newRow("handshaking out of range") << "Handshaking"
                                              << "7";
    QTest::newRow("handshaking not a number") << "Handshaking"
                                              << "RTS";
    // Reported even with no handshaking stored: otherwise the built-in port would be opened
    // in place of the one the operator chose.
    QTest::newRow("port number 0, no handshaking") << "CommPort"
                                                   << "0";
    // Values no port could take, written by hand: refused before the port sees them, and told
    // in a short message that cannot freeze the window.
    const QString huge = QStringLiteral("/dev/") + QString(10 * 1024 * 1024, QLatin1Char('x'));
    QTest::newRow("port name of 10 MB") << "CommPort" << huge;
    QTest::newRow("port name with a control character") << "CommPort"
                                                        << "/dev/tty\x7fUSB0";
    QTest::newRow("settings of 1 MB") << "Settings" << huge.left(1024 * 1024);
    QTest::newRow("handshaking of 100,000 digits") << "Handshaking" << QString(100000, '1');
}

void tst_startup::refusedSetting()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    SettingsStore::save(key, value);
    makeWindow();
    QVERIFY(!m_window->Form_Load());
    QCOMPARE(m_warnings.size(), 1);
    QVERIFY(!m_warnings.first().isEmpty());
    QVERIFY2(m_warnings.first().size() < 400, qPrintable(m_warnings.first().left(400)));
    QVERIFY(m_written.isEmpty()); // start-up ended before anything was sent
    QVERIFY(!m_radio->MSComm1().portOpen());
    QVERIFY(m_window->portStatus()->text().startsWith(QStringLiteral("Port closed")));
    QVERIFY(m_window->portStatus()->text().size() < 400);
}

void tst_startup::portThatCannotBeOpened()
{
    const QString missing = QStringLiteral("/dev/vantelo-no-such-port");
    SettingsStore::save(QStringLiteral("CommPort"), missing);
    makeWindow();
    m_window->show();
    QVERIFY(!m_window->Form_Load());
    QCOMPARE(m_warnings.size(), 1);
    QVERIFY2(m_warnings.first().contains(missing), qPrintable(m_warnings.first()));
    QVERIFY(m_window->isVisible());
    QVERIFY(m_window->portStatus()->text().startsWith(QStringLiteral("Port closed: ") + missing));

    // The operator carries on: commands go nowhere, the status bar says so, no box per command.
    m_window->mnuOpen_Click();
    m_window->cmdSend_Click();
    QCOMPARE(m_warnings.size(), 1);
    QVERIFY(m_window->portStatus()->text().startsWith(QStringLiteral("Port closed: ") + missing));
    QVERIFY(m_window->isVisible());
    QVERIFY(m_window->findChild<QAction *>(QStringLiteral("mnuProperties"))->isEnabled());
}

void tst_startup::propertiesFinishesStartUp_data()
{
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("opened");
    QTest::newRow("OK with a port that opens") << true << true;
    QTest::newRow("Cancel") << false << false;
}

void tst_startup::propertiesFinishesStartUp()
{
    QFETCH(bool, accepted);
    QFETCH(bool, opened);
    m_sim = std::make_unique<SimPtyServer>(SimOptions {});
    QVERIFY2(m_sim->start(), qPrintable(m_sim->errorString()));
    SettingsStore::save(QStringLiteral("CommPort"), QStringLiteral("/dev/vantelo-no-such-port"));
    makeWindow();
    QVERIFY(!m_window->Form_Load());
    QCOMPARE(m_warnings.size(), 1);
    m_written.clear();

    const QString device = m_sim->devicePath();
    m_window->setPropertiesDialog([this, device, accepted](QWidget *) {
        // What the dialog does on OK: the operator's port goes to the live port.
        if (accepted)
            m_radio->MSComm1().setCommPort(device);
        return accepted;
    });
    m_window->mnuProperties_Click();
    QCOMPARE(m_radio->MSComm1().portOpen(), opened);
    QCOMPARE(m_warnings.size(), 1);
    if (opened) {
        QCOMPARE(m_written.mid(0, 2), (QStringList {"IF;", "AI3;"}));
        QVERIFY(m_window->portStatus()->text().startsWith(QStringLiteral("Port open: ") + device));
        QTRY_COMPARE_WITH_TIMEOUT(m_radio->state().StartupLoading, QStringLiteral("0"),
                                  SyncTimeoutMs);
    } else {
        QVERIFY(m_written.isEmpty());
        QVERIFY(m_window->portStatus()->text().startsWith(QStringLiteral("Port closed")));
    }
}

void tst_startup::initialValues()
{
    SettingsStore::save(QStringLiteral("CommPort"), QStringLiteral("/dev/vantelo-no-such-port"));
    makeWindow();
    m_radio->state().Freq = QStringLiteral("14200");
    m_radio->state().DownloadSwitch = 1;
    m_radio->state().PCValue = QStringLiteral("100");
    m_window->Form_Load();
    const RadioState &state = m_radio->state();
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Vantelo - "));
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Vantelo"));
    QCOMPARE(state.Freq, QStringLiteral("999999999"));
    QCOMPARE(state.DownloadSwitch, qint16(0));
    QCOMPARE(state.VDValue, QStringLiteral("0000"));
    for (const QString &value : {state.KSValue, state.MGValue, state.PCValue, state.VGValue})
        QCOMPARE(value, QStringLiteral("000"));
    QCOMPARE(state.StartupCommands[0], QStringLiteral("IF;"));
    QCOMPARE(text("lblFreq"), QStringLiteral("999,999.999"));
}

void tst_startup::gmtOffset_data()
{
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("gmtOffset");
    QTest::newRow("+10 honoured") << true << "+10"
                                  << "+10";
    QTest::newRow("0 honoured") << true << "0"
                                << "0";
    // Nothing typed: the computer's time zone at each moment, not a number fixed at start-up.
    QTest::newRow("blank: the computer's zone") << true << " "
                                                << " ";
    QTest::newRow("none stored: the computer's zone") << false << QString() << QString();
}

void tst_startup::gmtOffset()
{
    QFETCH(bool, stored);
    QFETCH(QString, value);
    QFETCH(QString, gmtOffset);
    SettingsStore::save(QStringLiteral("CommPort"), QStringLiteral("/dev/vantelo-no-such-port"));
    if (stored)
        SettingsStore::save(QStringLiteral("GMTOffset"), value);
    makeWindow();
    m_window->Form_Load();
    QCOMPARE(m_radio->state().GMTOffset, gmtOffset);

    const QDateTime before = QDateTime::currentDateTime();
    m_window->Timer4_Timer();
    const QString local = text("lblDate");
    const QString gmt = text("lblGMTDate");
    QVERIFY(local.startsWith(QStringLiteral("Local ")));
    QVERIFY(gmt.startsWith(QStringLiteral("GMT ")));
    const auto reading = [](const QString &text) {
        const QDateTime read = QLocale::c().toDateTime(text, "dd MMM yyyy H:mm:ss");
        return QDateTime(read.date(), read.time(), Qt::UTC);
    };
    const QDateTime shownLocal = reading(local.mid(6));
    const QDateTime shownGmt = reading(gmt.mid(4));
    QVERIFY(shownLocal.isValid() && shownGmt.isValid());
    const qint64 expected
        = value.trimmed().isEmpty() ? before.offsetFromUtc() : qint64(value.toInt()) * 3600;
    QCOMPARE(shownGmt.secsTo(shownLocal), expected);
}

QTEST_MAIN(tst_startup)
#include "tst_startup.moc"
