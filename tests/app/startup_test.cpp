#include "app/drawround.h"
#include "app/startup.h"
#include "base/gbk.h"
#include "engine/drawfiles.h"
#include "engine/winners.h"
#include "support/headlesshost.h"
#include "support/headlessprogram.h"

#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;
using Answer = OperatorPort::Answer;

namespace {

// A program folder with the shipped settings and demonstration list, started
// the way the program starts.
class StartupTest : public ::testing::Test, public HeadlessProgram
{
protected:
    StartupTest() : HeadlessProgram(7) {}

    // Marks the first `rounds` rounds of the current plan as drawn, as the
    // stops would have recorded them.
    void drawRounds(int rounds)
    {
        for (int n = 0; n < rounds; ++n) {
            const RoundPlan round = drawfiles::readRound(dir.folder(), n);
            levelwinners::record(dir.folder(), round.level, "L", "P", round.names);
        }
        drawfiles::writeStatus(dir.folder(), rounds);
    }
};

} // namespace

TEST_F(StartupTest, FirstStartPreparesWithoutAQuestion)
{
    start();
    EXPECT_TRUE(op.questions.isEmpty());
    EXPECT_EQ(session.state.roundIndex, 0);
    EXPECT_GT(session.state.roundCount, 0);
    EXPECT_EQ(dir.lines(QStringLiteral("status.dll")), QStringList{QStringLiteral("0")});
    EXPECT_TRUE(dir.folder().exists(files::round(0)));
    EXPECT_EQ(int(session.pool.size()), session.list.count());
    EXPECT_EQ(screen.title, QStringLiteral("Qenwood科技有限公司新年联欢会"));
    EXPECT_FALSE(screen.menusShown);
    EXPECT_EQ(screen.slotText[5], QStringLiteral("空格键开始回车键停止"));
}

TEST_F(StartupTest, StatusZeroPreparesAnewEvenAfterDrawnRounds)
{
    start();
    const int firstLevel = drawfiles::roundLevel(dir.folder(), 0);
    // Winners on record that are not round 0's: a draw of an earlier plan.
    levelwinners::record(dir.folder(), firstLevel, "L", "P", {"somebody", "else"});
    drawfiles::writeStatus(dir.folder(), 0);
    start();
    EXPECT_TRUE(op.questions.isEmpty());
    EXPECT_FALSE(dir.folder().exists(files::levelWinners(firstLevel)));
    EXPECT_EQ(session.state.roundIndex, 0);
}

TEST_F(StartupTest, StopCutShortAfterRecordingCountsAsDrawn)
{
    start();
    // The first stop appended its winners, then the power went before
    // status.dll moved on.
    drawRounds(1);
    drawfiles::writeStatus(dir.folder(), 0);
    op.answers = {Answer::Yes};
    start();
    EXPECT_EQ(op.questions.size(), 1);
    EXPECT_EQ(session.state.roundIndex, 1);
    EXPECT_EQ(dir.lines(QStringLiteral("status.dll")), QStringList{QStringLiteral("1")});
}

struct SimulatedCrash {};

