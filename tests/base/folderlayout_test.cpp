#include "base/errors.h"
#include "base/folderlayout.h"
#include "support/testfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace sorvix;

namespace {

void put(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
}

QByteArray bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// A small factory folder of the given edition.
void makeFactory(const QString &root, const QByteArray &edition)
{
    put(root + "/DLL/Tname.dll", "姓名\r\n" + edition + "\r\n");
    put(root + "/DLL/Tlottery.dll", "lottery " + edition);
    put(root + "/bg/red/1.jpg", "picture " + edition);
    put(root + "/voice/start.wav", "sound " + edition);
    put(root + "/help/guide.html", "guide " + edition);
    put(root + "/data/template.xls", "template " + edition);
}

} // namespace

TEST(FolderLayout, AFirstStartLaysOutTheFolderAndLaterStartsUseIt)
{
    QTemporaryDir dir;
    makeFactory(dir.filePath("factory"), "v1");
    const QString user = dir.filePath("home/.local/share/Sorvix");
    const FolderLayout layout(dir.filePath("factory"), "1.0.0");

    EXPECT_EQ(layout.prepare(user), FolderLayout::Outcome::LaidOut);
    for (const char *folder : {"data", "dat", "datm"})
        EXPECT_TRUE(QFileInfo(user + "/" + folder).isDir()) << folder;
    EXPECT_EQ(bytes(user + "/Tname.dll"), bytes(dir.filePath("factory/DLL/Tname.dll")));
    EXPECT_EQ(bytes(user + "/DLL/Tlottery.dll"), "lottery v1");
    EXPECT_EQ(bytes(user + "/bg/red/1.jpg"), "picture v1");
    EXPECT_EQ(bytes(user + "/data/template.xls"), "template v1");
    EXPECT_EQ(bytes(user + "/" + FolderLayout::StampFile), "1.0.0\r\n");

    put(user + "/Tname.dll", "姓名\r\n张三\r\n");
    EXPECT_EQ(layout.prepare(user), FolderLayout::Outcome::UsedAsItIs);
    EXPECT_EQ(bytes(user + "/Tname.dll"), "姓名\r\n张三\r\n");
}

TEST(FolderLayout, ANewerVersionRefreshesOnlyTheFactoryCopies)
{
    QTemporaryDir dir;
    const QString factory = dir.filePath("factory");
    const QString user = dir.filePath("user");
    makeFactory(factory, "v1");
    FolderLayout(factory, "1.0.0").prepare(user);

    // The organiser's own list, settings, plan, results and history.
    const QList<QPair<QString, QByteArray>> own{{"Tname.dll", "姓名\r\n张三\r\n"}, {"Tlottery.dll", "mine"},
                                                {"status.dll", "3\r\n"},         {"data/0.dll", "round"},
                                                {"dat/LuckyList.txt", "winners"}, {"dat/Sorvix history.txt", "old"},
                                                {"bg/mine.jpg", "my picture"}};
    for (const auto &[name, content] : own)
        put(user + "/" + name, content);
    // An opened template is read-only.
    QFile::setPermissions(user + "/data/template.xls", QFileDevice::ReadOwner);

    makeFactory(factory, "v2");
    put(factory + "/DLL/Tgroup.dll", "分组\r\n");
    EXPECT_EQ(FolderLayout(factory, "2.0.0").prepare(user), FolderLayout::Outcome::Refreshed);
    for (const auto &[name, content] : own)
        EXPECT_EQ(bytes(user + "/" + name), content) << name.toStdString();
    for (const char *name : {"DLL/Tlottery.dll", "bg/red/1.jpg", "voice/start.wav", "help/guide.html",
                             "data/template.xls"})
        EXPECT_EQ(bytes(user + "/" + name), bytes(factory + "/" + name)) << name;
    // A settings file new in this version gets its working copy.
    EXPECT_EQ(bytes(user + "/Tgroup.dll"), "分组\r\n");
    EXPECT_EQ(bytes(user + "/" + FolderLayout::StampFile), "2.0.0\r\n");
}

TEST(FolderLayout, AFolderItCannotUseIsRefusedWithAMessage)
{
    QTemporaryDir dir;
    makeFactory(dir.filePath("factory"), "v1");
    const FolderLayout layout(dir.filePath("factory"), "1.0.0");
    const auto refusal = [&](const QString &folder, const FolderLayout &from) {
        try {
            from.prepare(folder);
        } catch (const OperationError &e) {
            return e.message();
        }
        return QStringLiteral("(prepared)");
    };
    // Someone's other files are never mixed with a program folder.
    put(dir.filePath("documents/letter.txt"), "text");
    EXPECT_TRUE(refusal(dir.filePath("documents"), layout).contains(QStringLiteral("不是空的")));
    EXPECT_EQ(QDir(dir.filePath("documents")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 1);
    // A folder that cannot be made (here below a file; a read-only medium alike).
    EXPECT_TRUE(refusal(dir.filePath("documents/letter.txt/Sorvix"), layout).contains(QStringLiteral("无法写入")));
    // An installation that lost its factory folder.
    EXPECT_TRUE(refusal(dir.filePath("x"), FolderLayout(dir.filePath("nothing"), "1.0.0"))
                    .contains(QStringLiteral("重新安装")));
}
