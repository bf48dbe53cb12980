#include "ui/tablewindow/picklistdelegate.h"

#include <QComboBox>

PickListDelegate::PickListDelegate(QString objectName, QString caption, QStringList entries,
                                   QObject *parent)
    : QStyledItemDelegate(parent)
    , m_objectName(std::move(objectName))
    , m_caption(std::move(caption))
    , m_entries(std::move(entries))
{
}

QWidget *PickListDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                        const QModelIndex &) const
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(m_objectName);
    combo->setEditable(false);
    combo->setAccessibleName(m_caption + QStringLiteral(", pick list"));
    combo->addItems(m_entries);
    for (int i = 0; i < m_entries.size(); ++i) {
        // A single blank would be read out as nothing at all.
        if (m_entries.at(i).trimmed().isEmpty())
            combo->setItemData(i, QStringLiteral("blank"), Qt::AccessibleTextRole);
    }
    // A choice from the open list is written at once, as a click on an entry should.
    connect(combo, &QComboBox::activated, this,
            [this, combo] { Q_EMIT const_cast<PickListDelegate *>(this)->commitData(combo); });
    return combo;
}

void PickListDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *combo = qobject_cast<QComboBox *>(editor);
    if (!combo)
        return;
    // A cell holding none of the entries shows no choice; leaving the list then writes nothing.
    combo->setCurrentIndex(m_entries.indexOf(index.data(Qt::EditRole).toString()));
}

void PickListDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                    const QModelIndex &index) const
{
    auto *combo = qobject_cast<QComboBox *>(editor);
    if (!combo || combo->currentIndex() < 0)
        return;
    const QString text = combo->currentText();
    if (m_entries.contains(text) && index.data(Qt::EditRole).toString() != text)
        model->setData(index, text, Qt::EditRole);
}
