// Helpers every small window shares: centring on the screen, resetting the mouse pointer and
// named labels that screen readers announce by their text.
#pragma once

class QLabel;
class QString;
class QWidget;

namespace WindowPlacement {

// left = (screen width - window width) / 2, top = (screen height - window height) / 2, on the
// screen the window is on.
void centreOnScreen(QWidget &window);

// Puts the mouse pointer back to the default arrow, however many busy cursors were set.
void restoreDefaultCursor();

// A label with its object name, whose accessible name is its text.
QLabel *namedLabel(QWidget *parent, const char *name, const QString &text);

} // namespace WindowPlacement
