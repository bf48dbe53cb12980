// One copy of Vantelo per data folder: the lock file Vantelo.lock in the folder, held from
// start-up to the end of the run. A lock whose program is no longer running (it crashed) is
// taken over.
#pragma once

#include <QLockFile>
#include <QString>

class FolderLock
{
public:
    explicit FolderLock(const QString &folder);
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    enum class Outcome {
        Held, // this copy has the folder
        HeldByAnother, // another running copy has it: this one must not touch the tables
        Unavailable, // no lock can be made there (a folder that cannot be written)
    };
    Outcome take();
    // Why the lock was not taken, for the operator: "Another Vantelo (process 4711) is using
    // the tables in /home/op/.local/share/Vantelo. ..."
    QString problemText() const { return m_problem; }

    static constexpr const char *FileName = "Vantelo.lock";

private:
    QString m_folder;
    QLockFile m_lock;
    QString m_problem;
};
