// The pulled cable, end to end: the main window works a simulated radio found at a fixed link
// path; the radio is stopped during operation and a new one started at the same path. The
// window must say so, mark its read-out stale (for the eye and for screen readers), refuse the
// operator's commands meanwhile, show one error box at most, and come back by itself.
#include "common/accessibilitycheck.h"
#include "common/settingsfiles.h"
#include "core/radio/cat.h"
#include "core/radio/radio.h"
#include "core/radio/smeterpoll.h"
#include "sim/simlink.h"
#include "sim/simptyserver.h"
#include "ui/common/spokenname.h"
#include "ui/main/displaypanel.h"
#include "ui/main/frmterminal.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {
constexpr int ReplyTimeoutMs = 10000;
constexpr int RetryMs = 50;
} // namespace

class tst_e2e_link : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void pulledAndPluggedBack();
    void cleanReturn();
    void lostAgainWhileTheBoxIsOpen();

private:
    bool startSim(qint64 frequencyHz);
    QLabel *label(const char *name) const
    {
        return m_window->findChild<QLabel *>(QLatin1String(name));
    }
    QString status() const { return m_window->portStatus()->text(); }
    void stepUp()
    {
        QTest::mouseClick(m_window->findChild<QAbstractButton *>(QStringLiteral("CmdStepUp")),
                          Qt::LeftButton);
    }

    QTemporaryDir m_config;
    QTemporaryDir m_dir;
    frmTerminal *m_window = nullptr;
    QString m_path;
    std::unique_ptr<SimPtyServer> m_sim;
    std::unique_ptr<SimLink> m_link;
    QByteArray m_received; // by the radio now at the path
};

void tst_e2e_link::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"))
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
    SettingsFiles::clear();
    m_path = m_dir.filePath(QStringLiteral("ts570"));
}

bool tst_e2e_link::startSim(qint64 frequencyHz)
{
    m_sim = std::make_unique<SimPtyServer>(SimOptions {});
    m_received.clear();
    connect(m_sim.get(), &SimPtyServer::received, this,
            [this](const QByteArray &bytes) { m_received += bytes; });
    if (!m_sim->start())
        return false;
    m_sim->radio().handle(*Cat::setFrequency('A', frequencyHz));
    m_link = std::make_unique<SimLink>();
    return m_link->place(m_path, m_sim->devicePath());
}

