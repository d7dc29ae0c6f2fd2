#include "base/gbk.h"
#include "editors/awardeditor.h"
#include "engine/roundfile.h"
#include "support/headlessprogram.h"

#include <QDir>
#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include "support/filesizelimit.h"
#endif

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
    std::unique_ptr<AwardEditor> editor;

    void SetUp() override
    {
        start();
        editor = std::make_unique<AwardEditor>(*draw, op);
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
    // One round of the plan drawn, as the operator draws it.
    void drawOneRound()
    {
        draw->start();
        draw->stop();
        ASSERT_EQ(draw->state().roundIndex(), 1);
    }
};

const std::vector<bool> T4F7 = {true, true, true, true, false, false, false, false, false, false, false};

} // namespace

TEST_F(AwardEditorTest, EnablingRuleKeepsTheLevelsUnbroken)
{
    AwardEditor fresh(*draw, op);
    EXPECT_EQ(selectable(), (std::vector<bool>{true, true, true, true, true, false, false, false, false, false, false}));
    for (int k = 0; k < LevelCount; ++k)
        EXPECT_EQ(fresh.selectable(k), k <= 4) << k;

    int notices = 0;
    QObject::connect(editor.get(), &AwardEditor::changed, [&] { ++notices; });
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
    std::vector<bool> work;
    QObject::connect(editor.get(), &AwardEditor::working, [&](bool on) { work.push_back(on); });
    // A round rolling when the settings are saved stops.
    draw->start();
    ASSERT_TRUE(draw->rolling());

    EXPECT_TRUE(editor->save());
    EXPECT_TRUE(op.questions.isEmpty());
    EXPECT_EQ(op.notices, QStringList{QStringLiteral("保存成功！")});
    EXPECT_EQ(work, (std::vector<bool>{true, false}));
    const AwardSettings file = saved();
    EXPECT_TRUE(file.levels[4].enabled);
    EXPECT_EQ(file.levels[4].quantity, "7");
    EXPECT_EQ(file.levels[4].perRound, 3);
    // The settings in force, the draw screen and the plan use them at once.
    EXPECT_EQ(draw->settings().toLines(), file.toLines());
    EXPECT_EQ(screen.title, QStringLiteral("二〇二七 年会"));
    EXPECT_EQ(screen.slotText[5], QStringLiteral("回车键开始空格键停止"));
    // Small prizes first: the new level's rounds come first, 3 per round.
    const RoundFile first = RoundFile::read(dir.folder(), files::round(0));
    EXPECT_EQ(first.level(), 4);
    EXPECT_EQ(first.names.size(), 3);
    EXPECT_FALSE(draw->rolling());
}

TEST_F(AwardEditorTest, SaveDuringADrawAsksAndStartsOver)
{
    drawOneRound();
    const int firstLevel = RoundFile::readLevel(dir.folder(), files::round(0));
    const QByteArray before = dir.bytes(files::Lottery);
    editor->options().subtitle = G("改过的副标题");

    op.answers = {Answer::No};
    EXPECT_FALSE(editor->save());
    EXPECT_EQ(op.questions, QStringList{QStringLiteral("是否保存所做的修改？\r【是】保存修改，所有名单进入奖池重新抽奖，【否】继续之前的抽奖。")});
    EXPECT_EQ(dir.bytes(files::Lottery), before);
    EXPECT_EQ(draw->state().roundIndex(), 1);
    EXPECT_TRUE(dir.folder().exists(files::levelWinners(firstLevel)));

    op.answers = {Answer::Yes};
    EXPECT_TRUE(editor->save());
    EXPECT_TRUE(op.notices.isEmpty()); // no "保存成功！" while a draw was under way
    EXPECT_EQ(saved().options.subtitle, G("改过的副标题"));
    EXPECT_EQ(draw->state().roundIndex(), 0);
    EXPECT_EQ(dir.lines(QStringLiteral("status.dll")), QStringList{QStringLiteral("0")});
    EXPECT_FALSE(dir.folder().exists(files::levelWinners(firstLevel)));
}

TEST_F(AwardEditorTest, CloseAsksEveryTimeAndNoDropsTheEdits)
{
    const QByteArray before = dir.bytes(files::Lottery);
    const int rounds = draw->state().roundCount();
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
    EXPECT_EQ(editor->settings().options.title, draw->settings().options.title);
    EXPECT_EQ(enabled(), T4F7);
    EXPECT_EQ(draw->state().roundCount(), rounds);

    // Asked even without a change; Yes saves without the notice.
    op.answers = {Answer::Yes};
    EXPECT_TRUE(editor->confirmClose());
    EXPECT_EQ(op.questions.size(), 3);
    EXPECT_TRUE(op.notices.isEmpty());

    drawOneRound();
    op.answers = {Answer::Yes};
    EXPECT_TRUE(editor->confirmClose());
    EXPECT_EQ(op.questions.last(), AwardEditor::underwayQuestion());
    EXPECT_EQ(draw->state().roundIndex(), 0);
}

