// The draw's rounds: start, rolling, stop and its records, the keys, the
// clicker's and the phone's next step, make-up rounds, and records that the
// disk refuses.

#include "engine/draw.h"

#include "app/remote/remotestate.h"
#include "base/errors.h"
#include "base/gbk.h"
#include "engine/drawfiles.h"
#include "engine/stoprecord.h"
#include "support/headlessprogram.h"
#include "support/refusedpath.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

#include <map>

using namespace sorvix;
using namespace sorvix::test;
using Answer = OperatorPort::Answer;

namespace {

// A draw on four levels (特等奖 汽车, 一等奖 电脑, 二等奖 手机, 三等奖 水杯) and
// four people, with a plan of the test's own rounds. A start-up on a plan of
// which nothing is drawn prepares a new one, so the test's rounds follow a
// round 0 already drawn (and recorded nowhere): they are data\1.dll on.
class DrawTest : public ::testing::Test
{
protected:
    HeadlessProgram program{HeadlessProgram::Files::None, 5};
    TestFolder &tf = program.dir;
    RecordingScreen &screen = program.screen;
    RecordingOperator &op = program.op;
    RecordingSound &sound = program.sound;
    AwardSettings settings = AwardSettings::defaults();
    Draw *draw = nullptr;

    void SetUp() override
    {
        const char *names[4] = {"特等奖", "一等奖", "二等奖", "三等奖"};
        const char *prizes[4] = {"汽车", "电脑", "手机", "水杯"};
        for (int k = 0; k < LevelCount; ++k)
            settings.levels[k].enabled = k < 4;
        for (int k = 0; k < 4; ++k) {
            settings.levels[k].displayName = gbk::fromUtf8(names[k]);
            settings.levels[k].prizeText = gbk::fromUtf8(prizes[k]);
            settings.levels[k].quantity = "10";
        }
        settings.options.soundOn = true;
        tf.writeList({QStringLiteral("甲|||1|"), QStringLiteral("乙|||2|"), QStringLiteral("丙|||3|"),
                      QStringLiteral("丁|||4|")});
    }

    RoundFile round(int level, const QStringList &names, const QString &head = {}) const
    {
        RoundFile r = RoundFile::planRound(level, settings.levels[level].displayName,
                                           settings.levels[level].prizeText, "10", 0, encoded(names));
        if (!head.isEmpty()) {
            r.headBefore = gbk::encode(head + QStringLiteral(" 前"));
            r.headAfter = gbk::encode(head + QStringLiteral(" 后"));
        }
        return r;
    }

    // The plan's rounds (level, names) after round 0, then the start-up; what
    // the start-up asked and played is forgotten.
    Draw &startWith(const std::vector<std::pair<int, QStringList>> &rounds)
    {
        awardfile::save(tf.folder(), settings);
        round(rounds.empty() ? 0 : rounds.front().first, {QStringLiteral("〇")}).write(tf.folder(), files::round(0));
        for (std::size_t n = 0; n < rounds.size(); ++n)
            round(rounds[n].first, rounds[n].second, QStringLiteral("第%1轮").arg(n + 1))
                .write(tf.folder(), files::round(int(n + 1)));
        drawfiles::writeRoundCount(tf.folder(), int(rounds.size()) + 1);
        drawfiles::writeStatus(tf.folder(), 1);
        return restart();
    }
    Draw &restart()
    {
        draw = &program.start();
        op.questions.clear();
        op.notices.clear();
        sound.played.clear();
        screen.captions.clear();
        return *draw;
    }
    // The plan's rounds drawn so far, round 0 not counted.
    int drawn() const { return draw->state().roundIndex() - 1; }
    void drawOne()
    {
        draw->start();
        draw->stop();
    }
    QStringList slotTexts() const
    {
        QStringList texts;
        for (int slot = 1; slot <= 10; ++slot)
            texts << screen.slotText[slot];
        return texts;
    }
    QStringList slotsShown() const
    {
        QStringList shown;
        for (int slot = 1; slot <= 10; ++slot)
            if (screen.slotVisible[slot])
                shown << QString::number(slot);
        return shown;
    }
    QStringList status() const { return tf.lines(files::Status); }
    // A make-up of the given names for `level`, as the give-up window prepares it.
    void makeUp(int level, const QStringList &names)
    {
        drawfiles::writeLeftover(tf.folder(), encoded(names));
        ASSERT_TRUE(draw->makeup(level, int(names.size())).ready);
        op.questions.clear();
        op.notices.clear();
    }
};

// Winners of a round -> first and last slot they occupy.
const std::map<int, std::pair<int, int>> LayoutTable = {
    {1, {5, 5}}, {2, {5, 6}}, {3, {4, 6}}, {4, {4, 7}}, {5, {3, 7}},
    {6, {3, 8}}, {7, {2, 8}}, {8, {2, 9}}, {9, {1, 9}}, {10, {1, 10}}};

} // namespace

