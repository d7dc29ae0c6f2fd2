#pragma once

#include "base/programfolder.h"

#include <QTemporaryDir>
#include <map>
#include <ostream>

// Texts in test failures as text, not as bytes.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << text.toStdString();
}

namespace sorvix::test {

// A fresh program folder in a temporary directory, with the folders the
// installation provides. Removed when the object goes.
class TestFolder
{
public:
    explicit TestFolder(bool withFactorySet = false);

    const ProgramFolder &folder() const { return m_folder; }
    QString root() const { return m_dir.path(); }
    QString path(const QString &relative) const { return m_folder.path(relative); }

    // Writes a file from UTF-8 lines (converted to GBK), each ended CR LF.
    void write(const QString &relative, const QStringList &utf8Lines) const;
    void writeBytes(const QString &relative, const QByteArray &bytes) const;
    QByteArray bytes(const QString &relative) const;
    // The file's lines decoded from GBK.
    QStringList lines(const QString &relative) const;
    // Writes a participant list: one entry per person, "name|mobile|id|work|group".
    void writeList(const QStringList &people) const;

    // Every file below the root with its bytes, by relative path.
    std::map<QString, QByteArray> snapshot() const;
    // The files added, removed or changed since the snapshot.
    QStringList changedSince(const std::map<QString, QByteArray> &before) const;
    // The folder becomes a plain file: nothing can be written in it, not even
    // by root, whom permission bits do not stop. unblock() makes it an empty
    // folder again.
    void block(const QString &folder) const;
    void unblock(const QString &folder) const;

private:
    QTemporaryDir m_dir;
    ProgramFolder m_folder;
};

// Texts as the files hold them (GBK), and back.
Lines encoded(const QStringList &texts);
QStringList decoded(const Lines &lines);

// The factory set shipped with the program (assets/factory).
QString factoryFolder();

} // namespace sorvix::test
