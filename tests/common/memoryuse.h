// The memory this process holds, from the kernel's account of it (/proc/self), for tests and
// benchmarks of how much a large piece of work keeps.
#pragma once

#include <QByteArray>
#include <QFile>

#include <malloc.h>
#include <optional>

namespace Memory {

// A field of /proc/self/status in bytes ("VmRSS", "VmHWM"); -1 when it cannot be read.
inline qint64 statusBytes(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return -1;
}

// Resident memory now.
inline qint64 resident()
{
    return statusBytes("VmRSS");
}

// The highest resident memory since the start or the last reset.
inline qint64 peak()
{
    return statusBytes("VmHWM");
}

// Starts counting the peak afresh from what is resident now, which it returns; nothing where
// the system does not allow it. Memory freed before is given back to the system first, so that
// what comes after cannot hide in it.
inline std::optional<qint64> resetPeak()
{
    malloc_trim(0);
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1)
        return std::nullopt;
    clear.close();
    return resident();
}

} // namespace Memory