TEST_F(AwardEditorTest, CloseStaysOpenWhileThereAreMoreWinnersThanPeople)
{
    const int people = int(draw->pool().size());
    editor->setQuantity(3, "999");
    ASSERT_LT(people, 999);
    op.answers = {Answer::Yes};
    EXPECT_FALSE(editor->confirmClose());
    EXPECT_EQ(draw->state().roundCount(), 0);
    EXPECT_TRUE(screen.slotText[5].endsWith(QStringLiteral("当前无法抽奖")));
    ASSERT_EQ(op.notices.size(), 1);
    EXPECT_TRUE(op.notices[0].startsWith(QStringLiteral("设置的总获奖人数是:")));
    EXPECT_EQ(level(3).quantity, "999"); // still there to be corrected

    // Corrected: a plan again, and the window closes.
    editor->setQuantity(3, "10");
    op.answers = {Answer::Yes};
    EXPECT_TRUE(editor->confirmClose());
    EXPECT_GT(draw->state().roundCount(), 0);

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
    // Each position reaches the draw screen at once, as a change of the settings shown.
    const int shown = screen.settingsShown;
    editor->captionPositionChosen(1);
    EXPECT_EQ(dir.lines(files::ScreenPositions), (QStringList{QStringLiteral("1"), QStringLiteral("0")}));
    EXPECT_EQ(draw->settings().options.captionPosition, 1);
    EXPECT_EQ(screen.settingsShown, shown + 1);
    editor->prizePositionChosen(2);
    EXPECT_EQ(dir.lines(files::ScreenPositions), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_EQ(draw->settings().options.prizePosition, 2);
    EXPECT_EQ(screen.settingsShown, shown + 2);

    op.answers = {Answer::No};
    EXPECT_TRUE(editor->confirmClose());
    EXPECT_EQ(dir.lines(files::ScreenPositions), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_EQ(editor->settings().options.captionPosition, 1);
    EXPECT_EQ(draw->settings().options.captionPosition, 1);

    // Not written: the screen and the list keep the old position.
    QFile::remove(dir.path(files::ScreenPositions));
    QDir(dir.root()).mkdir(files::ScreenPositions);
    editor->captionPositionChosen(2);
    EXPECT_EQ(op.notices.size(), 1);
    EXPECT_EQ(editor->settings().options.captionPosition, 1);
    EXPECT_EQ(draw->settings().options.captionPosition, 1);
    EXPECT_EQ(screen.settingsShown, shown + 2);
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
    dir.block(QStringLiteral("data"));
    editor->setQuantity(0, "2");
    EXPECT_TRUE(editor->save());
    EXPECT_EQ(op.notices, (QStringList{AwardEditor::savedNotice(),
                                       AwardEditor::unpreparedMessage(QStringLiteral("无法删除文件：")
                                                                      + QDir::toNativeSeparators(dir.path(files::round(0))))}));
    EXPECT_EQ(saved().levels[0].quantity, "2");
    EXPECT_EQ(draw->state().roundCount(), 0);
    // The window stays open to try again; once the plan is written it closes.
    op.answers = {Answer::Yes};
    EXPECT_FALSE(editor->confirmClose());
    dir.unblock(QStringLiteral("data"));
    op.answers = {Answer::Yes};
    EXPECT_TRUE(editor->confirmClose());
    EXPECT_GT(draw->state().roundCount(), 0);
}

// A full disk is made with a file-size limit, Linux's own.
#ifndef Q_OS_WIN
// The draw screen's sound switch is one of these settings, saved on its own.
TEST_F(AwardEditorTest, ASoundSwitchThatCannotBeSavedStaysAsItWasAndSaysSo)
{
    const bool was = draw->settings().options.soundOn;
    const QByteArray file = dir.bytes(files::Lottery);
    const int shown = screen.settingsShown;
    sound.played.clear();
    {
        // No byte more reaches a file, as on a full disk.
        FileSizeLimit full(0);
        draw->setSoundOn(!was);
    }
    ASSERT_EQ(op.notices.size(), 1);
    EXPECT_TRUE(op.notices[0].startsWith(QStringLiteral("音效开关没能保存：\r无法写入文件："))) << op.notices[0].toStdString();
    EXPECT_EQ(draw->settings().options.soundOn, was);
    EXPECT_EQ(dir.bytes(files::Lottery), file);
    EXPECT_EQ(screen.settingsShown, shown);
    EXPECT_EQ(sound.played, QStringList());

    // With room again the switch is saved, then in force.
    draw->setSoundOn(!was);
    EXPECT_EQ(draw->settings().options.soundOn, !was);
    EXPECT_EQ(saved().options.soundOn, !was);
    EXPECT_EQ(op.notices.size(), 1);
}
#endif
