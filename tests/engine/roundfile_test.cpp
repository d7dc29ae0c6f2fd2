#include "engine/drawfiles.h"
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

TEST(RoundPlanFile, TextsOfAPlanRound)
{
    const RoundPlan r = RoundPlan::make(1, G("一等奖"), G("笔记本电脑"), "12", 5, names(5));
    EXPECT_EQ(r.level, 1);
    EXPECT_EQ(gbk::decode(r.caption), QStringLiteral("一等奖 笔记本电脑 (5/12名)"));
    EXPECT_EQ(gbk::decode(r.headBefore), QStringLiteral("准备抽取一等奖5名，共12名，已抽取5名"));
    EXPECT_EQ(gbk::decode(r.headAfter), QStringLiteral("本轮已抽取一等奖5名，共12名，已抽取10名"));

    // The quantity text stands as typed; the counts are plain numbers.
    const RoundPlan last = RoundPlan::make(0, G("特等奖"), QByteArray(), "007", 5, names(2));
    EXPECT_EQ(gbk::decode(last.caption), QStringLiteral("特等奖  (2/007名)"));
    EXPECT_EQ(gbk::decode(last.headBefore), QStringLiteral("准备抽取特等奖2名，共007名，已抽取5名"));
    EXPECT_EQ(gbk::decode(last.headAfter), QStringLiteral("本轮已抽取特等奖2名，共007名，已抽取7名"));
}

