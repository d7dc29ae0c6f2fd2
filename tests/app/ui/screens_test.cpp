// A laptop wired to a projector: the draw screen for the room, the console,
// the questions and the editors for the operator. Run on a platform with two
// screens (the TwoScreens test of ctest); skipped on one.

#include "app/ui/operatorconsole.h"
#include "base/ui/qtoperator.h"
#include "support/windowtest.h"

#include <QDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;

namespace {

class TwoScreens : public DrawScreenTest
{
protected:
    void SetUp() override
    {
        if (QGuiApplication::screens().size() < 2)
            GTEST_SKIP() << "one screen here";
        start(QSize());
    }
    OperatorConsole &console() { return program->console(); }
    QAction *consoleAction(const char *name) { return console().findChild<QAction *>(QString::fromLatin1(name)); }
};

} // namespace

TEST_F(TwoScreens, TheRoomGetsTheProjectorAndTheOperatorTheLaptop)
{
    EXPECT_EQ(window->screen()->name(), QStringLiteral("projector"));
    EXPECT_EQ(window->geometry(), window->screen()->geometry());
    ASSERT_TRUE(console().isVisible());
    EXPECT_EQ(console().screen()->name(), QStringLiteral("laptop"));
    EXPECT_EQ(unnamedControls(&console()), QStringList());

    // A round from the console's button, then one from the keys pressed there.
    auto *button = console().findChild<QPushButton *>(QStringLiteral("consoleButton"));
    button->click();
    EXPECT_TRUE(draw().rolling());
    EXPECT_EQ(button->text(), QStringLiteral("停止"));
    button->click();
    QTest::keyClick(&console(), Qt::Key_Space);
    QTest::keyClick(&console(), Qt::Key_Return);
    EXPECT_EQ(dir.lines(files::Status), QStringList{QStringLiteral("2")});
    EXPECT_FALSE(console().findChild<QLabel *>(QStringLiteral("consoleWinners"))->text().isEmpty());
}

TEST_F(TwoScreens, QuestionsAndEditorsStayWithTheOperator)
{
    // Even with the draw screen in front, a box stands over the console.
    QtOperator boxes;
    boxes.setWindows(&console(), window);
    window->activateWindow();
    EXPECT_EQ(boxes.parentWidget(), &console());

    consoleAction("participantListAction")->trigger();
    auto *editor = window->findChild<QDialog *>(QStringLiteral("ParticipantListDialog"));
    if (!editor)
        editor = console().findChild<QDialog *>(QStringLiteral("ParticipantListDialog"));
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->screen()->name(), QStringLiteral("laptop"));
    EXPECT_EQ(boxes.parentWidget(), editor);
    editor->close();
}

TEST_F(TwoScreens, TheOperatorsChoiceOfScreenMovesTheDrawAndIsRemembered)
{
    QMenu *screenMenu = nullptr;
    for (QMenu *menu : console().findChildren<QMenu *>())
        if (menu->menuAction()->objectName() == QStringLiteral("screenMenu"))
            screenMenu = menu;
    ASSERT_NE(screenMenu, nullptr);
    ASSERT_EQ(screenMenu->actions().size(), 2);
    EXPECT_TRUE(screenMenu->actions()[1]->isChecked());
    screenMenu->actions()[0]->trigger();
    QTest::qWait(50);
    EXPECT_EQ(window->screen()->name(), QStringLiteral("laptop"));
    EXPECT_EQ(console().screen()->name(), QStringLiteral("projector"));
    EXPECT_EQ(dir.lines(QStringLiteral("projector.dll")), QStringList{QStringLiteral("laptop")});
    // The round goes on where it stood.
    drawOneRound();
    EXPECT_EQ(dir.lines(files::Status), QStringList{QStringLiteral("1")});
}

TEST_F(TwoScreens, AWindowLeftWhereAPulledOutScreenStoodIsBroughtOntoItsScreen)
{
    // The system hands the draw screen to the laptop as the projector goes,
    // but leaves it where the projector was.
    QScreen *laptop = console().screen();
    const QRect projectorArea = window->geometry();
    window->windowHandle()->setScreen(laptop);
    ASSERT_EQ(window->geometry(), projectorArea);
    window->moveToScreen(laptop);
    EXPECT_EQ(window->geometry(), laptop->geometry());
    EXPECT_TRUE(window->isFullScreen());
}
