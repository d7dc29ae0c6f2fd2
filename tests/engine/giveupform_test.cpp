#include "engine/giveupform.h"

#include "engine/drawfiles.h"
#include "base/gbk.h"
#include "support/recorders.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

using namespace sorvix;
using sorvix::test::RecordingOperator;
using sorvix::test::RecordingScreen;
using sorvix::test::TestFolder;

namespace {

QStringList decoded(const Lines &lines)
{
    QStringList out;
    for (const QByteArray &line : lines)
        out << gbk::decode(line);
    return out;
}

// Levels 0..3 enabled with the default names; a plan of six rounds drawn
// small prizes first (3, 3, 2, 2, 1, 0).
class GiveUpFormTest : public ::testing::Test
{
protected:
    GiveUpFormTest()
    {
        session.folder = dir.folder();
        session.awardTable = AwardSettings::defaults().levels;
        for (int k = 0; k < LevelCount; ++k) {
            session.awardTable[size_t(k)].enabled = k <= 3;
            session.awardTable[size_t(k)].quantity = "2";
        }
        session.settings.levels = session.awardTable;
        const int plan[] = {3, 3, 2, 2, 1, 0};
        for (int n = 0; n < 6; ++n)
            dir.write(files::round(n), {QString::number(plan[n])});
        session.state.roundCount = 6;
        drawfiles::writeLeftover(dir.folder(), {"L0", "L1", "L2"});
    }

    void winners(int level, const QStringList &names)
    {
        Lines lines;
        for (const QString &name : names)
            lines << gbk::encode(name);
        const AwardLevel &award = session.awardTable[size_t(level)];
        levelwinners::create(dir.folder(), level, award.displayName, award.prizeText, lines);
    }

    TestFolder dir;
    Session session;
    RecordingOperator op;
    RecordingScreen screen;
    GiveUpForm form{session, op, screen};
};

} // namespace

TEST_F(GiveUpFormTest, ListsForBothOrdersAndGiveUpOfTheChosenWinner)
{
    winners(2, {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")});
    session.state.roundIndex = 4;   // levels 3 and 2 drawn, level 1 next
    form.activate();
    EXPECT_EQ(decoded(form.giveUpItems()),
              QStringList({QStringLiteral("特等奖"), QStringLiteral("一等奖"), QStringLiteral("二等奖"), QStringLiteral("三等奖")}));
    EXPECT_EQ(decoded(form.makeupItems()), QStringList({QStringLiteral("三等奖"), QStringLiteral("二等奖")}));
    // Big prizes first, with level 2 next: levels 0 and 1.
    session.settings.options.order = 1;
    dir.write(files::round(4), {"2"});
    form.activate();
    EXPECT_EQ(decoded(form.makeupItems()), QStringList({QStringLiteral("特等奖"), QStringLiteral("一等奖")}));
    EXPECT_EQ(form.giveUpItem(), 0);
    EXPECT_TRUE(form.winners().isEmpty());

    form.giveUpLevelChosen(2);
    EXPECT_TRUE(form.giveUp(1));
    EXPECT_EQ(op.questions.last(), QStringLiteral("从中奖名单中删除\r乙"));
    EXPECT_EQ(decoded(form.winners()), QStringList({QStringLiteral("甲"), QStringLiteral("丙")}));
    EXPECT_EQ(dir.lines(files::levelWinners(2)),
              QStringList({"", QStringLiteral("二等奖"), QStringLiteral("()"), QStringLiteral("甲"), QStringLiteral("丙")}));
    // The winners list and the caption no longer name the one who gave up.
    EXPECT_EQ(dir.lines(files::WinnersList), dir.lines(files::levelWinners(2)));
    EXPECT_EQ(screen.caption, QStringLiteral("  二等奖 () 甲 丙"));
}

TEST_F(GiveUpFormTest, NothingChosenGivesAClearMessageAndChangesNothing)
{
    winners(3, {QStringLiteral("甲"), QStringLiteral("乙")});
    session.state.roundIndex = 6;
    // A make-up already pending stays as it is.
    session.state.makeupActive = true;
    session.state.makeupIndex = 1;
    session.state.makeupCount = 2;
    form.activate();
    const QByteArray before = dir.bytes(files::levelWinners(3));

    form.giveUpLevelChosen(3);
    EXPECT_FALSE(form.giveUp(-1));
    EXPECT_EQ(op.notices.last(), QStringLiteral("请先在名单中选择要弃奖的中奖人。"));
    QString quantity = QStringLiteral("1");
    EXPECT_FALSE(form.makeUp(-1, &quantity));
    EXPECT_EQ(op.notices.last(), QStringLiteral("请先选择要补奖的奖项。"));
    // Level 1 (item 2, small prizes first) has no winners file.
    EXPECT_FALSE(form.makeUp(2, &quantity));
    EXPECT_EQ(op.notices.last(), QStringLiteral("一等奖还没有中奖名单，无法补奖。"));

    EXPECT_TRUE(op.questions.isEmpty());
    EXPECT_EQ(dir.bytes(files::levelWinners(3)), before);
    EXPECT_EQ(dir.lines(files::Leftover).size(), 3);
    EXPECT_FALSE(dir.folder().exists(files::makeupRound(0)));
    EXPECT_TRUE(session.state.makeupActive);
    EXPECT_EQ(session.state.makeupIndex, 1);
    EXPECT_EQ(session.state.makeupCount, 2);
}

TEST_F(GiveUpFormTest, QuantityFieldAndMakeUpOfMoreThanTheRemainder)
{
    EXPECT_EQ(GiveUpForm::makeUpQuantityChanged(QStringLiteral("0")), QStringLiteral("1"));
    EXPECT_EQ(GiveUpForm::makeUpQuantityChanged(QStringLiteral("a")), QStringLiteral("1"));
    EXPECT_EQ(GiveUpForm::makeUpQuantityChanged(QStringLiteral("12")), QStringLiteral("12"));

    winners(3, {QStringLiteral("甲")});
    session.state.roundIndex = 2;   // level 3's two rounds are drawn
    form.activate();
    // More than any number: everyone left, after the question about the total.
    QString quantity = QStringLiteral("99999999999999999999");
    EXPECT_TRUE(form.makeUp(0, &quantity));
    EXPECT_EQ(quantity, QStringLiteral("3"));
    EXPECT_EQ(op.notices.first(), QStringLiteral("未中奖人数不够，只能再补抽 3 名"));
    EXPECT_EQ(dir.lines(files::makeupRound(0)).mid(4), QStringList({"L0", "L1", "L2"}));
    EXPECT_TRUE(session.state.makeupActive);
}
