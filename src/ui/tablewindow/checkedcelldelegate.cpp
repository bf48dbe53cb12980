#include "ui/tablewindow/checkedcelldelegate.h"

#include <QLineEdit>

CheckedCellDelegate::CheckedCellDelegate(CellRules::Rule rule, QString caption, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_rule(rule)
    , m_caption(std::move(caption))
{
}

void CheckedCellDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                       const QModelIndex &index) const
{
    auto *line = qobject_cast<QLineEdit *>(editor);
    if (!line) {
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }
    const QString before = index.data(Qt::EditRole).toString();
    // Leaving a cell without typing in it changes nothing, whatever it holds.
    if (line->text() == before)
        return;
    const CellRules::Verdict verdict = CellRules::check(m_rule, m_caption, line->text());
    switch (verdict.kind) {
    case CellRules::Verdict::Kind::Store:
        if (verdict.text != before)
            model->setData(index, verdict.text, Qt::EditRole);
        return;
    case CellRules::Verdict::Kind::Refuse:
        m_heldBack = true;
        Q_EMIT refused(verdict.text);
        return;
    case CellRules::Verdict::Kind::Ask:
        m_heldBack = true;
        Q_EMIT question(verdict.text, QPersistentModelIndex(index), verdict.answer);
        return;
    }
}
