#include "engine/drawfiles.h"
#include "base/gbk.h"
#include "engine/makeup.h"
#include "engine/prepare.h"
#include "support/recorders.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;

namespace {

QByteArray g(const char *utf8) { return gbk::fromUtf8(utf8); }

Lines people(const char *prefix, int count)
{
    Lines names;
    for (int i = 0; i < count; ++i)
        names << prefix + QByteArray::number(i);
    return names;
}

QStringList decoded(const Lines &lines)
{
    QStringList out;
    for (const QByteArray &line : lines)
        out << gbk::decode(line);
    return out;
}

class MakeupTest : public ::testing::Test
{
protected:
    MakeupTest()
    {
        session.folder = dir.folder();
        for (int k = 0; k < LevelCount; ++k) {
            AwardLevel &level = session.awardTable[size_t(k)];
            level.enabled = k <= 3;
            level.quantity = "5";
            level.prizeText = g("奖品") + QByteArray::number(k);
        }
        session.awardTable[1].displayName = g("一等奖");
        session.awardTable[1].prizeText = g("电脑");
        session.settings.levels = session.awardTable;
    }

    void winnersOfLevel(int level, const Lines &names)
    {
        levelwinners::create(dir.folder(), level, session.awardTable[size_t(level)].displayName,
                             session.awardTable[size_t(level)].prizeText, names);
    }
    QStringList makeupFile(int k) const { return dir.lines(files::makeupRound(k)); }

