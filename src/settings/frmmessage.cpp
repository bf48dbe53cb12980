#include "settings/frmmessage.h"

#include "settings/windowplacement.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
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

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblMessage);
    layout->addWidget(lblPercent);
    layout->addWidget(ProgressBar1);
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
}

void frmMessage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        WindowPlacement::centreOnScreen(*this);
}

void frmMessage::closeEvent(QCloseEvent *event)
{
    // Closing ends this opening; the next one starts from the opening texts.
    reset();
    QWidget::closeEvent(event);
}
