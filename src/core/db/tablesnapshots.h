// Copies of a table's rows kept in the table's own file, with the time they were taken, so that
// a bulk change (a download from the radio, an import) can be undone. The last ten are kept.
// Every change is one transaction; on failure nothing is written and errorText() says why.
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class Database;

class TableSnapshots
{
public:
    static constexpr int Kept = 10;

    struct Snapshot
    {
        qint64 id = 0;
        QDateTime taken; // local time
        QString reason; // "before Radio to PC"
        int rowCount = 0;
    };

    // The database must be open and have had its snapshot schema step.
    explicit TableSnapshots(Database &database);

    // Keeps the table's rows as they are stored now (pending edits of a model are not seen:
    // save them first). Rows equal to the newest snapshot's are not kept twice. The oldest
    // snapshots beyond Kept go.
    bool take(const QString &reason);
    // Newest first. Empty after an error.
    QList<Snapshot> list();
    // A snapshot's rows in the table's column order, in the table's order when it was taken.
    std::optional<QList<QStringList>> rows(qint64 id);
    // Replaces the table's rows with the snapshot's. The rows it replaces are kept first as a
    // snapshot of their own ("before restoring a snapshot"), so a restore can be undone too.
    bool restore(qint64 id);

    QString errorText() const { return m_error; }

    // Where take() reads the time (the clock by default).
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

private:
    // Within the caller's transaction; spared is never pruned.
    bool keep(const QString &reason, qint64 spared = 0);
    QList<QStringList> tableRows();
    bool fail(const QString &text);

    Database &m_database;
    QString m_error;
    std::function<QDateTime()> m_clock;
};
