#include "base/gbk.h"
#include "engine/drawfiles.h"
#include "support/windowtest.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QFontMetrics>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;

namespace {

using DrawScreenWindowTest = DrawScreenTest;

QStringList themedNames()
{
    QStringList names{QStringLiteral("titleLabel"), QStringLiteral("subtitleLabel"), QStringLiteral("statusLabel"),
                      QStringLiteral("leftPrizeLabel"), QStringLiteral("rightPrizeLabel")};
    for (int k = 1; k <= 10; ++k)
        names << QStringLiteral("nameSlot%1").arg(k);
    return names;
}

} // namespace

TEST_F(DrawScreenWindowTest, EveryControlIsNamedAndTheMenusHideAtStartUp)
{
    start();
    EXPECT_EQ(unnamedControls(window), QStringList());
    EXPECT_FALSE(window->menusShown());
}

TEST_F(DrawScreenWindowTest, StoredThemeColoursAndFacesEveryText)
{
    dir.write(QStringLiteral("bgtheme.dll"), {QStringLiteral("bg\\sky\\2.jpg"), QStringLiteral("Red"), QStringLiteral("楷体")});
    QImage picture(32, 18, QImage::Format_RGB32);
    picture.fill(Qt::cyan);
    QDir(dir.root()).mkpath(QStringLiteral("bg/sky"));
    ASSERT_TRUE(picture.save(dir.path(QStringLiteral("bg\\sky\\2.jpg")), "JPG"));
    start();
    for (const QString &name : themedNames()) {
        QLabel *l = window->findChild<QLabel *>(name);
        EXPECT_EQ(l->palette().color(QPalette::WindowText), QColor(255, 0, 0)) << name.toStdString();
        EXPECT_EQ(l->font().family(), QStringLiteral("楷体")) << name.toStdString();
    }
    // The caption strip keeps its own look.
    EXPECT_EQ(label("captionLabel")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

TEST_F(DrawScreenWindowTest, ThemeWithoutItsPictureKeepsTheYellowText)
{
    dir.write(QStringLiteral("bgtheme.dll"), {QStringLiteral("bg\\nowhere\\1.jpg"), QStringLiteral("Blue"), QStringLiteral("宋体")});
    start();
    EXPECT_EQ(label("nameSlot5")->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    EXPECT_EQ(label("nameSlot5")->font().family(), QStringLiteral("宋体"));
}

TEST_F(DrawScreenWindowTest, ColourAndFontItemsChangeTheTextsAndAreSavedOnClose)
{
    start();
    action("colourBlue")->trigger();   // 蓝
    action("fontKaiTi")->trigger();
    EXPECT_EQ(label("titleLabel")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(label("statusLabel")->font().family(), QStringLiteral("楷体"));
    // Nothing drawn: the window closes after the question about the unfinished draw.
    op.answers = {OperatorPort::Answer::Yes};
    window->close();
    EXPECT_EQ(dir.lines(QStringLiteral("bgtheme.dll")),
              (QStringList{QStringLiteral("bg\\red\\1.jpg"), QStringLiteral("Blue"), QStringLiteral("楷体")}));
}

TEST_F(DrawScreenWindowTest, CloseAnsweredNoKeepsTheWindowAndWritesNothing)
{
    start();
    const QByteArray theme = dir.bytes(QStringLiteral("bgtheme.dll"));
    action("colourRed")->trigger();
    op.answers = {OperatorPort::Answer::No};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(dir.bytes(QStringLiteral("bgtheme.dll")), theme);
}

TEST_F(DrawScreenWindowTest, KeysDrawAWholeRound)
{
    start();
    const RoundFile first = RoundFile::read(dir.folder(), files::round(0));
    QTest::keyClick(window, Qt::Key_Space);
    EXPECT_TRUE(draw().rolling());
    QTest::qWait(120);
    QTest::keyClick(window, Qt::Key_Return);
    EXPECT_FALSE(draw().rolling());
    EXPECT_EQ(draw().state().roundIndex(), 1);
    EXPECT_EQ(dir.lines(QStringLiteral("status.dll")), QStringList{QStringLiteral("1")});
    // The slots show exactly the round file's winners.
    QStringList shown;
    for (int k = 1; k <= 10; ++k)
        if (label(QStringLiteral("nameSlot%1").arg(k))->isVisible())
            shown << label(QStringLiteral("nameSlot%1").arg(k))->text();
    QStringList expected;
    for (const QByteArray &name : first.names)
        expected << gbk::decode(name);
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(label("statusLabel")->text(), gbk::decode(first.headAfter));
}

TEST_F(DrawScreenWindowTest, ShowMenuAndFullScreenLock)
{
    start();
    const int slotTop = label("nameSlot10")->y();
    action("showMenuAction")->trigger();
    EXPECT_TRUE(window->menusShown());
    // The menu bar takes height from the client area: the screen is laid out again.
    QTest::qWait(50);
    EXPECT_LT(label("nameSlot10")->y(), slotTop);
    action("fullScreenLockAction")->trigger();
    EXPECT_TRUE(window->fullScreenLocked());
    EXPECT_EQ(window->size(), QSize(800, 600));
    // Clicking the screen while locked changes nothing.
    QTest::mouseClick(label("titleLabel"), Qt::LeftButton);
    EXPECT_TRUE(window->menusShown());
    EXPECT_FALSE(window->isFullScreen());
    action("fullScreenLockAction")->trigger();
    EXPECT_FALSE(window->fullScreenLocked());
    EXPECT_FALSE(window->menusShown());
}

TEST_F(DrawScreenWindowTest, SoundSwitchSavesTheSettings)
{
    start();
    action("soundOffAction")->trigger();
    EXPECT_FALSE(draw().settings().options.soundOn);
    EXPECT_EQ(dir.lines(QStringLiteral("Tlottery.dll")).value(70), QStringLiteral("0"));
    action("soundOnAction")->trigger();
    EXPECT_TRUE(draw().settings().options.soundOn);
    EXPECT_EQ(dir.lines(QStringLiteral("Tlottery.dll")).value(70), QStringLiteral("1"));
    EXPECT_TRUE(sound.played.contains(QStringLiteral("play music")));
}

TEST_F(DrawScreenWindowTest, APrizeTextLongerThanItsCornerShrinksToFitWhole)
{
    // The first level announced is the smallest prize, the factory's 保温杯.
    start();
    QLabel *corner = label("leftPrizeLabel");
    EXPECT_EQ(corner->text(), QStringLiteral("奖品保温杯"));
    const int full = corner->font().pointSize();
    window->resize(1920, 1080);
    QCoreApplication::processEvents();
    EXPECT_GT(corner->font().pointSize(), full) << "a larger screen, a larger font";

    program.reset();
    AwardSettings settings = awardfile::load(dir.folder());
    settings.levels[3].prizeText = gbk::fromUtf8("笔记本电脑、平板电脑、蓝牙耳机和保温杯各一件");
    awardfile::save(dir.folder(), settings);
    start();
    corner = label("leftPrizeLabel");
    EXPECT_LT(corner->font().pointSize(), full);
    EXPECT_LE(QFontMetrics(corner->font()).horizontalAdvance(corner->text()), corner->width());
}

TEST_F(DrawScreenWindowTest, AnAssistiveToolsChoiceOfTheListEditorReturnsWhileItIsOpen)
{
    start();
    action("showMenuAction")->trigger();
    auto *menu = window->findChild<QMenu *>(QString(), Qt::FindChildrenRecursively);
    QMenu *settings = nullptr;
    for (QMenu *m : window->findChildren<QMenu *>())
        if (m->menuAction()->objectName() == QStringLiteral("settingsMenu"))
            settings = m;
    ASSERT_NE(settings, nullptr);
    Q_UNUSED(menu);
    // A window that ran inside the action would keep it from returning: it
    // is closed after a while, so such a failure ends.
    QTimer::singleShot(5000, window, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->hide();
    });
    QAccessibleInterface *items = QAccessible::queryAccessibleInterface(settings);
    QAccessibleInterface *item = nullptr;
    for (int i = 0; i < items->childCount(); ++i)
        if (items->child(i)->text(QAccessible::Name) == QStringLiteral("人员名单"))
            item = items->child(i);
    ASSERT_NE(item, nullptr);
    item->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    auto *editor = window->findChild<QDialog *>(QStringLiteral("ParticipantListDialog"));
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible()) << "the action returned only once the window had gone";
    editor->close();
}
