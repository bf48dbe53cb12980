// The port properties dialog on a real CommPort: what it shows on opening, what OK applies and
// stores, and what a refused value leaves behind.
#include "common/ptypair.h"
#include "common/settingsfiles.h"
#include "core/radio/commport.h"
#include "core/settings/settingsstore.h"
#include "ui/settings/frmproperties.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// The dialog with its message boxes recorded instead of shown.
class RecordingProperties : public frmProperties
{
public:
    using frmProperties::frmProperties;
    QStringList errors;

protected:
    void showPortError(const QString &text) override { errors.append(text); }
};

const QList<PortList::SystemPort> NoSystemPorts;

const QStringList StoredKeys = {QStringLiteral("Settings"), QStringLiteral("CommPort"),
                                QStringLiteral("Handshaking"), QStringLiteral("Echo")};

// Starts each test from an empty store, inside a settings folder of the test's own.
void clearStore()
{
    static QTemporaryDir config;
    if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"))
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    SettingsFiles::clear();
}

QString stored(const char *key)
{
    return SettingsStore::get(QLatin1String(key), QStringLiteral("<absent>"));
}

bool nothingStored()
{
    for (const QString &key : StoredKeys) {
        if (SettingsStore::contains(key))
            return false;
    }
    return true;
}

} // namespace

class tst_frmProperties : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { clearStore(); }
    void showsPortConfiguration_data();
    void showsPortConfiguration();
    void controlsAndTitle();
    void okWithoutChangesStoresAllFour();
    void okAppliesAndStoresChoices();
    void refusedSettingsStoreNothing_data();
    void refusedSettingsStoreNothing();
    void refusedPortRestoresOldNumber();
    void refusalShowsMessageBox();
    void portListOffersSystemPorts();
    void unlistedPathIsOffered();
    void unlistedValuesAreKept();
    void cancelAppliesNothing();
    void samePortStaysOpen();
    void otherPortIsReopened();
};

void tst_frmProperties::showsPortConfiguration_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<int>("handshaking");
    QTest::addColumn<QString>("commPort");
    QTest::addColumn<QStringList>("shown"); // speed, parity, data bits, stop bits, port
    QTest::newRow("9600,n,8,1") << "9600,n,8,1" << 0 << "1"
                                << QStringList {"9600", "None", "8", "1", "Com1"};
    QTest::newRow("19200,e,7,2") << "19200,e,7,2" << 1 << "5"
                                 << QStringList {"19200", "Even", "7", "2", "Com5"};
    QTest::newRow("1.5 stop bits")
        << "4800,o,5,1.5" << 2 << "16" << QStringList {"4800", "Odd", "5", "1.5", "Com16"};
    QTest::newRow("mark") << "1200,m,6,1" << 3 << "2"
                          << QStringList {"1200", "Mark", "6", "1", "Com2"};
    QTest::newRow("space") << "115200,s,8,2" << 0 << "3"
                           << QStringList {"115200", "Space", "8", "2", "Com3"};
    QTest::newRow("port above 16")
        << "9600,n,8,1" << 0 << "17" << QStringList {"9600", "None", "8", "1", ""};
    QTest::newRow("speed not listed")
        << "1234,n,8,1" << 0 << "1" << QStringList {"", "None", "8", "1", "Com1"};
}

void tst_frmProperties::showsPortConfiguration()
{
    QFETCH(QString, settings);
    QFETCH(int, handshaking);
    QFETCH(QString, commPort);
    QFETCH(QStringList, shown);

    CommPort port;
    QVERIFY(port.setSettings(settings));
    QVERIFY(port.setHandshaking(handshaking));
    QVERIFY(port.setCommPort(commPort));
    RecordingProperties dialog(port, NoSystemPorts);

    QCOMPARE(dialog.cboSpeed->currentText(), shown.at(0));
    QCOMPARE(dialog.cboParity->currentText(), shown.at(1));
    QCOMPARE(dialog.cboDataBits->currentText(), shown.at(2));
    QCOMPARE(dialog.cboStopBits->currentText(), shown.at(3));
    QCOMPARE(dialog.cboPort->currentText(), shown.at(4));
    QCOMPARE(dialog.optFlow->checkedId(), handshaking);
    QCOMPARE(dialog.flowChoice(), handshaking);
    // Echo always opens "Off", whatever was stored.
    QCOMPARE(dialog.optEcho->checkedId(), 0);
    QVERIFY(!dialog.echoChoice());
}

void tst_frmProperties::controlsAndTitle()
{
    CommPort port;
    RecordingProperties dialog(port, NoSystemPorts);
    QVERIFY(dialog.isModal());
    // Every list and option is reachable by keyboard and named for assistive technology.
    for (QComboBox *list : {dialog.cboPort, dialog.cboSpeed, dialog.cboDataBits, dialog.cboParity,
                            dialog.cboStopBits}) {
        QVERIFY(list->focusPolicy() & Qt::TabFocus);
        QVERIFY(!list->accessibleName().isEmpty());
    }
    for (QAbstractButton *option : dialog.optFlow->buttons() + dialog.optEcho->buttons()) {
        QVERIFY(option->focusPolicy() & Qt::TabFocus);
        QVERIFY(!option->accessibleName().isEmpty());
    }
}

