#pragma once

#include <QString>

namespace sorvix {

// Makes a folder into a program folder the program can run on, from the
// factory program folder installed with the program (read-only, never run
// on itself): the first start of a user lays out that user's folder, and a
// folder whose factory copies came with another version gets this
// version's. The factory copies are DLL\, the pictures, the sounds, the user
// guide and the list template; the organiser's list, settings, plan,
// results and history are never replaced (a working copy is only made where
// it is missing). The folder keeps the version of its factory copies in
// StampFile, written last, so a lay-out cut short is done again.
class FolderLayout
{
public:
    FolderLayout(const QString &factory, const QString &version);

    enum class Outcome {
        UsedAsItIs, // the folder's factory copies are this version's
        LaidOut,    // an empty or missing folder made into a program folder
        Refreshed,  // a program folder given this version's factory copies
    };

    // Throws OperationError with the operator's message when the folder
    // cannot be written, holds other files but no program folder, or the
    // factory folder is missing.
    Outcome prepare(const QString &folder) const;

    static const QString StampFile;

private:
    void copyFactory(const QString &folder) const;

    QString m_factory;
    QString m_version;
};

} // namespace sorvix
