#include "base/folderlock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace sorvix;

// A program that died holding the folder left its lock, and the system gave
// its process number to this one (Wine does so at once, Windows soon): the
// lock names a live program of this name, yet it is nobody's.
TEST(FolderLock, ALockLeftWithThisProcessNumberIsTaken)
{
    QTemporaryDir dir;
    QFile left(QDir(dir.path()).filePath(FolderLock::fileName()));
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.write(QByteArray::number(QCoreApplication::applicationPid()) + '\n'
               + QCoreApplication::applicationName().toUtf8() + '\n' + QSysInfo::machineHostName().toUtf8() + '\n'
               + QSysInfo::machineUniqueId() + '\n' + QSysInfo::bootUniqueId() + '\n');
    left.close();

    FolderLock lock(dir.path());
    EXPECT_TRUE(lock.tryLock());
    EXPECT_FALSE(FolderLock(dir.path()).tryLock());
}
