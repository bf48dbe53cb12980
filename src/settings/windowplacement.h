// Helpers every small window shares: centring on the screen and resetting the mouse pointer.
#pragma once

class QWidget;

namespace WindowPlacement {

// left = (screen width - window width) / 2, top = (screen height - window height) / 2, on the
// screen the window is on.
void centreOnScreen(QWidget &window);

// Puts the mouse pointer back to the default arrow, however many busy cursors were set.
void restoreDefaultCursor();

} // namespace WindowPlacement
