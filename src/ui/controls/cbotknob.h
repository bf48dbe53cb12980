// The tuning knob CbotKnob1: a rotary control whose position counts the units turned since
// the last release (one unit per 3.6 degrees, a mouse wheel step or an arrow key). It reports
// every change while it turns and a release when the mouse lets go, or a short pause after the
// last wheel step or key. The owner puts it back to 0 once the release has been handled.
#pragma once

#include <QDial>
#include <QTimer>

class CbotKnob : public QDial
{
    Q_OBJECT
public:
    static constexpr int UnitsPerTurn = 100;
    static constexpr int ReleasePauseMs = 300;
    // The position stays within this many units either way (1 GHz of tuning).
    static constexpr int MaxPosition = 100'000'000;

    explicit CbotKnob(QWidget *parent = nullptr);

    int position() const { return m_position; }
    // Back to 0 without a position change.
    void resetPosition();

Q_SIGNALS:
    void positionChanged(int position);
    void mouseUp();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void turnTo(qint64 position);
    double pointerAngle(const QPointF &point) const;

    int m_position = 0;
    bool m_dragging = false;
    int m_dragStart = 0;
    double m_lastAngle = 0.0;
    double m_dragDegrees = 0.0;
    int m_wheelEighths = 0;
    QTimer m_releasePause;
};