TEST(RoundPlanFile, OneWinnerFiveLinesTenWinnersFourteen)
{
    TestFolder t;
    const RoundPlan one = RoundPlan::make(10, G("阳光普照奖"), G("红包"), "888", 0, {G("张 三 13800001234")});
    drawfiles::writeRound(t.folder(), 0, one);
    const QByteArray bytes = t.bytes("data/0.dll");
    EXPECT_EQ(textfile::splitLines(bytes).size(), 5);
    EXPECT_TRUE(bytes.startsWith("10\r\n"));
    EXPECT_TRUE(bytes.endsWith(G("张 三 13800001234") + "\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 5);

    const RoundPlan ten = RoundPlan::make(3, G("三等奖"), G("保温杯"), "10", 0, names(10));
    drawfiles::writeRound(t.folder(), 1, ten);
    const QStringList lines = t.lines("data\\1.dll");
    ASSERT_EQ(lines.size(), 14);
    EXPECT_EQ(lines[0], "3");
    EXPECT_EQ(lines[1], QStringLiteral("三等奖 保温杯 (10/10名)"));
    EXPECT_EQ(lines[4], QStringLiteral("员工0"));
    EXPECT_EQ(lines[13], QStringLiteral("员工9"));
}

TEST(RoundPlanFile, ReadsBackWhatWasWritten)
{
    TestFolder t;
    const RoundPlan written = RoundPlan::make(2, G("二等奖"), G("平板"), "05", 0, names(3));
    drawfiles::writeRound(t.folder(), 7, written);
    const RoundPlan read = drawfiles::readRound(t.folder(), 7);
    EXPECT_EQ(read.level, 2);
    EXPECT_EQ(read.caption, written.caption);
    EXPECT_EQ(read.headBefore, written.headBefore);
    EXPECT_EQ(read.headAfter, written.headAfter);
    EXPECT_EQ(read.names, written.names);
    EXPECT_EQ(drawfiles::roundLevel(t.folder(), 7), 2);
}

TEST(RoundPlanFile, DamagedOrMissingRoundFile)
{
    TestFolder t;
    EXPECT_THROW(drawfiles::readRound(t.folder(), 0), OperationError);
    // Only the level line must be a number; missing lines read as empty.
    t.writeBytes("data/0.dll", "4\r\ncaption\r\n");
    const RoundPlan r = drawfiles::readRound(t.folder(), 0);
    EXPECT_EQ(r.level, 4);
    EXPECT_EQ(r.caption, QByteArray("caption"));
    EXPECT_TRUE(r.headBefore.isEmpty());
    EXPECT_TRUE(r.names.isEmpty());
    t.writeBytes("data/1.dll", "x\r\na\r\nb\r\nc\r\nname\r\n");
    EXPECT_THROW(drawfiles::readRound(t.folder(), 1), OperationError);
    EXPECT_THROW(drawfiles::roundLevel(t.folder(), 1), OperationError);
}

TEST(DrawStateFiles, StatusAndRoundCount)
{
    TestFolder t;
    EXPECT_THROW(drawfiles::readStatus(t.folder()), OperationError);
    EXPECT_EQ(drawfiles::readRoundCount(t.folder()), 0);

    drawfiles::writeStatus(t.folder(), 0);
    drawfiles::writeRoundCount(t.folder(), 612);
    EXPECT_EQ(t.bytes("status.dll"), QByteArray("0\r\n"));
    EXPECT_EQ(t.bytes("filenameqty.dll"), QByteArray("612\r\n"));
    drawfiles::writeStatus(t.folder(), 13);
    EXPECT_EQ(drawfiles::readStatus(t.folder()), 13);
    EXPECT_EQ(drawfiles::readRoundCount(t.folder()), 612);

    t.writeBytes("filenameqty.dll", "many\r\n");
    EXPECT_THROW(drawfiles::readRoundCount(t.folder()), OperationError);
}

TEST(DrawStateFiles, Leftover)
{
    TestFolder t;
    EXPECT_TRUE(drawfiles::readLeftover(t.folder()).isEmpty());
    t.writeBytes("data/left.dll", "");
    EXPECT_TRUE(drawfiles::readLeftover(t.folder()).isEmpty());

    const Lines rest = {G("王五"), G(" 赵 六 "), QByteArray()};
    drawfiles::writeLeftover(t.folder(), rest);
    EXPECT_EQ(t.bytes("data/left.dll"), textfile::joinLines(rest));
    EXPECT_EQ(drawfiles::readLeftover(t.folder()), rest);
    drawfiles::writeLeftover(t.folder(), {});
    EXPECT_EQ(t.bytes("data/left.dll"), QByteArray());
    EXPECT_TRUE(drawfiles::readLeftover(t.folder()).isEmpty());
}

TEST(LevelWinners, HeaderThenNamesInRevealOrder)
{
    TestFolder t;
    EXPECT_FALSE(levelwinners::exists(t.folder(), 2));
    EXPECT_THROW(levelwinners::readNames(t.folder(), 2), OperationError);

    levelwinners::record(t.folder(), 2, G("二等奖"), G("平板电脑"), {G("甲"), G("乙")});
    EXPECT_EQ(t.lines("dat\\2.dll"), (QStringList{"", QStringLiteral("二等奖"), QStringLiteral("(平板电脑)"),
                                                  QStringLiteral("甲"), QStringLiteral("乙")}));
    EXPECT_TRUE(t.bytes("dat/2.dll").startsWith("\r\n"));

    // A later stop appends; the header is not repeated and not changed.
    levelwinners::record(t.folder(), 2, G("改名"), G("别的"), {G("丙")});
    EXPECT_EQ(t.lines("dat\\2.dll").size(), 6);
    EXPECT_EQ(t.lines("dat\\2.dll")[1], QStringLiteral("二等奖"));
    EXPECT_EQ(levelwinners::readNames(t.folder(), 2), (Lines{G("甲"), G("乙"), G("丙")}));

    // Give up rewrites the file with the current header.
    levelwinners::rewrite(t.folder(), 2, G("二等奖"), QByteArray(), {G("丙")});
    EXPECT_EQ(t.bytes("dat/2.dll"), "\r\n" + G("二等奖") + "\r\n()\r\n" + G("丙") + "\r\n");
    levelwinners::rewrite(t.folder(), 2, G("二等奖"), QByteArray(), {});
    EXPECT_EQ(t.lines("dat\\2.dll").size(), 3);
    EXPECT_TRUE(levelwinners::readNames(t.folder(), 2).isEmpty());
}

TEST(LevelWinners, NamesAreReadFromLineThreeOn)
{
    TestFolder t;
    // Written by hand with LF only: still line 3 on.
    t.writeBytes("dat/0.dll", "\nname\n(prize)\nfirst\nsecond\n");
    EXPECT_EQ(levelwinners::readNames(t.folder(), 0), (Lines{"first", "second"}));
    t.writeBytes("dat/1.dll", "\nname\n");
    EXPECT_TRUE(levelwinners::readNames(t.folder(), 1).isEmpty());
}

TEST(ProgramFolderPaths, RelativeNamesKeepLettersAndCase)
{
    const ProgramFolder folder("/opt/raffle/");
    EXPECT_EQ(folder.path(files::round(12)), QStringLiteral("/opt/raffle/data/12.dll"));
    EXPECT_EQ(folder.path(files::levelWinners(10)), QStringLiteral("/opt/raffle/dat/10.dll"));
    EXPECT_EQ(folder.path(files::makeupRound(0)), QStringLiteral("/opt/raffle/datm/0.dll"));
    EXPECT_EQ(folder.path(files::History), QStringLiteral("/opt/raffle/dat/Sorvix history.txt"));
    EXPECT_EQ(folder.path(files::Leftover), QStringLiteral("/opt/raffle/data/left.dll"));
    EXPECT_EQ(folder.path(files::BackgroundMusic), QStringLiteral("/opt/raffle/voice/bg.mp3"));
    EXPECT_EQ(folder.path(files::Lottery), QStringLiteral("/opt/raffle/Tlottery.dll"));
}
