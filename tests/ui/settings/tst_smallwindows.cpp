// The setup dialog, the test screen, the progress window, the about box and the splash window.
#include "common/settingsfiles.h"
#include "core/radio/radio.h"
#include "core/settings/settingsstore.h"
#include "core/settings/sharingstore.h"
#include "ui/settings/frmabout.h"
#include "ui/settings/frmmessage.h"
#include "ui/settings/frmsetup.h"
#include "ui/settings/frmsplash.h"
#include "ui/settings/frmtesting.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Starts each test from an empty store, inside a settings folder of the test's own.
void clearStore()
{
    static QTemporaryDir config;
    if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"))
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    SettingsFiles::clear();
}

// The test screen with the input box answered by the test.
class ScriptedTesting : public frmTesting
{
public:
    using frmTesting::frmTesting;
    std::optional<QString> answer;
    QStringList refusals;

protected:
    std::optional<QString> askRadioCode() override { return answer; }
    void showRefusal(const QString &text) override { refusals.append(text); }
};

} // namespace

class tst_SmallWindows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { clearStore(); }

    void setupShowsStoredOffset_data();
    void setupShowsStoredOffset();
    void setupOffsetStoredOnlyWhenTyped_data();
    void setupOffsetStoredOnlyWhenTyped();
    void setupCloseStoresWhatItShows();
    void setupFrameCloseStoresNothing();
    void setupSharing_data();
    void setupSharing();

    void testingSendsWhatWasTyped_data();
    void testingSendsWhatWasTyped();
    void testingSimulateOutRunsInterpreter();

    void messageReopensWithOpeningTexts();
    void messageProgressStaysInRange_data();
    void messageProgressStaysInRange();

    void aboutShowsVersionAndCloses();

    void splashShowsVersion();
    void splashContinuesOnKeyOrClick_data();
    void splashContinuesOnKeyOrClick();
};

void tst_SmallWindows::setupShowsStoredOffset_data()
{
    QTest::addColumn<QString>("offset");
    QTest::newRow("ahead") << "+10";
    QTest::newRow("behind") << "-5";
    QTest::newRow("fraction") << "9.5";
    QTest::newRow("zero") << "0";
    QTest::newRow("empty") << "";
    QTest::newRow("not a number") << "abc";
}

void tst_SmallWindows::setupShowsStoredOffset()
{
    QFETCH(QString, offset);
    SettingsStore::save(QStringLiteral("GMTOffset"), offset);
    QPointer<frmSetup> setup = new frmSetup;
    QCOMPARE(setup->windowTitle(), QStringLiteral("Setup"));
    QCOMPARE(setup->txtGMTOffset->text(), offset);
    QCOMPARE(setup->txtMainFreqInc->text(), QStringLiteral("Hz"));
    delete setup;
}

void tst_SmallWindows::setupOffsetStoredOnlyWhenTyped_data()
{
    QTest::addColumn<QString>("stored"); // "<none>": no key
    QTest::addColumn<QString>("typed"); // "<as shown>": Close without a change
    QTest::addColumn<QString>("after"); // the key afterwards, "<none>" when absent
    QTest::addColumn<QStringList>("announced");
    QTest::newRow("none stored, unchanged") << "<none>"
                                            << "<as shown>"
                                            << "<none>" << QStringList();
    QTest::newRow("stored, unchanged") << "-5"
                                       << "<as shown>"
                                       << "-5" << QStringList();
    QTest::newRow("typed") << "<none>"
                           << "+10"
                           << "+10" << QStringList {"+10"};
    QTest::newRow("emptied: back to the zone") << "-5"
                                               << " "
                                               << "<none>" << QStringList {""};
}

