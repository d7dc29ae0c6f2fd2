#include "base/folderlock.h"

#include <QCoreApplication>
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
    if (m_lock->tryLock(0))
        return true;
    // A lock naming this very process was left by a dead program whose
    // process number has been handed out again (Windows soon does, and Wine
    // at once; Linux's locks also name the boot): no other program holds it.
    qint64 owner = 0;
    if (m_lock->getLockInfo(&owner, nullptr, nullptr) && owner == QCoreApplication::applicationPid()
        && m_lock->removeStaleLockFile())
        return m_lock->tryLock(0);
    return false;
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
