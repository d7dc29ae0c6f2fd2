#include "support/testfolder.h"

#include "base/gbk.h"
#include "base/textfile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace sorvix::test {

QString factoryFolder()
{
    return QStringLiteral(SORVIX_SOURCE_DIR "/assets/factory");
}

TestFolder::TestFolder(bool withFactorySet)
    : m_folder(m_dir.path())
{
    QDir root(m_dir.path());
    for (const char *sub : {"data", "dat", "datm", "DLL", "bg", "pics", "voice", "help"})
        root.mkdir(QString::fromLatin1(sub));
    writeBytes(QStringLiteral("help\\guide.html"), "<html></html>");
    if (withFactorySet) {
        const QDir factory(factoryFolder());
        for (const QString &name : factory.entryList(QDir::Files)) {
            QFile::copy(factory.filePath(name), root.filePath(name));
            QFile::copy(factory.filePath(name), root.filePath(QStringLiteral("DLL/") + name));
        }
    }
}

void TestFolder::write(const QString &relative, const QStringList &utf8Lines) const
{
    Lines lines;
    for (const QString &line : utf8Lines)
        lines.append(gbk::encode(line));
    textfile::writeLines(path(relative), lines);
}

void TestFolder::writeBytes(const QString &relative, const QByteArray &bytes) const
{
    QFile file(path(relative));
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
}

QByteArray TestFolder::bytes(const QString &relative) const
{
    QFile file(path(relative));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QStringList TestFolder::lines(const QString &relative) const
{
    QStringList result;
    for (const QByteArray &line : textfile::splitLines(bytes(relative)))
        result.append(gbk::decode(line));
    return result;
}

void TestFolder::writeList(const QStringList &people) const
{
    QStringList columns[5] = {{QStringLiteral("姓名")}, {QStringLiteral("手机号")}, {QStringLiteral("身份证号码")},
                              {QStringLiteral("工号")}, {QStringLiteral("分组")}};
    for (const QString &person : people) {
        const QStringList fields = person.split(QLatin1Char('|'));
        for (int c = 0; c < 5; ++c)
            columns[c].append(fields.value(c));
    }
    const char *names[5] = {"Tname.dll", "Tmobile.dll", "Tid.dll", "Tbadge.dll", "Tgroup.dll"};
    for (int c = 0; c < 5; ++c)
        write(QString::fromLatin1(names[c]), columns[c]);
}

std::map<QString, QByteArray> TestFolder::snapshot() const
{
    std::map<QString, QByteArray> files;
    QDirIterator it(root(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = QDir(root()).relativeFilePath(it.next());
        files[relative] = bytes(relative);
    }
    return files;
}

QStringList TestFolder::changedSince(const std::map<QString, QByteArray> &before) const
{
    QStringList changed;
    const auto now = snapshot();
    for (const auto &[name, contents] : now)
        if (!before.count(name) || before.at(name) != contents)
            changed << name;
    for (const auto &[name, contents] : before)
        if (!now.count(name))
            changed << name;
    return changed;
}

void TestFolder::block(const QString &folder) const
{
    QDir(path(folder)).removeRecursively();
    writeBytes(folder, "not a folder");
}

void TestFolder::unblock(const QString &folder) const
{
    QFile::remove(path(folder));
    QDir(root()).mkpath(path(folder));
}

Lines encoded(const QStringList &texts)
{
    Lines lines;
    for (const QString &t : texts)
        lines << gbk::encode(t);
    return lines;
}

QStringList decoded(const Lines &lines)
{
    QStringList texts;
    for (const QByteArray &line : lines)
        texts << gbk::decode(line);
    return texts;
}

} // namespace sorvix::test