void tst_SmallWindows::setupOffsetStoredOnlyWhenTyped()
{
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    if (stored != QLatin1String("<none>"))
        SettingsStore::save(QStringLiteral("GMTOffset"), stored);
    const QByteArray fileBefore = SettingsFiles::read(SettingsStore::filePath());
    frmSetup setup;
    setup.setAttribute(Qt::WA_DeleteOnClose, false);
    // None stored: an empty box that says so.
    QCOMPARE(setup.txtGMTOffset->text(), stored == QLatin1String("<none>") ? QString() : stored);
    QCOMPARE(setup.txtGMTOffset->placeholderText(), QStringLiteral("computer's time zone"));
    QSignalSpy announced(&setup, &frmSetup::gmtOffsetChanged);
    if (typed != QLatin1String("<as shown>"))
        setup.txtGMTOffset->setText(typed);
    setup.cmdClose_Click();
    QStringList said;
    for (const QList<QVariant> &signal : announced)
        said << signal.at(0).toString();
    QTEST(said, "announced");
    const QString key = QStringLiteral("GMTOffset");
    QTEST(SettingsStore::contains(key) ? SettingsStore::get(key, QString()) : QString("<none>"),
          "after");
    if (typed == QLatin1String("<as shown>"))
        QCOMPARE(SettingsFiles::read(SettingsStore::filePath()), fileBefore); // nothing written
}

void tst_SmallWindows::setupCloseStoresWhatItShows()
{
    SettingsStore::save(QStringLiteral("GMTOffset"), QStringLiteral("+1"));
    QPointer<frmSetup> setup = new frmSetup;
    setup->show();
    QVERIFY(QTest::qWaitForWindowExposed(setup));
    setup->txtGMTOffset->setText(QStringLiteral(" -3.5 "));
    setup->txtMainFreqInc->setText(QStringLiteral("500"));
    QTest::mouseClick(setup->cmdClose, Qt::LeftButton);
    QTRY_VERIFY(setup.isNull()); // closing unloads it
    QCOMPARE(SettingsStore::get(QStringLiteral("GMTOffset"), QString()), QStringLiteral(" -3.5 "));
    // The increment box is not kept.
    const QSettings file(SettingsStore::filePath(), QSettings::IniFormat);
    QCOMPARE(file.childGroups(), QStringList {QStringLiteral("Properties")});
    QCOMPARE(file.allKeys(), QStringList {QStringLiteral("Properties/GMTOffset")});
}

void tst_SmallWindows::setupFrameCloseStoresNothing()
{
    QPointer<frmSetup> setup = new frmSetup;
    setup->show();
    setup->txtGMTOffset->setText(QStringLiteral("7"));
    setup->close();
    QVERIFY(!SettingsStore::contains(QStringLiteral("GMTOffset")));
    QTRY_VERIFY(setup.isNull());
}

// The sharing controls: each change is stored and announced at once; an address other
// computers can reach only after the operator has said yes to the warning; text that is no
// address never.
void tst_SmallWindows::setupSharing_data()
{
    QTest::addColumn<bool>("check");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("answer"); // to the warning, when it is asked
    QTest::addColumn<int>("questions");
    QTest::addColumn<QString>("stored"); // "on/off address port", empty: nothing stored

    QTest::newRow("turned on") << true << 4532 << "127.0.0.1" << false << 0 << "1 127.0.0.1 4532";
    QTest::newRow("other port") << true << 4600 << "127.0.0.1" << false << 0 << "1 127.0.0.1 4600";
    QTest::newRow("all addresses, operator says no")
        << true << 4532 << "0.0.0.0" << false << 1 << "0 127.0.0.1 4532";
    QTest::newRow("all addresses, operator says yes")
        << true << 4532 << "0.0.0.0" << true << 1 << "1 0.0.0.0 4532";
    QTest::newRow("LAN address kept while off")
        << false << 4532 << "192.168.1.5" << false << 0 << "0 192.168.1.5 4532";
    QTest::newRow("no address") << true << 4532 << "my radio" << true << 0 << "0 127.0.0.1 4532";
}

