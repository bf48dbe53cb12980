#include "ui/memory/frmsnapshots.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

frmSnapshots::frmSnapshots(const QList<TableSnapshots::Snapshot> &snapshots, QWidget *parent)
    : QDialog(parent)
    , m_snapshots(snapshots)
{
    setObjectName(QStringLiteral("frmSnapshots"));
    setWindowTitle(QStringLiteral("Restore Snapshot"));

    lstSnapshots = new QListWidget(this);
    lstSnapshots->setObjectName(QStringLiteral("lstSnapshots"));
    lstSnapshots->setAccessibleName(QStringLiteral("Snapshots, newest first"));
    for (const TableSnapshots::Snapshot &snapshot : snapshots) {
        const QString text = QStringLiteral("%1, %2, %3 channels")
                                 .arg(takenText(snapshot), snapshot.reason)
                                 .arg(snapshot.rowCount);
        auto *item = new QListWidgetItem(text, lstSnapshots);
        item->setData(Qt::UserRole, snapshot.id);
    }
    lstSnapshots->setCurrentRow(0);
    lstSnapshots->setMinimumWidth(lstSnapshots->fontMetrics().horizontalAdvance(
                                      QStringLiteral("2024-05-01 14:03:12, before restoring a "
                                                     "snapshot, 100 channels"))
                                  + 40);

    auto *caption = new QLabel(QStringLiteral("&Snapshots, newest first:"), this);
    caption->setObjectName(QStringLiteral("lblSnapshots"));
    caption->setBuddy(lstSnapshots);

    auto *buttons = new QDialogButtonBox(this);
    cmdRestore = buttons->addButton(QStringLiteral("&Restore"), QDialogButtonBox::AcceptRole);
    cmdRestore->setObjectName(QStringLiteral("cmdRestore"));
    cmdRestore->setAccessibleName(QStringLiteral("Restore, put the chosen snapshot back"));
    cmdRestore->setDefault(true);
    cmdCancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAccessibleName(QStringLiteral("Cancel, keep the table as it is"));
    cmdRestore->setEnabled(!snapshots.isEmpty());

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(lstSnapshots);
    layout->addWidget(buttons);

    // Restore asks first; the dialog stays until the question is answered.
    connect(buttons, &QDialogButtonBox::accepted, this, &frmSnapshots::cmdRestore_Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(lstSnapshots, &QListWidget::itemActivated, this, &frmSnapshots::cmdRestore_Click);
}

QString frmSnapshots::takenText(const TableSnapshots::Snapshot &snapshot)
{
    return snapshot.taken.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString frmSnapshots::confirmationText(const TableSnapshots::Snapshot &snapshot)
{
    return QStringLiteral("Replace every channel of the memory table with the snapshot taken "
                          "on %1 at %2 (%3)?\n\nThe table as it is now is kept as a snapshot "
                          "first.")
        .arg(snapshot.taken.toString(QStringLiteral("yyyy-MM-dd")),
             snapshot.taken.toString(QStringLiteral("HH:mm:ss")), snapshot.reason);
}

void frmSnapshots::cmdRestore_Click()
{
    const int index = lstSnapshots->currentRow();
    if (index < 0 || index >= m_snapshots.size() || m_confirmation)
        return;
    const TableSnapshots::Snapshot snapshot = m_snapshots.at(index);
    m_confirmation
        = new QMessageBox(QMessageBox::Question, QStringLiteral("Restore Snapshot"),
                          confirmationText(snapshot), QMessageBox::Yes | QMessageBox::No, this);
    m_confirmation->setObjectName(QStringLiteral("msgConfirmRestore"));
    m_confirmation->setDefaultButton(QMessageBox::No);
    m_confirmation->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_confirmation, &QMessageBox::finished, this, [this, id = snapshot.id](int answer) {
        m_confirmation = nullptr;
        if (answer == QMessageBox::Yes)
            confirmed(id);
    });
    m_confirmation->open();
}

void frmSnapshots::confirmed(qint64 id)
{
    accept();
    Q_EMIT restoreChosen(id);
}
