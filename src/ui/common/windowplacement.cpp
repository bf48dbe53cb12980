#include "ui/common/windowplacement.h"

#include "ui/common/spokenname.h"

#include <QDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace WindowPlacement {

void centreOnScreen(QWidget &window)
{
    const QScreen *screen = window.screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize size = window.frameGeometry().size();
    window.move(area.x() + (area.width() - size.width()) / 2,
                area.y() + (area.height() - size.height()) / 2);
}

int titleWidth(const QWidget &window)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    const QFontMetrics metrics(font);
    // The icon and the minimise, maximise and close buttons, each about two lines high and
    // wide, with the frame's margins.
    const int frameControls = 8 * metrics.height();
    return metrics.horizontalAdvance(window.windowTitle()) + frameControls;
}

void fitTitle(QWidget &window)
{
    window.setMinimumWidth(std::max(window.minimumSizeHint().width(), titleWidth(window)));
}

void openBox(QDialog &box)
{
    QWidget *owner = box.parentWidget() ? box.parentWidget()->window() : nullptr;
    const bool overOwner = owner && owner->isVisible();
    box.setAttribute(Qt::WA_DeleteOnClose);
    // Placed once shown, when a message box has taken its final size.
    if (overOwner) {
        box.open(); // modal to its window only
        const QPoint centre = owner->frameGeometry().center();
        box.move(centre.x() - box.frameGeometry().width() / 2,
                 centre.y() - box.frameGeometry().height() / 2);
        return;
    }
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    centreOnScreen(box);
}

void restoreDefaultCursor()
{
    // The override cursors form a stack; the default arrow shows once it is empty.
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

QLabel *namedLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleName(SpokenName::caption(text));
    return label;
}

} // namespace WindowPlacement
