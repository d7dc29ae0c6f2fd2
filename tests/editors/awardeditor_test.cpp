#include "app/awardhost.h"
#include "app/startup.h"
#include "base/errors.h"
#include "base/gbk.h"
#include "engine/drawfiles.h"
#include "engine/winners.h"
#include "editors/awardeditor.h"
#include "support/headlessprogram.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;
using Answer = OperatorPort::Answer;

namespace {

QByteArray G(const char *utf8) { return gbk::fromUtf8(utf8); }

// The program started on the shipped settings and demonstration list, with
// the award editor opened on it.
class AwardEditorTest : public ::testing::Test, public HeadlessProgram
{
protected:
    std::unique_ptr<DrawAwardHost> host;
    std::unique_ptr<AwardEditor> editor;

    void SetUp() override
    {
        start();
        host = std::make_unique<DrawAwardHost>(session, screen, op, sound, *preparation);
        editor = std::make_unique<AwardEditor>(session.folder, op, *host);
        editor->windowShown();
        op.questions.clear();
        op.notices.clear();
    }

    const AwardLevel &level(int k) const { return editor->settings().levels[size_t(k)]; }
    std::vector<bool> enabled() const
    {
        std::vector<bool> on;
        for (int k = 0; k < LevelCount; ++k)
            on.push_back(level(k).enabled);
        return on;
    }
    std::vector<bool> selectable() const
    {
        std::vector<bool> s;
        for (int k = 0; k < LevelCount; ++k)
            s.push_back(editor->selectable(k));
        return s;
    }
    AwardSettings saved() const { return awardfile::load(dir.folder()); }
    // Marks the first round of the plan as drawn, as a stop records it.
    void drawOneRound()
    {
        const RoundPlan round = drawfiles::readRound(dir.folder(), 0);
        levelwinners::record(dir.folder(), round.level, "L", "P", round.names);
        drawfiles::writeStatus(dir.folder(), 1);
        session.state.roundIndex = 1;
    }
};

const std::vector<bool> T4F7 = {true, true, true, true, false, false, false, false, false, false, false};

} // namespace

TEST_F(AwardEditorTest, EnablingRuleKeepsTheLevelsUnbroken)
{
    AwardEditor fresh(session.folder, op, *host);
    EXPECT_EQ(selectable(), (std::vector<bool>{true, true, true, true, true, false, false, false, false, false, false}));
    for (int k = 0; k < LevelCount; ++k)
        EXPECT_EQ(fresh.selectable(k), k <= 4) << k;

    int notices = 0;
    editor->changed = [&] { ++notices; };
    editor->setLevelEnabled(4, true);
    editor->setLevelEnabled(5, true);
    editor->setLevelEnabled(2, false);
    EXPECT_GT(notices, 0);
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, false, false, false, false, false, false, false, false, false}));
    EXPECT_EQ(selectable(), (std::vector<bool>{true, true, true, false, false, false, false, false, false, false, false}));
    // On again: only the next one can be clicked, and it stays off.
    editor->setLevelEnabled(2, true);
    EXPECT_EQ(selectable(), (std::vector<bool>{true, true, true, true, false, false, false, false, false, false, false}));
    EXPECT_FALSE(level(3).enabled);

    // The last level has no rule: all on, then the last off, changes nothing else.
    for (int k = 3; k < LevelCount; ++k)
        editor->setLevelEnabled(k, true);
    editor->setLevelEnabled(10, false);
    EXPECT_TRUE(level(9).enabled);
    EXPECT_TRUE(editor->selectable(10));
}

