// A pick list over one grid column: the cell's editor is a drop-down list of the allowed
// entries, and only those entries are ever written. Chosen with the keyboard (typing, the arrow
// keys, Alt+Down) or the mouse; a choice from the open list is written at once.
#pragma once

#include <QStringList>
#include <QStyledItemDelegate>

class PickListDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    // objectName names the editor ("Combo1"); caption is the column's caption, which starts the
    // editor's accessible name.
    PickListDelegate(QString objectName, QString caption, QStringList entries,
                     QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    // Writes the chosen text only when it is one of the entries; anything else writes nothing.
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

    const QStringList &entries() const { return m_entries; }

private:
    QString m_objectName;
    QString m_caption;
    QStringList m_entries;
};
