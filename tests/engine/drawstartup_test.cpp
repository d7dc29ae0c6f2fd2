// The draw's start-up: the resume decision, a stop cut short, a preparation
// cut short, and files that cannot be read.

#include "engine/draw.h"

#include "base/gbk.h"
#include "engine/drawfiles.h"
#include "engine/winners.h"
#include "support/headlessprogram.h"

#include <QFile>
#include <QMap>
#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;
using Answer = OperatorPort::Answer;

namespace {

// A program folder with the shipped settings and demonstration list, started
// the way the program starts.
class DrawStartupTest : public ::testing::Test, public HeadlessProgram
{
protected:
    DrawStartupTest() : HeadlessProgram(Files::Factory, 7) {}

    Draw &startAgain()
    {
        op.questions.clear();
        op.notices.clear();
        return start();
    }
    // Marks the first `rounds` rounds of the current plan as drawn, as the
    // stops would have recorded them.
    void drawRounds(int rounds)
    {
        for (int n = 0; n < rounds; ++n) {
            const RoundFile round = RoundFile::read(dir.folder(), files::round(n));
            levelwinners::record(dir.folder(), round.level(), "L", "P", round.names);
        }
        drawfiles::writeStatus(dir.folder(), rounds);
    }
    int firstLevel() const { return RoundFile::readLevel(dir.folder(), files::round(0)); }
    void drawWhole()
    {
        while (draw->state().roundsLeft()) {
            draw->start();
            draw->stop();
        }
    }
};

struct SimulatedCrash {};

} // namespace

TEST_F(DrawStartupTest, FirstStartPreparesWithoutAQuestion)
{
    start();
    EXPECT_TRUE(op.questions.isEmpty());
    EXPECT_TRUE(op.notices.isEmpty());
    EXPECT_EQ(draw->state().roundIndex(), 0);
    EXPECT_GT(draw->state().roundCount(), 0);
    EXPECT_EQ(dir.lines(files::Status), QStringList{QStringLiteral("0")});
    EXPECT_TRUE(dir.folder().exists(files::round(0)));
    EXPECT_EQ(int(draw->pool().size()), draw->list().count());
    EXPECT_EQ(screen.title, QStringLiteral("Qenwood科技有限公司新年联欢会"));
    EXPECT_EQ(screen.slotText[5], QStringLiteral("空格键开始回车键停止"));
}

TEST_F(DrawStartupTest, StatusZeroPreparesAnewAndACutStopCountsAsDrawn)
{
    start();
    const int level = firstLevel();
    // Winners on record that are not round 0's: a draw of an earlier plan.
    levelwinners::record(dir.folder(), level, "L", "P", {"somebody", "else"});
    drawfiles::writeStatus(dir.folder(), 0);
    startAgain();
    EXPECT_TRUE(op.questions.isEmpty());
    EXPECT_FALSE(dir.folder().exists(files::levelWinners(level)));
    EXPECT_EQ(draw->state().roundIndex(), 0);

    // The first stop appended its winners, then the power went before
    // status.dll moved on.
    drawRounds(1);
    drawfiles::writeStatus(dir.folder(), 0);
    startAgain();
    EXPECT_EQ(op.questions.size(), 1);
    EXPECT_EQ(draw->state().roundIndex(), 1);
    EXPECT_EQ(dir.lines(files::Status), QStringList{QStringLiteral("1")});
}