TEST_F(AwardEditorTest, SwitchesSetWhileLoadingRunTheRuleAndShowTheFileAsItIs)
{
    // Levels 0..5 saved: the locked ones open up as their predecessors come on.
    AwardSettings s = saved();
    for (int k = 0; k <= 5; ++k) {
        s.levels[size_t(k)].enabled = true;
        s.levels[size_t(k)].quantity = "2";
    }
    awardfile::save(dir.folder(), s);
    editor->windowShown();
    EXPECT_EQ(selectable(), (std::vector<bool>{true, true, true, true, true, true, true, false, false, false, false}));

    // A hand-made file with a gap is shown unchanged; the level after the gap
    // is locked, since its predecessor is off.
    s.levels[2].enabled = false;
    awardfile::save(dir.folder(), s);
    editor->windowShown();
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, false, true, true, true, false, false, false, false, false}));
    EXPECT_FALSE(editor->selectable(3));
    EXPECT_TRUE(editor->selectable(4));

    // Back to the shipped file: the later levels go off and are locked again.
    dir.folder().writeLines(files::Lottery, textfile::readLines(dir.path(QStringLiteral("DLL\\Tlottery.dll"))));
    editor->resetEdits();
    EXPECT_EQ(enabled(), T4F7);
    EXPECT_EQ(selectable(), (std::vector<bool>{true, true, true, true, true, false, false, false, false, false, false}));
}

TEST_F(AwardEditorTest, QuantityRuleLeavesOneForAnythingButOneToThreeDigits)
{
    for (const char *bad : {"12a", "", "000", "0", " ", "-5", "1000", "１"}) {
        editor->setQuantity(1, bad);
        EXPECT_EQ(level(1).quantity, "1") << bad;
    }
    for (const char *good : {"010", "999", "7", " 7"}) {
        editor->setQuantity(1, good);
        EXPECT_EQ(level(1).quantity, good) << good;
    }
    // The edit never stays empty: levels saved without a quantity show "1".
    ASSERT_TRUE(saved().levels[4].quantity.isEmpty());
    EXPECT_EQ(level(4).quantity, "1");
}

TEST_F(AwardEditorTest, SaveWritesReadsBackAndPreparesANewDraw)
{
    editor->options().title = G("二〇二七 年会");
    editor->options().startStopKeys = 1;
    editor->setLevelEnabled(4, true);
    editor->setQuantity(4, "7");
    editor->setDisplayName(4, G("幸运奖"));
    editor->setPerRound(4, 3);
    // The participant files changed on disk since start-up: the raw lists follow.
    Lines names = dir.folder().readLines(files::Name);
    names.append(G("新来的"));
    dir.folder().writeLines(files::Name, names);
    std::vector<bool> work;
    editor->working = [&](bool on) { work.push_back(on); };

    EXPECT_TRUE(editor->save());
    EXPECT_TRUE(op.questions.isEmpty());
    EXPECT_EQ(op.notices, QStringList{QStringLiteral("保存成功！")});
    EXPECT_EQ(work, (std::vector<bool>{true, false}));
    const AwardSettings file = saved();
    EXPECT_TRUE(file.levels[4].enabled);
    EXPECT_EQ(file.levels[4].quantity, "7");
    EXPECT_EQ(file.levels[4].perRound, 3);
    // The live settings, the draw screen and the plan use them at once.
    EXPECT_EQ(session.settings.levels[4].displayName, G("幸运奖"));
    EXPECT_EQ(screen.title, QStringLiteral("二〇二七 年会"));
    EXPECT_EQ(screen.slotText[5], QStringLiteral("回车键开始空格键停止"));
    EXPECT_EQ(session.rawSettingsLists[0].last(), G("新来的"));
    EXPECT_EQ(session.rawSettingsLists[5], file.toLines());
    EXPECT_EQ(session.awardTable[4].displayName, G("幸运奖"));
    // Small prizes first: the new level's rounds come first, 3 per round.
    EXPECT_EQ(drawfiles::readRound(dir.folder(), 0).level, 4);
    EXPECT_EQ(drawfiles::readRound(dir.folder(), 0).names.size(), 3);
    EXPECT_GE(screen.rollingStops, 1);
}