void tst_SmallWindows::setupSharing()
{
    QFETCH(bool, check);
    QFETCH(int, port);
    QFETCH(QString, address);
    QFETCH(bool, answer);
    QFETCH(int, questions);
    QFETCH(QString, stored);

    frmSetup setup;
    setup.setAttribute(Qt::WA_DeleteOnClose, false);
    QVERIFY(!setup.chkShare->isChecked());
    QCOMPARE(setup.spnSharePort->value(), 4532);
    QCOMPARE(setup.txtShareAddress->text(), QStringLiteral("127.0.0.1"));
    int asked = 0;
    setup.setAddressQuestion([&](QWidget *, const QString &text) {
        ++asked;
        if (!text.contains(QStringLiteral("no password")))
            qWarning("question without the warning: %s", qPrintable(text));
        return answer;
    });
    QSignalSpy announced(&setup, &frmSetup::sharingChanged);
    setup.spnSharePort->setValue(port);
    setup.txtShareAddress->setText(address);
    setup.chkShare->setChecked(check); // taken at once, with the port and address as shown
    setup.shareChanged(); // as leaving the address box does

    QCOMPARE(asked, questions);
    const SharingSettings s = SharingStore::load();
    QCOMPARE(QStringLiteral("%1 %2 %3").arg(s.enabled ? 1 : 0).arg(s.address).arg(s.port), stored);
    // The dialog shows what is stored; a refused choice is put back.
    QCOMPARE(setup.chkShare->isChecked(), s.enabled);
    QCOMPARE(setup.txtShareAddress->text(), s.address);
    if (!announced.isEmpty())
        QCOMPARE(announced.constLast().at(0).value<SharingSettings>(), s);
    QCOMPARE(announced.size(), stored == u"0 127.0.0.1 4532" ? 0 : 1);
    if (address == u"my radio")
        QVERIFY(setup.lblShareNote->text().contains(QStringLiteral("not an IP address")));
}

void tst_SmallWindows::testingSendsWhatWasTyped_data()
{
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QList<QByteArray>>("written");
    QTest::addColumn<int>("refusals");
    QTest::newRow("whole command") << false << "IF;" << QList<QByteArray> {"IF;"} << 0;
    QTest::newRow("no terminator added") << false << "IF" << QList<QByteArray> {"IF"} << 0;
    QTest::newRow("two commands at once")
        << false << "MD2;FA;" << QList<QByteArray> {"MD2;FA;"} << 0;
    QTest::newRow("nothing typed") << false << "" << QList<QByteArray> {} << 0;
    QTest::newRow("cancelled") << true << "FA;" << QList<QByteArray> {} << 0;
    QTest::newRow("not ASCII") << false << QStringLiteral("FA\u00e9;") << QList<QByteArray> {} << 1;
}

void tst_SmallWindows::testingSendsWhatWasTyped()
{
    QFETCH(bool, cancelled);
    QFETCH(QString, typed);
    QFETCH(QList<QByteArray>, written);
    QFETCH(int, refusals);

    Radio radio;
    QPointer<ScriptedTesting> testing = new ScriptedTesting(radio);
    QCOMPARE(testing->windowTitle(), QStringLiteral("Testing"));
    if (!cancelled)
        testing->answer = typed;
    QSignalSpy commands(&radio, &Radio::commandWritten);
    QTest::mouseClick(testing->Command1, Qt::LeftButton);

    QList<QByteArray> got;
    for (const QList<QVariant> &call : commands)
        got.append(call.at(0).toByteArray());
    QCOMPARE(got, written);
    QCOMPARE(testing->refusals.size(), refusals);
    delete testing;
}

void tst_SmallWindows::testingSimulateOutRunsInterpreter()
{
    Radio radio;
    ScriptedTesting testing(radio);
    testing.setAttribute(Qt::WA_DeleteOnClose, false);
    QSignalSpy commands(&radio, &Radio::commandWritten);

    radio.Out = QStringLiteral("FA00014200000;");
    QTest::mouseClick(testing.CmdSimOut2, Qt::LeftButton);
    QCOMPARE(radio.state().VFOAFreq, QStringLiteral("14200"));
    QVERIFY(radio.Out.isEmpty());

    // On an empty buffer the interpreter runs on empty text and nothing breaks.
    QTest::mouseClick(testing.CmdSimOut2, Qt::LeftButton);
    QVERIFY(radio.Out.isEmpty());
    QCOMPARE(radio.state().VFOAFreq, QStringLiteral("14200"));

    radio.Out = QStringLiteral("FA00007050000;");
    QTest::mouseClick(testing.CmdSimOut1, Qt::LeftButton);
    QCOMPARE(radio.Out, QStringLiteral("FA00007050000;"));
    QCOMPARE(commands.count(), 0);
}

