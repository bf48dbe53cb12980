#include "core/db/folderlock.h"

#include <QDir>

FolderLock::FolderLock(const QString &folder)
    : m_folder(folder)
    , m_lock(QDir(folder).filePath(QLatin1String(FileName)))
{
    // A lock is stale only when its program has gone, however long a run lasts.
    m_lock.setStaleLockTime(0);
}

FolderLock::Outcome FolderLock::take()
{
    m_problem.clear();
    if (m_lock.tryLock(0))
        return Outcome::Held;
    if (m_lock.error() == QLockFile::LockFailedError) {
        qint64 pid = 0;
        QString host;
        QString program;
        const QString who = m_lock.getLockInfo(&pid, &host, &program)
            ? QStringLiteral("Another Vantelo (process %1)").arg(pid)
            : QStringLiteral("Another Vantelo");
        m_problem = QStringLiteral("%1 is using the tables in %2. Only one copy can keep them: "
                                   "this one quits. Switch to the other one, or close it and "
                                   "start Vantelo again.")
                        .arg(who, m_folder);
        return Outcome::HeldByAnother;
    }
    m_problem = QStringLiteral("No lock can be made in %1, so nothing keeps a second copy of "
                               "Vantelo from the same tables.")
                    .arg(m_folder);
    return Outcome::Unavailable;
}
