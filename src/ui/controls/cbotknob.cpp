#include "ui/controls/cbotknob.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double DegreesPerUnit = 360.0 / CbotKnob::UnitsPerTurn;
constexpr int WheelStep = 120; // one notch of an ordinary mouse wheel

} // namespace

CbotKnob::CbotKnob(QWidget *parent)
    : QDial(parent)
{
    // The dial face shows the position within one turn; the position itself is counted here.
    setRange(0, UnitsPerTurn - 1);
    setWrapping(true);
    setNotchesVisible(true);
    setNotchTarget(10.0);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Tuning knob"));
    setAccessibleDescription(
        tr("Turn to tune in 10 Hz units; the frequency is set when you let go"));

    m_releasePause.setSingleShot(true);
    m_releasePause.setInterval(ReleasePauseMs);
    connect(&m_releasePause, &QTimer::timeout, this, &CbotKnob::mouseUp);
}

void CbotKnob::resetPosition()
{
    m_position = 0;
    m_dragStart = 0;
    m_dragDegrees = 0.0;
    setValue(0);
}

void CbotKnob::turnTo(qint64 position)
{
    const int clamped = int(std::clamp(position, qint64(-MaxPosition), qint64(MaxPosition)));
    if (clamped == m_position)
        return;
    m_position = clamped;
    setValue(((m_position % UnitsPerTurn) + UnitsPerTurn) % UnitsPerTurn);
    Q_EMIT positionChanged(m_position);
}

double CbotKnob::pointerAngle(const QPointF &point) const
{
    const QPointF centre = QRectF(rect()).center();
    // Screen y grows downwards, so the angle grows clockwise.
    return std::atan2(point.y() - centre.y(), point.x() - centre.x()) * 180.0 / std::numbers::pi;
}

void CbotKnob::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_releasePause.stop();
    m_dragging = true;
    m_dragStart = m_position;
    m_dragDegrees = 0.0;
    m_lastAngle = pointerAngle(event->position());
    setFocus(Qt::MouseFocusReason);
    event->accept();
}

void CbotKnob::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging) {
        event->ignore();
        return;
    }
    const double angle = pointerAngle(event->position());
    double step = angle - m_lastAngle;
    // The shorter way round across the ±180 degree seam.
    if (step > 180.0)
        step -= 360.0;
    else if (step < -180.0)
        step += 360.0;
    m_lastAngle = angle;
    m_dragDegrees += step;
    turnTo(qint64(m_dragStart) + std::llround(m_dragDegrees / DegreesPerUnit));
    event->accept();
}

void CbotKnob::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragging || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_dragging = false;
    event->accept();
    Q_EMIT mouseUp();
}

void CbotKnob::wheelEvent(QWheelEvent *event)
{
    // Fine-grained wheels send parts of a notch; whole notches turn the knob.
    m_wheelEighths += event->angleDelta().y();
    const int notches = m_wheelEighths / WheelStep;
    m_wheelEighths -= notches * WheelStep;
    event->accept();
    if (notches == 0)
        return;
    turnTo(qint64(m_position) + notches);
    if (!m_dragging)
        m_releasePause.start();
}

void CbotKnob::keyPressEvent(QKeyEvent *event)
{
    int units = 0;
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Up:
        units = 1;
        break;
    case Qt::Key_Left:
    case Qt::Key_Down:
        units = -1;
        break;
    default:
        // Everything else (Page Up/Down among it) is the window's.
        event->ignore();
        return;
    }
    event->accept();
    turnTo(qint64(m_position) + units);
    if (!m_dragging)
        m_releasePause.start();
}
