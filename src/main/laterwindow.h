// A small window standing in for a window that a later version of the program brings: it says
// so and closes again.
#pragma once

#include <QWidget>

class QLabel;

class LaterWindow : public QWidget
{
    Q_OBJECT
public:
    // title: the window's own title, such as "Memory".
    LaterWindow(const QString &title, QWidget *parent = nullptr);

private:
    QLabel *m_text = nullptr;
};