// ---- the slots ------------------------------------------------------------

TEST_F(DrawTest, EveryWinnerCountFillsItsSlotsInFileOrder)
{
    std::vector<std::pair<int, QStringList>> plan;
    for (int w = 1; w <= 10; ++w) {
        QStringList names;
        for (int i = 0; i < w; ++i)
            names << QStringLiteral("人%1-%2").arg(w).arg(i);
        plan.push_back({2, names});
    }
    startWith(plan);
    for (const auto &[w, range] : LayoutTable) {
        draw->start();
        const auto [first, last] = range;
        QStringList visible;
        for (int s = first; s <= last; ++s)
            visible << QString::number(s);
        EXPECT_EQ(slotsShown(), visible) << w;
        draw->stop();
        EXPECT_EQ(slotsShown(), visible) << w;
        for (int slot = 1; slot <= 10; ++slot) {
            const bool used = slot >= first && slot <= last;
            EXPECT_EQ(screen.slotText[slot], used ? QStringLiteral("人%1-%2").arg(w).arg(slot - first) : QString())
                << "w " << w << " slot " << slot;
        }
    }
    EXPECT_EQ(drawn(), 10);
}

TEST_F(DrawTest, ARoundTooLongForTheSlotsLeavesThemAloneAndIsRecordedWhole)
{
    QStringList eleven;
    for (int i = 0; i < 11; ++i)
        eleven << QStringLiteral("多%1").arg(i);
    startWith({{2, {"一", "二", "三"}}, {1, eleven}});
    drawOne();
    draw->start();
    EXPECT_EQ(slotsShown(), QStringList({"4", "5", "6"}));
    draw->stop();
    EXPECT_EQ(slotTexts(), QStringList(10, QString()));
    EXPECT_EQ(tf.lines(files::levelWinners(1)).mid(3), eleven);
    EXPECT_EQ(drawn(), 2);
}

// ---- start and stop -------------------------------------------------------

TEST_F(DrawTest, StartShowsHeadPrizeAndRollsAndStopRecordsOnce)
{
    startWith({{1, {"张三", "李四"}}, {1, {"王五"}}});
    draw->start();
    EXPECT_TRUE(draw->rolling());
    EXPECT_EQ(screen.head, QStringLiteral("第1轮 前"));
    EXPECT_TRUE(screen.prizeTextShown[ScreenState::Left]);
    EXPECT_EQ(screen.prizeText[ScreenState::Left], QStringLiteral("奖品电脑"));
    EXPECT_FALSE(screen.prizeTextShown[ScreenState::Right]);
    EXPECT_EQ(sound.played, QStringList({"stop music", "loop start.wav"}));
    EXPECT_FALSE(sound.repeatTimerRunning);

    // A second start changes nothing but asks for the screen again.
    const int asked = screen.roundsAsked;
    draw->start();
    EXPECT_EQ(sound.played, QStringList({"stop music", "loop start.wav"}));
    EXPECT_EQ(screen.roundsAsked, asked + 1);

    draw->stop();
    EXPECT_EQ(sound.played, QStringList({"stop music", "loop start.wav", "stop effects", "once stop.wav"}));
    EXPECT_EQ(screen.head, QStringLiteral("第1轮 后"));
    EXPECT_EQ(tf.bytes(files::Status), QByteArray("2\r\n"));

    // So does a second stop.
    const QByteArray levelFile = tf.bytes(files::levelWinners(1));
    const QStringList captions = screen.captions;
    draw->stop();
    EXPECT_EQ(drawn(), 1);
    EXPECT_EQ(tf.bytes(files::levelWinners(1)), levelFile);
    EXPECT_EQ(screen.captions, captions);
}

