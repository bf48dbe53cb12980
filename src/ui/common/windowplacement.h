// Helpers every small window shares: centring on the screen, a width for the whole title,
// resetting the mouse pointer and named labels that screen readers announce by their text.
#pragma once

class QDialog;
class QLabel;
class QString;
class QWidget;

namespace WindowPlacement {

// left = (screen width - window width) / 2, top = (screen height - window height) / 2, on the
// screen the window is on.
void centreOnScreen(QWidget &window);

// The width a window needs for its frame to show the whole title: the title in the window
// title font, bold as many window managers draw it, and room for the frame's icon and buttons.
int titleWidth(const QWidget &window);
// Keeps the window at least titleWidth() wide, and at least as wide as its contents need.
// Called once the window has its title and its layout.
void fitTitle(QWidget &window);

// Opens a box (made with the widget it belongs to as its parent) centred on that widget's
// window and modal to it, deleted once closed. A box whose window is not shown (or that has
// none) is centred on the screen and holds the whole program.
void openBox(QDialog &box);

// Puts the mouse pointer back to the default arrow, however many busy cursors were set.
void restoreDefaultCursor();

// A label with its object name, whose accessible name is its text without the access key's
// "&".
QLabel *namedLabel(QWidget *parent, const char *name, const QString &text);

} // namespace WindowPlacement
