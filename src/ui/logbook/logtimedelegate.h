// The editor of the logbook's Local and GMT cells: the operator sees and types the clock's form
// ("06 Dec 2026 9:05:07"); the cell stores ISO 8601 text. A typed text that is not a date and
// time is not stored: the cell keeps what it held and refused() says why.
#pragma once

#include <QStyledItemDelegate>

class LogTimeDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    // caption is the column's caption ("Local"), which starts the editor's accessible name.
    explicit LogTimeDelegate(QString caption, QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

    // The message for a typed text that was refused.
    static QString refusalText(const QString &caption, const QString &typed);

Q_SIGNALS:
    void refused(const QString &message) const;

private:
    QString m_caption;
};
