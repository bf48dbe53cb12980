// Shutdown: the wait for unsent output, the "Data cannot be sent" prompt and its three answers,
// and the program's other windows closing with the main window.
#include "common/settingsfiles.h"
#include "core/radio/radio.h"
#include "sim/simptyserver.h"
#include "ui/main/frmterminal.h"
#include "ui/main/outputdrain.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

class tst_terminal_shutdown : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void drain_data();
    void drain();
    void drainLetsEventsRun();
    void closeWithUnsentOutput_data();
    void closeWithUnsentOutput();
    void exitMenuClosesLikeTheWindowFrame();
    void closedPortClosesAtOnce();
    void otherWindowsCloseWithTheProgram();

private:
    QTemporaryDir m_config;
    void openWindow();

    std::unique_ptr<SimPtyServer> m_sim;
    std::unique_ptr<Radio> m_radio;
    std::unique_ptr<frmTerminal> m_window;
    QList<int> m_answers;
    int m_asked = 0;
};

void tst_terminal_shutdown::initTestCase()
{
    // Run by hand, outside ctest, the test still never touches the operator's own settings.
    if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"))
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
}

void tst_terminal_shutdown::init()
{
    SettingsFiles::clear();
    m_answers.clear();
    m_asked = 0;
}

void tst_terminal_shutdown::cleanup()
{
    m_window.reset();
    m_radio.reset();
    m_sim.reset();
}

void tst_terminal_shutdown::openWindow()
{
    m_sim = std::make_unique<SimPtyServer>(SimOptions {});
    QVERIFY2(m_sim->start(), qPrintable(m_sim->errorString()));
    m_radio = std::make_unique<Radio>();
    m_window = std::make_unique<frmTerminal>(*m_radio, TerminalOptions {m_sim->devicePath()});
    m_window->prompts().warning = [](QWidget *, const QString &text) { QFAIL(qPrintable(text)); };
    m_window->prompts().dataCannotBeSent = [this](QWidget *) {
        ++m_asked;
        return m_answers.isEmpty() ? int(OutputDrain::Abort) : m_answers.takeFirst();
    };
    m_window->setDrainTiming({30, 2});
    m_window->show();
    QVERIFY(m_window->Form_Load());
    QVERIFY(m_radio->MSComm1().portOpen());
}

void tst_terminal_shutdown::drain_data()
{
    QTest::addColumn<int>("pendingRounds"); // -1: never drains
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<bool>("mayClose");
    QTest::addColumn<int>("asked");
    using A = QList<int>;
    QTest::newRow("nothing waiting") << 0 << A {} << true << 0;
    QTest::newRow("drains in time") << 3 << A {} << true << 0;
    QTest::newRow("abort") << -1 << A {OutputDrain::Abort} << false << 1;
    QTest::newRow("ignore") << -1 << A {OutputDrain::Ignore} << true << 1;
    QTest::newRow("retry then ignore")
        << -1 << A {OutputDrain::Retry, OutputDrain::Ignore} << true << 2;
    QTest::newRow("retry twice then abort")
        << -1 << A {OutputDrain::Retry, OutputDrain::Retry, OutputDrain::Abort} << false << 3;
    QTest::newRow("box closed without an answer counts as abort") << -1 << A {0} << false << 1;
}

void tst_terminal_shutdown::drain()
{
    QFETCH(int, pendingRounds);
    QFETCH(QList<int>, answers);
    QFETCH(bool, mayClose);
    QFETCH(int, asked);
    int polls = 0;
    const auto pending = [&]() -> qint64 {
        if (pendingRounds < 0)
            return 10;
        return polls++ < pendingRounds ? 1 : 0;
    };
    int askedNow = 0;
    const auto ask = [&] {
        ++askedNow;
        return answers.isEmpty() ? int(OutputDrain::Abort) : answers.takeFirst();
    };
    // A drain that finishes does so long before its deadline.
    const int deadline = pendingRounds < 0 ? 20 : 60000;
    QCOMPARE(OutputDrain::wait(pending, ask, {deadline, 1}), mayClose);
    QCOMPARE(askedNow, asked);
    QVERIFY(answers.isEmpty());
}

void tst_terminal_shutdown::drainLetsEventsRun()
{
    bool ran = false;
    QTimer::singleShot(0, this, [&ran] { ran = true; });
    bool ranBeforeAsking = false;
    OutputDrain::wait([] { return qint64(1); },
                      [&] {
                          ranBeforeAsking = ran;
                          return int(OutputDrain::Ignore);
                      },
                      {20, 1});
    QVERIFY(ranBeforeAsking);
}

void tst_terminal_shutdown::closeWithUnsentOutput_data()
{
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<bool>("closed");
    QTest::newRow("abort keeps the program running") << QList<int> {OutputDrain::Abort} << false;
    QTest::newRow("ignore closes") << QList<int> {OutputDrain::Ignore} << true;
    QTest::newRow("retry waits again")
        << QList<int> {OutputDrain::Retry, OutputDrain::Ignore} << true;
}

void tst_terminal_shutdown::closeWithUnsentOutput()
{
    QFETCH(QList<int>, answers);
    QFETCH(bool, closed);
    openWindow();
    m_answers = answers;
    const int expectedAsks = int(answers.size());
    m_window->setPendingOutput([] { return qint64(25); });
    QCOMPARE(m_window->close(), closed);
    QCOMPARE(m_asked, expectedAsks);
    QCOMPARE(m_window->isVisible(), !closed);
    QCOMPARE(m_radio->MSComm1().portOpen(), !closed);
    QCOMPARE(int(m_radio->MsgResult), answers.last());
}

void tst_terminal_shutdown::exitMenuClosesLikeTheWindowFrame()
{
    openWindow();
    m_window->setPendingOutput([] { return qint64(1); });
    m_answers = {OutputDrain::Abort};
    auto *exit = m_window->findChild<QAction *>(QStringLiteral("mnuFileExit"));
    QVERIFY(exit);
    exit->trigger();
    QCOMPARE(m_asked, 1);
    QVERIFY(m_window->isVisible());
    m_window->setPendingOutput({}); // the port's own count: nothing is waiting
    exit->trigger();
    QCOMPARE(m_asked, 1);
    QVERIFY(!m_window->isVisible());
    QVERIFY(!m_radio->MSComm1().portOpen());
}

void tst_terminal_shutdown::closedPortClosesAtOnce()
{
    m_radio = std::make_unique<Radio>();
    m_window = std::make_unique<frmTerminal>(*m_radio);
    m_window->prompts().dataCannotBeSent = [this](QWidget *) {
        ++m_asked;
        return int(OutputDrain::Abort);
    };
    m_window->setPendingOutput([] { return qint64(5); });
    m_window->show();
    QVERIFY(m_window->close());
    QCOMPARE(m_asked, 0);
}

void tst_terminal_shutdown::otherWindowsCloseWithTheProgram()
{
    openWindow();
    m_window->openWindow(FrontPanel::Window::Band);
    m_window->openWindow(FrontPanel::Window::Functions);
    m_window->mnuContents_Click();
    int others = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        others += (w != m_window.get() && w->isVisible()) ? 1 : 0;
    QVERIFY(others >= 3);
    QVERIFY(m_window->close());
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->windowTitle()));
}

QTEST_MAIN(tst_terminal_shutdown)
#include "tst_terminal_shutdown.moc"