TEST_F(DrawTest, LevelFilesGetTheirHeaderOnceAndTheCaptionTheWholeList)
{
    startWith({{2, {"甲一", "甲二"}}, {2, {"甲三"}}, {1, {"乙一"}}});
    drawOne();
    EXPECT_EQ(screen.captions, QStringList({"恭喜 ", "  二等奖 (手机) 甲一 甲二"}));
    drawOne();
    drawOne();
    EXPECT_EQ(tf.lines(files::levelWinners(2)), QStringList({"", "二等奖", "(手机)", "甲一", "甲二", "甲三"}));
    EXPECT_EQ(tf.bytes(files::levelWinners(1)), gbk::fromUtf8("\r\n一等奖\r\n(电脑)\r\n乙一\r\n"));
    EXPECT_EQ(screen.captions.last(), QStringLiteral("  一等奖 (电脑) 乙一  二等奖 (手机) 甲一 甲二 甲三"));
    EXPECT_EQ(tf.lines(files::WinnersList),
              QStringList({"", "一等奖", "(电脑)", "乙一", "", "二等奖", "(手机)", "甲一", "甲二", "甲三"}));
}

TEST_F(DrawTest, ARoundFileThatCannotBeReadStillMovesTheDrawOn)
{
    // Gone before the stop: nothing recorded, the error box, the next round.
    startWith({{1, {"一"}}, {1, {"二"}}, {1, {"三"}}});
    draw->start();
    QFile::remove(tf.path(files::round(1)));
    draw->stop();
    EXPECT_EQ(drawn(), 1);
    EXPECT_EQ(status(), QStringList({"2"}));
    EXPECT_EQ(op.notices.size(), 1);
    EXPECT_FALSE(tf.folder().exists(files::levelWinners(1)));
    EXPECT_TRUE(screen.captions.isEmpty());
    EXPECT_FALSE(draw->rolling());

    // A level line that is no number: shown, not recorded, and on.
    draw->start();
    tf.write(files::round(2), {"x", "", "前", "后", "二"});
    draw->stop();
    EXPECT_EQ(screen.head, QStringLiteral("后"));
    EXPECT_EQ(screen.slotText[5], QStringLiteral("二"));
    EXPECT_EQ(drawn(), 2);
    EXPECT_EQ(op.notices.size(), 2);
    EXPECT_TRUE(screen.captions.isEmpty());

    // A level outside the table at the start: an error, and nothing rolls.
    tf.write(files::round(3), {"11", "", "前", "后", "三"});
    draw->start();
    EXPECT_FALSE(draw->rolling());
    EXPECT_EQ(op.notices.size(), 3);
    EXPECT_EQ(screen.head, QStringLiteral("前"));
}

TEST_F(DrawTest, PrizeInBothCornersWithTextAndPicture)
{
    const QString picture = tf.path("pics\\prize.jpg");
    tf.writeBytes("pics\\prize.jpg", "jpeg");
    settings.levels[1].picturePath = gbk::encode(picture);
    tf.write(files::ScreenPositions, {"0", "2"});
    startWith({{1, {"一"}}});
    draw->start();
    for (int c : {ScreenState::Left, ScreenState::Right}) {
        EXPECT_TRUE(screen.prizeTextShown[c]);
        EXPECT_EQ(screen.prizeText[c], QStringLiteral("奖品电脑"));
        EXPECT_TRUE(screen.prizePictureShown[c]);
        EXPECT_EQ(screen.prizePicture[c], picture);
    }
}

// ---- keys, the clicker and the phone ---------------------------------------

