// The progress window: a message, a percentage text and a progress bar from 0 to 100, all set
// by the caller. Not modal, no buttons. Its owner shows and closes it as often as needed; each
// opening starts from "Message", an empty percentage and an empty bar.
#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

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

    QLabel *lblMessage = nullptr;
    QLabel *lblPercent = nullptr;
    QProgressBar *ProgressBar1 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
};
