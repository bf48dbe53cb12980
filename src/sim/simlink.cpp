#include "sim/simlink.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Where the link at path points; empty when path is not a link.
QByteArray linkTarget(const QByteArray &path)
{
    char target[4096];
    const ssize_t n = ::readlink(path.constData(), target, sizeof target);
    return n > 0 && size_t(n) < sizeof target ? QByteArray(target, n) : QByteArray();
}

} // namespace

bool SimLink::fail(const QString &why)
{
    m_error = m_path + QStringLiteral(": ") + why;
    m_path.clear();
    return false;
}

bool SimLink::place(const QString &path, const QString &target)
{
    remove();
    m_path = path;
    m_target = target;
    const QByteArray where = QFile::encodeName(path);
    struct stat status = {};
    if (::lstat(where.constData(), &status) == 0 && !S_ISLNK(status.st_mode))
        return fail(QStringLiteral("exists and is not a symbolic link; it is left as it is"));

    // Made beside the old link and renamed over it, so that the path is never missing.
    const QByteArray temporary = where + ".new-" + QByteArray::number(qint64(::getpid()));
    ::unlink(temporary.constData());
    if (::symlink(QFile::encodeName(target).constData(), temporary.constData()) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    if (::rename(temporary.constData(), where.constData()) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        errno = error;
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    }
    return true;
}

void SimLink::remove()
{
    if (m_path.isEmpty())
        return;
    const QByteArray where = QFile::encodeName(m_path);
    if (linkTarget(where) == QFile::encodeName(m_target))
        ::unlink(where.constData());
    m_path.clear();
}
