// The interpreter fed with what a noisy line can bring: random bytes, replies cut short at
// every length, overlong replies. Nothing crashes, the buffer stays bounded, and a reply too
// short for its fields changes no state.
#include "common/recordingdisplay.h"
#include "common/statusword.h"
#include "core/radio/radio.h"
#include "core/radio/replylayouts.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

const QList<QByteArray> &validReplies()
{
    static const QList<QByteArray> replies = {
        StatusWord {}.reply(),
        "FA00007050500;",
        "FB00014200000;",
        "FR1;",
        "MD3;",
        "TO1;",
        "TN12;",
        "CA1;",
        "FW0050;",
        "SM0015;",
        "AG086;",
        "RG255;",
        "SH12;",
        "SL03;",
        "IS-0200;",
        "PC050;",
        "MG050;",
        "KS020;",
        "SQ010;",
        "VG004;",
        "VD0300;",
        "GT002;",
        "RA01;",
        "LK1;",
        "PA1;",
        "PS1;",
        "PR1;",
        "VX1;",
        "BC1;",
        "NB1;",
        "NR2;",
        "AN2;",
        "PB1;",
        "BY1;",
        "AC010;",
        "TX;",
        "RX;",
        "MC 05;",
        "MR0 050001420000020112 ;",
        "MR1 050001425000020112 ;",
    };
    return replies;
}

RadioState withoutReplyCode(RadioState s)
{
    s.ReplyCode.clear();
    return s;
}

} // namespace

class TestRobustness : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void truncatedRepliesChangeNoState();
    void overlongRepliesAreHarmless();
    void randomBytes();
    void randomRepliesDuringStartup();
};

void TestRobustness::truncatedRepliesChangeNoState()
{
    for (const QByteArray &full : validReplies()) {
        const QByteArray body = full.left(full.indexOf(';'));
        const int needed = ReplyLayouts::length(QString::fromLatin1(body.left(2)));
        for (int len = 0; len < needed; ++len) {
            Radio radio;
            RecordingDisplay display;
            radio.setDisplay(&display);
            radio.state().StartMemChannel = QStringLiteral("04");
            const RadioState before = radio.state();
            radio.receive(body.left(len) + ';');
            QVERIFY2(withoutReplyCode(radio.state()) == withoutReplyCode(before),
                     (body.left(len) + ';').constData());
            QVERIFY(display.labels.isEmpty());
            QVERIFY(display.steps.isEmpty());
        }
    }
}

void TestRobustness::overlongRepliesAreHarmless()
{
    // A reply longer than its layout is noise: nothing of it is read.
    for (const QByteArray &full : validReplies()) {
        Radio radio;
        RecordingDisplay display;
        radio.setDisplay(&display);
        QByteArray longer = full;
        longer.insert(longer.size() - 1, QByteArray(2000, '9'));
        radio.receive(longer);
        QVERIFY(radio.Out.isEmpty());
    }
    Radio radio;
    radio.receive("FA0000705050099999999999999999999;");
    QCOMPARE(radio.state().Freq, QStringLiteral("999999999"));
    QVERIFY(radio.state().VFOAFreq.isEmpty());
}

void TestRobustness::randomBytes()
{
    QRandomGenerator rng(20261207);
    Radio radio;
    RecordingDisplay display;
    radio.setDisplay(&display);
    for (int round = 0; round < 20000; ++round) {
        QByteArray chunk;
        const int n = int(rng.bounded(1, 80));
        for (int i = 0; i < n; ++i) {
            const quint32 pick = rng.bounded(10u);
            if (pick < 2)
                chunk += char(rng.bounded(256u));
            else if (pick < 3)
                chunk += ';';
            else if (pick < 5)
                chunk += char('0' + rng.bounded(10u));
            else if (pick < 6)
                chunk += ' ';
            else
                chunk += char('A' + rng.bounded(26u));
        }
        if (rng.bounded(4u) == 0) {
            const QByteArray &r
                = validReplies().at(int(rng.bounded(qsizetype(validReplies().size()))));
            chunk += r.left(int(rng.bounded(r.size() + 1)));
        }
        radio.receive(chunk);
        QVERIFY(radio.Out.size() <= Radio::MaxPendingReply + 80 + 40);
        QVERIFY(!radio.Out.contains(QLatin1Char(';')));
    }
    // The interpreter still works after all that.
    radio.receive(";FA00007050500;");
    QCOMPARE(radio.state().VFOAFreq, QStringLiteral("7050.5"));
}

void TestRobustness::randomRepliesDuringStartup()
{
    // Whatever arrives, the list keeps moving and ends.
    QRandomGenerator rng(7);
    Radio radio;
    RecordingDisplay display;
    radio.setDisplay(&display);
    radio.Synchronise();
    int guard = 0;
    while (radio.state().StartupLoading == QLatin1String("1") && guard++ < 1000) {
        const QByteArray &r = validReplies().at(int(rng.bounded(qsizetype(validReplies().size()))));
        radio.receive(r.left(int(rng.bounded(r.size()))) + ';');
    }
    QCOMPARE(radio.state().StartupLoading, QStringLiteral("0"));
    QVERIFY(!display.progressOpen);
}

QTEST_GUILESS_MAIN(TestRobustness)
#include "tst_robustness.moc"
