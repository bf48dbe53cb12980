// The editor of a cell with a rule (a frequency, a call sign): what is typed is checked as the
// edit is committed. A refused text is not written and the grid stays on the cell; a frequency
// typed in megahertz is written only once the operator has agreed to its kilohertz.
#pragma once

#include "core/radio/cellrules.h"

#include <QPersistentModelIndex>
#include <QStyledItemDelegate>
#include <utility>

class CheckedCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    // caption: the column's caption, which the messages name.
    CheckedCellDelegate(CellRules::Rule rule, QString caption, QObject *parent = nullptr);

    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

    // Whether the last commit wrote nothing (refused, or waiting for the answer); asking clears
    // it.
    bool takeHeldBack() const { return std::exchange(m_heldBack, false); }

Q_SIGNALS:
    void refused(const QString &message) const;
    // On Yes, answer goes into the cell at index.
    void question(const QString &text, const QPersistentModelIndex &index,
                  const QString &answer) const;

private:
    CellRules::Rule m_rule;
    QString m_caption;
    mutable bool m_heldBack = false;
};