TEST_F(AwardEditorTest, SaveDuringADrawAsksAndStartsOver)
{
    drawOneRound();
    const int firstLevel = drawfiles::roundLevel(dir.folder(), 0);
    const QByteArray before = dir.bytes(files::Lottery);
    editor->options().subtitle = G("改过的副标题");

    op.answers = {Answer::No};
    EXPECT_FALSE(editor->save());
    EXPECT_EQ(op.questions, QStringList{QStringLiteral("是否保存所做的修改？\r【是】保存修改，所有名单进入奖池重新抽奖，【否】继续之前的抽奖。")});
    EXPECT_EQ(dir.bytes(files::Lottery), before);
    EXPECT_EQ(session.state.roundIndex, 1);
    EXPECT_TRUE(dir.folder().exists(files::levelWinners(firstLevel)));

    op.answers = {Answer::Yes};
    EXPECT_TRUE(editor->save());
    EXPECT_TRUE(op.notices.isEmpty()); // no "保存成功！" while a draw was under way
    EXPECT_EQ(saved().options.subtitle, G("改过的副标题"));
    EXPECT_EQ(session.state.roundIndex, 0);
    EXPECT_EQ(dir.lines(QStringLiteral("status.dll")), QStringList{QStringLiteral("0")});
    EXPECT_FALSE(dir.folder().exists(files::levelWinners(firstLevel)));
}

TEST_F(AwardEditorTest, CloseAsksEveryTimeAndNoDropsTheEdits)
{
    const QByteArray before = dir.bytes(files::Lottery);
    const int rounds = session.state.roundCount;
    editor->options().title = G("未保存的标题");
    editor->setLevelEnabled(0, false);

    op.answers = {Answer::Cancel};
    EXPECT_FALSE(editor->confirmClose());
    EXPECT_EQ(editor->settings().options.title, G("未保存的标题"));

    op.answers = {Answer::No};
    EXPECT_TRUE(editor->confirmClose());
    EXPECT_EQ(op.questions, QStringList(2, QStringLiteral("是否保存所做的修改？")));
    EXPECT_EQ(dir.bytes(files::Lottery), before);
    // Back on the saved settings; the draw never saw the edits.
    EXPECT_EQ(editor->settings().options.title, session.settings.options.title);
    EXPECT_EQ(enabled(), T4F7);
    EXPECT_EQ(session.state.roundCount, rounds);

    // Asked even without a change; Yes saves without the notice.
    op.answers = {Answer::Yes};
    EXPECT_TRUE(editor->confirmClose());
    EXPECT_EQ(op.questions.size(), 3);
    EXPECT_TRUE(op.notices.isEmpty());

    drawOneRound();
    op.answers = {Answer::Yes};
    EXPECT_TRUE(editor->confirmClose());
    EXPECT_EQ(op.questions.last(), AwardEditor::underwayQuestion());
    EXPECT_EQ(session.state.roundIndex, 0);
}

TEST_F(AwardEditorTest, CloseStaysOpenWhileThereAreMoreWinnersThanPeople)
{
    const int people = int(session.pool.size());
    editor->setQuantity(3, "999");
    ASSERT_LT(people, 999);
    op.answers = {Answer::Yes};
    EXPECT_FALSE(editor->confirmClose());
    EXPECT_TRUE(session.tooManyWinners);
    ASSERT_EQ(op.notices.size(), 1);
    EXPECT_TRUE(op.notices[0].startsWith(QStringLiteral("设置的总获奖人数是:")));
    EXPECT_EQ(level(3).quantity, "999"); // still there to be corrected

    // Corrected: the flag of the refused plan is cleared as the close begins.
    editor->setQuantity(3, "10");
    op.answers = {Answer::Yes};
    EXPECT_TRUE(editor->confirmClose());
    EXPECT_FALSE(session.tooManyWinners);

    // A settings file that cannot be replaced: the error shows and the window stays.
    QFile::remove(dir.path(files::Lottery));
    QDir(dir.root()).mkdir(files::Lottery);
    op.notices.clear();
    op.answers = {Answer::Yes};
    EXPECT_FALSE(editor->confirmClose());
    EXPECT_EQ(op.notices.size(), 1);
}