    TestFolder dir;
    Session session;
    RecordingOperator op;
    RecordingScreen screen;
    GiveUpMakeUp makeup{session, op, screen};
};

// ---- Make-up rounds ---------------------------------------------------------------

TEST_F(MakeupTest, TwentyFiveMakeUpWinnersFillFilesOfTenTenAndFive)
{
    session.awardTable[1].quantity = "25";
    winnersOfLevel(1, {});
    drawfiles::writeLeftover(dir.folder(), people("L", 30));

    const GiveUpMakeUp::MakeupResult result = makeup.makeup(1, 25);
    EXPECT_TRUE(result.ready);
    EXPECT_EQ(result.quantity, 25);
    EXPECT_TRUE(op.questions.isEmpty());

    EXPECT_EQ(makeupFile(0).mid(0, 4), QStringList({"1", QStringLiteral("补抽一等奖"),
                                                    QStringLiteral("现在补抽一等奖，共25名，已抽取0名"),
                                                    QStringLiteral("现在补抽一等奖，共25名，已抽取10名")}));
    EXPECT_EQ(makeupFile(0).mid(4), decoded(people("L", 10)));
    EXPECT_EQ(makeupFile(1).mid(4), decoded(people("L", 20).mid(10)));
    EXPECT_EQ(makeupFile(2), QStringList({"1", QStringLiteral("补抽一等奖"),
                                          QStringLiteral("现在补抽一等奖，共25名，已抽取20名"),
                                          QStringLiteral("现在补抽一等奖，共25名，已抽取25名"),
                                          "L20", "L21", "L22", "L23", "L24"}));
    EXPECT_FALSE(dir.folder().exists(files::makeupRound(3)));
    EXPECT_EQ(dir.lines(files::Leftover), QStringList({"L25", "L26", "L27", "L28", "L29"}));

    EXPECT_TRUE(session.state.makeupActive);
    EXPECT_EQ(session.state.makeupCount, 3);
    EXPECT_EQ(session.state.makeupIndex, 0);

    EXPECT_EQ(screen.head, QStringLiteral("现在补抽一等奖 25 名"));
    EXPECT_TRUE(screen.prizeTextShown[0]);
    EXPECT_FALSE(screen.prizeTextShown[1]);
    EXPECT_EQ(screen.prizeText[0], QStringLiteral("奖品 电脑"));
    EXPECT_GE(screen.rollingStops, 1);
    EXPECT_EQ(screen.slotText[5], QStringLiteral("空格键开始回车键停止"));
    EXPECT_TRUE(screen.slotText[1].isEmpty());
    EXPECT_EQ(op.notices, QStringList({QStringLiteral("已经准备好补抽一等奖 25 名")}));
}

TEST_F(MakeupTest, TenMakeUpWinnersFillExactlyOneFile)
{
    session.awardTable[1].quantity = "10";
    winnersOfLevel(1, {});
    dir.write(files::makeupRound(1), {"3", "old"});   // from an earlier make-up: never read again
    drawfiles::writeLeftover(dir.folder(), people("L", 10));
    session.state.makeupIndex = 4;

    EXPECT_TRUE(makeup.makeup(1, 10).ready);
    EXPECT_EQ(makeupFile(0).size(), 14);
    EXPECT_EQ(session.state.makeupCount, 1);
    EXPECT_EQ(session.state.makeupIndex, 0);
    EXPECT_TRUE(dir.bytes(files::Leftover).isEmpty());
}

TEST_F(MakeupTest, AShortRemainderLimitsTheMakeUp)
{
    winnersOfLevel(1, {});
    drawfiles::writeLeftover(dir.folder(), people("L", 3));
    const GiveUpMakeUp::MakeupResult result = makeup.makeup(1, 5);
    EXPECT_TRUE(result.ready);
    EXPECT_EQ(result.quantity, 3);
    EXPECT_EQ(op.notices, QStringList({QStringLiteral("未中奖人数不够，只能再补抽 3 名"),
                                       QStringLiteral("已经准备好补抽一等奖 3 名")}));
    EXPECT_EQ(makeupFile(0).mid(2), QStringList({QStringLiteral("现在补抽一等奖，共3名，已抽取0名"),
                                                 QStringLiteral("现在补抽一等奖，共3名，已抽取3名"), "L0", "L1",
                                                 "L2"}));
    EXPECT_EQ(session.state.makeupCount, 1);
    EXPECT_TRUE(dir.folder().exists(files::Leftover));
    EXPECT_TRUE(dir.bytes(files::Leftover).isEmpty());
}

TEST_F(MakeupTest, AnEmptyRemainderRefusesTheMakeUp)
{
    winnersOfLevel(1, {});
    drawfiles::writeLeftover(dir.folder(), {});
    EXPECT_FALSE(makeup.makeup(1, 5).ready);
    EXPECT_EQ(op.notices, QStringList({QStringLiteral("未中奖人数不够，无法再补抽。")}));
    EXPECT_FALSE(dir.folder().exists(files::makeupRound(0)));
    EXPECT_FALSE(session.state.makeupActive);

    // No remainder file at all reads as no entries.
    dir.folder().remove(files::Leftover);
    op.notices.clear();
    EXPECT_FALSE(makeup.makeup(1, 1).ready);
    EXPECT_EQ(op.notices, QStringList({QStringLiteral("未中奖人数不够，无法再补抽。")}));
}

TEST_F(MakeupTest, AbandonedMakeUpLeavesAPendingOneIntact)
{
    winnersOfLevel(1, {});
    drawfiles::writeLeftover(dir.folder(), people("L", 12));
    ASSERT_TRUE(makeup.makeup(1, 5).ready);
    session.state.makeupIndex = 0;

    // No winners file for level 2: the read fails and is reported.
    op.notices.clear();
    EXPECT_FALSE(makeup.makeup(2, 1).ready);
    ASSERT_EQ(op.notices.size(), 1);
    EXPECT_TRUE(op.notices[0].startsWith(QStringLiteral("无法打开文件")));
    // No selection at all.
    EXPECT_FALSE(makeup.makeup(-1, 1).ready);
    // Declined question.
    winnersOfLevel(2, {});
    op.answers = {OperatorPort::Answer::No};
    EXPECT_FALSE(makeup.makeup(2, 1).ready);
    EXPECT_EQ(op.questions.size(), 1);

    EXPECT_TRUE(session.state.makeupActive);
    EXPECT_EQ(session.state.makeupCount, 1);
    EXPECT_EQ(dir.lines(files::Leftover).size(), 7);
}

// ---- Give up and the quantity question ------------------------------------------------

TEST_F(MakeupTest, GiveUpThenMakeUpAsksOnlyWhenTheTotalDiffersFromTheSetting)
{
    winnersOfLevel(1, {g("张三"), g("李四"), g("王五"), g("赵六"), g("钱七")});
    drawfiles::writeLeftover(dir.folder(), people("L", 10));

    EXPECT_EQ(decoded(makeup.giveUpList(1)), QStringList({QStringLiteral("张三"), QStringLiteral("李四"),
                                                          QStringLiteral("王五"), QStringLiteral("赵六"),
                                                          QStringLiteral("钱七")}));
    // Declined: nothing changes.
    op.answers = {OperatorPort::Answer::No};
    EXPECT_FALSE(makeup.giveUp(1, 2));
    EXPECT_EQ(makeup.giveUpList(1).size(), 5);

    // The header is rewritten from the award table.
    session.awardTable[1].prizeText = g("新电脑");
    EXPECT_TRUE(makeup.giveUp(1, 2));
    EXPECT_EQ(op.questions.last(), QStringLiteral("从中奖名单中删除\r王五"));
    EXPECT_EQ(dir.lines(files::levelWinners(1)),
              QStringList({"", QStringLiteral("一等奖"), QStringLiteral("(新电脑)"), QStringLiteral("张三"),
                           QStringLiteral("李四"), QStringLiteral("赵六"), QStringLiteral("钱七")}));

    // Two more than the one given up: the question names 6 and the setting 5.
    op.questions.clear();
    op.answers = {OperatorPort::Answer::No};
    EXPECT_FALSE(makeup.makeup(1, 2).ready);
    EXPECT_EQ(op.questions, QStringList({QStringLiteral("加上已经中奖的，总计将产成一等奖 6 名，\r而本奖项共设置 5 名，\r是否继续？")}));
    EXPECT_FALSE(dir.folder().exists(files::makeupRound(0)));
    EXPECT_EQ(dir.lines(files::Leftover).size(), 10);

    // Exactly the one given up: no question.
    op.questions.clear();
    EXPECT_TRUE(makeup.makeup(1, 1).ready);
    EXPECT_TRUE(op.questions.isEmpty());
    EXPECT_EQ(makeupFile(0).mid(4), QStringList({"L0"}));
}

TEST_F(MakeupTest, GiveUpWithoutAValidSelectionReportsAndWritesNothing)
{
    winnersOfLevel(1, {g("张三")});
    const QByteArray before = dir.bytes(files::levelWinners(1));
    EXPECT_FALSE(makeup.giveUp(1, 1));
    EXPECT_FALSE(makeup.giveUp(1, -1));
    EXPECT_FALSE(makeup.giveUp(4, 0));
    EXPECT_EQ(op.notices.size(), 3);
    EXPECT_TRUE(op.questions.isEmpty());
    EXPECT_EQ(dir.bytes(files::levelWinners(1)), before);
    EXPECT_TRUE(makeup.giveUpList(4).isEmpty());
}

TEST(MakeupQuantityRuleTest, KeepsPositiveWholeNumbersOnly)
{
    for (const char *bad : {"0", "000", "", " ", "abc", "12a", "-3", "1.5", "３"})
        EXPECT_EQ(GiveUpMakeUp::makeupQuantityRule(QString::fromUtf8(bad)), QStringLiteral("1")) << bad;
    for (const char *good : {"1", "25", "007"})
        EXPECT_EQ(GiveUpMakeUp::makeupQuantityRule(QString::fromLatin1(good)), QString::fromLatin1(good));
}

// ---- Offered levels ---------------------------------------------------------------

TEST_F(MakeupTest, OnlyLevelsWhoseRoundsAreAllDrawnAreOffered)
{
    // Small prizes first, levels 0..3; the next round is one of level 1.
    for (int n = 0; n < 6; ++n)
        dir.write(files::round(n), {QString::number(n < 2 ? 3 : n < 4 ? 2 : n < 5 ? 1 : 0)});
    session.state.roundCount = 6;
    session.state.roundIndex = 4;
    session.settings.options.order = 0;
    EXPECT_EQ(makeup.makeupLevels(), (std::vector<int>{3, 2}));
    EXPECT_EQ(makeup.makeupLevel(0), 3);
    EXPECT_EQ(makeup.makeupLevel(1), 2);
    EXPECT_EQ(makeup.makeupLevel(-1), -1);

    // Big prizes first, next round of level 2.
    session.settings.options.order = 1;
    dir.write(files::round(4), {"2"});
    EXPECT_EQ(makeup.makeupLevels(), (std::vector<int>{0, 1}));
    EXPECT_EQ(makeup.makeupLevel(1), 1);

    // Every round drawn: all levels, disabled ones inside the range included.
    session.awardTable[2].enabled = false;
    session.state.roundIndex = 6;
    EXPECT_EQ(makeup.makeupLevels(), (std::vector<int>{0, 1, 2, 3}));
    session.settings.options.order = 0;
    EXPECT_EQ(makeup.makeupLevels(), (std::vector<int>{3, 2, 1, 0}));
    EXPECT_EQ(makeup.highestLevel(), 3);

    // Nothing drawn yet, small prizes first: the first level pending is 3.
    session.state.roundIndex = 0;
    EXPECT_TRUE(makeup.makeupLevels().empty());
}

// ---- With a prepared plan -------------------------------------------------------------

TEST_F(MakeupTest, MakeUpDrawsFromThePlansNonWinnersOnly)
{
    session.settings.levels = AwardSettings::defaults().levels;
    for (int k = 0; k < LevelCount; ++k)
        session.settings.levels[size_t(k)].enabled = k == 0;
    session.settings.levels[0].quantity = "4";
    session.pool.resize(12);
    for (int i = 0; i < 12; ++i)
        session.pool[size_t(i)].displayText = "P" + QByteArray::number(i);
    DrawRandom random(5);
    DrawPreparation prep(session, screen, op, random);
    prep.prepareDraw();
    const Lines planned = drawfiles::readRound(dir.folder(), 0).names;
    const Lines left = drawfiles::readLeftover(dir.folder());
    ASSERT_EQ(left.size(), 8);

    // The level is drawn, one winner gives up, one is made up.
    winnersOfLevel(0, planned);
    op.answers = {OperatorPort::Answer::Yes};
    ASSERT_TRUE(makeup.giveUp(0, 0));
    ASSERT_TRUE(makeup.makeup(0, 1).ready);
    EXPECT_TRUE(op.questions.size() == 1) << "4 - 1 + 1 = 4: only the give-up question";
    EXPECT_EQ(drawfiles::readRound(dir.folder(), 0).names, planned) << "plan untouched";
    EXPECT_EQ(dir.lines(files::makeupRound(0)).mid(4), QStringList({QString::fromLatin1(left[0])}));
    EXPECT_FALSE(planned.contains(left[0]));
    EXPECT_EQ(drawfiles::readLeftover(dir.folder()), left.mid(1));
}

} // namespace
