#include "ui/logbook/logtimedelegate.h"

#include "core/logbook/logtime.h"

#include <QLineEdit>

LogTimeDelegate::LogTimeDelegate(QString caption, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_caption(std::move(caption))
{
}

QWidget *LogTimeDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                       const QModelIndex &) const
{
    auto *editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("txt") + m_caption);
    editor->setFrame(false);
    editor->setAccessibleName(
        m_caption
        + QStringLiteral(", date and time, for example %1").arg(QLatin1String(LogTime::Example)));
    return editor;
}

void LogTimeDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setText(LogTime::shown(index.data(Qt::EditRole).toString()));
}

void LogTimeDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                   const QModelIndex &index) const
{
    auto *line = qobject_cast<QLineEdit *>(editor);
    if (!line)
        return;
    const QString before = index.data(Qt::EditRole).toString();
    // Text left as the cell showed it is not read again: an older entry in a form of its own
    // stays exactly as it was.
    if (line->text() == LogTime::shown(before))
        return;
    if (const std::optional<QString> time = LogTime::fromTyped(line->text())) {
        model->setData(index, *time, Qt::EditRole);
        return;
    }
    Q_EMIT refused(refusalText(m_caption, line->text()));
}

QString LogTimeDelegate::refusalText(const QString &caption, const QString &typed)
{
    return QStringLiteral("\"%1\" is not a date and time, so the %2 cell was left as it was. Type "
                          "it as %3 (day, month, year, hour:minutes:seconds).")
        .arg(typed.simplified(), caption, QLatin1String(LogTime::Example));
}
