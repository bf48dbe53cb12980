// What the panels share as windows: centring on the screen and the "Close" button's return
// of the mouse pointer to the default arrow.
#pragma once

class QWidget;

namespace PanelWindow {

// left = (screen width - window width) / 2, top = (screen height - window height) / 2, on the
// screen the window belongs to. A window without a screen stays where it is.
void centre(QWidget &window);

// Takes back every busy or wait pointer that was set over the whole application.
void restoreCursor();

} // namespace PanelWindow
