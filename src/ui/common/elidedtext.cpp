#include "ui/common/elidedtext.h"

#include <QPainter>
#include <QStyle>

namespace ElidedText {

QString forBox(const QString &text)
{
    const QString cut
        = text.size() > MaxBoxChars ? text.left(MaxBoxChars) + QStringLiteral("...") : text;
    QString out;
    out.reserve(cut.size());
    qsizetype wordStart = 0;
    for (qsizetype i = 0; i <= cut.size(); ++i) {
        if (i < cut.size() && !cut.at(i).isSpace())
            continue;
        const QStringView word = QStringView(cut).sliced(wordStart, i - wordStart);
        if (word.size() > MaxWordChars) {
            const qsizetype half = MaxWordChars / 2 - 2;
            out += word.left(half);
            out += QStringLiteral("...");
            out += word.right(half);
        } else {
            out += word;
        }
        if (i < cut.size())
            out += cut.at(i);
        wordStart = i + 1;
    }
    return out;
}

} // namespace ElidedText

namespace {

// Room for this many average characters is what the label asks for.
constexpr int HintChars = 40;

} // namespace

QSize ElidedLabel::sizeHint() const
{
    const QMargins m = contentsMargins();
    return QSize(fontMetrics().averageCharWidth() * HintChars + m.left() + m.right(),
                 fontMetrics().height() + m.top() + m.bottom());
}

QSize ElidedLabel::minimumSizeHint() const
{
    const QMargins m = contentsMargins();
    return QSize(fontMetrics().averageCharWidth() * 4 + m.left() + m.right(),
                 fontMetrics().height() + m.top() + m.bottom());
}

void ElidedLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect area = contentsRect();
    // Elided from a bounded piece: laying out a text of megabytes at each repaint would freeze
    // the window.
    const QString shown = ElidedText::forBox(text());
    const QString line = fontMetrics().elidedText(
        QString(shown).replace(QLatin1Char('\n'), QLatin1Char(' ')), Qt::ElideMiddle, area.width());
    style()->drawItemText(&painter, area, int(alignment()), palette(), isEnabled(), line,
                          foregroundRole());
}
