// Every window of the program, one row each: spoken names begin with the captions the operator
// sees, every control is reached with Tab, and the frame has room for the whole title.
// A new window adds its row to windowTable().
#include "common/accessibilitycheck.h"
#include "common/statusword.h"
#include "core/cw/cwsender.h"
#include "core/radio/radio.h"
#include "ui/bands/frmband.h"
#include "ui/bands/frmfreqscan.h"
#include "ui/cw/frmcwkeyboard.h"
#include "ui/logbook/frmlogging.h"
#include "ui/main/frmterminal.h"
#include "ui/main/helpwindow.h"
#include "ui/memory/frmmemory.h"
#include "ui/menu/frmmenu.h"
#include "ui/panels/frmfilter.h"
#include "ui/panels/frmfunctions.h"
#include "ui/settings/frmabout.h"
#include "ui/settings/frmmessage.h"
#include "ui/settings/frmproperties.h"
#include "ui/settings/frmsetup.h"
#include "ui/settings/frmsplash.h"
#include "ui/settings/frmtesting.h"

#include <QFontDatabase>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

namespace {

struct WindowRow
{
    const char *name;
    std::function<QWidget *(Radio &)> make;
    int minimumControls; // the check looks at no fewer controls than this
    bool titled; // has a frame with a title
    QStringList accessKeys = {}; // controls and menu entries that must have an access key
};

QWidget *filterPanel(Radio &radio, const char *mode)
{
    radio.state().Mode = QLatin1String(mode);
    return new frmFilter(radio);
}

const std::vector<WindowRow> &windowTable()
{
    static const std::vector<WindowRow> rows {
        {"main window",
         [](Radio &radio) { return new frmTerminal(radio); },
         90,
         true,
         {"mnuBand", "mnuFreqScan", "mnuMemory", "mnuLogging", "MnuRadioMenu"}},
        {"main window after replies",
         [](Radio &radio) {
             auto *window = new frmTerminal(radio);
             StatusWord w;
             w.rit = '1';
             w.offset = 150;
             radio.receive(w.reply() + "RA01;PA1;AG128;IS-0200;SM0015;TX;");
             return window;
         },
         90, true},
        {"functions panel", [](Radio &radio) { return new frmFunctions(radio); }, 25, true},
        {"filter panel, CW", [](Radio &radio) { return filterPanel(radio, "3"); }, 5, true},
        {"filter panel, FSK-R", [](Radio &radio) { return filterPanel(radio, "9"); }, 5, true},
        {"filter panel, mode unknown", [](Radio &radio) { return filterPanel(radio, ""); }, 5,
         true},
        {"port properties",
         [](Radio &radio) {
             return new frmProperties(radio.MSComm1(), QList<PortList::SystemPort> {});
         },
         20, true},
        {"setup", [](Radio &) { return new frmSetup; }, 14, true},
        {"test screen", [](Radio &radio) { return new frmTesting(radio); }, 3, true},
        {"about", [](Radio &) { return new frmAbout; }, 4, true},
        {"splash", [](Radio &) { return new frmSplash; }, 4, false},
        {"progress window",
         [](Radio &) {
             auto *window = new frmMessage;
             window->setMessage(QStringLiteral("Loading Data from Radio, Please Wait !"));
             window->setPercent(QStringLiteral("45 %"));
             return window;
         },
         3, true},
        {"help window", [](Radio &) { return new HelpWindow; }, 1, true},
        {"memory",
         [](Radio &) { return new frmMemory; },
         15,
         true,
         {"cmdMemtoRad", "CmdRadtoMem", "cmdVFOtoMem", "CmdMemtoVFO", "txtStartMem", "txtEndMem",
          "txtScanPause", "txtScanCode", "cmdActivate", "mnuClearChannel"}},
        {"band list", [](Radio &radio) { return new frmBand(radio); }, 5, true},
        {"frequency scan", [](Radio &radio) { return new frmFreqScan(radio); }, 5, true},
        {"logbook", [](Radio &radio) { return new frmLogging(radio.state()); }, 8, true},
        {"radio menu table", [](Radio &) { return new frmMenu; }, 3, true},
        {"CW keyboard",
         [](Radio &radio) {
             radio.receive("MD2;KS025;");
             auto *sender = new CwSender(radio);
             auto *window = new frmCwKeyboard(radio, *sender);
             sender->setParent(window);
             return window;
         },
         30, true},
    };
    return rows;
}

void addWindowRows(bool titledOnly)
{
    QTest::addColumn<int>("row");
    const auto &rows = windowTable();
    for (int i = 0; i < int(rows.size()); ++i) {
        if (!titledOnly || rows[std::size_t(i)].titled)
            QTest::newRow(rows[std::size_t(i)].name) << i;
    }
}

} // namespace

