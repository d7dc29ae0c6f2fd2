#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace sorvix {

// Only one program works on a program folder at a time: a second one would
// prepare a new plan under the first one's draw. The lock is a file in the
// folder; the lock of a program that crashed or was killed is recognised as
// stale and taken over at once. Different folders lock independently.
class FolderLock
{
public:
    explicit FolderLock(const QString &programFolder);
    ~FolderLock();

    // Takes the lock; false when another running program holds it.
    bool tryLock();
    bool isLocked() const;

    // The lock file's name inside the program folder.
    static QString fileName();
    // What a second start says before it ends.
    static QString alreadyRunningText();

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace sorvix