TEST_F(DrawTest, SpaceAndEnterFollowTheKeySettingAndSwallowFailures)
{
    for (int keys : {0, 1}) {
        SCOPED_TRACE(keys);
        settings.options.startStopKeys = keys;
        startWith({{1, {"一"}}, {1, {"二"}}});
        const Draw::Key startKey = keys == 0 ? Draw::Key::Space : Draw::Key::Enter;
        const Draw::Key stopKey = keys == 0 ? Draw::Key::Enter : Draw::Key::Space;
        draw->pressKey(stopKey);
        EXPECT_FALSE(draw->rolling());
        draw->pressKey(startKey);
        EXPECT_TRUE(draw->rolling());
        draw->pressKey(startKey);
        EXPECT_TRUE(draw->rolling());
        QFile::remove(tf.path(files::round(1)));
        draw->pressKey(stopKey);
        EXPECT_FALSE(draw->rolling());
        EXPECT_EQ(drawn(), 1);
        EXPECT_TRUE(op.notices.isEmpty()) << "a key never brings up an error box";
    }
}

TEST_F(DrawTest, NextStepDrawsRoundAfterRoundAndThePhoneSeesTheWinners)
{
    for (int keys : {0, 1}) {
        SCOPED_TRACE(keys);
        settings.options.startStopKeys = keys;
        startWith({{1, {"第1轮"}}, {1, {"第2轮"}}});
        draw->next();
        EXPECT_TRUE(draw->rolling());
        draw->rollTick();
        EXPECT_TRUE(remote::stateOf(*draw).winners.isEmpty()) << "a rolling name is no winner";
        draw->next();
        EXPECT_FALSE(draw->rolling());
        EXPECT_EQ(status(), QStringList{QStringLiteral("2")});
        remote::RemoteState phone = remote::stateOf(*draw);
        EXPECT_EQ(phone.winners, QStringList{QStringLiteral("第1轮")});
        EXPECT_EQ(phone.round, 2);
        EXPECT_EQ(phone.rounds, 3);
        EXPECT_EQ(phone.statusLine, QStringLiteral("第1轮 后"));
        draw->next();
        draw->next();
        EXPECT_EQ(drawn(), 2);

        // At the end it asks what the start key asks.
        op.answers = {Answer::No};
        draw->next();
        EXPECT_FALSE(draw->rolling());
        EXPECT_EQ(op.questions, QStringList{QStringLiteral("抽奖已经全部完成，是否显示最后结果？\r")});

        // A make-up prepared after the last round is drawn by it too, and a
        // make-up's announcement clears what the phone lists.
        makeUp(1, {QStringLiteral("补一"), QStringLiteral("补二")});
        EXPECT_TRUE(remote::stateOf(*draw).winners.isEmpty());
        draw->next();
        EXPECT_TRUE(draw->rolling());
        draw->next();
        EXPECT_FALSE(draw->state().makeupActive());
        EXPECT_EQ(remote::stateOf(*draw).winners, (QStringList{QStringLiteral("补一"), QStringLiteral("补二")}));
        EXPECT_TRUE(op.questions.isEmpty());
    }
}

// ---- make-up rounds ---------------------------------------------------------

TEST_F(DrawTest, MakeupRoundsAppendToTheirLevelAndThePlanGoesOn)
{
    startWith({{1, {"一"}}, {2, {"二"}}});
    drawOne();
    QStringList twelve;
    for (int i = 1; i <= 12; ++i)
        twelve << QStringLiteral("补%1").arg(i);
    makeUp(1, twelve);
    drawOne();
    EXPECT_TRUE(draw->state().makeupActive());
    EXPECT_EQ(draw->state().makeupIndex(), 1);
    EXPECT_EQ(slotTexts().first(), QStringLiteral("补1"));
    drawOne();
    EXPECT_FALSE(draw->state().makeupActive());
    EXPECT_EQ(tf.lines(files::levelWinners(1)), QStringList({"", "一等奖", "(电脑)", "一"}) + twelve);
    EXPECT_EQ(drawn(), 1);
    EXPECT_EQ(status(), QStringList({"2"}));
    // The plan goes on where it stood.
    drawOne();
    EXPECT_EQ(tf.lines(files::levelWinners(2)).mid(3), QStringList({"二"}));
    EXPECT_EQ(status(), QStringList({"3"}));
}

