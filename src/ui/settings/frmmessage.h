// The progress window: a message, a percentage text and a progress bar from 0 to 100, all set
// by the caller. Its owner shows and closes it as often as needed; each opening starts from
// "Message", an empty percentage, an empty bar and no Cancel button. A caller whose task can be
// stopped shows Cancel: pressing it, Escape or closing the window asks the caller to stop, and
// the window stays. At the end of its task the caller hides Cancel and closes the window.
#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

class frmMessage : public QWidget
{
    Q_OBJECT
public:
    explicit frmMessage(QWidget *parent = nullptr);

    void setMessage(const QString &text);
    void setPercent(const QString &text);
    // Values outside 0 to 100 are held at the nearer end.
    void setProgress(int value);
    // Paints the window now, for callers that keep the event loop busy between steps.
    void redraw();
    // Back to the opening texts.
    void reset();

    // Shows or hides Cancel; a disabled Cancel has been pressed and the task is ending.
    void setCancelVisible(bool visible);
    void setCancelEnabled(bool enabled);
    void cmdCancel_Click();

    QLabel *lblMessage = nullptr;
    QLabel *lblPercent = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QPushButton *cmdCancel = nullptr;

Q_SIGNALS:
    void cancelRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
};
