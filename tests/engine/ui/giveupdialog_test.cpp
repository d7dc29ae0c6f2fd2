#include "engine/ui/giveupdialog.h"

#include "engine/drawfiles.h"
#include "engine/makeup.h"
#include "support/windowtest.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;

namespace {

template <typename T> T *child(QWidget *w, const char *name)
{
    return w->findChild<T *>(QString::fromLatin1(name));
}

// The demo event on the draw screen, drawn with the keys.
using GiveUpDialogTest = DrawScreenTest;

} // namespace

TEST_F(GiveUpDialogTest, GiveUpAndMakeUpAreDrawnWithTheKeysThenThePlanGoesOn)
{
    start();
    // Draw until some level has all its rounds drawn.
    while (draw().makeupLevels().empty())
        drawOneRound();
    const int level = makeup::levelOfItem(draw().settings(), 0);
    const int roundIndex = draw().state().roundIndex();
    ASSERT_LT(roundIndex, draw().state().roundCount());
    const Lines before = levelwinners::readNames(dir.folder(), level);
    const QByteArray firstLeft = drawfiles::readLeftover(dir.folder()).value(0);

    // The menu's command returns with the window open.
    action(QStringLiteral("giveUpAction"))->trigger();
    auto *w = window->findChild<GiveUpDialog *>();
    ASSERT_TRUE(w && w->isVisible());
    ASSERT_TRUE(becomesActive(w));
    EXPECT_EQ(unnamedControls(w), QStringList());
    // Centred on the draw screen.
    EXPECT_LE((w->frameGeometry().center() - window->frameGeometry().center()).manhattanLength(), 2);

    auto *levels = child<QComboBox>(w, "giveUpLevelList");
    auto *list = child<QListView>(w, "giveUpWinnersList");
    auto *quantity = child<QLineEdit>(w, "makeUpQuantityEdit");
    // Nothing chosen: a message each, nothing written.
    QTest::mouseClick(child<QPushButton>(w, "giveUpButton"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(w, "makeUpButton"), Qt::LeftButton);
    EXPECT_EQ(op.notices, QStringList({QStringLiteral("请先在名单中选择要弃奖的中奖人。"),
                                       QStringLiteral("请先选择要补奖的奖项。")}));
    EXPECT_TRUE(w->isVisible());

    levels->setCurrentIndex(level);
    ASSERT_EQ(list->model()->rowCount(), before.size());
    list->setCurrentIndex(list->model()->index(0, 0));
    QTest::mouseClick(child<QPushButton>(w, "giveUpButton"), Qt::LeftButton);
    EXPECT_EQ(list->model()->rowCount(), before.size() - 1);

    quantity->setText(QStringLiteral("7"));
    quantity->selectAll();
    QTest::keyClicks(quantity, QStringLiteral("0"));
    EXPECT_EQ(quantity->text(), QStringLiteral("1"));
    child<QComboBox>(w, "makeUpLevelList")->setCurrentIndex(0);
    QTest::mouseClick(child<QPushButton>(w, "makeUpButton"), Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());

    ASSERT_TRUE(draw().state().makeupActive());
    EXPECT_EQ(levelwinners::readNames(dir.folder(), level), before.mid(1));
    EXPECT_TRUE(becomesActive(window));

    // The make-up round, with the keys, then the plan where it stood.
    drawOneRound();
    EXPECT_FALSE(draw().state().makeupActive());
    EXPECT_EQ(draw().state().roundIndex(), roundIndex);
    EXPECT_EQ(levelwinners::readNames(dir.folder(), level), before.mid(1) << firstLeft);
    drawOneRound();
    EXPECT_EQ(draw().state().roundIndex(), roundIndex + 1);
}
