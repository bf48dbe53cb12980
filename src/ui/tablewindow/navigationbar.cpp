#include "ui/tablewindow/navigationbar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace {
QPushButton *arrowButton(QWidget *parent, QStyle::StandardPixmap icon, const char *name,
                         const QString &what)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setAccessibleName(what);
    button->setToolTip(what);
    button->setAutoDefault(false);
    return button;
}
} // namespace

NavigationBar::NavigationBar(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("datPrimaryRS"));
    setAccessibleName(QStringLiteral("Records"));
    m_first = arrowButton(this, QStyle::SP_MediaSkipBackward, "cmdFirst",
                          QStringLiteral("First record"));
    m_previous = arrowButton(this, QStyle::SP_MediaSeekBackward, "cmdPrevious",
                             QStringLiteral("Previous record"));
    m_next
        = arrowButton(this, QStyle::SP_MediaSeekForward, "cmdNext", QStringLiteral("Next record"));
    m_last
        = arrowButton(this, QStyle::SP_MediaSkipForward, "cmdLast", QStringLiteral("Last record"));
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("lblCaption"));
    m_caption->setAlignment(Qt::AlignCenter);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_first);
    layout->addWidget(m_previous);
    layout->addWidget(m_caption, 1);
    layout->addWidget(m_next);
    layout->addWidget(m_last);

    connect(m_first, &QPushButton::clicked, this, &NavigationBar::moveFirst);
    connect(m_previous, &QPushButton::clicked, this, &NavigationBar::movePrevious);
    connect(m_next, &QPushButton::clicked, this, &NavigationBar::moveNext);
    connect(m_last, &QPushButton::clicked, this, &NavigationBar::moveLast);
    setCaption(QString());
}

void NavigationBar::setCaption(const QString &text)
{
    m_caption->setText(text);
    m_caption->setAccessibleName(text.trimmed().isEmpty() ? QStringLiteral("Records") : text);
}

QString NavigationBar::caption() const
{
    return m_caption->text();
}