// A preparation cut short (by "重新抽奖" or a save) after an earlier draw had
// recorded rounds, then the real start-up on what it left: whatever step the
// crash followed, the next start prepares afresh without a question, and the
// plan drawn then records each of its rounds once, with nothing of the old
// draw merged in.
TEST_F(StartupTest, CutPreparationIsNeverTakenForACutStop)
{
    const auto drawWhole = [&] {
        HeadlessHost host;
        DrawRound round(session, screen, sound, op, host);
        for (int n = session.state.roundIndex; n < session.state.roundCount; ++n) {
            round.startClicked();
            round.stopClicked();
        }
    };
    start();
    QStringList steps;
    {
        DrawPreparation probe(session, screen, op, random);
        probe.setStepHook([&](const char *name) { steps << QLatin1String(name); });
        probe.prepareDraw();
    }
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
        levelwinners::rewrite(dir.folder(), drawfiles::roundLevel(dir.folder(), 0), "L", "P",
                              drawfiles::readRound(dir.folder(), 0).names);
        int seen = 0;
        DrawPreparation cut(session, screen, op, random);
        cut.setStepHook([&](const char *) {
            if (seen++ == crashAt)
                throw SimulatedCrash();
        });
        EXPECT_THROW(cut.prepareDraw(), SimulatedCrash);

        start();
        EXPECT_TRUE(op.questions.isEmpty()) << op.questions.join('|').toStdString();
        EXPECT_EQ(dir.lines(files::Status), QStringList{QStringLiteral("0")});
        ASSERT_GT(session.state.roundCount, 0);
        for (int level = 0; level < LevelCount; ++level)
            EXPECT_FALSE(dir.folder().exists(files::levelWinners(level))) << level;
        EXPECT_FALSE(dir.folder().exists(files::WinnersList));

        drawWhole();
        QMap<int, QStringList> planned;
        for (int n = 0; n < session.state.roundCount; ++n) {
            const QStringList lines = dir.lines(files::round(n));
            planned[lines.value(0).toInt()] << lines.mid(4);
        }
        for (auto level = planned.cbegin(); level != planned.cend(); ++level)
            EXPECT_EQ(dir.lines(files::levelWinners(level.key())).mid(3), level.value()) << level.key();
        op.questions.clear();
    }
}

TEST_F(StartupTest, FinishedDrawOffersTheResults)
{
    start();
    const int rounds = session.state.roundCount;
    drawRounds(rounds);
    op.answers = {Answer::Yes};
    start();
    ASSERT_EQ(op.questions.size(), 1);
    EXPECT_EQ(op.questions[0], QStringLiteral("抽奖已经全部完成，是否直接显示中奖结果？"));
    EXPECT_EQ(screen.resultsShown, 1);
    EXPECT_EQ(screen.slotText[5], QStringLiteral("抽奖已经全部完成"));
    EXPECT_EQ(session.state.roundIndex, rounds);

    op.questions.clear();
    op.answers = {Answer::No};
    start();
    EXPECT_EQ(screen.resultsShown, 1);
    EXPECT_EQ(screen.slotText[5], QStringLiteral("抽奖已经全部完成"));
    EXPECT_TRUE(dir.folder().exists(files::levelWinners(0)));
}

TEST_F(StartupTest, HalfDrawnPlanContinuesOnYes)
{
    start();
    drawRounds(1);
    const QByteArray before = dir.bytes(files::round(1));
    op.answers = {Answer::Yes};
    start();
    ASSERT_EQ(op.questions.size(), 1);
    EXPECT_EQ(op.questions[0], QStringLiteral("上次抽奖还未完成，是否继续？\r【是】继续之前的抽奖，【否】重新抽奖。"));
    EXPECT_EQ(session.state.roundIndex, 1);
    EXPECT_EQ(dir.bytes(files::round(1)), before);
    const int level = drawfiles::roundLevel(dir.folder(), 1);
    EXPECT_EQ(screen.head, QStringLiteral("准备抽取") + gbk::decode(session.awardTable[size_t(level)].displayName));
}

TEST_F(StartupTest, HalfDrawnPlanStartsOverOnNo)
{
    start();
    drawRounds(1);
    const int firstLevel = drawfiles::roundLevel(dir.folder(), 0);
    op.answers = {Answer::No};
    start();
    EXPECT_EQ(op.questions.size(), 1);
    EXPECT_EQ(session.state.roundIndex, 0);
    EXPECT_EQ(dir.lines(QStringLiteral("status.dll")), QStringList{QStringLiteral("0")});
    EXPECT_FALSE(dir.folder().exists(files::levelWinners(firstLevel)));
}

TEST_F(StartupTest, BrokenSettingsEndStartUpQuietly)
{
    dir.writeBytes(QStringLiteral("filenameqty.dll"), "x\r\n");
    dir.folder().remove(QStringLiteral("Tlottery.dll"));
    start();
    EXPECT_TRUE(op.questions.isEmpty());
    EXPECT_TRUE(op.notices.isEmpty());
    EXPECT_FALSE(dir.folder().exists(files::round(0)));
    // The failing step ended the draw screen's sequence before the menus went.
    EXPECT_TRUE(screen.menusShown);
}

