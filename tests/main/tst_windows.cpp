// Every window of the program, one row each: the frame has room for the whole title.
// A new window adds its row to windowTable().
#include "main/frmterminal.h"
#include "main/helpwindow.h"
#include "main/laterwindow.h"
#include "panels/frmfilter.h"
#include "panels/frmfunctions.h"
#include "radio/radio.h"
#include "radio/statusword.h"
#include "settings/frmabout.h"
#include "settings/frmmessage.h"
#include "settings/frmproperties.h"
#include "settings/frmsetup.h"
#include "settings/frmsplash.h"
#include "settings/frmtesting.h"

#include <QFontDatabase>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

namespace {

struct WindowRow
{
    const char *name;
    std::function<QWidget *(Radio &)> make;
    bool titled; // has a frame with a title
};

QWidget *filterPanel(Radio &radio, const char *mode)
{
    radio.state().Mode = QLatin1String(mode);
    return new frmFilter(radio);
}

const std::vector<WindowRow> &windowTable()
{
    static const std::vector<WindowRow> rows {
        {"main window", [](Radio &radio) { return new frmTerminal(radio); }, true},
        {"main window after replies",
         [](Radio &radio) {
             auto *window = new frmTerminal(radio);
             StatusWord w;
             w.rit = '1';
             w.offset = 150;
             radio.receive(w.reply() + "RA01;PA1;AG128;IS-0200;SM0015;TX;");
             return window;
         },
         true},
        {"functions panel", [](Radio &radio) { return new frmFunctions(radio); }, true},
        {"filter panel, CW", [](Radio &radio) { return filterPanel(radio, "3"); }, true},
        {"filter panel, USB", [](Radio &radio) { return filterPanel(radio, "2"); }, true},
        {"filter panel, FSK-R", [](Radio &radio) { return filterPanel(radio, "9"); }, true},
        {"filter panel, mode unknown", [](Radio &radio) { return filterPanel(radio, ""); }, true},
        {"port properties",
         [](Radio &radio) {
             return new frmProperties(radio.MSComm1(), QList<PortList::SystemPort> {});
         },
         true},
        {"setup", [](Radio &) { return new frmSetup; }, true},
        {"test screen", [](Radio &radio) { return new frmTesting(radio); }, true},
        {"about", [](Radio &) { return new frmAbout; }, true},
        {"splash", [](Radio &) { return new frmSplash; }, false},
        {"progress window",
         [](Radio &) {
             auto *window = new frmMessage;
             window->setMessage(QStringLiteral("Loading Data from Radio, Please Wait !"));
             window->setPercent(QStringLiteral("45 %"));
             return window;
         },
         true},
        {"help window", [](Radio &) { return new HelpWindow; }, true},
        {"window of a later version",
         [](Radio &) { return new LaterWindow(QStringLiteral("Frequency Scan")); }, true},
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

    void wholeTitleShown_data() { addWindowRows(true); }
    void wholeTitleShown();

private:
    QTemporaryDir m_config;
};

void tst_windows::initTestCase()
{
    // Run by hand, outside ctest, the test still never touches the operator's own settings.
    if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"))
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
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

QTEST_MAIN(tst_windows)
#include "tst_windows.moc"