void tst_e2e_link::pulledAndPluggedBack()
{
    QVERIFY(startSim(14'200'000));
    Radio radio;
    radio.link().setRetryInterval(RetryMs);
    frmTerminal window(radio, TerminalOptions {m_path});
    m_window = &window;
    int boxes = 0;
    window.prompts().warning = [&boxes](QWidget *, const QString &) { ++boxes; };
    window.prompts().serialError = [&boxes](QWidget *, const QString &) {
        ++boxes;
        return 1;
    };
    window.show();
    QVERIFY(window.Form_Load());
    QTRY_COMPARE_WITH_TIMEOUT(radio.state().StartupLoading, QStringLiteral("0"), ReplyTimeoutMs);
    QCOMPARE(label("lblFreq")->text(), Cat::formatFreqHz(14'200'000));
    const QString freshName = label("lblFreq")->accessibleName();

    // The cable is pulled.
    m_sim.reset();
    m_link.reset();
    QTRY_VERIFY2(status().contains(QStringLiteral("Lost the connection to ") + m_path),
                 qPrintable(status()));
    QVERIFY2(status().contains(QStringLiteral("every 0.05 seconds")), qPrintable(status()));
    QLabel *freq = label("lblFreq");
    QVERIFY(window.displayPanel()->isStale());
    QVERIFY(!freq->isEnabled());
    QCOMPARE(freq->text(), Cat::formatFreqHz(14'200'000)); // the last value stays on show
    QCOMPARE(freq->accessibleName(), freshName + QStringLiteral(", stale"));
    QVERIFY(freq->accessibleDescription().startsWith(QStringLiteral("Stale")));
    QVERIFY(window.displayPanel()->accessibleDescription().startsWith(QStringLiteral("Stale")));
    QVERIFY(label("lblGMTDate")->isEnabled()); // the clock goes on
    const AccessibilityCheck::Result check = AccessibilityCheck::check(&window);
    QVERIFY2(check.offences.isEmpty(), qPrintable(check.offences.join(QLatin1Char('\n'))));

    // The operator's step is refused, not kept for later; no box comes with each attempt.
    stepUp();
    QTRY_VERIFY2(status().contains(QStringLiteral("Port %1 is closed: ").arg(m_path)),
                 qPrintable(status()));
    QTest::qWait(RetryMs * 6);
    QCOMPARE(boxes, 1);
    QVERIFY(!radio.MSComm1().portOpen());

    // A radio tuned elsewhere comes back at the same path.
    QVERIFY(startSim(3'550'000));
    QTRY_COMPARE_WITH_TIMEOUT(freq->text(), Cat::formatFreqHz(3'550'000), ReplyTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(freq->isEnabled(), ReplyTimeoutMs);
    QVERIFY(!window.displayPanel()->isStale());
    QCOMPARE(freq->accessibleName(), SpokenName::of(freq->text(), QStringLiteral("frequency")));
    QVERIFY(freq->accessibleDescription().isEmpty());
    QVERIFY2(status().startsWith(QStringLiteral("Simulated radio. Port open: ") + m_path
                                 + QStringLiteral(". Reconnected at ")),
             qPrintable(status()));
    QVERIFY(!m_received.contains("FA00014201000;"));

    // The next step reaches the new radio once.
    stepUp();
    QTRY_COMPARE_WITH_TIMEOUT(m_sim->radio().frequencyA(), qint64(3'551'000), ReplyTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(freq->text(), Cat::formatFreqHz(3'551'000), ReplyTimeoutMs);
    QCOMPARE(m_received.count("FA00003551000;"), 1);
    QCOMPARE(boxes, 1);
    m_window = nullptr;
}

// With the S-meter read four times a second as in the program, and the standard error box: the
// return raises no box and closes the loss's own; the start-up list runs from an empty receive
// buffer and the new radio is asked each query of it once, in order.
void tst_e2e_link::cleanReturn()
{
    QVERIFY(startSim(14'200'000));
    Radio radio;
    radio.link().setRetryInterval(RetryMs);
    SMeterPoll meter(radio);
    meter.setIntervalMs(1); // a reading due at any moment, the return's included
    meter.start();
    frmTerminal window(radio, TerminalOptions {m_path});
    m_window = &window;
    int boxes = 0;
    bool closedByTest = false;
    const auto standardBox = TerminalPrompts::standard().serialError;
    window.prompts().serialError = [&](QWidget *parent, const QString &text) {
        // While the box is open the radio comes back. Should the box stay, the test closes it.
        if (++boxes == 1)
            QTimer::singleShot(RetryMs * 4, this, [this] { QVERIFY(startSim(3'550'000)); });
        QTimer::singleShot(ReplyTimeoutMs, &window, [&] {
            if (auto *box
                = window.findChild<QMessageBox *>(QLatin1String(TerminalPrompts::SerialErrorBox))) {
                closedByTest = true;
                box->done(QMessageBox::Ok);
            }
        });
        return standardBox(parent, text);
    };
    window.show();
    QVERIFY(window.Form_Load());
    QTRY_COMPARE_WITH_TIMEOUT(radio.state().StartupLoading, QStringLiteral("0"), ReplyTimeoutMs);
    QTRY_VERIFY(meter.readingsAsked() > 0);

    // What waits in the receive buffer and the port when the list's first query goes out.
    QString leftInBuffer = QStringLiteral("<not synchronised>");
    connect(&radio, &Radio::commandWritten, this, [&](const QByteArray &command) {
        if (command == "IF;" && radio.link().state() == RadioView::Link::Reading
            && leftInBuffer.startsWith(QLatin1Char('<')))
            leftInBuffer = radio.Out + QString::number(radio.MSComm1().inBufferCount());
    });
    radio.Out = QStringLiteral("FA0001"); // half a reply from before the loss
    m_sim.reset();
    m_link.reset();
    QLabel *freq = label("lblFreq");
    QTRY_COMPARE_WITH_TIMEOUT(freq->text(), Cat::formatFreqHz(3'550'000), ReplyTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(!window.displayPanel()->isStale(), ReplyTimeoutMs);
    QCOMPARE(leftInBuffer, QStringLiteral("0"));
    QCOMPARE(boxes, 1);
    QVERIFY(!closedByTest);
    QVERIFY(!window.findChild<QMessageBox *>(QLatin1String(TerminalPrompts::SerialErrorBox)));
    QByteArray list = "IF;AI3;";
    for (int i = 1; !radio.state().StartupCommands[i].trimmed().isEmpty(); ++i)
        list += radio.state().StartupCommands[i].toLatin1();
    QVERIFY2(m_received.startsWith(list), m_received.constData());
    QVERIFY2(status().contains(QStringLiteral("Reconnected at ")), qPrintable(status()));
    m_window = nullptr;
}

// A box left open (by a prompt that does not close with the return) does not keep the watch
// from a second loss: the radio is in use again soon after its second return.
void tst_e2e_link::lostAgainWhileTheBoxIsOpen()
{
    QVERIFY(startSim(14'200'000));
    Radio radio;
    radio.link().setRetryInterval(RetryMs);
    frmTerminal window(radio, TerminalOptions {m_path});
    m_window = &window;
    int boxes = 0;
    qint64 backAfterMs = -1;
    window.prompts().serialError = [&](QWidget *, const QString &) {
        ++boxes;
        // The operator is away: meanwhile the radio returns, is lost again and returns again.
        const auto upAgain = [&] {
            return QTest::qWaitFor([&] { return radio.link().state() == RadioView::Link::Up; },
                                   ReplyTimeoutMs);
        };
        if (!startSim(7'000'000) || !upAgain())
            return 1;
        m_sim.reset();
        m_link.reset();
        if (!QTest::qWaitFor([&] { return radio.link().isDown(); }, ReplyTimeoutMs))
            return 1;
        QElapsedTimer back;
        back.start();
        if (!startSim(7'010'000) || !upAgain())
            return 1;
        backAfterMs = back.elapsed();
        return 1;
    };
    window.show();
    QVERIFY(window.Form_Load());
    QTRY_COMPARE_WITH_TIMEOUT(radio.state().StartupLoading, QStringLiteral("0"), ReplyTimeoutMs);
    m_sim.reset();
    m_link.reset();
    QTRY_VERIFY_WITH_TIMEOUT(backAfterMs >= 0, 3 * ReplyTimeoutMs);
    QVERIFY2(backAfterMs < 5000, qPrintable(QString::number(backAfterMs)));
    QCOMPARE(boxes, 1);
    QCOMPARE(label("lblFreq")->text(), Cat::formatFreqHz(7'010'000));
    QVERIFY2(!status().contains(QStringLiteral("Port closed")), qPrintable(status()));
    stepUp();
    QTRY_COMPARE_WITH_TIMEOUT(m_sim->radio().frequencyA(), qint64(7'011'000), ReplyTimeoutMs);
    m_window = nullptr;
}

QTEST_MAIN(tst_e2e_link)
#include "tst_e2e_link.moc"