class tst_windows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();

    void spokenNamesAndKeyboard_data() { addWindowRows(false); }
    void spokenNamesAndKeyboard();
    void wholeTitleShown_data() { addWindowRows(true); }
    void wholeTitleShown();
    void checkFindsFaults();

private:
    QTemporaryDir m_config;
};

void tst_windows::initTestCase()
{
    // Run by hand, outside ctest, the test still never touches the operator's own settings.
    if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"))
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
}

void tst_windows::spokenNamesAndKeyboard()
{
    QFETCH(int, row);
    const WindowRow &entry = windowTable()[std::size_t(row)];
    Radio radio;
    const std::unique_ptr<QWidget> window(entry.make(radio));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));

    const AccessibilityCheck::Result result = AccessibilityCheck::check(window.get());
    QVERIFY2(result.checked >= entry.minimumControls, qPrintable(QString::number(result.checked)));
    QVERIFY2(result.offences.isEmpty(), qPrintable(result.offences.join(QLatin1Char('\n'))));
    const QStringList keys = AccessibilityCheck::accessKeyOffences(window.get(), entry.accessKeys);
    QVERIFY2(keys.isEmpty(), qPrintable(keys.join(QLatin1Char('\n'))));
}

void tst_windows::wholeTitleShown()
{
    QFETCH(int, row);
    const WindowRow &entry = windowTable()[std::size_t(row)];
    Radio radio;
    const std::unique_ptr<QWidget> window(entry.make(radio));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));

    // The frame draws the title in the window-title font beside its icon and its minimise,
    // maximise and close buttons, which with their spacing and the frame's margins take about
    // six lines of that font.
    const QFontMetrics title(QFontDatabase::systemFont(QFontDatabase::TitleFont));
    const int needed = title.horizontalAdvance(window->windowTitle()) + 6 * title.height();
    QVERIFY2(window->width() >= needed,
             qPrintable(QStringLiteral("\"%1\": %2 wide, the title needs %3")
                            .arg(window->windowTitle())
                            .arg(window->width())
                            .arg(needed)));
}

// The check itself finds each kind of fault it is there for.
void tst_windows::checkFindsFaults()
{
    QWidget window;
    auto *named = new QPushButton(QStringLiteral("Att"), &window);
    named->setObjectName(QStringLiteral("named"));
    named->setAccessibleName(QStringLiteral("Attenuator"));
    auto *accessKey = new QPushButton(QStringLiteral("&>>"), &window);
    accessKey->setObjectName(QStringLiteral("accessKey"));
    accessKey->setAccessibleName(QStringLiteral(">>, step up"));
    auto *unreachable = new QSlider(&window);
    unreachable->setObjectName(QStringLiteral("unreachable"));
    unreachable->setFocusPolicy(Qt::ClickFocus);
    auto *caption = new QLabel(QStringLiteral("&Volume:"), &window);
    caption->setBuddy(unreachable);
    unreachable->setAccessibleName(QStringLiteral("AF gain"));
    auto *unlabelled = new QSlider(&window);
    unlabelled->setObjectName(QStringLiteral("unlabelled"));

    const AccessibilityCheck::Result result = AccessibilityCheck::check(&window);
    QCOMPARE(result.checked, 5);
    QCOMPARE(result.offences,
             (QStringList {"named (QPushButton): name \"Attenuator\" does not begin with \"Att\"",
                           "unreachable (QSlider): name \"AF gain\" does not begin with \"Volume\"",
                           "unreachable (QSlider): not reachable with Tab",
                           "unlabelled (QSlider): no accessible name"}));
}

QTEST_MAIN(tst_windows)
#include "tst_windows.moc"
