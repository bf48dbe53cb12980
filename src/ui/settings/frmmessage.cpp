#include "ui/settings/frmmessage.h"

#include "ui/common/windowplacement.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

frmMessage::frmMessage(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmMessage"));
    setWindowTitle(QStringLiteral("Message"));

    lblMessage = new QLabel(this);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setWordWrap(true);
    lblMessage->setMinimumWidth(320);
    lblPercent = new QLabel(this);
    lblPercent->setObjectName(QStringLiteral("lblPercent"));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setAccessibleName(QStringLiteral("Progress"));

    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAccessibleName(QStringLiteral("Cancel, stop this task"));
    cmdCancel->setAutoDefault(false);
    connect(cmdCancel, &QPushButton::clicked, this, &frmMessage::cmdCancel_Click);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblMessage);
    layout->addWidget(lblPercent);
    layout->addWidget(ProgressBar1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);
    WindowPlacement::fitTitle(*this);
    reset();
}

void frmMessage::setMessage(const QString &text)
{
    lblMessage->setText(text);
    lblMessage->setAccessibleName(text);
}

void frmMessage::setPercent(const QString &text)
{
    lblPercent->setText(text);
    lblPercent->setAccessibleName(text.isEmpty() ? QStringLiteral("Percent") : text);
}

void frmMessage::setProgress(int value)
{
    ProgressBar1->setValue(qBound(0, value, 100));
}

void frmMessage::redraw()
{
    if (isVisible())
        repaint();
}

void frmMessage::reset()
{
    setMessage(QStringLiteral("Message"));
    setPercent(QString());
    ProgressBar1->reset();
    setCancelVisible(false);
    setCancelEnabled(true);
}

void frmMessage::setCancelVisible(bool visible)
{
    cmdCancel->setVisible(visible);
}

void frmMessage::setCancelEnabled(bool enabled)
{
    cmdCancel->setEnabled(enabled);
}

void frmMessage::cmdCancel_Click()
{
    if (cmdCancel->isVisibleTo(this) && cmdCancel->isEnabled())
        Q_EMIT cancelRequested();
}

void frmMessage::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && cmdCancel->isVisibleTo(this)) {
        cmdCancel_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmMessage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        WindowPlacement::centreOnScreen(*this);
}

void frmMessage::closeEvent(QCloseEvent *event)
{
    // Closing a window that offers Cancel asks for Cancel; the caller hides Cancel before it
    // closes the window at the end of its task.
    if (cmdCancel->isVisibleTo(this)) {
        event->ignore();
        cmdCancel_Click();
        return;
    }
    // Closing ends this opening; the next one starts from the opening texts.
    reset();
    QWidget::closeEvent(event);
}