void tst_SmallWindows::messageReopensWithOpeningTexts()
{
    frmMessage message;
    QCOMPARE(message.windowTitle(), QStringLiteral("Message"));
    for (int opening = 0; opening < 3; ++opening) {
        message.show();
        QCOMPARE(message.lblMessage->text(), QStringLiteral("Message"));
        QCOMPARE(message.lblPercent->text(), QString());
        QCOMPARE(message.ProgressBar1->minimum(), 0);
        QCOMPARE(message.ProgressBar1->maximum(), 100);
        QVERIFY(message.ProgressBar1->value() <= 0);
        message.setMessage(QStringLiteral("Loading Data from Radio, Please Wait !"));
        message.setPercent(QStringLiteral("42%"));
        message.setProgress(42);
        message.redraw();
        QCOMPARE(message.ProgressBar1->value(), 42);
        QVERIFY(message.close());
        QVERIFY(!message.isVisible());
    }
}

void tst_SmallWindows::messageProgressStaysInRange_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("shown");
    QTest::newRow("start") << 0 << 0;
    QTest::newRow("middle") << 57 << 57;
    QTest::newRow("end") << 100 << 100;
    QTest::newRow("below") << -3 << 0;
    QTest::newRow("above") << 101 << 100;
    QTest::newRow("far above") << std::numeric_limits<int>::max() << 100;
}

void tst_SmallWindows::messageProgressStaysInRange()
{
    QFETCH(int, value);
    QFETCH(int, shown);
    frmMessage message;
    message.setProgress(50);
    message.setProgress(value);
    QCOMPARE(message.ProgressBar1->value(), shown);
}

void tst_SmallWindows::aboutShowsVersionAndCloses()
{
    QPointer<frmAbout> about = new frmAbout;
    QCOMPARE(about->windowTitle(), QStringLiteral("About Vantelo"));
    QCOMPARE(about->lblTitle->text(), QStringLiteral("Vantelo"));
    QVERIFY(about->lblVersion->text().endsWith(QLatin1String(VANTELO_VERSION)));
    about->show();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    QTest::mouseClick(about->cmdOk, Qt::LeftButton);
    QVERIFY(!QGuiApplication::overrideCursor());
    QTRY_VERIFY(about.isNull());
}

void tst_SmallWindows::splashShowsVersion()
{
    frmSplash splash;
    splash.setAttribute(Qt::WA_DeleteOnClose, false);
    QCOMPARE(splash.lblVersion->text(),
             QStringLiteral("Version %1.%2.%3")
                 .arg(VANTELO_VERSION_MAJOR)
                 .arg(VANTELO_VERSION_MINOR)
                 .arg(VANTELO_VERSION_PATCH));
    QVERIFY(!splash.lblPlatform->text().isEmpty());
    QVERIFY(!splash.Image1->accessibleName().isEmpty());
    // The store keeps everything under the application title the splash window sets.
    QCOMPARE(QCoreApplication::applicationName(), QLatin1String(SettingsStore::Application));
}

void tst_SmallWindows::splashContinuesOnKeyOrClick_data()
{
    QTest::addColumn<int>("key"); // 0: a click on the frame
    QTest::newRow("letter") << int(Qt::Key_A);
    QTest::newRow("space") << int(Qt::Key_Space);
    QTest::newRow("escape") << int(Qt::Key_Escape);
    QTest::newRow("click") << 0;
}

void tst_SmallWindows::splashContinuesOnKeyOrClick()
{
    QFETCH(int, key);
    QPointer<frmSplash> splash = new frmSplash;
    QSignalSpy continued(splash.data(), &frmSplash::continued);
    splash->show();
    QVERIFY(QTest::qWaitForWindowExposed(splash));

    // A modifier alone does not count as a key press.
    QTest::keyPress(splash, Qt::Key_Shift);
    QCOMPARE(continued.count(), 0);
    QVERIFY(splash->isVisible());

    if (key)
        QTest::keyClick(splash, Qt::Key(key));
    else
        QTest::mouseClick(splash->Frame1, Qt::LeftButton);
    QCOMPARE(continued.count(), 1);
    QTRY_VERIFY(splash.isNull());
    QCOMPARE(continued.count(), 1);
}

QTEST_MAIN(tst_SmallWindows)
#include "tst_smallwindows.moc"
