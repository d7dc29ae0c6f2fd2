#include "engine/drawfiles.h"
#include "base/errors.h"
#include "base/gbk.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

using namespace sorvix;
using sorvix::test::TestFolder;

namespace {

QByteArray G(const char *utf8) { return gbk::fromUtf8(utf8); }

} // namespace

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
