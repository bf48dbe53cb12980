// The main window's read-out labels: the name each is known by, the text it shows until the
// radio answers, and what it shows, which a screen reader announces after the text.
#pragma once

#include "core/radio/radiodisplay.h"

#include <span>

namespace DisplayLabels {

struct Entry
{
    RadioView::Label label;
    const char *objectName;
    const char *designText;
    const char *explanation;
};

// Every label of the main window that the reply interpreter writes, in enum order.
std::span<const Entry> mainWindow();

// True for the labels that live on the functions panel rather than the main window.
bool onFunctionsPanel(RadioView::Label label);

} // namespace DisplayLabels
