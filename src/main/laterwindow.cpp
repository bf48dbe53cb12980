#include "laterwindow.h"

#include "settings/windowplacement.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

LaterWindow::LaterWindow(const QString &title, QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(title);
    m_text = new QLabel(
        QStringLiteral("The %1 window comes in a later version of Vantelo.").arg(title), this);
    m_text->setObjectName(QStringLiteral("lblLater"));
    m_text->setWordWrap(true);
    auto *close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setDefault(true);
    m_text->setBuddy(close);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(close, 0, Qt::AlignRight);
    WindowPlacement::fitTitle(*this);
    resize(360, 120);
}
