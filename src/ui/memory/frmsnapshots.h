// The memory window's "Restore Snapshot..." dialog: the kept copies of the memory table, newest
// first, with the time each was taken and what it was taken before. Restore asks once more,
// naming the snapshot's date and time, and then reports the choice; the caller restores.
#pragma once

#include "core/db/tablesnapshots.h"

#include <QDialog>

class QListWidget;
class QMessageBox;
class QPushButton;

class frmSnapshots : public QDialog
{
    Q_OBJECT
public:
    frmSnapshots(const QList<TableSnapshots::Snapshot> &snapshots, QWidget *parent = nullptr);

    // "2024-05-01 14:03:12".
    static QString takenText(const TableSnapshots::Snapshot &snapshot);
    // The question asked before a restore.
    static QString confirmationText(const TableSnapshots::Snapshot &snapshot);

    // Asks for confirmation of the chosen snapshot (the question stays open without blocking).
    void cmdRestore_Click();
    // The open question, while it is asked.
    QMessageBox *confirmation() const { return m_confirmation; }

    QListWidget *lstSnapshots = nullptr;
    QPushButton *cmdRestore = nullptr;
    QPushButton *cmdCancel = nullptr;

Q_SIGNALS:
    // The operator has confirmed: restore this snapshot.
    void restoreChosen(qint64 id);

private:
    void confirmed(qint64 id);

    QList<TableSnapshots::Snapshot> m_snapshots;
    QMessageBox *m_confirmation = nullptr;
};
