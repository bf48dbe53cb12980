#include "ui/common/spokenname.h"

#include <QPushButton>

namespace SpokenName {

QString caption(const QString &text)
{
    QString read;
    read.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&'))
                read += text[++i];
            continue;
        }
        read += text[i];
    }
    return read.simplified();
}

QString of(const QString &text, const QString &explanation)
{
    const QString shown = caption(text);
    if (shown.isEmpty()) {
        QString alone = explanation;
        if (!alone.isEmpty())
            alone[0] = alone[0].toUpper();
        return alone;
    }
    if (explanation.isEmpty() || shown.contains(explanation, Qt::CaseInsensitive))
        return shown;
    return shown + QStringLiteral(", ") + explanation;
}

QPushButton *button(QWidget *parent, const char *objectName, const QString &caption,
                    const QString &explanation)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(objectName));
    button->setAccessibleName(of(caption, explanation));
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoDefault(false);
    return button;
}

} // namespace SpokenName
