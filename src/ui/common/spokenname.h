// The names screen readers and voice control announce for controls. Each begins with the
// caption the operator sees, so that someone who says "click Att" reaches the button that
// shows "Att"; an explanation may follow the caption.
#pragma once

#include <QString>

class QPushButton;
class QWidget;

namespace SpokenName {

// The caption as it reads: without the access-key "&" ("&Mem" reads "Mem", "&&" reads "&"),
// without blanks at either end and with runs of blanks inside taken as one.
QString caption(const QString &text);

// "Att" and "attenuator" give "Att, attenuator". An explanation that the caption already holds
// is left out ("Vox" and "VOX" give "Vox"); with a blank caption the explanation stands alone,
// with a capital first letter.
QString of(const QString &text, const QString &explanation);

// A push button reached with Tab whose spoken name is of(caption, explanation); it does not
// act on Enter typed elsewhere in its window.
QPushButton *button(QWidget *parent, const char *objectName, const QString &caption,
                    const QString &explanation);

} // namespace SpokenName
