#include "engine/drawfiles.h"
#include "base/gbk.h"
#include "engine/winners.h"
#include "support/drawsetup.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace sorvix;
using sorvix::test::DrawSetup;
using sorvix::test::TestFolder;

namespace {

QByteArray g(const char *utf8) { return gbk::fromUtf8(utf8); }

const QDateTime When(QDate(2026, 12, 31), QTime(23, 5, 9));

class WinnersTest : public ::testing::Test
{
protected:
    TestFolder dir;
    const ProgramFolder &folder = dir.folder();
};

// ---- Winners list ---------------------------------------------------------------

TEST_F(WinnersTest, ListIsOrderedByLevelAndSkipsMissingFiles)
{
    // Drawn small prizes first: level 2 before level 0; level 1 not drawn yet.
    levelwinners::create(folder, 2, g("二等奖"), g("耳机"), {g("王五"), g("赵六")});
    levelwinners::create(folder, 0, g("特等奖"), g("汽车"), {g("张三")});
    levelwinners::create(folder, 3, g("三等奖"), g("杯子"), {g("不在范围")});

    const Lines list = winners::rebuildList(folder, 2);
    EXPECT_EQ(dir.lines(files::WinnersList),
              QStringList({"", QStringLiteral("特等奖"), QStringLiteral("(汽车)"), QStringLiteral("张三"), "",
                           QStringLiteral("二等奖"), QStringLiteral("(耳机)"), QStringLiteral("王五"),
                           QStringLiteral("赵六")}));
    EXPECT_EQ(list, winners::collect(folder, 2));
    EXPECT_TRUE(dir.bytes(files::WinnersList).endsWith(g("赵六") + "\r\n"));
}

TEST_F(WinnersTest, ListIsEmptyBeforeAnythingIsDrawn)
{
    EXPECT_TRUE(winners::rebuildList(folder, 3).isEmpty());
    EXPECT_TRUE(folder.exists(files::WinnersList));
    EXPECT_TRUE(dir.bytes(files::WinnersList).isEmpty());
    winners::rebuildList(folder, -1);
    EXPECT_TRUE(dir.bytes(files::WinnersList).isEmpty());
}

// ---- ScreenPositions text -----------------------------------------------------------------

TEST(CaptionTextTest, JoinsLinesEachAfterOneBlank)
{
    EXPECT_EQ(winners::captionText({"A", "B"}), QByteArray(" A B"));
    EXPECT_EQ(winners::captionText({"", "A"}), QByteArray("  A"));
    EXPECT_EQ(winners::captionText({}), QByteArray());
}

TEST(CaptionTextTest, LongListsAreCutToExactly2500Bytes)
{
    Lines list;
    for (int i = 0; i < 300; ++i)
        list << QByteArray(9, char('a' + i % 26));   // 10 bytes each with the blank: 3000 bytes
    const QByteArray text = winners::captionText(list);
    EXPECT_EQ(text.size(), 2500);
    EXPECT_EQ(text, winners::captionText(list.mid(0, 250)));
    // Exactly at the limit nothing is cut.
    EXPECT_EQ(winners::captionText(list.mid(0, 250)).size(), 2500);
    // Bytes are counted, not characters: a double-byte text may be cut in half.
    // " x" then " 张" (3 bytes) repeatedly: 2498 = 832 * 3 + 2.
    const QByteArray cut = winners::captionText(Lines({"x"}) + Lines(1000, g("张")));
    EXPECT_EQ(cut.size(), 2500);
    EXPECT_EQ(cut.right(4), g("张") + ' ' + g("张").left(1));
}

// ---- History ----------------------------------------------------------------------

TEST(TimestampTest, IsYearMonthDayHyphenTwentyFourHourTime)
{
    EXPECT_EQ(winners::timestamp(QDateTime(QDate(2027, 1, 2), QTime(3, 4, 5))), QStringLiteral("20270102-030405"));
    EXPECT_EQ(winners::timestamp(When), QStringLiteral("20261231-230509"));
}

TEST_F(WinnersTest, HistoryRecordsAreAppendedWithHeaderAndWinners)
{
    winners::appendHistory(folder, 3, QStringLiteral("抽奖结束前退出"), When);
    EXPECT_EQ(dir.bytes(files::History), "\r\n" + g("==== 20261231-230509  抽奖结束前退出 ====") + "\r\n");

    levelwinners::create(folder, 1, g("一等奖"), g("电脑"), {g("张三")});
    winners::appendHistory(folder, 3, QStringLiteral("抽奖完成"), When.addSecs(60));
    EXPECT_EQ(dir.lines(files::History),
              QStringList({"", QStringLiteral("==== 20261231-230509  抽奖结束前退出 ===="), "",
                           QStringLiteral("==== 20261231-230609  抽奖完成 ===="), "", QStringLiteral("一等奖"),
                           QStringLiteral("(电脑)"), QStringLiteral("张三")}));
}

// ---- Exports ----------------------------------------------------------------------

TEST_F(WinnersTest, WinnersExportCopiesTheRebuiltListByteForByte)
{
    const QString target = dir.path(QStringLiteral("export.txt"));
    winners::exportWinners(folder, 2, target);
    EXPECT_TRUE(QFileInfo(target).isFile());
    EXPECT_TRUE(dir.bytes(QStringLiteral("export.txt")).isEmpty());

    levelwinners::create(folder, 1, g("一等奖"), g("电脑"), {g("张三"), g("李四")});
    winners::exportWinners(folder, 2, target);
    EXPECT_EQ(dir.bytes(QStringLiteral("export.txt")), dir.bytes(files::WinnersList));
    EXPECT_EQ(dir.bytes(QStringLiteral("export.txt")),
              "\r\n" + g("一等奖") + "\r\n" + g("(电脑)") + "\r\n" + g("张三") + "\r\n" + g("李四") + "\r\n");
}

TEST_F(WinnersTest, NonWinnersExportMatchesByDisplayText)
{
    DrawPool pool(5);
    const char *texts[5] = {"李四", "张三", "王五", "张三", "一等奖"};
    for (int i = 0; i < 5; ++i)
        pool[size_t(i)].displayText = g(texts[i]);
    const QString target = dir.path(QStringLiteral("unlucky.txt"));

    // Nothing drawn: everybody, in pool order (a text equal to nothing drawn yet).
    winners::exportNonWinners(folder, 1, pool, target);
    EXPECT_EQ(dir.bytes(QStringLiteral("unlucky.txt")),
              g("李四") + "\r\n" + g("张三") + "\r\n" + g("王五") + "\r\n" + g("张三") + "\r\n" + g("一等奖") + "\r\n");

    // One 张三 has won: neither is listed; a person named like a level counts as a winner.
    levelwinners::create(folder, 1, g("一等奖"), g("电脑"), {g("张三")});
    winners::exportNonWinners(folder, 1, pool, target);
    EXPECT_EQ(dir.bytes(QStringLiteral("unlucky.txt")), g("李四") + "\r\n" + g("王五") + "\r\n");
    EXPECT_TRUE(folder.exists(files::WinnersList));
}

// ---- Restart ----------------------------------------------------------------------

// A plan of two rounds of one winner, the first drawn.
class RestartTest : public ::testing::Test, public DrawSetup
{
protected:
    RestartTest()
    {
        people(6);
        level(0, "2", 1);
        start();
        drawRound();
        drawnFirst = names(0).value(0);
        sound.played.clear();
    }

