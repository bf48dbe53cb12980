// Checks every control of a window for screen readers, voice control and the keyboard:
//  - its accessible name (what a screen reader announces) is not empty and begins with the
//    caption the operator sees, as whole words, so that a voice user who says "click Att" reaches
//    the button showing "Att". A control without a caption of its own (a slider, a list, a text
//    box) is held to the text of the label that describes it (the label whose buddy it is);
//  - a control that takes input can be reached with the Tab key.
// Controls are buttons, check boxes, option buttons, labels with text, sliders and dials, lists,
// text boxes, spin boxes, group boxes and progress bars, hidden ones included; the inner parts
// of Qt's composite widgets are left out.
//
// A new window adds one row to the window table of tests/main/tst_windows.cpp, or calls
//     const AccessibilityCheck::Result r = AccessibilityCheck::check(&window);
//     QVERIFY2(r.offences.isEmpty(), qPrintable(r.offences.join(QLatin1Char('\n'))));
#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollBar>
#include <QStringList>
#include <QTabBar>
#include <QTextDocument>
#include <QWidget>

namespace AccessibilityCheck {

struct Result
{
    int checked = 0; // controls looked at
    QStringList offences; // one line per fault, naming the control
};

// A caption as it is read aloud: the access-key "&" removed ("&&" reads "&"), blanks at the
// ends and runs of blanks taken out, and a trailing ":" dropped ("Port:" reads "Port").
inline QString readAloud(const QString &text)
{
    QString read;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            read += text[i];
        else if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&'))
            read += text[++i];
    }
    read = read.simplified();
    if (read.endsWith(QLatin1Char(':')))
        read.chop(1);
    return read.trimmed();
}

inline QString labelText(const QLabel *label)
{
    QString text = label->text();
    if (label->textFormat() == Qt::RichText
        || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
        QTextDocument document;
        document.setHtml(text);
        text = document.toPlainText();
    }
    return text;
}

// Parts of Qt's own composite widgets: the line edit of an editable list or a spin box, the
// scroll buttons of a tab bar, a scroll area's bars, a table's corner button (the table itself
// is announced as one control).
inline bool isInnerPart(const QWidget *widget, const QWidget *window)
{
    if (widget->objectName().startsWith(QLatin1String("qt_")))
        return true;
    for (const QWidget *w = widget->parentWidget(); w && w != window; w = w->parentWidget()) {
        if (qobject_cast<const QComboBox *>(w) || qobject_cast<const QAbstractSpinBox *>(w)
            || qobject_cast<const QTabBar *>(w) || qobject_cast<const QAbstractItemView *>(w)
            || w->objectName().startsWith(QLatin1String("qt_scrollarea_hcontainer"))
            || w->objectName().startsWith(QLatin1String("qt_scrollarea_vcontainer")))
            return true;
    }
    return false;
}

inline bool isSlider(const QWidget *w)
{
    return qobject_cast<const QAbstractSlider *>(w) && !qobject_cast<const QScrollBar *>(w);
}

inline bool takesInput(const QWidget *w)
{
    return qobject_cast<const QAbstractButton *>(w) || isSlider(w)
        || qobject_cast<const QComboBox *>(w) || qobject_cast<const QLineEdit *>(w)
        || qobject_cast<const QAbstractSpinBox *>(w);
}

inline bool isControl(const QWidget *w)
{
    return takesInput(w) || qobject_cast<const QGroupBox *>(w) || qobject_cast<const QLabel *>(w)
        || qobject_cast<const QProgressBar *>(w);
}

// The label that describes the control (the label whose buddy it is), or none.
inline QLabel *describingLabel(const QWidget *control, const QWidget *window)
{
    const auto labels = window->findChildren<QLabel *>();
    for (QLabel *label : labels) {
        if (label->buddy() == control)
            return label;
    }
    return nullptr;
}

// The caption the operator sees on the control, or that describes it.
inline QString captionOf(const QWidget *w, const QWidget *window)
{
    if (const auto *button = qobject_cast<const QAbstractButton *>(w))
        if (!button->text().trimmed().isEmpty())
            return button->text();
    if (const auto *box = qobject_cast<const QGroupBox *>(w))
        return box->title();
    if (const auto *label = qobject_cast<const QLabel *>(w))
        return labelText(label);
    const QLabel *label = describingLabel(w, window);
    return label ? labelText(label) : QString();
}

// A list that Qt names by its current entry (as it does on Linux, whatever name it was given)
// and whose describing label it announces through the list's relations instead.
inline bool listAnnouncedWithLabel(QWidget *control, const QWidget *window)
{
    if (!qobject_cast<const QComboBox *>(control))
        return false;
    QLabel *label = describingLabel(control, window);
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(control);
    if (!label || !face)
        return false;
    const auto relations = face->relations(QAccessible::Label);
    for (const auto &relation : relations) {
        if (relation.first && relation.first->object() == label)
            return true;
    }
    return false;
}

