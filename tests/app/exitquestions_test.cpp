#include "app/exitquestions.h"

#include "engine/drawfiles.h"
#include "support/headlessprogram.h"
#include "support/refusedpath.h"

#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;
using Answer = OperatorPort::Answer;

namespace {

// The demonstration event with `drawn` of its rounds drawn, and the questions
// asked when the screen closes.
class ExitQuestionsTest : public ::testing::Test, public HeadlessProgram
{
protected:
    RecordCommands *records = nullptr;
    std::unique_ptr<RecordCommands> recordsOwned;
    std::unique_ptr<ExitQuestions> questions;
    const QDateTime now{QDate(2026, 12, 31), QTime(23, 59, 58)};

    void drawn(int rounds)
    {
        start();
        for (int n = 0; n < rounds && draw->state().roundsLeft(); ++n) {
            draw->start();
            draw->stop();
        }
        recordsOwned = std::make_unique<RecordCommands>(*draw, op);
        questions = std::make_unique<ExitQuestions>(*draw, *recordsOwned, op);
        op.questions.clear();
        op.notices.clear();
    }
    bool close(std::deque<Answer> answers)
    {
        op.answers = std::move(answers);
        return questions->confirmClose(now);
    }
    QStringList history() const { return dir.lines(files::History); }
    QString record(const char *note) const { return QStringLiteral("==== 20261231-235958  %1 ====").arg(QString::fromUtf8(note)); }
};

} // namespace

TEST_F(ExitQuestionsTest, RoundsLeftAskBeforeLeavingAndNoPlanAsksNothing)
{
    // More winners set than people: no plan.
    const QByteArray factory = dir.bytes(files::Lottery);
    AwardSettings settings = awardfile::load(dir.folder());
    settings.levels[0].quantity = "999";
    awardfile::save(dir.folder(), settings);
    drawn(0);
    EXPECT_TRUE(close({}));
    EXPECT_TRUE(op.questions.isEmpty());
    EXPECT_FALSE(dir.folder().exists(files::History));

    dir.writeBytes(files::Lottery, factory);
    dir.folder().remove(files::Status);
    drawn(1);
    EXPECT_FALSE(close({Answer::No}));
    EXPECT_EQ(op.questions, QStringList{QStringLiteral("抽奖还没有结束，是否退出？")});
    EXPECT_FALSE(dir.folder().exists(files::History));
    EXPECT_TRUE(close({Answer::Yes}));
    EXPECT_EQ(history().mid(0, 2), (QStringList{QString(), record("抽奖结束前退出")}));
}

TEST_F(ExitQuestionsTest, AFinishedDrawOffersTheExport)
{
    drawn(1000);
    EXPECT_FALSE(close({Answer::Cancel}));
    EXPECT_FALSE(dir.folder().exists(files::History));
    op.saveName = dir.path(QStringLiteral("w.txt"));
    EXPECT_TRUE(close({Answer::Yes, Answer::No}));
    EXPECT_EQ(dir.bytes(QStringLiteral("w.txt")), dir.bytes(files::WinnersList));
    EXPECT_TRUE(close({Answer::No}));
    EXPECT_EQ(op.questions.last(), QStringLiteral("退出前，是否导出中奖名单？"));
    EXPECT_EQ(history().count(record("抽奖完成")), 2);
}

TEST_F(ExitQuestionsTest, AHistoryOrAStopTheDiskRefusesIsToldAndTheChoiceIsTheOperators)
{
    drawn(1);
    dir.writeBytes(QStringLiteral("dat/Sorvix history.txt"), "old\r\n");
    {
        RefusedPath refused(dir, files::History);
        if (!refused.holds())
            GTEST_SKIP() << "the disk cannot be made to refuse writes here";
        // "抽奖还没有结束，是否退出？" Yes, then No to leaving without the record.
        EXPECT_FALSE(close({Answer::Yes, Answer::No}));
        EXPECT_TRUE(op.questions.last().endsWith(QStringLiteral("是否仍然退出？")));
        EXPECT_TRUE(close({Answer::Yes, Answer::Yes}));
    }
    EXPECT_EQ(dir.bytes(QStringLiteral("dat/Sorvix history.txt")), "old\r\n");

    // A stop still unrecorded at exit: tried once more, then the choice.
    {
        RefusedPath refused(dir, QString());
        draw->start();
        draw->stop();
        EXPECT_TRUE(draw->state().unrecorded().has_value());
        EXPECT_FALSE(close({Answer::No}));
    }
    EXPECT_TRUE(close({Answer::Yes}));
    EXPECT_FALSE(draw->state().unrecorded().has_value());
    EXPECT_EQ(dir.lines(files::Status), QStringList({"2"}));
}
