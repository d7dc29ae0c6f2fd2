#include "engine/drawfiles.h"
#include "base/errors.h"
#include "base/gbk.h"
#include "engine/makeup.h"
#include "support/drawsetup.h"

#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;

namespace {

// The pool remainder a test writes: L0, L1, ...
QStringList remainder(int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QStringLiteral("L%1").arg(i);
    return names;
}

// Levels 0..3 of five winners each, level 1 "一等奖" with the prize "电脑",
// and the winners files and pool remainder a test writes, in a plan of which
// one round is drawn: the draw resumes it, as after the program was started
// again in the middle of the event.
class MakeupTest : public ::testing::Test, public DrawSetup
{
protected:
    MakeupTest()
    {
        people(12);
        for (int k = 0; k <= 3; ++k)
            level(k, "5", 5);
        level(1, "5", 5, "一等奖", "电脑");
    }

    // Written under the level's name and `prize` (its own when none).
    void winnersOfLevel(int level, const QStringList &names, const char *prize = nullptr)
    {
        const AwardLevel &award = settings.levels[size_t(level)];
        const QString shown = prize ? QString::fromUtf8(prize) : gbk::decode(award.prizeText);
        dir.write(files::levelWinners(level),
                  QStringList({"", gbk::decode(award.displayName), QLatin1Char('(') + shown + QLatin1Char(')')}) + names);
    }
    void leftover(int count) { dir.write(files::Leftover, remainder(count)); }
    void resume()
    {
        dir.write(files::round(0), {"3"});
        dir.write(files::round(1), {"2"});
        dir.write(files::Status, {"1"});
        dir.write(files::RoundCount, {"2"});
        start();
        // The start-up's question is not the make-up's.
        ASSERT_EQ(op.questions.size(), 1);
        op.questions.clear();
    }
    QStringList makeupFile(int k) const { return dir.lines(files::makeupRound(k)); }
};

// ---- Make-up rounds ---------------------------------------------------------------

TEST_F(MakeupTest, TwentyFiveMakeUpWinnersFillFilesOfTenTenAndFive)
{
    settings.levels[1].quantity = "25";
    winnersOfLevel(1, {});
    leftover(30);
    resume();
    // A round rolls when the make-up is prepared.
    draw->start();

    const Draw::MakeupResult result = draw->makeup(1, 25);
    EXPECT_TRUE(result.ready);
    EXPECT_EQ(result.quantity, 25);
    EXPECT_TRUE(op.questions.isEmpty());

    EXPECT_EQ(makeupFile(0).mid(0, 4), QStringList({"1", QStringLiteral("补抽一等奖"),
                                                    QStringLiteral("现在补抽一等奖，共25名，已抽取0名"),
                                                    QStringLiteral("现在补抽一等奖，共25名，已抽取10名")}));
    EXPECT_EQ(makeupFile(0).mid(4), remainder(10));
    EXPECT_EQ(makeupFile(1).mid(4), remainder(20).mid(10));
    EXPECT_EQ(makeupFile(2), QStringList({"1", QStringLiteral("补抽一等奖"),
                                          QStringLiteral("现在补抽一等奖，共25名，已抽取20名"),
                                          QStringLiteral("现在补抽一等奖，共25名，已抽取25名"),
                                          "L20", "L21", "L22", "L23", "L24"}));
    EXPECT_FALSE(dir.folder().exists(files::makeupRound(3)));
    EXPECT_EQ(dir.lines(files::Leftover), remainder(30).mid(25));

    EXPECT_TRUE(draw->state().makeupActive());
    EXPECT_EQ(draw->state().makeupCount(), 3);
    EXPECT_EQ(draw->state().makeupIndex(), 0);

    EXPECT_EQ(screen.head, QStringLiteral("现在补抽一等奖 25 名"));
    EXPECT_TRUE(screen.prizeTextShown[0]);
    EXPECT_FALSE(screen.prizeTextShown[1]);
    EXPECT_EQ(screen.prizeText[0], QStringLiteral("奖品 电脑"));
    EXPECT_FALSE(draw->rolling());
    EXPECT_EQ(screen.rollingStops, 1);
    EXPECT_EQ(screen.slotText[5], QStringLiteral("空格键开始回车键停止"));
    EXPECT_TRUE(screen.slotText[1].isEmpty());
    EXPECT_EQ(op.notices, QStringList({QStringLiteral("已经准备好补抽一等奖 25 名")}));
}

TEST_F(MakeupTest, ANewMakeUpReplacesAPendingOneFromItsFirstFile)
{
    settings.levels[1].quantity = "25";
    winnersOfLevel(1, {});
    leftover(25);
    resume();
    ASSERT_TRUE(draw->makeup(1, 15).ready);
    drawRound();
    ASSERT_EQ(draw->state().makeupIndex(), 1);
    const QByteArray earlierSecond = dir.bytes(files::makeupRound(1));

    // Ten: exactly one file; the earlier make-up's second file stays unread.
    EXPECT_TRUE(draw->makeup(1, 10).ready);
    EXPECT_EQ(makeupFile(0).size(), 14);
    EXPECT_EQ(draw->state().makeupCount(), 1);
    EXPECT_EQ(draw->state().makeupIndex(), 0);
    EXPECT_TRUE(dir.bytes(files::Leftover).isEmpty());
    EXPECT_EQ(dir.bytes(files::makeupRound(1)), earlierSecond);
    drawRound();
    EXPECT_FALSE(draw->state().makeupActive());
    // What the replaced make-up had taken and not drawn is not drawn again.
    EXPECT_EQ(dir.lines(files::levelWinners(1)).mid(3), remainder(10) + remainder(25).mid(15));
}

TEST_F(MakeupTest, TheRemainderLimitsTheMakeUp)
{
    winnersOfLevel(1, {});
    leftover(3);
    resume();
    const Draw::MakeupResult result = draw->makeup(1, 5);
    EXPECT_TRUE(result.ready);
    EXPECT_EQ(result.quantity, 3);
    EXPECT_EQ(op.notices, QStringList({QStringLiteral("未中奖人数不够，只能再补抽 3 名"),
                                       QStringLiteral("已经准备好补抽一等奖 3 名")}));
    EXPECT_EQ(makeupFile(0).mid(2), QStringList({QStringLiteral("现在补抽一等奖，共3名，已抽取0名"),
                                                 QStringLiteral("现在补抽一等奖，共3名，已抽取3名"), "L0", "L1",
                                                 "L2"}));
    EXPECT_EQ(draw->state().makeupCount(), 1);
    EXPECT_TRUE(dir.folder().exists(files::Leftover));
    EXPECT_TRUE(dir.bytes(files::Leftover).isEmpty());

    // Nobody left: refused, and the pending make-up stays as it is.
    const QByteArray pending = dir.bytes(files::makeupRound(0));
    op.notices.clear();
    EXPECT_FALSE(draw->makeup(1, 5).ready);
    EXPECT_EQ(op.notices, QStringList({QStringLiteral("未中奖人数不够，无法再补抽。")}));
    EXPECT_EQ(dir.bytes(files::makeupRound(0)), pending);
    EXPECT_TRUE(draw->state().makeupActive());
    EXPECT_EQ(draw->state().makeupCount(), 1);
    // No remainder file at all reads as no entries.
    dir.folder().remove(files::Leftover);
    op.notices.clear();
    EXPECT_FALSE(draw->makeup(1, 1).ready);
    EXPECT_EQ(op.notices, QStringList({QStringLiteral("未中奖人数不够，无法再补抽。")}));
}

TEST_F(MakeupTest, FailedOrDeclinedCommandsChangeNothing)
{
    winnersOfLevel(1, {QStringLiteral("张三")});
    winnersOfLevel(2, {});
    leftover(12);
    resume();
    ASSERT_TRUE(draw->makeup(2, 5).ready);
    const QByteArray level1 = dir.bytes(files::levelWinners(1));
    const QByteArray pending = dir.bytes(files::makeupRound(0));

    // Give-ups without a valid selection: each reported, nothing asked.
    op.notices.clear();
    EXPECT_FALSE(draw->giveUp(1, 1));
    EXPECT_FALSE(draw->giveUp(1, -1));
    EXPECT_FALSE(draw->giveUp(4, 0));
    EXPECT_EQ(op.notices.size(), 3);
    EXPECT_TRUE(op.questions.isEmpty());
    EXPECT_TRUE(draw->levelWinners(4).isEmpty());

    // Make-ups: no winners file for level 3 (the read fails and is reported),
    // no selection at all, a declined question.
    op.notices.clear();
    EXPECT_FALSE(draw->makeup(3, 1).ready);
    ASSERT_EQ(op.notices.size(), 1);
    EXPECT_TRUE(op.notices[0].startsWith(QStringLiteral("无法打开文件")));
    EXPECT_FALSE(draw->makeup(-1, 1).ready);
    op.answers = {OperatorPort::Answer::No};
    EXPECT_FALSE(draw->makeup(1, 1).ready);
    EXPECT_EQ(op.questions.size(), 1);

    EXPECT_EQ(dir.bytes(files::levelWinners(1)), level1);
    EXPECT_EQ(dir.bytes(files::makeupRound(0)), pending);
    EXPECT_TRUE(draw->state().makeupActive());
    EXPECT_EQ(draw->state().makeupCount(), 1);
    EXPECT_EQ(dir.lines(files::Leftover).size(), 7);
}

// ---- Give up and the quantity question ------------------------------------------------

TEST_F(MakeupTest, GiveUpThenMakeUpAsksOnlyWhenTheTotalDiffersFromTheSetting)
{
    const QStringList five = {QStringLiteral("张三"), QStringLiteral("李四"), QStringLiteral("王五"),
                              QStringLiteral("赵六"), QStringLiteral("钱七")};
    // Recorded under an earlier prize text.
    winnersOfLevel(1, five, "旧电脑");
    leftover(10);
    resume();

    QStringList listed;
    for (const QByteArray &name : draw->levelWinners(1))
        listed << gbk::decode(name);
    EXPECT_EQ(listed, five);
    // Declined: nothing changes.
    op.answers = {OperatorPort::Answer::No};
    EXPECT_FALSE(draw->giveUp(1, 2));
    EXPECT_EQ(draw->levelWinners(1).size(), 5);

    // The header is rewritten from the settings in force.
    EXPECT_TRUE(draw->giveUp(1, 2));
    EXPECT_EQ(op.questions.last(), QStringLiteral("从中奖名单中删除\r王五"));
    EXPECT_EQ(dir.lines(files::levelWinners(1)),
              QStringList({"", QStringLiteral("一等奖"), QStringLiteral("(电脑)"), QStringLiteral("张三"),
                           QStringLiteral("李四"), QStringLiteral("赵六"), QStringLiteral("钱七")}));

    // Two more than the one given up: the question names 6 and the setting 5.
    op.questions.clear();
    op.answers = {OperatorPort::Answer::No};
    EXPECT_FALSE(draw->makeup(1, 2).ready);
    EXPECT_EQ(op.questions, QStringList({QStringLiteral("加上已经中奖的，总计将产成一等奖 6 名，\r而本奖项共设置 5 名，\r是否继续？")}));
    EXPECT_FALSE(dir.folder().exists(files::makeupRound(0)));
    EXPECT_EQ(dir.lines(files::Leftover).size(), 10);

    // Exactly the one given up: no question.
    op.questions.clear();
    EXPECT_TRUE(draw->makeup(1, 1).ready);
    EXPECT_TRUE(op.questions.isEmpty());
    EXPECT_EQ(makeupFile(0).mid(4), QStringList({"L0"}));
}

TEST_F(MakeupTest, MakeUpDrawsFromThePlansNonWinnersOnly)
{
    for (int k = 1; k <= 3; ++k)
        settings.levels[size_t(k)].enabled = false;
    level(0, "4", 10);
    start();
    const Lines planned = RoundFile::read(dir.folder(), files::round(0)).names;
    const Lines left = drawfiles::readLeftover(dir.folder());
    ASSERT_EQ(left.size(), 8);

    // The level is drawn, one winner gives up, one is made up.
    drawRound();
    ASSERT_TRUE(draw->giveUp(0, 0));
    ASSERT_TRUE(draw->makeup(0, 1).ready);
    EXPECT_EQ(op.questions.size(), 1) << "4 - 1 + 1 = 4: only the give-up question";
    EXPECT_EQ(RoundFile::read(dir.folder(), files::round(0)).names, planned) << "plan untouched";
    EXPECT_EQ(dir.lines(files::makeupRound(0)).mid(4), QStringList({QString::fromLatin1(left[0])}));
    EXPECT_FALSE(planned.contains(left[0]));
    EXPECT_EQ(drawfiles::readLeftover(dir.folder()), left.mid(1));
}

// ---- The make-up window's lists and field ------------------------------------------

TEST(MakeupLevelsTest, OnlyLevelsWhoseRoundsAreAllDrawnAreOffered)
{
    // Small prizes first, levels 0..3; the next round is one of level 1.
    TestFolder dir;
    for (int n = 0; n < 6; ++n)
        dir.write(files::round(n), {QString::number(n < 2 ? 3 : n < 4 ? 2 : n < 5 ? 1 : 0)});
    AwardSettings settings = AwardSettings::defaults();
    DrawState state;
    state.readFromFiles(4, 6);
    settings.options.order = 0;
    EXPECT_EQ(makeup::offeredLevels(dir.folder(), settings, state), (std::vector<int>{3, 2}));
    EXPECT_EQ(makeup::levelOfItem(settings, 0), 3);
    EXPECT_EQ(makeup::levelOfItem(settings, 1), 2);
    EXPECT_EQ(makeup::levelOfItem(settings, -1), -1);

    // Big prizes first, next round of level 2.
    settings.options.order = 1;
    dir.write(files::round(4), {"2"});
    EXPECT_EQ(makeup::offeredLevels(dir.folder(), settings, state), (std::vector<int>{0, 1}));
    EXPECT_EQ(makeup::levelOfItem(settings, 1), 1);

    // Every round drawn: all levels, disabled ones inside the range included.
    settings.levels[2].enabled = false;
    state.readFromFiles(6, 6);
    EXPECT_EQ(makeup::offeredLevels(dir.folder(), settings, state), (std::vector<int>{0, 1, 2, 3}));
    settings.options.order = 0;
    EXPECT_EQ(makeup::offeredLevels(dir.folder(), settings, state), (std::vector<int>{3, 2, 1, 0}));

    // Nothing drawn yet, small prizes first: the first level pending is 3.
    state.readFromFiles(0, 6);
    EXPECT_TRUE(makeup::offeredLevels(dir.folder(), settings, state).empty());
    // The next round's file can't be read: no level can be offered safely.
    dir.folder().remove(files::round(0));
    EXPECT_THROW(makeup::offeredLevels(dir.folder(), settings, state), OperationError);
}

TEST(MakeupQuantityRuleTest, KeepsPositiveWholeNumbersOnly)
{
    for (const char *bad : {"0", "000", "", " ", "abc", "12a", "-3", "1.5", "３"})
        EXPECT_EQ(makeup::quantityRule(QString::fromUtf8(bad)), QStringLiteral("1")) << bad;
    for (const char *good : {"1", "25", "007"})
        EXPECT_EQ(makeup::quantityRule(QString::fromLatin1(good)), QString::fromLatin1(good));
}

} // namespace
