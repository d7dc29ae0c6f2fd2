#include "base/folderlock.h"

#include <QDir>

namespace sorvix {

FolderLock::FolderLock(const QString &programFolder)
    : m_lock(std::make_unique<QLockFile>(QDir(programFolder).filePath(fileName())))
{
    // Only a dead owner makes the lock stale: the night's draw holds it for
    // hours, and an age limit would let a second start take it over.
    m_lock->setStaleLockTime(0);
}

FolderLock::~FolderLock() = default;

bool FolderLock::tryLock()
{
    return m_lock->tryLock(0);
}

bool FolderLock::isLocked() const
{
    return m_lock->isLocked();
}

QString FolderLock::fileName()
{
    return QStringLiteral("sorvix.lock");
}

QString FolderLock::alreadyRunningText()
{
    return QStringLiteral("抽奖软件已经在运行，请使用已经打开的抽奖窗口。同一个程序文件夹不能同时运行两个抽奖程序。");
}

} // namespace sorvix
