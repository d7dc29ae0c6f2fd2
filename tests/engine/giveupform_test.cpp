#include "engine/giveupform.h"

#include "base/gbk.h"
#include "support/drawsetup.h"

#include <gtest/gtest.h>

#include <optional>

using namespace sorvix;
using namespace sorvix::test;

namespace {

// Levels 0..3 of two winners each with their usual names, drawn small prizes
// first in six rounds (levels 3, 3, 2, 2, 1, 0); three people are left over.
class GiveUpFormTest : public ::testing::Test, public DrawSetup
{
protected:
    GiveUpFormTest()
    {
        people(11);
        for (int k = 0; k <= 3; ++k)
            level(k, "2", k >= 2 ? 1 : 2);
        start();
        form.emplace(*draw, op);
    }

    void drawRounds(int count)
    {
        for (int n = 0; n < count; ++n)
            drawRound();
    }
    QStringList winnersOf(int level) const { return dir.lines(files::levelWinners(level)).mid(3); }

    std::optional<GiveUpForm> form;
};

} // namespace

TEST_F(GiveUpFormTest, ListsForBothOrdersAndGiveUpOfTheChosenWinner)
{
    drawRounds(4);   // levels 3 and 2 drawn, level 1 next
    form->activate();
    EXPECT_EQ(decoded(form->giveUpItems()),
              QStringList({QStringLiteral("特等奖"), QStringLiteral("一等奖"), QStringLiteral("二等奖"), QStringLiteral("三等奖")}));
    EXPECT_EQ(decoded(form->makeupItems()), QStringList({QStringLiteral("三等奖"), QStringLiteral("二等奖")}));
    // The first level, which has no winners yet.
    EXPECT_EQ(form->giveUpItem(), 0);
    EXPECT_TRUE(form->winners().isEmpty());

    const QStringList drawn = winnersOf(2);
    ASSERT_EQ(drawn.size(), 2);
    form->giveUpLevelChosen(2);
    EXPECT_EQ(decoded(form->winners()), drawn);
    EXPECT_TRUE(form->giveUp(1));
    EXPECT_EQ(op.questions.last(), QStringLiteral("从中奖名单中删除\r") + drawn[1]);
    EXPECT_EQ(decoded(form->winners()), QStringList({drawn[0]}));
    EXPECT_EQ(dir.lines(files::levelWinners(2)),
              QStringList({"", QStringLiteral("二等奖"), QStringLiteral("()"), drawn[0]}));
    // The winners list and the caption no longer name the one who gave up.
    const QStringList list = dir.lines(files::WinnersList);
    EXPECT_EQ(list, dir.lines(files::levelWinners(2)) + dir.lines(files::levelWinners(3)));
    EXPECT_EQ(screen.caption, QLatin1Char(' ') + list.join(QLatin1Char(' ')));

    // Big prizes first (levels 0, 1, 2, 2, 3, 3), with level 2 next.
    settings.options.order = 1;
    prepare();
    drawRounds(2);
    form->activate();
    EXPECT_EQ(decoded(form->makeupItems()), QStringList({QStringLiteral("特等奖"), QStringLiteral("一等奖")}));
}

TEST_F(GiveUpFormTest, NothingChosenGivesAClearMessageAndChangesNothing)
{
    drawRounds(6);
    // A make-up already pending stays as it is.
    ASSERT_TRUE(draw->makeup(3, 2).ready);
    op.questions.clear();
    const QByteArray before = dir.bytes(files::levelWinners(3));
    const QByteArray pending = dir.bytes(files::makeupRound(0));
    const QByteArray left = dir.bytes(files::Leftover);
    // Level 1's winners file is gone (removed by hand).
    dir.folder().remove(files::levelWinners(1));
    form->activate();

    form->giveUpLevelChosen(3);
    EXPECT_FALSE(form->giveUp(-1));
    EXPECT_EQ(op.notices.last(), QStringLiteral("请先在名单中选择要弃奖的中奖人。"));
    QString quantity = QStringLiteral("1");
    EXPECT_FALSE(form->makeUp(-1, &quantity));
    EXPECT_EQ(op.notices.last(), QStringLiteral("请先选择要补奖的奖项。"));
    // Level 1: item 2, small prizes first.
    EXPECT_FALSE(form->makeUp(2, &quantity));
    EXPECT_EQ(op.notices.last(), QStringLiteral("一等奖还没有中奖名单，无法补奖。"));

    EXPECT_TRUE(op.questions.isEmpty());
    EXPECT_EQ(dir.bytes(files::levelWinners(3)), before);
    EXPECT_EQ(dir.bytes(files::Leftover), left);
    EXPECT_EQ(dir.bytes(files::makeupRound(0)), pending);
    EXPECT_TRUE(draw->state().makeupActive());
    EXPECT_EQ(draw->state().makeupIndex(), 0);
    EXPECT_EQ(draw->state().makeupCount(), 1);
}

TEST_F(GiveUpFormTest, MakeUpOfMoreThanTheRemainder)
{
    drawRounds(2);   // level 3's two rounds
    const QStringList left = dir.lines(files::Leftover);
    ASSERT_EQ(left.size(), 3);
    form->activate();
    // More than any number: everyone left, after the question about the total.
    QString quantity = QStringLiteral("99999999999999999999");
    EXPECT_TRUE(form->makeUp(0, &quantity));
    EXPECT_EQ(quantity, QStringLiteral("3"));
    EXPECT_EQ(op.questions.size(), 1);
    EXPECT_EQ(op.notices.first(), QStringLiteral("未中奖人数不够，只能再补抽 3 名"));
    EXPECT_EQ(dir.lines(files::makeupRound(0)).mid(4), left);
    EXPECT_TRUE(draw->state().makeupActive());
}
