// The message boxes of the main window, each replaceable so that tests can answer them.
#pragma once

#include <QString>
#include <functional>

class QWidget;

struct TerminalPrompts
{
    // Exclamation icon, OK: a refused port setting or a port that cannot be opened.
    std::function<void(QWidget *parent, const QString &text)> warning;
    // Beep, then OK/Cancel titled "Click Cancel to quit, OK to ignore."; 1 OK, 2 Cancel. The
    // standard box is a child of parent named SerialErrorBox, so that it can be closed (as OK)
    // when the loss it tells of is over.
    std::function<int(QWidget *parent, const QString &text)> serialError;
    static constexpr const char *SerialErrorBox = "serialErrorBox";
    // "Data cannot be sent", question icon, Abort/Retry/Ignore; 3, 4 or 5.
    std::function<int(QWidget *parent)> dataCannotBeSent;

    // The standard message boxes.
    static TerminalPrompts standard();
};