// ---- nothing to draw ----------------------------------------------------------

TEST_F(DrawTest, NothingToDrawSaysWhyOrOffersTheResults)
{
    // A round file missing at the start: the music stops, the loop starts, no more.
    startWith({{1, {"一"}}});
    QFile::remove(tf.path(files::round(1)));
    draw->start();
    EXPECT_FALSE(draw->rolling());
    EXPECT_TRUE(op.notices.isEmpty());
    EXPECT_EQ(sound.played, QStringList({"stop music", "loop start.wav"}));

    // All drawn: the question, and the results on Yes.
    startWith({{1, {"一"}}});
    drawOne();
    sound.played.clear();
    op.answers = {Answer::No, Answer::Yes};
    draw->start();
    EXPECT_EQ(screen.resultsShown, 0);
    draw->start();
    EXPECT_EQ(screen.resultsShown, 1);
    EXPECT_EQ(op.questions, QStringList(2, QStringLiteral("抽奖已经全部完成，是否显示最后结果？\r")));
    EXPECT_EQ(sound.played, QStringList({"stop music", "stop effects", "stop music", "stop effects"}));

    // No plan at all (more winners set than people): the message.
    tf.folder().remove(files::Status);
    restart();
    draw->start();
    EXPECT_EQ(op.notices, QStringList({"暂时无法抽奖，可能是人员名单或奖项设置还没有完成。"}));
    EXPECT_TRUE(op.questions.isEmpty());
}

TEST_F(DrawTest, SoundOffPlaysNothing)
{
    settings.options.soundOn = false;
    startWith({{1, {"一"}}});
    drawOne();
    draw->start(); // all done
    for (const QString &played : sound.played)
        EXPECT_EQ(played, QStringLiteral("stop music"));
}

// ---- rolling --------------------------------------------------------------------