void tst_frmProperties::okWithoutChangesStoresAllFour()
{
    CommPort port;
    RecordingProperties dialog(port, NoSystemPorts);
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);

    QVERIFY(dialog.errors.isEmpty());
    QCOMPARE(accepted.count(), 1);
    QCOMPARE(stored("Settings"), QStringLiteral("9600,n,8,1"));
    QCOMPARE(stored("CommPort"), QStringLiteral("1"));
    QCOMPARE(stored("Handshaking"), QStringLiteral("0"));
    QCOMPARE(stored("Echo"), QStringLiteral("False"));
}

void tst_frmProperties::okAppliesAndStoresChoices()
{
    CommPort port;
    RecordingProperties dialog(port, NoSystemPorts);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.cboPort->setCurrentIndex(2);
    dialog.cboSpeed->setCurrentText(QStringLiteral("19200"));
    dialog.cboParity->setCurrentText(QStringLiteral("Even"));
    dialog.cboDataBits->setCurrentText(QStringLiteral("7"));
    dialog.cboStopBits->setCurrentText(QStringLiteral("2"));
    dialog.optFlow->button(1)->click();
    dialog.optEcho->button(1)->click();
    QCOMPARE(dialog.flowChoice(), 1);
    QVERIFY(dialog.echoChoice());
    dialog.cmdOk_Click();

    QVERIFY(dialog.errors.isEmpty());
    QCOMPARE(port.settings(), QStringLiteral("19200,e,7,2"));
    QCOMPARE(port.commPort(), QStringLiteral("3"));
    QCOMPARE(port.handshaking(), 1);
    QCOMPARE(stored("Settings"), QStringLiteral("19200,e,7,2"));
    QCOMPARE(stored("CommPort"), QStringLiteral("3"));
    QCOMPARE(stored("Handshaking"), QStringLiteral("1"));
    QCOMPARE(stored("Echo"), QStringLiteral("True"));
}

void tst_frmProperties::refusedSettingsStoreNothing_data()
{
    QTest::addColumn<QString>("dataBits");
    QTest::addColumn<QString>("portText");
    QTest::newRow("4 data bits") << "4"
                                 << "Com1";
    // The new number is applied before the settings are refused, and stays applied.
    QTest::newRow("4 data bits on another port") << "4"
                                                 << "Com4";
}

void tst_frmProperties::refusedSettingsStoreNothing()
{
    QFETCH(QString, dataBits);
    QFETCH(QString, portText);
    CommPort port;
    RecordingProperties dialog(port, NoSystemPorts);
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.cboPort->setCurrentText(portText);
    dialog.cboDataBits->setCurrentText(dataBits);
    dialog.cmdOk_Click();

    QCOMPARE(dialog.errors.size(), 1);
    QVERIFY(!dialog.errors.first().isEmpty());
    QCOMPARE(finished.count(), 0);
    QVERIFY(nothingStored());
    QCOMPARE(port.settings(), QStringLiteral("9600,n,8,1"));

    // The operator corrects the choice and OK goes through.
    dialog.cboDataBits->setCurrentText(QStringLiteral("8"));
    dialog.cmdOk_Click();
    QCOMPARE(dialog.errors.size(), 1);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(stored("CommPort"), QString(portText).remove(QStringLiteral("Com")));
}

void tst_frmProperties::refusedPortRestoresOldNumber()
{
    CommPort port;
    QVERIFY(port.setCommPort(QStringLiteral("2")));
    // A system port whose location is blank is one the port layer refuses.
    RecordingProperties dialog(port, {{QStringLiteral("   "), QStringLiteral("broken")}});
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.cboPort->setCurrentIndex(16);
    dialog.cmdOk_Click();

    QCOMPARE(dialog.errors.size(), 1);
    QCOMPARE(port.commPort(), QStringLiteral("2"));
    QCOMPARE(finished.count(), 0);
    QVERIFY(nothingStored());
}

void tst_frmProperties::refusalShowsMessageBox()
{
    CommPort port;
    frmProperties dialog(port, NoSystemPorts);
    dialog.cboDataBits->setCurrentText(QStringLiteral("4"));

    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        closer.stop();
        text = box->text();
        icon = box->icon();
        buttons = int(box->buttons().size());
        box->button(QMessageBox::Ok)->click();
    });
    closer.start(10);
    dialog.cmdOk_Click();

    QCOMPARE(text, port.lastError());
    QCOMPARE(icon, QMessageBox::Warning);
    QCOMPARE(buttons, 1);
    QVERIFY(nothingStored());
}