TEST_F(AwardEditorTest, PictureChoiceKeepsThePathWhenCancelled)
{
    op.openName = dir.path(QStringLiteral("pics\\奖品一.jpg"));
    editor->choosePicture(1);
    EXPECT_EQ(op.filters, QStringList{QStringLiteral("JPG,JPEG|*.jpg;*.jpeg")});
    EXPECT_EQ(gbk::decode(level(1).picturePath), op.openName);

    editor->setPicturePath(2, "C:\\old.jpg");
    op.openName.clear();
    editor->choosePicture(2);
    EXPECT_EQ(level(2).picturePath, "C:\\old.jpg");

    // A path that GBK cannot hold would name no file after a save.
    op.openName = QStringLiteral("/home/사진.jpg");
    editor->choosePicture(2);
    EXPECT_EQ(level(2).picturePath, "C:\\old.jpg");
    EXPECT_EQ(op.notices.size(), 1);
}

TEST_F(AwardEditorTest, PositionsTakeEffectAtOnceEvenWhenClosedWithNo)
{
    editor->captionPositionChosen(1);
    EXPECT_EQ(dir.lines(files::ScreenPositions), (QStringList{QStringLiteral("1"), QStringLiteral("0")}));
    EXPECT_EQ(session.settings.options.captionPosition, 1);
    EXPECT_EQ(screen.relayouts, 1);
    editor->prizePositionChosen(2);
    EXPECT_EQ(dir.lines(files::ScreenPositions), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_EQ(session.settings.options.prizePosition, 2);
    EXPECT_EQ(screen.relayouts, 2);

    op.answers = {Answer::No};
    EXPECT_TRUE(editor->confirmClose());
    EXPECT_EQ(dir.lines(files::ScreenPositions), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_EQ(editor->settings().options.captionPosition, 1);
    EXPECT_EQ(session.settings.options.captionPosition, 1);

    // Not written: the screen and the list keep the old position.
    QFile::remove(dir.path(files::ScreenPositions));
    QDir(dir.root()).mkdir(files::ScreenPositions);
    editor->captionPositionChosen(2);
    EXPECT_EQ(op.notices.size(), 1);
    EXPECT_EQ(editor->settings().options.captionPosition, 1);
    EXPECT_EQ(session.settings.options.captionPosition, 1);
    EXPECT_EQ(screen.relayouts, 2);
}

TEST_F(AwardEditorTest, ShowAndResetReadTheSavedFile)
{
    editor->options().title = G("没保存");
    AwardSettings other = saved();
    other.options.title = G("别处改的");
    awardfile::save(dir.folder(), other);
    editor->resetEdits();
    EXPECT_EQ(editor->settings().options.title, G("别处改的"));
    EXPECT_EQ(screen.title, QStringLiteral("别处改的"));

    // A missing file is reported when the window opens; the controls keep the live settings.
    dir.folder().remove(files::Lottery);
    editor->windowShown();
    EXPECT_EQ(op.notices.size(), 1);
    EXPECT_EQ(editor->settings().options.title, G("别处改的"));
}

TEST_F(AwardEditorTest, APlanThatCannotBeWrittenIsSaidAfterTheSavedNotice)
{
    preparation->setStepHook([](const char *step) {
        if (QByteArray(step) == "clear")
            throw OperationError(QStringLiteral("无法写入文件：data"));
    });
    editor->setQuantity(0, "2");
    EXPECT_TRUE(editor->save());
    ASSERT_EQ(op.notices.size(), 2);
    EXPECT_EQ(op.notices[0], AwardEditor::savedNotice());
    EXPECT_EQ(op.notices[1], AwardEditor::unpreparedMessage(QStringLiteral("无法写入文件：data")));
    EXPECT_EQ(saved().levels[0].quantity, "2");
    // The window stays open to try again; once the plan is written it closes.
    op.answers = {Answer::Yes};
    EXPECT_FALSE(editor->confirmClose());
    preparation->setStepHook({});
    op.answers = {Answer::Yes};
    EXPECT_TRUE(editor->confirmClose());
    EXPECT_GT(session.state.roundCount, 0);
}