TEST_F(DrawTest, TicksFillAllTenSlotsUniformlyAndOnlyWhileRolling)
{
    startWith({{1, {"一"}}});
    draw->rollTick();
    EXPECT_EQ(slotTexts().join(QString()), QStringLiteral("空格键开始回车键停止"));
    draw->start();
    std::map<QString, int> seen;
    int ticksWithDifferentSlots = 0;
    const int ticks = 4000;
    for (int t = 0; t < ticks; ++t) {
        draw->rollTick();
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
    // A tick queued before the stop leaves the winners alone.
    draw->stop();
    draw->rollTick();
    EXPECT_EQ(screen.slotText[5], QStringLiteral("一"));
}

// ---- records that can't be written ------------------------------------------------

TEST_F(DrawTest, AFailedRecordKeepsTheRoundPendingUntilARetryWritesItOnce)
{
    // The stop's three writes in their order: the level file, the list,
    // status.dll; each refused where it goes (an append into the file, a
    // replacement into its folder).
    const QStringList steps = {"dat/3.dll", "dat/LuckyList.txt", "status.dll"};
    const QStringList refusing = {"dat/3.dll", "dat", QString()};
    for (int failing = 0; failing < steps.size(); ++failing) {
        SCOPED_TRACE(steps[failing].toStdString());
        for (int k = 0; k < LevelCount; ++k)
            tf.folder().remove(files::levelWinners(k));
        startWith({{3, {"甲", "乙"}}, {3, {"丙", "丁"}}, {2, {"戊"}}});
        drawOne();
        QByteArray before[3];
        for (int i = 0; i < 3; ++i)
            before[i] = tf.bytes(steps[i]);
        {
            RefusedPath refused(tf, refusing[failing]);
            if (!refused.holds())
                GTEST_SKIP() << "the disk cannot be made to refuse writes here";
            drawOne();
            EXPECT_TRUE(draw->state().unrecorded().has_value());
            ASSERT_EQ(op.notices.size(), 1);
            EXPECT_TRUE(op.notices[0].contains(QStringLiteral("三等奖的中奖者：\r丙、丁"))) << op.notices[0].toStdString();
            EXPECT_EQ(screen.slotText[5], QStringLiteral("丙"));
            // Still refused: the start key retries, says so and starts nothing.
            draw->pressKey(Draw::Key::Space);
            EXPECT_FALSE(draw->rolling());
            ASSERT_EQ(op.notices.size(), 2);
            EXPECT_TRUE(op.notices[1].startsWith(QStringLiteral("本轮中奖结果仍然没能保存")));
        }
        // The refused step and the ones after it left their files alone, and
        // the counters stand where the disk has them.
        for (int i = failing; i < 3; ++i)
            EXPECT_EQ(tf.bytes(steps[i]), before[i]) << steps[i].toStdString();
        EXPECT_EQ(draw->state().roundIndex(), drawfiles::readStatus(tf.folder()));
        // A start-up now finds the round as after a crash at that point:
        // resumed at it, or counted once its winners are in their file.
        {
            HeadlessProgram again(HeadlessProgram::Files::None);
            Draw restarted(tf.folder(), again.op, again.sound, again.random);
            restarted.startScreen();
            restarted.startDraw();
            EXPECT_EQ(restarted.state().roundIndex(), failing == 0 ? 2 : 3);
        }
        drawfiles::writeStatus(tf.folder(), 2); // the restarted one's recovery undone
        draw->pressKey(Draw::Key::Space);
        EXPECT_FALSE(draw->rolling());
        EXPECT_EQ(op.notices.last(), stoprecord::recordedNotice());
        EXPECT_FALSE(draw->state().unrecorded().has_value());
        EXPECT_EQ(drawn(), 2);
        EXPECT_EQ(status(), QStringList({"3"}));
        EXPECT_EQ(tf.lines(files::levelWinners(3)).mid(3), QStringList({"甲", "乙", "丙", "丁"}));
        EXPECT_EQ(tf.lines(files::WinnersList), tf.lines(files::levelWinners(3)));
        drawOne();
        EXPECT_EQ(status(), QStringList({"4"}));
    }
}

TEST_F(DrawTest, AFailedMakeupStopKeepsItsRoundAndRetriesOnce)
{
    startWith({{3, {"甲"}}});
    drawOne();
    makeUp(3, {QStringLiteral("乙"), QStringLiteral("丙")});
    const QByteArray level = tf.bytes(files::levelWinners(3));
    {
        RefusedPath refused(tf, QStringLiteral("dat/3.dll"));
        if (!refused.holds())
            GTEST_SKIP() << "the disk cannot be made to refuse writes here";
        drawOne();
        EXPECT_TRUE(draw->state().makeupActive());
        EXPECT_EQ(draw->state().makeupIndex(), 0);
        ASSERT_EQ(op.notices.size(), 1);
        EXPECT_TRUE(op.notices[0].contains(QStringLiteral("乙、丙")));
    }
    EXPECT_EQ(tf.bytes(files::levelWinners(3)), level);
    draw->start();
    EXPECT_EQ(tf.lines(files::levelWinners(3)).mid(3), QStringList({"甲", "乙", "丙"}));
    EXPECT_FALSE(draw->state().makeupActive());
    EXPECT_EQ(status(), QStringList({"2"}));
}

TEST_F(DrawTest, AGiveUpTheDiskRefusesChangesNothingAndSaysSo)
{
    startWith({{3, {"甲", "乙"}}, {3, {"丙"}}});
    drawOne();
    const QByteArray level = tf.bytes(files::levelWinners(3));
    {
        RefusedPath refused(tf, QStringLiteral("dat"));
        if (!refused.holds())
            GTEST_SKIP() << "the disk cannot be made to refuse writes here";
        EXPECT_FALSE(draw->giveUp(3, 0));
    }
    EXPECT_EQ(tf.bytes(files::levelWinners(3)), level);
    EXPECT_TRUE(op.notices.last().endsWith(writeFailureAdvice()));
}