// A preparation cut short (by "重新抽奖" or a save) after an earlier draw had
// recorded rounds, then the real start-up on what it left: whatever step the
// crash followed, the next start prepares afresh without a question, and the
// plan drawn then records each of its rounds once, with nothing of the old
// draw merged in.
TEST_F(DrawStartupTest, ACutPreparationIsNeverTakenForACutStop)
{
    start();
    QStringList steps;
    const auto prepare = [&](const plan::StepHook &hook) {
        DrawPool pool = draw->pool();
        plan::discardPrevious(dir.folder(), hook);
        plan::orderPoolOnce(pool, draw->settings(), random);
        plan::writeRounds(dir.folder(), pool, draw->settings(), random, hook);
    };
    prepare([&](const char *name) { steps << QLatin1String(name); });
    ASSERT_EQ(steps.mid(0, 3), QStringList({"roundcount0", "status", "clear"}));
    ASSERT_EQ(steps.mid(steps.size() - 3), QStringList({"leftover", "sync", "roundcount"}));

    for (int crashAt = 0; crashAt < steps.size(); ++crashAt) {
        SCOPED_TRACE(steps[crashAt].toStdString() + " " + std::to_string(crashAt));
        dir.folder().remove(files::Status);
        start();
        // An earlier draw whose first round was drawn (and, for the worst
        // case, the old round 0's names are the end of their level's file).
        drawWhole();
        drawfiles::writeStatus(dir.folder(), 1);
        levelwinners::rewrite(dir.folder(), firstLevel(), "L", "P",
                              RoundFile::read(dir.folder(), files::round(0)).names);
        int seen = 0;
        EXPECT_THROW(prepare([&](const char *) {
            if (seen++ == crashAt)
                throw SimulatedCrash();
        }),
                     SimulatedCrash);

        startAgain();
        EXPECT_TRUE(op.questions.isEmpty()) << op.questions.join('|').toStdString();
        EXPECT_EQ(dir.lines(files::Status), QStringList{QStringLiteral("0")});
        ASSERT_GT(draw->state().roundCount(), 0);
        for (int level = 0; level < LevelCount; ++level)
            EXPECT_FALSE(dir.folder().exists(files::levelWinners(level))) << level;
        EXPECT_FALSE(dir.folder().exists(files::WinnersList));

        drawWhole();
        QMap<int, QStringList> planned;
        for (int n = 0; n < draw->state().roundCount(); ++n) {
            const QStringList lines = dir.lines(files::round(n));
            planned[lines.value(0).toInt()] << lines.mid(4);
        }
        for (auto level = planned.cbegin(); level != planned.cend(); ++level)
            EXPECT_EQ(dir.lines(files::levelWinners(level.key())).mid(3), level.value()) << level.key();
    }
}

TEST_F(DrawStartupTest, AFinishedDrawOffersTheResults)
{
    start();
    const int rounds = draw->state().roundCount();
    drawRounds(rounds);
    op.answers = {Answer::Yes};
    startAgain();
    ASSERT_EQ(op.questions.size(), 1);
    EXPECT_EQ(op.questions[0], QStringLiteral("抽奖已经全部完成，是否直接显示中奖结果？"));
    EXPECT_EQ(screen.resultsShown, 1);
    EXPECT_EQ(screen.slotText[5], QStringLiteral("抽奖已经全部完成"));
    EXPECT_EQ(draw->state().roundIndex(), rounds);

    op.answers = {Answer::No};
    startAgain();
    EXPECT_EQ(screen.resultsShown, 1);
    EXPECT_EQ(screen.slotText[5], QStringLiteral("抽奖已经全部完成"));
    EXPECT_TRUE(dir.folder().exists(files::levelWinners(0)));
}

TEST_F(DrawStartupTest, AHalfDrawnPlanContinuesOnYesAndStartsOverOnNo)
{
    start();
    drawRounds(1);
    const QByteArray before = dir.bytes(files::round(1));
    dir.write(files::WinnersList, {QString(), QStringLiteral("特等奖"), QStringLiteral("张三")});
    op.answers = {Answer::Yes};
    startAgain();
    ASSERT_EQ(op.questions.size(), 1);
    EXPECT_EQ(op.questions[0], QStringLiteral("上次抽奖还未完成，是否继续？\r【是】继续之前的抽奖，【否】重新抽奖。"));
    EXPECT_EQ(draw->state().roundIndex(), 1);
    EXPECT_EQ(dir.bytes(files::round(1)), before);
    const int level = RoundFile::readLevel(dir.folder(), files::round(1));
    EXPECT_EQ(screen.head, QStringLiteral("准备抽取") + gbk::decode(draw->settings().levels[size_t(level)].displayName));
    // The winners list is the caption.
    EXPECT_EQ(screen.caption, QStringLiteral("  特等奖 张三"));

    const int first = firstLevel();
    op.answers = {Answer::No};
    startAgain();
    EXPECT_EQ(op.questions.size(), 1);
    EXPECT_EQ(draw->state().roundIndex(), 0);
    EXPECT_EQ(dir.lines(files::Status), QStringList{QStringLiteral("0")});
    EXPECT_FALSE(dir.folder().exists(files::levelWinners(first)));
}

