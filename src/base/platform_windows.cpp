#include "base/platform.h"

#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <QMutex>
#include <QSet>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <io.h>
#include <windows.h>

namespace sorvix::platform {

namespace {

std::wstring wide(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

// Qt keeps each thread's JIT stack of its regular expressions in a
// thread_local, whose destructor mingw-w64's emulated thread-local storage
// may run after the storage is gone: a thread that matched a pattern (as Qt
// does when it first looks for its plug-ins from a picture-decoding thread)
// then crashes as it ends. Matched without the JIT, patterns need no such
// stack. Set before main(), before Qt reads it.
const bool regexJitOff = qputenv("QT_ENABLE_REGEXP_JIT", "0");

// A virus scanner opens a file just written to look at it; while it does,
// deleting or opening it for writing may be refused for a moment.
constexpr int BusyTries = 5;
constexpr int BusyPauseMs = 50;

bool busyError(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

HANDLE openForWriting(const QString &path, DWORD disposition)
{
    const std::wstring name = wide(path);
    HANDLE handle = INVALID_HANDLE_VALUE;
    for (int tries = 1;; ++tries) {
        handle = ::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE || tries == BusyTries || !busyError(::GetLastError()))
            return handle;
        ::Sleep(BusyPauseMs);
    }
}

bool writeAll(HANDLE handle, const char *data, qsizetype left)
{
    while (left > 0) {
        const DWORD chunk = DWORD(std::min<qsizetype>(left, 1 << 30));
        DWORD written = 0;
        if (!::WriteFile(handle, data, chunk, &written, nullptr) || written == 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

bool setSize(HANDLE handle, qint64 size)
{
    LARGE_INTEGER at;
    at.QuadPart = size;
    return ::SetFilePointerEx(handle, at, nullptr, FILE_BEGIN) && ::SetEndOfFile(handle);
}

// The files written unsynced since their folder was last synced. Windows
// has no sync of a whole volume without administrator rights, so the batch's
// files are flushed one by one.
QMutex unsyncedLock;
QSet<QString> &unsynced()
{
    static QSet<QString> files;
    return files;
}

bool flushFile(const QString &path)
{
    HANDLE handle = openForWriting(path, OPEN_EXISTING);
    if (handle == INVALID_HANDLE_VALUE) {
        // Removed since it was written: nothing of it to keep.
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    const bool flushed = ::FlushFileBuffers(handle);
    ::CloseHandle(handle);
    return flushed;
}

} // namespace

bool syncFile(QFileDevice &file)
{
    // handle() is the C runtime's descriptor over the file's own handle.
    const intptr_t handle = ::_get_osfhandle(file.handle());
    return handle != -1 && ::FlushFileBuffers(reinterpret_cast<HANDLE>(handle));
}

bool syncFileSystem(const QString &folder)
{
    if (!QDir(folder).exists())
        return false;
    const QString prefix = QDir::cleanPath(QDir(folder).absolutePath()) + QLatin1Char('/');
    QList<QString> batch;
    {
        QMutexLocker locker(&unsyncedLock);
        for (auto it = unsynced().begin(); it != unsynced().end();) {
            if (it->startsWith(prefix, Qt::CaseInsensitive)) {
                batch.append(*it);
                it = unsynced().erase(it);
            } else {
                ++it;
            }
        }
    }
    for (qsizetype i = 0; i < batch.size(); ++i) {
        if (!flushFile(batch[i])) {
            // Still to be made durable: a later sync tries them again.
            QMutexLocker locker(&unsyncedLock);
            for (qsizetype j = i; j < batch.size(); ++j)
                unsynced().insert(batch[j]);
            return false;
        }
    }
    return true;
}

bool removeFile(const QString &path)
{
    const std::wstring name = wide(path);
    for (int tries = 1;; ++tries) {
        if (::DeleteFileW(name.c_str()))
            return true;
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND)
            return true;
        // Missing with its folder is gone too; but where a file stands in
        // the folder's place nothing is removed, as on Linux.
        if (error == ERROR_PATH_NOT_FOUND) {
            const DWORD folder = ::GetFileAttributesW(wide(QFileInfo(path).absolutePath()).c_str());
            return folder == INVALID_FILE_ATTRIBUTES || (folder & FILE_ATTRIBUTE_DIRECTORY);
        }
        // Linux removes a read-only file from a folder it may write; so does this.
        const DWORD attributes = ::GetFileAttributesW(name.c_str());
        if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES
            && (attributes & FILE_ATTRIBUTE_READONLY) && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            ::SetFileAttributesW(name.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
            continue;
        }
        if (tries == BusyTries || !busyError(error))
            return false;
        ::Sleep(BusyPauseMs);
    }
}

bool writeFileUnsynced(const QString &path, const QByteArray &bytes)
{
    HANDLE handle = openForWriting(path, CREATE_ALWAYS);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const bool written = writeAll(handle, bytes.constData(), bytes.size());
    const bool closed = ::CloseHandle(handle);
    if (written && closed) {
        QMutexLocker locker(&unsyncedLock);
        unsynced().insert(QFileInfo(path).absoluteFilePath());
    }
    return written && closed;
}

bool replaceFile(const QString &from, const QString &to, bool synced)
{
    // Write-through: the move has reached the disk when the call returns.
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | (synced ? MOVEFILE_WRITE_THROUGH : 0);
    const std::wstring source = wide(from);
    const std::wstring target = wide(to);
    for (int tries = 1;; ++tries) {
        if (::MoveFileExW(source.c_str(), target.c_str(), flags))
            return true;
        if (tries == BusyTries || !busyError(::GetLastError()))
            return false;
        ::Sleep(BusyPauseMs);
    }
}

bool appendFile(const QString &path, const QByteArray &bytes, qint64 sizeBefore)
{
    const bool existed = ::GetFileAttributesW(wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    HANDLE handle = openForWriting(path, OPEN_ALWAYS);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER found{};
    bool ok = ::GetFileSizeEx(handle, &found);
    qint64 start = ok ? qint64(found.QuadPart) : 0;
    if (ok && sizeBefore >= 0) {
        // Shorter than before means someone else changed it: no guessing.
        ok = start >= sizeBefore && (start == sizeBefore || setSize(handle, sizeBefore));
        start = sizeBefore;
    }
    LARGE_INTEGER at;
    at.QuadPart = start;
    ok = ok && ::SetFilePointerEx(handle, at, nullptr, FILE_BEGIN);
    ok = ok && writeAll(handle, bytes.constData(), bytes.size()) && ::FlushFileBuffers(handle);
    if (!ok && setSize(handle, start))
        ::FlushFileBuffers(handle);
    const bool closed = ::CloseHandle(handle);
    if (!ok && !existed && start == 0)
        ::DeleteFileW(wide(path).c_str());
    return ok && closed;
}

bool isHeldOpen(const QString &path)
{
    // Replacing or removing needs the right to delete, which a program that
    // opened the file without sharing it for deletion withholds.
    HANDLE handle = ::CreateFileW(wide(path).c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        ::CloseHandle(handle);
        return false;
    }
    return ::GetLastError() == ERROR_SHARING_VIOLATION;
}

void attachParentConsole()
{
    // A windowed program has no console of its own: the help and the version
    // go to the console it was started from. Output already redirected (a
    // file, a pipe) is left as it is.
    if (::GetFileType(::GetStdHandle(STD_OUTPUT_HANDLE)) != FILE_TYPE_UNKNOWN)
        return;
    if (::AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
        // The texts are UTF-8; the console gets its own code page back after.
        static const UINT consoleCodePage = ::GetConsoleOutputCP();
        ::SetConsoleOutputCP(CP_UTF8);
        std::atexit([] { ::SetConsoleOutputCP(consoleCodePage); });
    }
}

QString executablePath()
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
        if (n == 0)
            return {};
        if (n < buffer.size())
            return QDir::fromNativeSeparators(QString::fromWCharArray(buffer.data(), qsizetype(n)));
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace sorvix::platform
