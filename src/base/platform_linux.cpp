#include "base/platform.h"

#include <QFile>
#include <QFileDevice>

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace sorvix::platform {

bool syncFile(QFileDevice &file)
{
    return ::fsync(file.handle()) == 0;
}

bool syncFileSystem(const QString &folder)
{
    const QByteArray name = QFile::encodeName(folder);
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::syncfs(fd) == 0;
    ::close(fd);
    return synced;
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
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break;
        data += written;
        left -= written;
    }
    const bool closed = ::close(fd) == 0;
    return left == 0 && closed;
}

QString executablePath()
{
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? QFile::decodeName(QByteArray(buffer, n)) : QString();
}

} // namespace sorvix::platform