TEST_F(StartupTest, NegativeNumbersAreBadNumbers)
{
    start();
    drawRounds(2);
    // A damaged status.dll: no round may be revealed (again) and nothing is removed.
    dir.writeBytes(QStringLiteral("status.dll"), "-2\r\n");
    start();
    EXPECT_TRUE(op.questions.isEmpty());
    EXPECT_EQ(session.state.roundCount, 0);
    EXPECT_TRUE(dir.folder().exists(files::levelWinners(drawfiles::roundLevel(dir.folder(), 0))));
    EXPECT_EQ(dir.bytes(QStringLiteral("status.dll")), "-2\r\n");

    dir.writeBytes(QStringLiteral("Curtain.dll"), "1\r\n-1\r\n");
    screen.menusShown = true;
    start();
    EXPECT_EQ(session.settings.options.captionPosition, 0);
    EXPECT_TRUE(screen.menusShown) << "the draw screen's start-up ends at the bad line";
}

TEST_F(StartupTest, WinnersListBecomesTheCaption)
{
    start();
    drawRounds(1);
    dir.write(QStringLiteral("dat\\LuckyList.txt"), {QString(), QStringLiteral("特等奖"), QStringLiteral("张三")});
    op.answers = {Answer::Yes};
    start();
    EXPECT_EQ(screen.caption, QStringLiteral("  特等奖 张三"));
}

// ---- exit --------------------------------------------------------------

namespace {

struct ExitCase
{
    TestFolder dir;
    Session session;
    RecordingOperator op;
    int exports = 0;

    bool close(int roundIndex, int roundCount)
    {
        session.folder = dir.folder();
        session.state.roundIndex = roundIndex;
        session.state.roundCount = roundCount;
        ExitQuestions questions(session, op);
        questions.now = [] { return QDateTime(QDate(2026, 12, 31), QTime(23, 59, 58)); };
        questions.exportWinners = [this] { ++exports; };
        return questions.confirmClose();
    }
    QStringList history() const { return dir.lines(QStringLiteral("dat\\Sorvix history.txt")); }
};

} // namespace

TEST(ExitQuestions, RoundsLeftAskBeforeLeaving)
{
    ExitCase c;
    c.op.answers = {Answer::No};
    EXPECT_FALSE(c.close(0, 3));
    EXPECT_EQ(c.op.questions, QStringList{QStringLiteral("抽奖还没有结束，是否退出？")});
    EXPECT_TRUE(c.history().isEmpty());

    c.op.answers = {Answer::Yes};
    EXPECT_TRUE(c.close(1, 3));
    EXPECT_EQ(c.history(), (QStringList{QString(), QStringLiteral("==== 20261231-235958  抽奖结束前退出 ====")}));
}

TEST(ExitQuestions, FinishedDrawOffersTheExport)
{
    ExitCase c;
    c.op.answers = {Answer::Cancel};
    EXPECT_FALSE(c.close(4, 4));
    EXPECT_TRUE(c.history().isEmpty());

    c.op.answers = {Answer::Yes};
    EXPECT_TRUE(c.close(4, 4));
    EXPECT_EQ(c.exports, 1);
    c.op.answers = {Answer::No};
    EXPECT_TRUE(c.close(4, 4));
    EXPECT_EQ(c.exports, 1);
    EXPECT_EQ(c.op.questions.last(), QStringLiteral("退出前，是否导出中奖名单？"));
    EXPECT_EQ(c.history().count(QStringLiteral("==== 20261231-235958  抽奖完成 ====")), 2);
}

TEST(ExitQuestions, NothingToAskWithoutAPlan)
{
    ExitCase c;
    EXPECT_TRUE(c.close(0, 0));
    EXPECT_TRUE(c.op.questions.isEmpty());
    EXPECT_FALSE(c.dir.folder().exists(files::History));

    // More rounds drawn than the plan has: recorded without a question.
    EXPECT_TRUE(c.close(5, 3));
    EXPECT_TRUE(c.op.questions.isEmpty());
    EXPECT_EQ(c.history().size(), 2);
}