// Reached with Tab. Of the option buttons of one group Tab reaches the group (Qt leaves Tab on
// the one last focused) and the arrow keys the others.
inline bool reachable(const QWidget *w)
{
    if (w->focusPolicy() & Qt::TabFocus)
        return true;
    const auto *option = qobject_cast<const QAbstractButton *>(w);
    if (!option || !option->isCheckable())
        return false;
    QList<QAbstractButton *> group;
    if (option->group() && option->group()->exclusive())
        group = option->group()->buttons();
    else if (option->autoExclusive() && option->parentWidget())
        group = option->parentWidget()->findChildren<QAbstractButton *>(Qt::FindDirectChildrenOnly);
    for (const QAbstractButton *mate : group) {
        if (mate->isCheckable() && (mate->focusPolicy() & Qt::TabFocus))
            return true;
    }
    return false;
}

// Voice control matches whole words: "Att, attenuator" begins with "Att", "Attenuator" does not.
inline bool beginsWith(const QString &name, const QString &caption)
{
    if (!name.startsWith(caption, Qt::CaseInsensitive))
        return false;
    return caption.isEmpty() || name.size() == caption.size()
        || !name[caption.size()].isLetterOrNumber() || !caption.back().isLetterOrNumber();
}

inline QString spokenName(QWidget *w)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
    return face ? face->text(QAccessible::Name) : QString();
}

// Every offending control of the window (the window itself is not a control).
inline Result check(QWidget *window)
{
    Result result;
    const auto widgets = window->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        if (!isControl(w) || isInnerPart(w, window))
            continue;
        const auto *label = qobject_cast<const QLabel *>(w);
        if (label && labelText(label).trimmed().isEmpty())
            continue; // a picture, or a read-out with nothing to show yet
        ++result.checked;
        const QString who = QStringLiteral("%1 (%2)").arg(
            w->objectName().isEmpty() ? QStringLiteral("unnamed") : w->objectName(),
            QLatin1String(w->metaObject()->className()));
        const QString name = spokenName(w).simplified();
        const QString caption = readAloud(captionOf(w, window));
        if (name.isEmpty())
            result.offences << who + QStringLiteral(": no accessible name");
        else if (!beginsWith(name, caption) && !listAnnouncedWithLabel(w, window))
            result.offences << who
                    + QStringLiteral(": name \"%1\" does not begin with \"%2\"").arg(name, caption);
        if (takesInput(w) && !reachable(w))
            result.offences << who + QStringLiteral(": not reachable with Tab");
    }
    return result;
}

// The access key of a caption: the character after a single "&", in lower case; none without.
inline QChar accessKey(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            return text[i + 1].toLower();
        ++i;
    }
    return QChar();
}

// The named controls and menu entries each have an access key that nothing beside them uses:
// the window's other buttons, described boxes and menus; a menu entry's fellow entries.
inline QStringList accessKeyOffences(QWidget *window, const QStringList &names)
{
    QStringList offences;
    for (const QString &name : names) {
        auto *entry = window->findChild<QAction *>(name);
        auto *control = entry ? nullptr : window->findChild<QWidget *>(name);
        if (!entry && !control) {
            offences << name + QStringLiteral(": not found");
            continue;
        }
        const QString caption = entry ? entry->text() : captionOf(control, window);
        QStringList others;
        for (QObject *holder : entry ? entry->associatedObjects() : QObjectList()) {
            if (auto *menu = qobject_cast<QMenu *>(holder))
                for (QAction *other : menu->actions())
                    others << (other == entry ? QString() : other->text());
        }
        for (auto *button :
             control ? window->findChildren<QAbstractButton *>() : QList<QAbstractButton *>())
            others << (button == control ? QString() : button->text());
        for (auto *label : control ? window->findChildren<QLabel *>() : QList<QLabel *>())
            others << (label->buddy() && label->buddy() != control ? label->text() : QString());
        for (auto *bar : control ? window->findChildren<QMenuBar *>() : QList<QMenuBar *>()) {
            for (QAction *menu : bar->actions())
                others << menu->text();
        }
        const QChar key = accessKey(caption);
        if (key.isNull())
            offences << QStringLiteral("%1: no access key in \"%2\"").arg(name, caption);
        for (const QString &other : std::as_const(others)) {
            if (!key.isNull() && accessKey(other) == key)
                offences << QStringLiteral("%1: \"%2\" shares its access key with \"%3\"")
                                .arg(name, caption, other);
        }
    }
    return offences;
}

} // namespace AccessibilityCheck
