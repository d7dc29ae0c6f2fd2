#include "app/drawround.h"

#include "app/startup.h"
#include "engine/drawfiles.h"
#include "base/errors.h"
#include "base/gbk.h"
#include "engine/makeup.h"
#include "engine/stoprecord.h"
#include "engine/winners.h"
#include "support/recorders.h"
#include "support/testfolder.h"

#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

#include <map>
#include <memory>

using namespace sorvix;
using namespace sorvix::test;

namespace {

class FakeHost : public DrawRoundHost
{
public:
    bool locked = false;
    int fullScreenRequests = 0;
    int menuHides = 0;
    QStringList startPictures;
    QStringList endPictures;
    bool timerRunning = false;
    int timerStarts = 0;
    int resultsShown = 0;

    bool fullScreenLocked() const override { return locked; }
    void enterFullScreen() override { ++fullScreenRequests; }
    void hideMenus() override { ++menuHides; }
    void setStartPicture(const QString &path) override { startPictures << path; }
    void setEndPicture(const QString &path) override { endPictures << path; }
    void startRollingTimer() override { timerRunning = true; ++timerStarts; }
    void stopRollingTimer() override { timerRunning = false; }
    bool rollingTimerActive() const override { return timerRunning; }
    void showResults() override { ++resultsShown; }
};

QStringList slotsShown(const RecordingScreen &screen)
{
    QStringList shown;
    for (int slot = 1; slot <= 10; ++slot)
        if (screen.slotVisible[slot])
            shown << QString::number(slot);
    return shown;
}

Lines encoded(const QStringList &texts)
{
    Lines lines;
    for (const QString &t : texts)
        lines << gbk::encode(t);
    return lines;
}

class DrawRoundTest : public ::testing::Test
{
protected:
    TestFolder tf;
    Session session;
    RecordingScreen screen;
    RecordingSound sound;
    RecordingOperator op;
    FakeHost host;
    std::unique_ptr<DrawRound> round;

    void SetUp() override
    {
        session.folder = tf.folder();
        const char *names[4] = {"特等奖", "一等奖", "二等奖", "三等奖"};
        const char *prizes[4] = {"汽车", "电脑", "手机", "水杯"};
        for (int k = 0; k < LevelCount; ++k)
            session.settings.levels[k].enabled = k < 4;
        for (int k = 0; k < 4; ++k) {
            session.settings.levels[k].displayName = gbk::fromUtf8(names[k]);
            session.settings.levels[k].prizeText = gbk::fromUtf8(prizes[k]);
            session.settings.levels[k].quantity = "10";
        }
        session.settings.options.soundOn = true;
        session.awardTable = session.settings.levels;
        for (const char *p : {"甲", "乙", "丙", "丁"})
            session.pool.push_back({gbk::fromUtf8(p), gbk::fromUtf8(p), QByteArray()});
        round = std::make_unique<DrawRound>(session, screen, sound, op, host);
    }

    void writeRound(const QString &relative, int level, const QStringList &names, const QString &head = {})
    {
        RoundPlan r = RoundPlan::make(level, session.awardTable[level].displayName,
                                      session.awardTable[level].prizeText, "10", 0, encoded(names));
        if (!head.isEmpty()) {
            r.headBefore = gbk::encode(head + QStringLiteral(" 前"));
            r.headAfter = gbk::encode(head + QStringLiteral(" 后"));
        }
        session.folder.writeLines(relative, r.toLines());
    }

    // A plan of rounds (level, names), status "0".
    void writePlan(const std::vector<std::pair<int, QStringList>> &rounds)
    {
        for (std::size_t n = 0; n < rounds.size(); ++n)
            writeRound(files::round(int(n)), rounds[n].first, rounds[n].second, QStringLiteral("第%1轮").arg(n));
        drawfiles::writeRoundCount(session.folder, int(rounds.size()));
        drawfiles::writeStatus(session.folder, 0);
        session.state.roundCount = int(rounds.size());
        session.state.roundIndex = 0;
    }

    void drawOne()
    {
        round->startClicked();
        round->stopClicked();
    }

