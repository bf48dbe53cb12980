// The program's help: the help page compiled into the program, shown in a browser window.
#pragma once

#include <QWidget>

class QTextBrowser;

class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr const char *PageUrl = "qrc:/help/vantelo.html";

    explicit HelpWindow(QWidget *parent = nullptr);
    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser = nullptr;
};
