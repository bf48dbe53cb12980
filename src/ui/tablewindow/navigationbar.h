// The data control drawn as a navigation bar: first, previous, next and last record, with
// the caption between them ("Record: 5" on the windows that show one).
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

class NavigationBar : public QWidget
{
    Q_OBJECT
public:
    explicit NavigationBar(QWidget *parent = nullptr);

    void setCaption(const QString &text);
    QString caption() const;

    QPushButton *firstButton() const { return m_first; }
    QPushButton *previousButton() const { return m_previous; }
    QPushButton *nextButton() const { return m_next; }
    QPushButton *lastButton() const { return m_last; }

Q_SIGNALS:
    void moveFirst();
    void movePrevious();
    void moveNext();
    void moveLast();

private:
    QPushButton *m_first = nullptr;
    QPushButton *m_previous = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_last = nullptr;
    QLabel *m_caption = nullptr;
};
