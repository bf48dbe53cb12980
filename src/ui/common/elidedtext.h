// Texts that must fit where they are shown, however long what they quote: a device path or a
// file name can be thousands of characters long.
#pragma once

#include <QLabel>
#include <QString>

namespace ElidedText {

// The longest run without a blank a message box shows whole.
inline constexpr int MaxWordChars = 120;
// The most of a text a message box shows.
inline constexpr int MaxBoxChars = 4000;

// The text with each run of more than MaxWordChars characters without a blank shortened in
// its middle ("/dev/serial/by-id/usb-...-port0"), and cut after MaxBoxChars characters, so that
// a message box can wrap it to the screen.
QString forBox(const QString &text);

} // namespace ElidedText

// A label of one line that shows as much of its text as its width allows, with "..." in the
// middle of what it leaves out. text() and the accessible name keep the whole text; the label
// asks the layout for no more room than a short text needs.
class ElidedLabel : public QLabel
{
public:
    using QLabel::QLabel;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