void tst_frmProperties::portListOffersSystemPorts()
{
    CommPort port;
    RecordingProperties dialog(port,
                               {{QStringLiteral("/dev/ttyUSB0"), QStringLiteral("FT232R USB UART")},
                                {QStringLiteral("/dev/ttyACM0"), QString()}});
    QCOMPARE(dialog.cboPort->count(), 18);
    QCOMPARE(dialog.cboPort->itemText(0), QStringLiteral("Com1"));
    QCOMPARE(dialog.cboPort->itemText(15), QStringLiteral("Com16"));
    QCOMPARE(dialog.cboPort->itemText(16), QStringLiteral("/dev/ttyUSB0 (FT232R USB UART)"));
    QCOMPARE(dialog.cboPort->itemText(17), QStringLiteral("/dev/ttyACM0"));

    dialog.cboPort->setCurrentIndex(16);
    dialog.cmdOk_Click();
    QVERIFY(dialog.errors.isEmpty());
    QCOMPARE(port.commPort(), QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(stored("CommPort"), QStringLiteral("/dev/ttyUSB0"));

    // Opened again on that port, the entry shows selected.
    RecordingProperties again(port, {{QStringLiteral("/dev/ttyUSB0"), QStringLiteral("FT232R")}});
    QCOMPARE(again.cboPort->currentIndex(), 16);
}

void tst_frmProperties::unlistedPathIsOffered()
{
    CommPort port;
    QVERIFY(port.setCommPort(QStringLiteral("/dev/ttyGone7")));
    RecordingProperties dialog(port, NoSystemPorts);
    QCOMPARE(dialog.cboPort->count(), 17);
    QCOMPARE(dialog.cboPort->currentText(), QStringLiteral("/dev/ttyGone7"));
    dialog.cmdOk_Click();
    QCOMPARE(stored("CommPort"), QStringLiteral("/dev/ttyGone7"));
}

void tst_frmProperties::unlistedValuesAreKept()
{
    // Nothing shown selected must not turn into an empty or wrong value on OK.
    CommPort port;
    QVERIFY(port.setCommPort(QStringLiteral("17")));
    QVERIFY(port.setSettings(QStringLiteral("1234,n,8,1")));
    RecordingProperties dialog(port, NoSystemPorts);
    QCOMPARE(dialog.cboPort->currentIndex(), -1);
    QCOMPARE(dialog.cboSpeed->currentIndex(), -1);
    dialog.cboParity->setCurrentText(QStringLiteral("Odd"));
    dialog.cmdOk_Click();

    QVERIFY(dialog.errors.isEmpty());
    QCOMPARE(stored("CommPort"), QStringLiteral("17"));
    QCOMPARE(stored("Settings"), QStringLiteral("1234,o,8,1"));
}

void tst_frmProperties::cancelAppliesNothing()
{
    CommPort port;
    RecordingProperties dialog(port, NoSystemPorts);
    QSignalSpy rejected(&dialog, &QDialog::rejected);
    dialog.cboPort->setCurrentIndex(5);
    dialog.cboSpeed->setCurrentText(QStringLiteral("300"));
    QTest::mouseClick(dialog.cmdCancel, Qt::LeftButton);
    QCOMPARE(rejected.count(), 1);
    QCOMPARE(port.commPort(), QStringLiteral("1"));
    QCOMPARE(port.settings(), QStringLiteral("9600,n,8,1"));
    QVERIFY(nothingStored());
}

void tst_frmProperties::samePortStaysOpen()
{
    PtyPair line;
    if (line.slavePath().isEmpty())
        QSKIP("no pseudo-terminal available");
    CommPort port;
    QVERIFY(port.setCommPort(line.slavePath()));
    if (!port.setPortOpen(true))
        QSKIP("the pseudo-terminal cannot be opened as a serial port");
    RecordingProperties dialog(port, {{line.slavePath(), QStringLiteral("pseudo-terminal")}});
    QCOMPARE(dialog.cboPort->currentIndex(), 16);
    dialog.cmdOk_Click();
    QVERIFY(dialog.errors.isEmpty());
    QVERIFY(port.portOpen());
    QCOMPARE(stored("CommPort"), line.slavePath());
}

void tst_frmProperties::otherPortIsReopened()
{
    PtyPair first;
    PtyPair second;
    if (first.slavePath().isEmpty() || second.slavePath().isEmpty())
        QSKIP("no pseudo-terminal available");
    CommPort port;
    QVERIFY(port.setCommPort(first.slavePath()));
    if (!port.setPortOpen(true))
        QSKIP("the pseudo-terminal cannot be opened as a serial port");

    // A refused choice puts the old port back and leaves the link open.
    RecordingProperties refused(port, {{QStringLiteral("   "), QStringLiteral("broken")}});
    refused.cboPort->setCurrentIndex(refused.cboPort->findData(QStringLiteral("   ")));
    refused.cmdOk_Click();
    QCOMPARE(refused.errors.size(), 1);
    QCOMPARE(port.commPort(), first.slavePath());
    QVERIFY(port.portOpen());

    // Another port: closed to change the number, then open on the new one.
    RecordingProperties dialog(port, {{second.slavePath(), QString()}});
    dialog.cboPort->setCurrentIndex(dialog.cboPort->findData(second.slavePath()));
    dialog.cmdOk_Click();
    QVERIFY(dialog.errors.isEmpty());
    QCOMPARE(port.commPort(), second.slavePath());
    QVERIFY(port.portOpen());
    QCOMPARE(stored("CommPort"), second.slavePath());
}

QTEST_MAIN(tst_frmProperties)
#include "tst_frmproperties.moc"