TEST_F(DrawStartupTest, FilesThatCannotBeReadAreToldOnceAndNothingIsRevealedAgain)
{
    start();
    drawRounds(2);
    // A damaged status.dll: no round may be revealed (again) and nothing is removed.
    dir.writeBytes(QStringLiteral("status.dll"), "-2\r\n");
    startAgain();
    EXPECT_TRUE(op.questions.isEmpty());
    ASSERT_EQ(op.notices.size(), 1);
    EXPECT_TRUE(op.notices[0].startsWith(QStringLiteral("启动时没能完成以下步骤："))) << op.notices[0].toStdString();
    EXPECT_TRUE(op.notices[0].contains(QStringLiteral("“-2”不是有效的整数值")));
    EXPECT_EQ(draw->state().roundCount(), 0);
    EXPECT_TRUE(dir.folder().exists(files::levelWinners(firstLevel())));
    EXPECT_EQ(dir.bytes(QStringLiteral("status.dll")), "-2\r\n");

    // Broken settings: said once, though both parts of the start-up meet them.
    dir.writeBytes(QStringLiteral("Curtain.dll"), "1\r\n-1\r\n");
    dir.folder().remove(QStringLiteral("Tlottery.dll"));
    startAgain();
    ASSERT_EQ(op.notices.size(), 1);
    EXPECT_EQ(op.notices[0].count(QStringLiteral("Tlottery.dll")), 1) << op.notices[0].toStdString();
    EXPECT_EQ(draw->settings().options.captionPosition, 0) << "a file with a bad line is not taken";
}

// ---- a stop cut short -----------------------------------------------------

namespace {

// A plan of the test's own rounds: (level, names), status at `drawn`, and a
// cut-off stop of round `drawn` when asked.
class RecoveryTest : public ::testing::Test, public HeadlessProgram
{
protected:
    RecoveryTest() : HeadlessProgram(Files::Factory, 3) {}

    void writePlan(const std::vector<std::pair<int, QStringList>> &rounds, int drawn)
    {
        const AwardSettings settings = awardfile::load(dir.folder());
        for (std::size_t n = 0; n < rounds.size(); ++n) {
            const auto &[level, names] = rounds[n];
            Lines lines;
            for (const QString &name : names)
                lines << gbk::encode(name);
            RoundFile::planRound(level, settings.levels[level].displayName, settings.levels[level].prizeText, "9",
                                 0, lines)
                .write(dir.folder(), files::round(int(n)));
            if (int(n) < drawn)
                levelwinners::record(dir.folder(), level, settings.levels[level].displayName,
                                     settings.levels[level].prizeText, lines);
        }
        drawfiles::writeRoundCount(dir.folder(), int(rounds.size()));
        drawfiles::writeStatus(dir.folder(), drawn);
    }
    // Round n's winners reached their level's file, status.dll did not move on.
    void cutOffAfterAppend(int n)
    {
        const RoundFile r = RoundFile::read(dir.folder(), files::round(n));
        levelwinners::record(dir.folder(), r.level(), "L", "P", r.names);
    }
    int startedAt() { return start().state().roundIndex(); }
};

} // namespace

TEST_F(RecoveryTest, CountsARoundWhoseWinnersAreRecorded)
{
    writePlan({{1, {"一", "二"}}, {1, {"三"}}, {2, {"四"}}}, 1);
    cutOffAfterAppend(1);
    EXPECT_EQ(startedAt(), 2);
    EXPECT_EQ(dir.lines(files::Status), QStringList({"2"}));
    EXPECT_EQ(dir.lines(files::WinnersList).mid(3), QStringList({"一", "二", "三"}));
    // Nothing more to count, and the next round draws round 2.
    EXPECT_EQ(startedAt(), 2);
    draw->start();
    draw->stop();
    EXPECT_EQ(dir.lines(files::levelWinners(2)).mid(3), QStringList({"四"}));
}

TEST_F(RecoveryTest, CountsALevelsFirstRoundAndOneAfterAGiveUp)
{
    writePlan({{1, {"一"}}, {2, {"二"}}, {2, {"三"}}}, 1);
    cutOffAfterAppend(1);
    EXPECT_EQ(startedAt(), 2);
    // The first of the level's winners gave the prize up before the cut stop.
    levelwinners::rewrite(dir.folder(), 2, "L", "P", {});
    cutOffAfterAppend(2);
    EXPECT_EQ(startedAt(), 3);
}

TEST_F(RecoveryTest, LeavesAnUnrecordedRoundAlone)
{
    writePlan({{1, {"一"}}, {1, {"二"}}}, 1);
    dir.write(files::WinnersList, {QStringLiteral("x")});
    EXPECT_EQ(startedAt(), 1);
    EXPECT_EQ(dir.lines(files::Status), QStringList({"1"}));
    EXPECT_EQ(dir.lines(files::WinnersList), QStringList({"x"}));
}

TEST_F(RecoveryTest, SameTextsOfTwoPeopleInConsecutiveRoundsAreNotCounted)
{
    // Two people both shown as 张伟 win the level's two rounds.
    writePlan({{1, {"张伟"}}, {1, {"张伟"}}, {2, {"李"}}}, 1);
    EXPECT_EQ(startedAt(), 1);
    cutOffAfterAppend(1);
    EXPECT_EQ(startedAt(), 2);
}
