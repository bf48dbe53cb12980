#include "panels/panelwindow.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace PanelWindow {

void centre(QWidget &window)
{
    const QScreen *screen = window.screen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    window.move(area.x() + (area.width() - window.width()) / 2,
                area.y() + (area.height() - window.height()) / 2);
}

void restoreCursor()
{
    // Each call takes back one pointer that was set; the stack is finite.
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

} // namespace PanelWindow
