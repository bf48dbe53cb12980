// The tuning knob: position changes while it turns by mouse, wheel and keys, the release that
// ends each turn, and the return to 0.
#include "ui/controls/cbotknob.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

namespace {

void mouse(CbotKnob &knob, QEvent::Type type, QPoint pos)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held
        = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(pos), knob.mapToGlobal(QPointF(pos)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&knob, &event);
}

void wheel(CbotKnob &knob, int delta)
{
    const QPointF centre(50, 50);
    QWheelEvent event(centre, knob.mapToGlobal(centre), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&knob, &event);
}

QList<int> positions(const QSignalSpy &spy)
{
    QList<int> list;
    for (const QList<QVariant> &args : spy)
        list.append(args.at(0).toInt());
    return list;
}

} // namespace

class TestKnob : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void drag_data();
    void drag();
    void wheelTurns_data();
    void wheelTurns();
    void arrowKeys_data();
    void arrowKeys();
    void otherKeysAreLeftAlone();
    void resetIsSilent();
    void accessible();
};

void TestKnob::drag_data()
{
    QTest::addColumn<QList<QPoint>>("moves"); // pressed at the right-hand edge (0 degrees)
    QTest::addColumn<int>("final");

    // 100 units a turn: a quarter turn is 25 units.
    QTest::newRow("quarter clockwise") << QList<QPoint> {{50, 95}} << 25;
    QTest::newRow("quarter anticlockwise") << QList<QPoint> {{50, 5}} << -25;
    QTest::newRow("half via bottom") << QList<QPoint> {{50, 95}, {5, 50}} << 50;
    QTest::newRow("over the seam and on")
        << QList<QPoint> {{50, 95}, {5, 50}, {50, 5}, {95, 50}, {50, 95}} << 125;
    QTest::newRow("there and back") << QList<QPoint> {{50, 95}, {95, 50}} << 0;
}

void TestKnob::drag()
{
    QFETCH(QList<QPoint>, moves);
    QFETCH(int, final);

    CbotKnob knob;
    knob.resize(100, 100);
    QSignalSpy changed(&knob, &CbotKnob::positionChanged);
    QSignalSpy released(&knob, &CbotKnob::mouseUp);

    mouse(knob, QEvent::MouseButtonPress, {95, 50});
    for (const QPoint &p : moves)
        mouse(knob, QEvent::MouseMove, p);
    QCOMPARE(knob.position(), final);
    QCOMPARE(released.count(), 0); // nothing until the mouse lets go
    if (!changed.isEmpty())
        QCOMPARE(positions(changed).last(), final);
    mouse(knob, QEvent::MouseButtonRelease, moves.last());
    QCOMPARE(released.count(), 1);

    // The next turn counts from 0 once the owner has put the knob back.
    knob.resetPosition();
    changed.clear();
    mouse(knob, QEvent::MouseButtonPress, {95, 50});
    mouse(knob, QEvent::MouseMove, {50, 95});
    mouse(knob, QEvent::MouseButtonRelease, {50, 95});
    QCOMPARE(positions(changed), QList<int> {25});
    QCOMPARE(released.count(), 2);
}

void TestKnob::wheelTurns_data()
{
    QTest::addColumn<QList<int>>("deltas");
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("one notch up") << QList<int> {120} << QList<int> {1};
    QTest::newRow("notches down") << QList<int> {-120, -240} << QList<int> {-1, -3};
    QTest::newRow("half notches add up") << QList<int> {60, 60, 60} << QList<int> {1};
    QTest::newRow("up and back") << QList<int> {120, -120} << QList<int> {1, 0};
}

void TestKnob::wheelTurns()
{
    QFETCH(QList<int>, deltas);
    QFETCH(QList<int>, expected);

    CbotKnob knob;
    knob.resize(100, 100);
    QSignalSpy changed(&knob, &CbotKnob::positionChanged);
    QSignalSpy released(&knob, &CbotKnob::mouseUp);
    for (int delta : deltas)
        wheel(knob, delta);
    QCOMPARE(positions(changed), expected);
    QCOMPARE(released.count(), 0);
    // A wheel turn ends like a release after a short pause, once.
    QVERIFY(released.wait(5000));
    QTest::qWait(CbotKnob::ReleasePauseMs * 2);
    QCOMPARE(released.count(), 1);
}

void TestKnob::arrowKeys_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("right") << QList<int> {Qt::Key_Right} << QList<int> {1};
    QTest::newRow("up up") << QList<int> {Qt::Key_Up, Qt::Key_Up} << QList<int> {1, 2};
    QTest::newRow("left down") << QList<int> {Qt::Key_Left, Qt::Key_Down} << QList<int> {-1, -2};
}

void TestKnob::arrowKeys()
{
    QFETCH(QList<int>, keys);
    QFETCH(QList<int>, expected);

    CbotKnob knob;
    QSignalSpy changed(&knob, &CbotKnob::positionChanged);
    QSignalSpy released(&knob, &CbotKnob::mouseUp);
    for (int key : keys)
        QTest::keyClick(&knob, Qt::Key(key));
    QCOMPARE(positions(changed), expected);
    QVERIFY(released.wait(5000));
    QCOMPARE(released.count(), 1);
}

void TestKnob::otherKeysAreLeftAlone()
{
    CbotKnob knob;
    QSignalSpy changed(&knob, &CbotKnob::positionChanged);
    for (Qt::Key key : {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&knob, &press);
        QVERIFY(!press.isAccepted());
    }
    QCOMPARE(changed.count(), 0);
    QCOMPARE(knob.position(), 0);
}

void TestKnob::resetIsSilent()
{
    CbotKnob knob;
    QTest::keyClick(&knob, Qt::Key_Right);
    QSignalSpy changed(&knob, &CbotKnob::positionChanged);
    knob.resetPosition();
    QCOMPARE(knob.position(), 0);
    QCOMPARE(changed.count(), 0);
}

void TestKnob::accessible()
{
    CbotKnob knob;
    QCOMPARE(knob.accessibleName(), QStringLiteral("Tuning knob"));
    QVERIFY(knob.focusPolicy() & Qt::TabFocus);
}

QTEST_MAIN(TestKnob)
#include "tst_knob.moc"
