#include "app/ui/mainwindow.h"
#include "engine/drawfiles.h"
#include "base/gbk.h"
#include "engine/prepare.h"
#include "support/recorders.h"
#include "support/testfolder.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;

namespace {

// The draw screen on a program folder with the shipped settings, as the
// program starts it.
class MainWindowTest : public ::testing::Test
{
protected:
    TestFolder dir{true};
    Session session;
    RecordingOperator op;
    RecordingSound sound;
    DrawRandom random{11};
    std::unique_ptr<TfrmMain> window;

    void start()
    {
        session.folder = dir.folder();
        window = std::make_unique<TfrmMain>(session, op, sound, random);
        window->FormCreate();
        window->resize(1280, 720);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    QLabel *label(const char *name) const { return window->findChild<QLabel *>(QString::fromLatin1(name)); }
    QAction *action(const char *name) const { return window->findChild<QAction *>(QString::fromLatin1(name)); }
};

QStringList themedNames()
{
    QStringList names{QStringLiteral("Label_title"), QStringLiteral("Label_subtitle"), QStringLiteral("Label_head"),
                      QStringLiteral("Label_award"), QStringLiteral("Label_award1")};
    for (int k = 1; k <= 10; ++k)
        names << QStringLiteral("Label_name%1").arg(k);
    return names;
}

} // namespace

TEST_F(MainWindowTest, EveryElementCarriesItsName)
{
    start();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("抽奖软件"));
    for (const QString &name : themedNames())
        EXPECT_NE(window->findChild<QLabel *>(name), nullptr) << name.toStdString();
    for (const char *name : {"Image1", "Image_start", "Image_end", "Image_award", "Image_award1", "Panel_curtain"})
        EXPECT_NE(window->findChild<QWidget *>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_NE(label("Label_curtain"), nullptr);
    // The menus are hidden after start-up.
    EXPECT_FALSE(window->menusShown());
}

TEST_F(MainWindowTest, StoredThemeColoursAndFacesEveryText)
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
    EXPECT_EQ(label("Label_curtain")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

TEST_F(MainWindowTest, ThemeWithoutItsPictureKeepsTheYellowText)
{
    dir.write(QStringLiteral("bgtheme.dll"), {QStringLiteral("bg\\nowhere\\1.jpg"), QStringLiteral("Blue"), QStringLiteral("宋体")});
    start();
    EXPECT_EQ(label("Label_name5")->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    EXPECT_EQ(label("Label_name5")->font().family(), QStringLiteral("宋体"));
}

TEST_F(MainWindowTest, ColourAndFontItemsChangeTheTextsAndAreSavedOnClose)
{
    start();
    action("N45")->trigger();   // 蓝
    action("N_KaiTi")->trigger();
    EXPECT_EQ(label("Label_title")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(label("Label_head")->font().family(), QStringLiteral("楷体"));
    // Nothing drawn: the window closes after the question about the unfinished draw.
    op.answers = {OperatorPort::Answer::Yes};
    window->close();
    EXPECT_EQ(dir.lines(QStringLiteral("bgtheme.dll")),
              (QStringList{QStringLiteral("bg\\red\\1.jpg"), QStringLiteral("Blue"), QStringLiteral("楷体")}));
}

TEST_F(MainWindowTest, CloseAnsweredNoKeepsTheWindowAndWritesNothing)
{
    start();
    const QByteArray theme = dir.bytes(QStringLiteral("bgtheme.dll"));
    action("N42")->trigger();
    op.answers = {OperatorPort::Answer::No};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(dir.bytes(QStringLiteral("bgtheme.dll")), theme);
}

TEST_F(MainWindowTest, KeysDrawAWholeRound)
{
    start();
    const RoundPlan first = drawfiles::readRound(dir.folder(), 0);
    QTest::keyClick(window.get(), Qt::Key_Space);
    EXPECT_TRUE(window->rollingTimerActive());
    QTest::qWait(120);
    QTest::keyClick(window.get(), Qt::Key_Return);
    EXPECT_FALSE(window->rollingTimerActive());
    EXPECT_EQ(session.state.roundIndex, 1);
    EXPECT_EQ(dir.lines(QStringLiteral("status.dll")), QStringList{QStringLiteral("1")});
    // The slots show exactly the round file's winners.
    QStringList shown;
    for (int k = 1; k <= 10; ++k)
        if (label(QStringLiteral("Label_name%1").arg(k).toLatin1())->isVisible())
            shown << label(QStringLiteral("Label_name%1").arg(k).toLatin1())->text();
    QStringList expected;
    for (const QByteArray &name : first.names)
        expected << gbk::decode(name);
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(label("Label_head")->text(), gbk::decode(first.headAfter));
}

TEST_F(MainWindowTest, ShowMenuAndFullScreenLock)
{
    start();
    const int slotTop = label("Label_name10")->y();
    action("N_showmenu")->trigger();
    EXPECT_TRUE(window->menusShown());
    // The menu bar takes height from the client area: the screen is laid out again.
    QTest::qWait(50);
    EXPECT_LT(label("Label_name10")->y(), slotTop);
    action("N_No_FullScreen")->trigger();
    EXPECT_TRUE(window->fullScreenLocked());
    EXPECT_EQ(window->size(), QSize(800, 600));
    // Clicking the screen while locked changes nothing.
    QTest::mouseClick(label("Label_title"), Qt::LeftButton);
    EXPECT_TRUE(window->menusShown());
    EXPECT_FALSE(window->isFullScreen());
    action("N_No_FullScreen")->trigger();
    EXPECT_FALSE(window->fullScreenLocked());
    EXPECT_FALSE(window->menusShown());
}

TEST_F(MainWindowTest, SoundSwitchSavesTheSettings)
{
    start();
    action("N_bgoff")->trigger();
    EXPECT_FALSE(session.settings.options.soundOn);
    EXPECT_EQ(dir.lines(QStringLiteral("Tlottery.dll")).value(70), QStringLiteral("0"));
    action("N_bgOn")->trigger();
    EXPECT_TRUE(session.settings.options.soundOn);
    EXPECT_EQ(dir.lines(QStringLiteral("Tlottery.dll")).value(70), QStringLiteral("1"));
    EXPECT_TRUE(sound.played.contains(QStringLiteral("play music")));
}