    QString drawnFirst;
};

TEST_F(RestartTest, AnsweringNoChangesNothing)
{
    op.answers = {OperatorPort::Answer::No};
    EXPECT_FALSE(draw->restart(When));
    EXPECT_EQ(op.questions, QStringList({QStringLiteral("所有名单将进入奖池重新抽奖，是否继续？")}));
    EXPECT_EQ(draw->state().roundIndex(), 1);
    EXPECT_FALSE(dir.folder().exists(files::History));
    EXPECT_TRUE(dir.folder().exists(files::levelWinners(0)));
    EXPECT_EQ(dir.lines(files::Status), QStringList({"1"}));
    EXPECT_TRUE(sound.played.isEmpty());
}

TEST_F(RestartTest, RestartKeepsTheResultsInTheHistoryAndPreparesAfresh)
{
    // The second round rolls: its winners were never shown.
    draw->start();
    sound.played.clear();
    const int stopsBefore = screen.rollingStops;
    screen.slotText[4] = QStringLiteral("someone");
    EXPECT_TRUE(draw->restart(When));

    EXPECT_EQ(draw->state().roundIndex(), 0);
    EXPECT_EQ(dir.lines(files::History),
              QStringList({"", QStringLiteral("==== 20261231-230509  重新抽奖前保存 ===="), "", QStringLiteral("特等奖"),
                           "()", drawnFirst}));
    EXPECT_FALSE(dir.folder().exists(files::levelWinners(0)));
    EXPECT_FALSE(dir.folder().exists(files::WinnersList));
    EXPECT_EQ(dir.lines(files::Status), QStringList({"0"}));
    EXPECT_EQ(draw->state().roundCount(), 2);
    EXPECT_TRUE(dir.folder().exists(files::round(1)));

    EXPECT_FALSE(draw->rolling());
    EXPECT_EQ(screen.rollingStops, stopsBefore + 1);
    EXPECT_TRUE(screen.slotText[4].isEmpty());
    EXPECT_EQ(screen.slotText[5], QStringLiteral("空格键开始回车键停止"));
    EXPECT_EQ(op.notices, QStringList({QStringLiteral("重新初始化完成，现在可以开始抽奖。")}));
    EXPECT_EQ(sound.played, QStringList({"stop effects"}));

    draw->setSoundOn(false);
    sound.played.clear();
    EXPECT_TRUE(draw->restart(When));
    EXPECT_TRUE(sound.played.isEmpty());
}

TEST_F(RestartTest, MoreWinnersThanPeopleIsRefusedAndNeverCalledReady)
{
    // The list now has fewer people than winners.
    people(1);
    op.notices.clear();
    EXPECT_FALSE(draw->restart(When));
    ASSERT_EQ(op.notices.size(), 1);
    EXPECT_TRUE(op.notices[0].startsWith(QStringLiteral("设置的总获奖人数是:2"))) << op.notices[0].toStdString();
    EXPECT_EQ(draw->state().roundCount(), 0);
}

TEST_F(RestartTest, AHistoryThatCannotBeWrittenEndsTheCommandWithTheError)
{
    // A folder where the history file should be makes the append fail.
    ASSERT_TRUE(QDir(dir.root()).mkpath(QStringLiteral("dat/Sorvix history.txt")));
    EXPECT_FALSE(draw->restart(When));
    ASSERT_EQ(op.notices.size(), 1);
    EXPECT_TRUE(op.notices[0].startsWith(QStringLiteral("无法写入文件")));
    EXPECT_TRUE(dir.folder().exists(files::levelWinners(0))) << "nothing discarded";
    EXPECT_EQ(draw->state().roundIndex(), 1) << "the draw in memory stays as on disk";
    EXPECT_EQ(dir.lines(files::Status), QStringList({"1"}));
}

} // namespace
