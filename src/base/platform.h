#pragma once

#include <QByteArray>
#include <QString>

class QFileDevice;

// The calls that differ between operating systems, so that a port touches
// only their implementation (platform_linux.cpp here). Everything else in
// the program goes through Qt.
namespace sorvix::platform {

// Moves an open file's written bytes from the system's cache to the disk
// (a flush only hands them to the system). False when the disk refuses.
bool syncFile(QFileDevice &file);
// Moves everything written into the file system that holds `folder` to the
// disk. False when the folder cannot be opened or the disk refuses.
bool syncFileSystem(const QString &folder);
// Deletes a file. True when it is gone, also when it was never there.
bool removeFile(const QString &path);
// Writes a whole file (created or truncated) without syncing it: the many
// small files of one batch, synced together by syncFileSystem.
bool writeFileUnsynced(const QString &path, const QByteArray &bytes);

// Moves the file `from` over `to`, in the same folder, in one step: a crash
// leaves `to` as it was or as `from` was, never missing. With `synced` it
// returns once the move, and every earlier change to the folder's entries
// (moves, removals), is on the disk. False when the system refuses.
bool replaceFile(const QString &from, const QString &to, bool synced);

// Appends to a file (made when missing) at `sizeBefore`, -1 meaning its end
// as found, and syncs it. On failure the file is cut back to where the append
// began (a file made here is removed) and false returned.
bool appendFile(const QString &path, const QByteArray &bytes, qint64 sizeBefore);

// True when another program holds the file open so that it cannot be
// replaced or removed now: on Windows a virus scanner for a moment, or a
// spreadsheet program for as long as it shows the file. Never on Linux.
bool isHeldOpen(const QString &path);

// The running program's own executable file, before any QCoreApplication exists.
QString executablePath();

// Before the help or the version is printed: a windowed program on Windows
// writes to the console it was started from. Nothing to do on Linux.
void attachParentConsole();

} // namespace sorvix::platform
