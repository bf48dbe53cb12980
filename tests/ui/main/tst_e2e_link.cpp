// The pulled cable, end to end: the main window works a simulated radio found at a fixed link
// path; the radio is stopped during operation and a new one started at the same path. The
// window must say so, mark its read-out stale (for the eye and for screen readers), refuse the
// operator's commands meanwhile, show one error box at most, and come back by itself.
#include "common/accessibilitycheck.h"
#include "common/settingsfiles.h"
#include "core/radio/cat.h"
#include "core/radio/radio.h"
#include "sim/simlink.h"
#include "sim/simptyserver.h"
#include "ui/common/spokenname.h"
#include "ui/main/displaypanel.h"
#include "ui/main/frmterminal.h"

#include <QAbstractButton>
#include <QLabel>
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

QTEST_MAIN(tst_e2e_link)
#include "tst_e2e_link.moc"
