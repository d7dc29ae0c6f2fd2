#include "base/platform.h"

#include <QFile>
#include <QFileDevice>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvix::platform {

namespace {

bool writeAll(int fd, const char *data, qsizetype left)
{
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

// Opens the folder and hands it to `sync` (fsync: the folder's own entries;
// syncfs: its whole file system).
bool syncThroughFolder(const QString &folder, int (*sync)(int))
{
    const QByteArray name = QFile::encodeName(folder);
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = sync(fd) == 0;
    ::close(fd);
    return synced;
}

} // namespace

bool syncFile(QFileDevice &file)
{
    return ::fsync(file.handle()) == 0;
}

bool syncFileSystem(const QString &folder)
{
    return syncThroughFolder(folder, ::syncfs);
}

bool removeFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    return ::unlink(name.constData()) == 0 || errno == ENOENT;
}

bool writeFileUnsynced(const QString &path, const QByteArray &bytes)
{
    const QByteArray target = QFile::encodeName(path);
    const int fd = ::open(target.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, bytes.constData(), bytes.size());
    const bool closed = ::close(fd) == 0;
    return written && closed;
}

bool replaceFile(const QString &from, const QString &to, bool synced)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::rename(source.constData(), target.constData()) != 0)
        return false;
    // The folder's entries reach the disk with the folder, all of them.
    return !synced || syncThroughFolder(QFileInfo(to).absolutePath(), ::fsync);
}

bool appendFile(const QString &path, const QByteArray &bytes, qint64 sizeBefore)
{
    const QByteArray name = QFile::encodeName(path);
    const bool existed = QFileInfo::exists(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0;
    qint64 start = ok ? qint64(info.st_size) : 0;
    if (ok && sizeBefore >= 0) {
        // Shorter than before means someone else changed it: no guessing.
        ok = start >= sizeBefore && (start == sizeBefore || ::ftruncate(fd, sizeBefore) == 0);
        start = sizeBefore;
    }
    ok = ok && ::lseek(fd, start, SEEK_SET) == start;
    ok = ok && writeAll(fd, bytes.constData(), bytes.size()) && ::fsync(fd) == 0;
    if (!ok) {
        if (::ftruncate(fd, start) == 0)
            ::fsync(fd);
    }
    const bool closed = ::close(fd) == 0;
    if (!ok && !existed && start == 0)
        ::unlink(name.constData());
    return ok && closed;
}

bool isHeldOpen(const QString &)
{
    return false;
}

void attachParentConsole() {}

QString executablePath()
{
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? QFile::decodeName(QByteArray(buffer, n)) : QString();
}

} // namespace sorvix::platform
