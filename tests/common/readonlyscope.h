// A table file, or the folder it is in, that the test cannot write, as an operator meets one:
// by its mode bits, and, when the tests run as root (who writes whatever the mode bits say), by
// running as "nobody" until the end of the scope. ok() is false when neither can be had.
#pragma once

#include <QFile>
#include <QString>

#include <sys/types.h>
#include <unistd.h>

class ReadOnlyScope
{
public:
    enum class What { File, Folder };

    ReadOnlyScope(const QString &folder, const QString &file, What what)
        : m_folder(folder)
        , m_file(file)
    {
        const auto all = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        const auto enter = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
        QFile::setPermissions(
            m_folder,
            all | enter | (what == What::File ? QFile::WriteOwner : QFile::Permissions()));
        const auto write = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
        QFile::setPermissions(m_file, all | (what == What::Folder ? write : QFile::Permissions()));
        if (::geteuid() != 0) {
            m_ok = true;
            return;
        }
        constexpr uid_t Nobody = 65534;
        m_switched = ::setresuid(Nobody, Nobody, 0) == 0;
        m_ok = m_switched;
    }
    ~ReadOnlyScope()
    {
        if (m_switched && ::setresuid(0, 0, 0) != 0)
            qFatal("the test cannot become root again");
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(m_file, QFile::ReadOwner | QFile::WriteOwner);
    }
    ReadOnlyScope(const ReadOnlyScope &) = delete;
    ReadOnlyScope &operator=(const ReadOnlyScope &) = delete;

    bool ok() const { return m_ok; }

private:
    QString m_folder;
    QString m_file;
    bool m_switched = false;
    bool m_ok = false;
};
