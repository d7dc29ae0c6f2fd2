#pragma once

#include "support/testfolder.h"

#include <QFile>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace sorvix::test {

// A path the disk refuses to change, as a full disk or a pulled stick does,
// while it can still be read: a file takes no more bytes, a folder no new or
// replaced files. Marked immutable where the system allows it (root on most
// Linux file systems), else made read-only, which stops anyone but root.
// Undone when this goes.
class RefusedPath
{
public:
    RefusedPath(const TestFolder &folder, const QString &relative) : m_path(folder.path(relative))
    {
        m_immutable = setImmutable(true);
        if (!m_immutable) {
            m_permissions = QFile::permissions(m_path);
            QFile::setPermissions(m_path, m_permissions & ~(QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup
                                                            | QFile::WriteOther));
        }
    }
    ~RefusedPath()
    {
        if (m_immutable)
            setImmutable(false);
        else
            QFile::setPermissions(m_path, m_permissions);
    }
    RefusedPath(const RefusedPath &) = delete;
    RefusedPath &operator=(const RefusedPath &) = delete;

    // Whether a write there really fails here: a test that needs it skips otherwise.
    bool holds() const
    {
        if (m_immutable)
            return true;
        QFile probe(m_path);
        return !QFileInfo(m_path).isWritable() && !probe.open(QIODevice::Append);
    }

private:
    bool setImmutable(bool on)
    {
#ifdef Q_OS_LINUX
        const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return done;
#else
        Q_UNUSED(on);
        return false;
#endif
    }

    QString m_path;
    bool m_immutable = false;
    QFile::Permissions m_permissions;
};

} // namespace sorvix::test
