#include "base/folderlayout.h"

#include "base/errors.h"
#include "base/platform.h"
#include "base/programfolder.h"
#include "base/textfile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace sorvix {

namespace {

// The factory copies: these trees are replaced file by file from the
// factory folder. Other files in them (an organiser's own picture) stay.
const QStringList FactoryTrees{QStringLiteral("DLL"), QStringLiteral("bg"), QStringLiteral("pics"),
                               QStringLiteral("voice"), QStringLiteral("help")};
const QString Template = QStringLiteral("data/template.xls");
// The folders the program expects and never creates.
const QStringList Folders{QStringLiteral("data"), QStringLiteral("dat"), QStringLiteral("datm")};

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

[[noreturn]] void cannotWrite(const QString &folder)
{
    throw OperationError(QStringLiteral("无法写入文件夹“%1”，Sorvix不能在这里运行。"
                                        "请用 --folder 指定一个可以写入的文件夹。")
                             .arg(shown(folder)));
}

// Replaces `target` by a copy of `source`. Removal first: a copy never
// writes over a file, and an opened template is read-only.
void copyOver(const QString &source, const QString &target)
{
    // Also a copy made read-only (the template, once opened), which Windows
    // removes only when asked so.
    platform::removeFile(target);
    if (!QFile::copy(source, target))
        throw OperationError(QStringLiteral("无法把出厂文件复制到“%1”。").arg(shown(target)));
}

bool sameBytes(const QString &a, const QString &b)
{
    QFile fa(a), fb(b);
    if (fa.size() != fb.size() || !fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly))
        return false;
    return fa.readAll() == fb.readAll();
}

// A program folder (or the start of one, laid out by an earlier start).
bool holdsProgramFolder(const QDir &dir)
{
    return dir.exists(files::Lottery) || dir.exists(QStringLiteral("DLL")) || dir.exists(FolderLayout::StampFile);
}

} // namespace

const QString FolderLayout::StampFile = QStringLiteral("factoryversion.dll");

FolderLayout::FolderLayout(const QString &factory, const QString &version)
    : m_factory(QDir::cleanPath(factory)), m_version(version)
{
}

FolderLayout::Outcome FolderLayout::prepare(const QString &folder) const
{
    const QDir dir(folder);
    const bool existed = dir.exists();
    Outcome outcome = Outcome::LaidOut;
    if (existed && holdsProgramFolder(dir)) {
        const ProgramFolder program(folder);
        if (program.exists(StampFile) && program.readFirstLine(StampFile) == m_version.toUtf8()) {
            if (!QFileInfo(folder).isWritable())
                cannotWrite(folder);
            return Outcome::UsedAsItIs;
        }
        outcome = Outcome::Refreshed;
    } else if (existed && !dir.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
        throw OperationError(QStringLiteral("文件夹“%1”不是空的，也不是Sorvix的程序文件夹。"
                                            "请指定一个空文件夹或已有的程序文件夹。")
                                 .arg(shown(folder)));
    }
    if (!QFileInfo(m_factory + QStringLiteral("/DLL")).isDir())
        throw OperationError(QStringLiteral("找不到出厂程序文件夹“%1”，请重新安装本软件。").arg(shown(m_factory)));
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable())
        cannotWrite(folder);
    copyFactory(folder);
    // The stamp last, once the copies are on the disk.
    try {
        textfile::syncFolder(folder);
        ProgramFolder(folder).writeLines(StampFile, {m_version.toUtf8()});
    } catch (const OperationError &) {
        cannotWrite(folder);
    }
    return outcome;
}

void FolderLayout::copyFactory(const QString &folder) const
{
    const QDir target(folder);
    for (const QString &name : Folders + FactoryTrees)
        if (!target.mkpath(name))
            cannotWrite(folder);
    for (const QString &tree : FactoryTrees) {
        const QString from = m_factory + QLatin1Char('/') + tree;
        QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString source = it.next();
            const QString relative = tree + QLatin1Char('/') + QDir(from).relativeFilePath(source);
            const QString copy = target.filePath(relative);
            if (!target.mkpath(QFileInfo(relative).path()))
                cannotWrite(folder);
            if (!sameBytes(source, copy))
                copyOver(source, copy);
            // The working copies of the settings and the list, only where missing.
            if (tree == QLatin1String("DLL") && !target.exists(it.fileName()))
                copyOver(source, target.filePath(it.fileName()));
        }
    }
    const QString factoryTemplate = m_factory + QLatin1Char('/') + Template;
    if (QFileInfo::exists(factoryTemplate) && !sameBytes(factoryTemplate, target.filePath(Template)))
        copyOver(factoryTemplate, target.filePath(Template));
}

} // namespace sorvix
