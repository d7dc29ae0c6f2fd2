#include "app/nextstep.h"

#include "support/headlesshost.h"
#include "app/remote/remotestate.h"
#include "app/remote/revealednames.h"
#include "engine/drawfiles.h"
#include "support/recorders.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;

namespace {

// The draw screen's states, each met by the clicker's next step, under both
// start/stop key settings.
class NextStepTest : public ::testing::TestWithParam<int>
{
protected:
    TestFolder tf;
    Session session;
    RecordingScreen screen;
    RecordingSound sound;
    RecordingOperator op;
    HeadlessHost host;
    RevealedNames revealed{screen, host};
    std::unique_ptr<DrawRound> round;

    void SetUp() override
    {
        session.folder = tf.folder();
        session.settings.options.startStopKeys = GetParam();
        for (const char *p : {"甲", "乙", "丙"})
            session.pool.push_back({gbk::fromUtf8(p), gbk::fromUtf8(p), QByteArray()});
        round = std::make_unique<DrawRound>(session, revealed, sound, op, host);
    }
    void writeRound(const QString &file, const QStringList &names)
    {
        Lines lines;
        for (const QString &n : names)
            lines << gbk::encode(n);
        const AwardLevel &level = session.awardTable[1];
        session.folder.writeLines(file, RoundPlan::make(1, level.displayName, level.prizeText, "10", 0, lines).toLines());
    }
    void planOf(int rounds)
    {
        for (int n = 0; n < rounds; ++n)
            writeRound(files::round(n), {QStringLiteral("第%1轮").arg(n)});
        drawfiles::writeRoundCount(session.folder, rounds);
        drawfiles::writeStatus(session.folder, 0);
        session.state.roundCount = rounds;
    }
    void next() { NextStep(*round, session).run(); }
    QStringList phoneWinners() const
    {
        return revealed.stillShown([this](int k) { return screen.slotVisible[k] ? screen.slotText[k] : QString(); });
    }
};

} // namespace

TEST_P(NextStepTest, StartsStopsAndRecordsRoundAfterRound)
{
    planOf(2);
    next();
    EXPECT_TRUE(round->isRolling());
    round->rollTick();
    EXPECT_TRUE(phoneWinners().isEmpty()) << "a rolling name is no winner";
    next();
    EXPECT_FALSE(round->isRolling());
    EXPECT_EQ(session.state.roundIndex, 1);
    EXPECT_EQ(tf.lines(files::Status), QStringList{QStringLiteral("1")});
    EXPECT_EQ(phoneWinners(), QStringList{QStringLiteral("第0轮")});
    const remote::RemoteState state = remote::stateOf(session, false, screen.head, phoneWinners());
    EXPECT_EQ(state.round, 1);
    EXPECT_EQ(state.rounds, 2);

    // The screen cleared by a preparation: the phone no longer lists them.
    screen.setSlot(5, QByteArray("x"));
    EXPECT_TRUE(phoneWinners().isEmpty());

    next();
    EXPECT_TRUE(round->isRolling());
    next();
    EXPECT_EQ(session.state.roundIndex, 2);
    EXPECT_TRUE(op.questions.isEmpty());
}

TEST_P(NextStepTest, AtTheEndAsksWhatTheStartKeyAsks)
{
    planOf(1);
    next();
    next();
    op.answers = {OperatorPort::Answer::No};
    next();
    EXPECT_FALSE(round->isRolling());
    EXPECT_EQ(op.questions, QStringList{QStringLiteral("抽奖已经全部完成，是否显示最后结果？\r")});
    EXPECT_EQ(session.state.roundIndex, 1);
}

TEST_P(NextStepTest, WithoutAPlanSaysSoAndNeverRolls)
{
    next();
    EXPECT_FALSE(round->isRolling());
    EXPECT_EQ(op.notices, QStringList{QStringLiteral("暂时无法抽奖，可能是人员名单或奖项设置还没有完成。")});
}

TEST_P(NextStepTest, DrawsMakeUpRoundsAfterTheLastRound)
{
    planOf(1);
    next();
    next();
    writeRound(files::makeupRound(0), {QStringLiteral("补一"), QStringLiteral("补二")});
    session.state.makeupActive = true;
    session.state.makeupCount = 1;
    next();
    EXPECT_TRUE(round->isRolling());
    next();
    EXPECT_FALSE(session.state.makeupActive);
    EXPECT_EQ(session.state.makeupIndex, 1);
    EXPECT_EQ(session.state.roundIndex, 1);
    EXPECT_EQ(phoneWinners(), (QStringList{QStringLiteral("补一"), QStringLiteral("补二")}));
    EXPECT_TRUE(op.questions.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(BothKeySettings, NextStepTest, ::testing::Values(0, 1));
