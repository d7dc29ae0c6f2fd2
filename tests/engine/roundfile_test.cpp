#include "engine/roundfile.h"
#include "base/errors.h"
#include "base/gbk.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

using namespace sorvix;
using sorvix::test::TestFolder;

namespace {

QByteArray G(const char *utf8) { return gbk::fromUtf8(utf8); }

Lines names(int count)
{
    Lines result;
    for (int i = 0; i < count; ++i)
        result.append(G("员工") + QByteArray::number(i));
    return result;
}

} // namespace

TEST(RoundFileTest, TextsOfAPlanRound)
{
    const RoundFile r = RoundFile::planRound(1, G("一等奖"), G("笔记本电脑"), "12", 5, names(5));
    EXPECT_EQ(r.level(), 1);
    EXPECT_EQ(gbk::decode(r.caption), QStringLiteral("一等奖 笔记本电脑 (5/12名)"));
    EXPECT_EQ(gbk::decode(r.headBefore), QStringLiteral("准备抽取一等奖5名，共12名，已抽取5名"));
    EXPECT_EQ(gbk::decode(r.headAfter), QStringLiteral("本轮已抽取一等奖5名，共12名，已抽取10名"));

    // The quantity text stands as typed; the counts are plain numbers.
    const RoundFile last = RoundFile::planRound(0, G("特等奖"), QByteArray(), "007", 5, names(2));
    EXPECT_EQ(gbk::decode(last.caption), QStringLiteral("特等奖  (2/007名)"));
    EXPECT_EQ(gbk::decode(last.headBefore), QStringLiteral("准备抽取特等奖2名，共007名，已抽取5名"));
    EXPECT_EQ(gbk::decode(last.headAfter), QStringLiteral("本轮已抽取特等奖2名，共007名，已抽取7名"));
}

TEST(RoundFileTest, OneWinnerFiveLinesTenWinnersFourteen)
{
    TestFolder t;
    RoundFile::planRound(10, G("阳光普照奖"), G("红包"), "888", 0, {G("张 三 13800001234")})
        .write(t.folder(), files::round(0));
    const QByteArray bytes = t.bytes("data/0.dll");
    EXPECT_EQ(textfile::splitLines(bytes).size(), 5);
    EXPECT_TRUE(bytes.startsWith("10\r\n"));
    EXPECT_TRUE(bytes.endsWith(G("张 三 13800001234") + "\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 5);

    RoundFile::planRound(3, G("三等奖"), G("保温杯"), "10", 0, names(10)).write(t.folder(), files::round(1));
    const QStringList lines = t.lines("data\\1.dll");
    ASSERT_EQ(lines.size(), 14);
    EXPECT_EQ(lines[0], "3");
    EXPECT_EQ(lines[1], QStringLiteral("三等奖 保温杯 (10/10名)"));
    EXPECT_EQ(lines[4], QStringLiteral("员工0"));
    EXPECT_EQ(lines[13], QStringLiteral("员工9"));
}

TEST(RoundFileTest, ReadsBackWhatWasWritten)
{
    TestFolder t;
    const RoundFile written = RoundFile::planRound(2, G("二等奖"), G("平板"), "05", 0, names(3));
    written.write(t.folder(), files::round(7));
    // Unsynced, as the plan writes its many files, it reads back the same.
    written.writeUnsynced(t.folder(), files::makeupRound(0));
    for (const QString &file : {files::round(7), files::makeupRound(0)}) {
        const RoundFile read = RoundFile::read(t.folder(), file);
        EXPECT_EQ(read.toLines(), written.toLines());
        EXPECT_EQ(read.levelIndex(), 2);
    }
}

TEST(RoundFileTest, DamagedOrMissingRoundFile)
{
    TestFolder t;
    EXPECT_THROW(RoundFile::read(t.folder(), files::round(0)), OperationError);
    // Missing lines read as empty.
    t.writeBytes("data/0.dll", "4\r\ncaption\r\n");
    const RoundFile r = RoundFile::read(t.folder(), files::round(0));
    EXPECT_EQ(r.levelIndex(), 4);
    EXPECT_EQ(r.caption, QByteArray("caption"));
    EXPECT_TRUE(r.headBefore.isEmpty());
    EXPECT_TRUE(r.names.isEmpty());
    EXPECT_FALSE(r.fitsTheSlots());

    // The level line is only checked when asked for: a number, and an award
    // level for the level index.
    t.writeBytes("data/1.dll", "x\r\na\r\nb\r\nc\r\nname\r\n");
    const RoundFile bad = RoundFile::read(t.folder(), files::round(1));
    EXPECT_EQ(bad.names, Lines({"name"}));
    EXPECT_THROW(bad.level(), OperationError);
    EXPECT_THROW(bad.levelIndex(), OperationError);
    for (const char *outside : {"11", "-1"}) {
        const RoundFile r2 = RoundFile::fromLines({outside});
        EXPECT_EQ(r2.level(), QByteArray(outside).toInt());
        EXPECT_THROW(r2.levelIndex(), OperationError) << outside;
    }
}