    QStringList slotTexts() const
    {
        QStringList texts;
        for (int slot = 1; slot <= 10; ++slot)
            texts << screen.slotText[slot];
        return texts;
    }
};

// ---- slot layout ----

// Winners of a round -> first and last slot they occupy.
const std::map<int, std::pair<int, int>> LayoutTable = {
    {1, {5, 5}}, {2, {5, 6}}, {3, {4, 6}}, {4, {4, 7}}, {5, {3, 7}},
    {6, {3, 8}}, {7, {2, 8}}, {8, {2, 9}}, {9, {1, 9}}, {10, {1, 10}}};

TEST(DrawRoundLayout, OnlyFiveToFourteenLinesHaveALayout)
{
    int first = -1, count = -1;
    EXPECT_FALSE(DrawRound::slotLayout(4, &first, &count));
    EXPECT_FALSE(DrawRound::slotLayout(15, &first, &count));
    EXPECT_FALSE(DrawRound::slotLayout(0, &first, &count));
}

TEST_F(DrawRoundTest, SevenLineRoundShowsSlotsFourToSixOnly)
{
    writePlan({{1, {"张三", "李四", "王五"}}});
    round->startClicked();
    EXPECT_EQ(slotsShown(screen), QStringList({"4", "5", "6"}));
    round->stopClicked();
    EXPECT_EQ(slotTexts(), QStringList({"", "", "", "张三", "李四", "王五", "", "", "", ""}));
    EXPECT_EQ(slotsShown(screen), QStringList({"4", "5", "6"}));
}

TEST_F(DrawRoundTest, EveryWinnerCountFillsItsSlotsInFileOrder)
{
    std::vector<std::pair<int, QStringList>> plan;
    for (int w = 1; w <= 10; ++w) {
        QStringList names;
        for (int i = 0; i < w; ++i)
            names << QStringLiteral("人%1-%2").arg(w).arg(i);
        plan.push_back({2, names});
    }
    writePlan(plan);
    for (const auto &[w, range] : LayoutTable) {
        round->startClicked();
        const auto [first, last] = range;
        QStringList visible;
        for (int s = first; s <= last; ++s)
            visible << QString::number(s);
        EXPECT_EQ(slotsShown(screen), visible) << w;
        round->stopClicked();
        for (int slot = 1; slot <= 10; ++slot) {
            const bool used = slot >= first && slot <= last;
            EXPECT_EQ(screen.slotText[slot], used ? QStringLiteral("人%1-%2").arg(w).arg(slot - first) : QString())
                << "w " << w << " slot " << slot;
        }
    }
    EXPECT_EQ(session.state.roundIndex, 10);
}

TEST_F(DrawRoundTest, LineCountOutsideLayoutLeavesVisibilityAndShowsNoNames)
{
    // Eleven names: too many for the slots, but all of them are recorded.
    QStringList eleven;
    for (int i = 0; i < 11; ++i)
        eleven << QStringLiteral("多%1").arg(i);
    writePlan({{1, eleven}});
    screen.slotVisible[2] = false;
    round->startClicked();
    EXPECT_EQ(slotsShown(screen), QStringList({"1", "3", "4", "5", "6", "7", "8", "9", "10"}));
    round->stopClicked();
    EXPECT_EQ(slotTexts(), QStringList(10, QString()));
    EXPECT_EQ(tf.lines(files::levelWinners(1)).mid(3), eleven);
    EXPECT_EQ(session.state.roundIndex, 1);
}

// ---- start and stop ----

TEST_F(DrawRoundTest, StartShowsHeadPrizeAndRollsStopCancelsLoop)
{
    writePlan({{1, {"张三"}}});
    round->startClicked();
    EXPECT_TRUE(round->isRolling());
    EXPECT_EQ(screen.head, QStringLiteral("第0轮 前"));
    EXPECT_TRUE(screen.prizeTextShown[ScreenPort::Left]);
    EXPECT_EQ(screen.prizeText[ScreenPort::Left], QStringLiteral("奖品电脑"));
    EXPECT_FALSE(screen.prizeTextShown[ScreenPort::Right]);
    EXPECT_EQ(host.menuHides, 1);
    EXPECT_EQ(host.fullScreenRequests, 1);
    EXPECT_EQ(host.startPictures, QStringList({tf.path("pics\\start3.jpg")}));
    EXPECT_EQ(sound.played, QStringList({"stop music", "loop start.wav"}));
    EXPECT_FALSE(sound.repeatTimerRunning);
    round->stopClicked();
    EXPECT_EQ(sound.played, QStringList({"stop music", "loop start.wav", "stop effects", "once stop.wav"}));
}

TEST_F(DrawRoundTest, SecondStartAndSecondStopChangeNothing)
{
    writePlan({{1, {"张三", "李四"}}, {1, {"王五"}}});
    round->startClicked();
    const QStringList soundsAfterFirst = sound.played;
    screen.head = QStringLiteral("未动");
    round->startClicked();
    EXPECT_EQ(host.timerStarts, 1);
    EXPECT_EQ(sound.played, soundsAfterFirst);
    EXPECT_EQ(screen.head, QStringLiteral("未动"));
    EXPECT_EQ(host.menuHides, 2); // step 1 runs on every press

    round->stopClicked();
    const QByteArray levelFile = tf.bytes(files::levelWinners(1));
    const QStringList soundsAfterStop = sound.played;
    const QStringList captions = screen.captions;
    round->stopClicked();
    EXPECT_EQ(session.state.roundIndex, 1);
    EXPECT_EQ(tf.lines(files::Status), QStringList({"1"}));
    EXPECT_EQ(tf.bytes(files::levelWinners(1)), levelFile);
    EXPECT_EQ(sound.played, soundsAfterStop);
    EXPECT_EQ(screen.captions, captions);
    EXPECT_EQ(screen.head, QStringLiteral("第0轮 后"));
}

TEST_F(DrawRoundTest, StatusHoldsNextRoundAfterStop)
{
    writePlan({{1, {"一"}}, {1, {"二"}}, {1, {"三"}}, {1, {"四"}}});
    session.state.roundIndex = 2;
    drawfiles::writeStatus(session.folder, 2);
    drawOne();
    EXPECT_EQ(tf.bytes(files::Status), QByteArray("3\r\n"));
    EXPECT_EQ(session.state.roundIndex, 3);
    EXPECT_FALSE(round->isRolling());
}

TEST_F(DrawRoundTest, HeaderLinesOnlyOnLevelsFirstRound)
{
    writePlan({{2, {"甲一", "甲二"}}, {2, {"甲三"}}, {1, {"乙一"}}});
    drawOne();
    drawOne();
    drawOne();
    EXPECT_EQ(tf.lines(files::levelWinners(2)), QStringList({"", "二等奖", "(手机)", "甲一", "甲二", "甲三"}));
    EXPECT_EQ(tf.lines(files::levelWinners(1)), QStringList({"", "一等奖", "(电脑)", "乙一"}));
    EXPECT_EQ(tf.bytes(files::levelWinners(1)), gbk::fromUtf8("\r\n一等奖\r\n(电脑)\r\n乙一\r\n"));
}

TEST_F(DrawRoundTest, CaptionIsCongratulationThenWinnersList)
{
    writePlan({{2, {"甲一", "甲二"}}, {1, {"乙一"}}});
    drawOne();
    EXPECT_EQ(screen.captions, QStringList({"恭喜 ", "  二等奖 (手机) 甲一 甲二"}));
    drawOne();
    EXPECT_EQ(screen.captions.mid(2), QStringList({"恭喜 ", "  一等奖 (电脑) 乙一  二等奖 (手机) 甲一 甲二"}));
    EXPECT_EQ(tf.lines(files::WinnersList),
              QStringList({"", "一等奖", "(电脑)", "乙一", "", "二等奖", "(手机)", "甲一", "甲二"}));
}

TEST_F(DrawRoundTest, WinnersListCoversHighestEnabledLevelOfLiveSettings)
{
    writePlan({{3, {"丙一"}}});
    session.settings.levels[3].enabled = false; // the settings changed since the plan was written
    drawOne();
    EXPECT_EQ(tf.lines(files::levelWinners(3)).mid(3), QStringList({"丙一"}));
    EXPECT_EQ(tf.lines(files::WinnersList), QStringList());
}

TEST_F(DrawRoundTest, StopWithMissingRoundFileStillAdvances)
{
    writePlan({{1, {"一"}}, {1, {"二"}}});
    round->startClicked();
    QFile::remove(tf.path(files::round(0)));
    round->stopClicked();
    EXPECT_EQ(session.state.roundIndex, 1);
    EXPECT_EQ(tf.lines(files::Status), QStringList({"1"}));
    EXPECT_EQ(op.notices.size(), 1); // the generic error box
    EXPECT_FALSE(tf.folder().exists(files::levelWinners(1)));
    EXPECT_TRUE(screen.captions.isEmpty());
    EXPECT_FALSE(round->isRolling());
}

TEST_F(DrawRoundTest, BadLevelLineAdvancesWithoutRecording)
{
    writePlan({{1, {"一"}}, {1, {"二"}}});
    round->startClicked();
    tf.write(files::round(0), {"x", "", "前", "后", "一"});
    round->stopClicked();
    EXPECT_EQ(screen.head, QStringLiteral("后"));
    EXPECT_EQ(screen.slotText[5], QStringLiteral("一"));
    EXPECT_EQ(session.state.roundIndex, 1);
    EXPECT_EQ(tf.lines(files::Status), QStringList({"1"}));
    EXPECT_EQ(op.notices.size(), 1);
    EXPECT_TRUE(screen.captions.isEmpty());
}

TEST_F(DrawRoundTest, LevelOutsideTableAtStartIsAnErrorAndDoesNotRoll)
{
    writePlan({{1, {"一"}}});
    tf.write(files::round(0), {"11", "", "前", "后", "一"});
    round->startClicked();
    EXPECT_FALSE(round->isRolling());
    EXPECT_EQ(op.notices.size(), 1);
    EXPECT_EQ(screen.head, QStringLiteral("前"));
}

// ---- keys and pictures ----

TEST_F(DrawRoundTest, SpaceStartsAndEnterStopsByDefault)
{
    writePlan({{1, {"一"}}, {1, {"二"}}});
    round->keyPressed('\r');
    EXPECT_FALSE(round->isRolling());
    round->keyPressed(' ');
    EXPECT_TRUE(round->isRolling());
    round->keyPressed('a');
    round->keyPressed('\n');
    EXPECT_TRUE(round->isRolling());
    round->keyPressed('\r');
    EXPECT_FALSE(round->isRolling());
    EXPECT_EQ(session.state.roundIndex, 1);
}

TEST_F(DrawRoundTest, EnterStartsAndSpaceStopsWithSecondChoice)
{
    session.settings.options.startStopKeys = 1;
    writePlan({{1, {"一"}}, {1, {"二"}}});
    round->keyPressed(' ');
    EXPECT_FALSE(round->isRolling());
    round->keyPressed('\r');
    EXPECT_TRUE(round->isRolling());
    round->keyPressed('\r');
    EXPECT_TRUE(round->isRolling());
    round->keyPressed(' ');
    EXPECT_FALSE(round->isRolling());
    EXPECT_EQ(session.state.roundIndex, 1);
}

TEST_F(DrawRoundTest, KeyPressSwallowsFailures)
{
    writePlan({{1, {"一"}}, {1, {"二"}}});
    round->keyPressed(' ');
    QFile::remove(tf.path(files::round(0)));
    EXPECT_NO_THROW(round->keyPressed('\r'));
    EXPECT_TRUE(op.notices.isEmpty());
    EXPECT_EQ(session.state.roundIndex, 1);
}

TEST_F(DrawRoundTest, LockedFullScreenIsLeftAloneButMenusHide)
{
    host.locked = true;
    writePlan({{1, {"一"}}});
    drawOne();
    EXPECT_EQ(host.fullScreenRequests, 0);
    EXPECT_EQ(host.menuHides, 1);
    host.locked = false;
    round->stopClicked(); // not rolling: only step 1
    EXPECT_EQ(host.fullScreenRequests, 1);
    EXPECT_EQ(host.menuHides, 1);
}

// ---- prize ----

TEST_F(DrawRoundTest, PrizeInBothCornersWithTextAndPicture)
{
    const QString picture = tf.path("pics\\prize.jpg");
    tf.writeBytes("pics\\prize.jpg", "jpeg");
    session.awardTable[1].picturePath = gbk::encode(picture);
    session.settings.options.prizePosition = 2;
    writePlan({{1, {"一"}}});
    round->startClicked();
    for (int c : {ScreenPort::Left, ScreenPort::Right}) {
        EXPECT_TRUE(screen.prizeTextShown[c]);
        EXPECT_EQ(screen.prizeText[c], QStringLiteral("奖品电脑"));
        EXPECT_TRUE(screen.prizePictureShown[c]);
        EXPECT_EQ(screen.prizePicture[c], picture);
    }
}

// ---- make-up rounds ----

TEST_F(DrawRoundTest, MakeupAppendsToExistingLevelFileWithoutHeader)
{
    writePlan({{1, {"一"}}, {2, {"二"}}});
    drawOne();
    writeRound(files::makeupRound(0), 1, {"补一", "补二"});
    writeRound(files::makeupRound(1), 1, {"补三"});
    session.state.makeupActive = true;
    session.state.makeupIndex = 0;
    session.state.makeupCount = 2;

    drawOne();
    EXPECT_TRUE(session.state.makeupActive);
    EXPECT_EQ(session.state.makeupIndex, 1);
    EXPECT_EQ(slotTexts().mid(4, 2), QStringList({"补一", "补二"}));
    drawOne();
    EXPECT_FALSE(session.state.makeupActive);
    EXPECT_EQ(session.state.makeupIndex, 2);
    EXPECT_EQ(tf.lines(files::levelWinners(1)), QStringList({"", "一等奖", "(电脑)", "一", "补一", "补二", "补三"}));
    EXPECT_EQ(session.state.roundIndex, 1);
    EXPECT_EQ(tf.lines(files::Status), QStringList({"1"}));

    // The plan goes on where it stood.
    drawOne();
    EXPECT_EQ(tf.lines(files::levelWinners(2)).mid(3), QStringList({"二"}));
    EXPECT_EQ(session.state.roundIndex, 2);
}

TEST_F(DrawRoundTest, MakeupCreatesMissingLevelFileWithHeader)
{
    writePlan({{1, {"一"}}});
    drawOne();
    writeRound(files::makeupRound(0), 3, {"补一"});
    session.state.makeupActive = true;
    session.state.makeupIndex = 0;
    session.state.makeupCount = 1;
    drawOne();
    EXPECT_FALSE(session.state.makeupActive);
    EXPECT_EQ(tf.lines(files::levelWinners(3)), QStringList({"", "三等奖", "(水杯)", "补一"}));
    EXPECT_EQ(session.state.roundIndex, 1);
    EXPECT_EQ(tf.lines(files::Status), QStringList({"1"}));
}

TEST_F(DrawRoundTest, MakeupRunsEvenAfterTheLastRound)
{
    writePlan({{1, {"一"}}});
    drawOne();
    writeRound(files::makeupRound(0), 1, {"补一"});
    session.state.makeupActive = true;
    session.state.makeupCount = 1;
    round->startClicked();
    EXPECT_TRUE(round->isRolling());
    EXPECT_TRUE(op.questions.isEmpty());
}

// ---- nothing to draw ----

TEST_F(DrawRoundTest, MissingRoundFileAtStartOnlyStopsMusicAndLoops)
{
    session.state.roundCount = 3;
    session.state.roundIndex = 1;
    round->startClicked();
    EXPECT_FALSE(round->isRolling());
    EXPECT_TRUE(op.notices.isEmpty());
    EXPECT_TRUE(op.questions.isEmpty());
    EXPECT_EQ(sound.played, QStringList({"stop music", "loop start.wav"}));
    EXPECT_FALSE(sound.repeatTimerRunning);
}

TEST_F(DrawRoundTest, AllRoundsDrawnAsksAndYesShowsResults)
{
    writePlan({{1, {"一"}}});
    drawOne();
    sound.played.clear();
    op.answers = {OperatorPort::Answer::No, OperatorPort::Answer::Yes};
    round->startClicked();
    EXPECT_EQ(host.resultsShown, 0);
    round->startClicked();
    EXPECT_EQ(host.resultsShown, 1);
    EXPECT_EQ(op.questions, QStringList(2, QStringLiteral("抽奖已经全部完成，是否显示最后结果？\r")));
    EXPECT_EQ(sound.played, QStringList({"stop music", "stop effects", "stop music", "stop effects"}));
    EXPECT_FALSE(round->isRolling());
}

TEST_F(DrawRoundTest, NoPlanShowsTheMessage)
{
    round->startClicked();
    EXPECT_EQ(op.notices, QStringList({"暂时无法抽奖，可能是人员名单或奖项设置还没有完成。"}));
    EXPECT_TRUE(op.questions.isEmpty());
    EXPECT_TRUE(sound.played.isEmpty());
}

// ---- sound ----

TEST_F(DrawRoundTest, SoundOffPlaysNothing)
{
    session.settings.options.soundOn = false;
    writePlan({{1, {"一"}}});
    drawOne();
    round->startClicked(); // all done
    for (const QString &played : sound.played)
        EXPECT_EQ(played, QStringLiteral("stop music"));
    EXPECT_EQ(session.state.roundIndex, 1);
}

// ---- rolling ----

TEST_F(DrawRoundTest, TickFillsAllTenSlotsUniformlyAndIndependently)
{
    writePlan({{1, {"一"}}});
    round->startClicked();
    std::map<QString, int> seen;
    int ticksWithDifferentSlots = 0;
    const int ticks = 4000;
    for (int t = 0; t < ticks; ++t) {
        round->rollTick();
        QSet<QString> inTick;
        for (int slot = 1; slot <= 10; ++slot) {
            ++seen[screen.slotText[slot]];
            inTick.insert(screen.slotText[slot]);
        }
        if (inTick.size() > 1)
            ++ticksWithDifferentSlots;
    }
    ASSERT_EQ(seen.size(), 4u);
    for (const auto &[text, count] : seen) {
        EXPECT_TRUE(text == "甲" || text == "乙" || text == "丙" || text == "丁") << text.toStdString();
        // 10,000 expected per text; a standard deviation is about 87.
        EXPECT_NEAR(count, ticks * 10 / 4, 600) << text.toStdString();
    }
    EXPECT_GT(ticksWithDifferentSlots, ticks * 99 / 100);
}

TEST_F(DrawRoundTest, TickOutsideRoundOrWithEmptyPoolDoesNothing)
{
    round->rollTick();
    EXPECT_EQ(slotTexts(), QStringList(10, QString()));
    writePlan({{1, {"一"}}});
    round->startClicked();
    session.pool.clear();
    round->rollTick();
    EXPECT_EQ(slotTexts(), QStringList(10, QString()));
}

TEST_F(DrawRoundTest, StoppedTimerEndsTheRound)
{
    // A preparation stops the timer through the screen: start works again.
    writePlan({{1, {"一"}}});
    round->startClicked();
    host.timerRunning = false;
    EXPECT_FALSE(round->isRolling());
    round->startClicked();
    EXPECT_TRUE(round->isRolling());
    EXPECT_EQ(host.timerStarts, 2);
}

// ---- records that can't be written ----

// Every write to a file whose path ends so fails as on a full disk.
class FailingWrites
{
public:
    explicit FailingWrites(const QString &suffix)
    {
        textfile::setFailingWrites([suffix](const QString &path) { return path.endsWith(suffix); });
    }
    ~FailingWrites() { textfile::setFailingWrites({}); }
};

TEST_F(DrawRoundTest, FailedRecordKeepsTheRoundPendingUntilARetryWritesItOnce)
{
    // The stop's three writes in their order: the level file, the list, status.dll.
    const QStringList steps = {"dat/3.dll", "dat/LuckyList.txt", "status.dll"};
    for (int failing = 0; failing < steps.size(); ++failing) {
        SCOPED_TRACE(steps[failing].toStdString());
        for (int k = 0; k < LevelCount; ++k)
            session.folder.remove(files::levelWinners(k));
        writePlan({{3, {"甲", "乙"}}, {3, {"丙", "丁"}}, {2, {"戊"}}});
        drawOne();
        QByteArray before[3];
        for (int i = 0; i < 3; ++i)
            before[i] = tf.bytes(steps[i]);
        op.notices.clear();
        {
            FailingWrites fail(steps[failing]);
            drawOne();
            // The failed step and the ones after it left their files alone.
            for (int i = failing; i < 3; ++i)
                EXPECT_EQ(tf.bytes(steps[i]), before[i]) << steps[i].toStdString();
            EXPECT_EQ(session.state.roundIndex, drawfiles::readStatus(session.folder));
            EXPECT_TRUE(session.state.unrecorded.has_value());
            ASSERT_EQ(op.notices.size(), 1);
            EXPECT_TRUE(op.notices[0].contains(QStringLiteral("三等奖的中奖者：\r丙、丁"))) << op.notices[0].toStdString();
            EXPECT_EQ(screen.slotText[5], QStringLiteral("丙"));
            // A restart now finds the round as after a crash at that point:
            // resumed at it, or counted once its winners are in their file.
            Session restarted;
            restarted.folder = session.folder;
            restarted.settings = session.settings;
            restarted.state.roundCount = 3;
            restarted.state.roundIndex = drawfiles::readStatus(session.folder);
            recoverRecordedRound(restarted);
            EXPECT_EQ(restarted.state.roundIndex, failing == 0 ? 1 : 2);
            // Still failing: the start key retries, says so and starts nothing.
            round->keyPressed(' ');
            EXPECT_FALSE(host.timerRunning);
            ASSERT_EQ(op.notices.size(), 2);
            EXPECT_TRUE(op.notices[1].startsWith(QStringLiteral("本轮中奖结果仍然没能保存")));
        }
        if (failing < 2)
            drawfiles::writeStatus(session.folder, 1); // undo the restart's recovery
        round->keyPressed(' ');
        EXPECT_FALSE(host.timerRunning);
        EXPECT_EQ(op.notices.last(), stoprecord::recordedNotice());
        EXPECT_FALSE(session.state.unrecorded.has_value());
        EXPECT_EQ(session.state.roundIndex, 2);
        EXPECT_EQ(tf.lines(files::Status), QStringList({"2"}));
        EXPECT_EQ(tf.lines(files::levelWinners(3)).mid(3), QStringList({"甲", "乙", "丙", "丁"}));
        EXPECT_EQ(tf.lines(files::WinnersList), tf.lines(files::levelWinners(3)));
        drawOne();
        EXPECT_EQ(tf.lines(files::Status), QStringList({"3"}));
    }
}

TEST_F(DrawRoundTest, FailedMakeupStopKeepsItsRoundAndRetriesOnce)
{
    writePlan({{3, {"甲"}}});
    drawOne();
    writeRound(files::makeupRound(0), 3, {"乙", "丙"});
    session.state.makeupActive = true;
    session.state.makeupIndex = 0;
    session.state.makeupCount = 1;
    const QByteArray level = tf.bytes(files::levelWinners(3));
    {
        FailingWrites fail(QStringLiteral("dat/3.dll"));
        drawOne();
        EXPECT_EQ(tf.bytes(files::levelWinners(3)), level);
        EXPECT_TRUE(session.state.makeupActive);
        EXPECT_EQ(session.state.makeupIndex, 0);
        ASSERT_EQ(op.notices.size(), 1);
        EXPECT_TRUE(op.notices[0].contains(QStringLiteral("乙、丙")));
    }
    round->startClicked();
    EXPECT_EQ(tf.lines(files::levelWinners(3)).mid(3), QStringList({"甲", "乙", "丙"}));
    EXPECT_FALSE(session.state.makeupActive);
    EXPECT_EQ(tf.lines(files::Status), QStringList({"1"}));
}

TEST_F(DrawRoundTest, FailedGiveUpAndExitRecordChangeNothingAndSaySo)
{
    writePlan({{3, {"甲", "乙"}}, {3, {"丙"}}});
    drawOne();
    const QByteArray level = tf.bytes(files::levelWinners(3));
    GiveUpMakeUp giveUp(session, op, screen);
    {
        FailingWrites fail(QStringLiteral("dat/3.dll"));
        EXPECT_FALSE(giveUp.giveUp(3, 0));
    }
    EXPECT_EQ(tf.bytes(files::levelWinners(3)), level);
    EXPECT_TRUE(op.notices.last().endsWith(writeFailureAdvice()));

    tf.writeBytes(QStringLiteral("dat/Sorvix history.txt"), "old\r\n");
    ExitQuestions questions(session, op);
    {
        FailingWrites fail(QStringLiteral("history.txt"));
        // "抽奖还没有结束，是否退出？" Yes, then No to leaving without the record.
        op.answers = {OperatorPort::Answer::Yes, OperatorPort::Answer::No};
        EXPECT_FALSE(questions.confirmClose());
        EXPECT_TRUE(op.questions.last().endsWith(QStringLiteral("是否仍然退出？")));
        op.answers = {OperatorPort::Answer::Yes, OperatorPort::Answer::Yes};
        EXPECT_TRUE(questions.confirmClose());
    }
    EXPECT_EQ(tf.bytes(QStringLiteral("dat/Sorvix history.txt")), "old\r\n");
    EXPECT_EQ(tf.lines(files::Status), QStringList({"1"}));

    // A stop still unrecorded at exit: tried once more, then the choice.
    {
        FailingWrites fail(QStringLiteral("status.dll"));
        drawOne();
        op.answers = {OperatorPort::Answer::No};
        EXPECT_FALSE(questions.confirmClose());
    }
    op.answers = {OperatorPort::Answer::No};
    EXPECT_TRUE(questions.confirmClose());
    EXPECT_EQ(op.notices.last(), stoprecord::recordedNotice());
    EXPECT_EQ(tf.lines(files::Status), QStringList({"2"}));
    EXPECT_EQ(tf.lines(QStringLiteral("dat\\Sorvix history.txt")).mid(3), tf.lines(files::WinnersList));
}

// ---- recovery at start-up ----

class RecoveryTest : public DrawRoundTest
{
protected:
    // Round n's winners reached their level's file, status.dll did not move on.
    void cutOffAfterAppend()
    {
        const RoundPlan r = drawfiles::readRound(session.folder, session.state.roundIndex);
        levelwinners::record(session.folder, r.level, session.awardTable[r.level].displayName,
                             session.awardTable[r.level].prizeText, r.names);
    }
};

TEST_F(RecoveryTest, CountsRoundWhoseWinnersAreRecorded)
{
    writePlan({{1, {"一", "二"}}, {1, {"三"}}, {2, {"四"}}});
    drawOne();
    cutOffAfterAppend();
    EXPECT_TRUE(recoverRecordedRound(session));
    EXPECT_EQ(session.state.roundIndex, 2);
    EXPECT_EQ(tf.lines(files::Status), QStringList({"2"}));
    EXPECT_EQ(tf.lines(files::WinnersList), QStringList({"", "一等奖", "(电脑)", "一", "二", "三"}));
    // Nothing more to count, and the next round draws round 2.
    EXPECT_FALSE(recoverRecordedRound(session));
    drawOne();
    EXPECT_EQ(tf.lines(files::levelWinners(2)).mid(3), QStringList({"四"}));
}

TEST_F(RecoveryTest, CountsLevelsFirstRoundRecordedBeforeStatus)
{
    writePlan({{1, {"一"}}, {2, {"二"}}});
    cutOffAfterAppend();
    EXPECT_TRUE(recoverRecordedRound(session));
    EXPECT_EQ(session.state.roundIndex, 1);
    EXPECT_EQ(tf.lines(files::Status), QStringList({"1"}));
}

TEST_F(RecoveryTest, LeavesUnrecordedRoundAlone)
{
    writePlan({{1, {"一"}}, {1, {"二"}}});
    drawOne();
    const QByteArray list = tf.bytes(files::WinnersList);
    EXPECT_FALSE(recoverRecordedRound(session));
    EXPECT_EQ(session.state.roundIndex, 1);
    EXPECT_EQ(tf.lines(files::Status), QStringList({"1"}));
    EXPECT_EQ(tf.bytes(files::WinnersList), list);
}

TEST_F(RecoveryTest, SameTextsOfTwoPeopleInConsecutiveRoundsAreNotCounted)
{
    // Two people both shown as 张伟 win the level's two rounds.
    writePlan({{1, {"张伟"}}, {1, {"张伟"}}});
    drawOne();
    EXPECT_FALSE(recoverRecordedRound(session));
    EXPECT_EQ(session.state.roundIndex, 1);
    cutOffAfterAppend();
    EXPECT_TRUE(recoverRecordedRound(session));
    EXPECT_EQ(session.state.roundIndex, 2);
}

TEST_F(RecoveryTest, CountsRecordedRoundAfterAGiveUp)
{
    writePlan({{1, {"一", "二"}}, {1, {"三"}}});
    drawOne();
    levelwinners::rewrite(session.folder, 1, session.awardTable[1].displayName, session.awardTable[1].prizeText,
                          encoded({"二"}));
    cutOffAfterAppend();
    EXPECT_TRUE(recoverRecordedRound(session));
    EXPECT_EQ(session.state.roundIndex, 2);
}

TEST_F(RecoveryTest, NothingToDoWithoutStatusOrAfterTheLastRound)
{
    writePlan({{1, {"一"}}});
    cutOffAfterAppend();
    QFile::remove(tf.path(files::Status));
    EXPECT_FALSE(recoverRecordedRound(session));
    EXPECT_EQ(session.state.roundIndex, 0);
    drawfiles::writeStatus(session.folder, 1);
    session.state.roundIndex = 1;
    EXPECT_FALSE(recoverRecordedRound(session));
    EXPECT_EQ(session.state.roundIndex, 1);
}

} // namespace
