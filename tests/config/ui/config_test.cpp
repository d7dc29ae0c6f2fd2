#include "app/ui/drawscreenwindow.h"
#include "base/gbk.h"
#include "config/ui/aboutdialog.h"
#include "config/ui/quickhelpdialog.h"
#include "engine/prepare.h"
#include "support/recorders.h"
#include "support/testfolder.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;

namespace {

QString guide(const TestFolder &dir)
{
    return dir.path(QStringLiteral("help\\guide.html"));
}

} // namespace

TEST(QuickHelpWindow, ShowsTheTwoStepsAndRecordsItsCloseInQuickhelpDll)
{
    TestFolder dir;
    RecordingOperator op;
    QuickHelpDialog window(dir.folder(), op);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("快速设置帮助"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.size(), QSize(574, 307));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());

    auto *memo = window.findChild<QPlainTextEdit *>(QStringLiteral("helpText"));
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->geometry(), QRect(0, 0, 574, 289));
    EXPECT_EQ(memo->font().pixelSize(), 13);
    const QStringList lines = memo->toPlainText().split(QLatin1Char('\n'));
    const QString indent(6, QLatin1Char(' '));
    EXPECT_EQ(lines, (QStringList{QString(), indent + QStringLiteral("右键显示主菜单。"), QString(),
                                  indent + QStringLiteral("两个主要步骤，完成抽奖设置。"),
                                  indent + QStringLiteral("1，点击【设置】－【人员名单】，导入或者现场编辑人员名单。"),
                                  indent + QStringLiteral("2，点击【设置】－【奖项设置】，设置奖项。"),
                                  indent + QStringLiteral("开始抽奖。")}));
    auto *box = window.findChild<QCheckBox *>(QStringLiteral("notAtStartSwitch"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("软件启动时不再自动显示"));
    EXPECT_FALSE(box->isVisible());

    // Escape closes it the same way as the title bar.
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(dir.bytes(QStringLiteral("quickhelp.dll")), QByteArray("1\r\n"));

    // A quickhelp.dll that can't be written is reported; the window closes all the same.
    QFile::remove(dir.path(QStringLiteral("quickhelp.dll")));
    QDir(dir.root()).mkdir(QStringLiteral("quickhelp.dll"));
    window.show();
    window.close();
    EXPECT_FALSE(window.isVisible());
    ASSERT_EQ(op.notices.size(), 1);
    EXPECT_TRUE(op.notices[0].startsWith(QStringLiteral("无法写入文件")));
}

TEST(AboutWindow, ShowsProductVersionAndMakerAndOpensTheGuide)
{
    TestFolder dir;
    RecordingOperator op;
    AboutDialog window(dir.folder(), op);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("关于"));
    EXPECT_EQ(window.size(), QSize(298, 157));

    const auto label = [&](const char *name) { return window.findChild<QLabel *>(QString::fromLatin1(name)); };
    EXPECT_EQ(label("productLabel")->text(), QStringLiteral("Sorvix软件"));
    EXPECT_EQ(label("productLabel")->font().pixelSize(), 13);
    EXPECT_EQ(label("versionLabel")->text(), QStringLiteral("v4.2.1"));
    EXPECT_EQ(label("makerLabel")->text(), QStringLiteral("Qenwood出品"));
    EXPECT_EQ(label("productLabel")->toolTip(), QStringLiteral("点击打开主页"));
    EXPECT_EQ(label("makerLabel")->toolTip(), QStringLiteral("点击进入主页"));
    EXPECT_EQ(label("addressLabel")->toolTip(), QStringLiteral("点击进入官网"));

    for (const char *name : {"productLabel", "versionLabel", "makerLabel", "addressLabel"})
        QTest::mouseClick(label(name), Qt::LeftButton);
    EXPECT_EQ(op.opened, QStringList(3, guide(dir)));
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

namespace {

class ConfigMenuTest : public ::testing::Test
{
protected:
    TestFolder dir{true};
    Session session;
    RecordingOperator op;
    RecordingSound sound;
    DrawRandom random{3};
    std::unique_ptr<DrawScreenWindow> window;

    void SetUp() override
    {
        session.folder = dir.folder();
        window = std::make_unique<DrawScreenWindow>(session, op, sound, random);
        window->runStartup();
        window->resize(1280, 720);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    QAction *action(const char *name) const { return window->findChild<QAction *>(QString::fromLatin1(name)); }
    QLabel *label(const char *name) const { return window->findChild<QLabel *>(QString::fromLatin1(name)); }
};

} // namespace

TEST_F(ConfigMenuTest, ImportAndRestoreReachTheDrawScreen)
{
    for (const char *name : {"saveBundleAction", "importBundleAction", "restoreDefaultsAction", "quickHelpAction", "guideAction", "aboutAction"})
        EXPECT_TRUE(action(name)->isEnabled()) << name;
    action("guideAction")->trigger();
    EXPECT_EQ(op.opened, QStringList{guide(dir)});

    // A bundle saved here, given another title and face, comes back onto the screen.
    op.saveName = dir.path(QStringLiteral("party.drcf"));
    action("saveBundleAction")->trigger();
    Lines lines = textfile::splitLines(dir.bytes(QStringLiteral("party.drcf")));
    ASSERT_GT(lines.size(), 97);
    lines[4] = gbk::fromUtf8("楷体");
    lines[8] = gbk::fromUtf8("年会抽奖");
    dir.writeBytes(QStringLiteral("party.drcf"), textfile::joinLines(lines));
    op.openName = dir.path(QStringLiteral("party.drcf"));
    action("importBundleAction")->trigger();
    EXPECT_EQ(op.notices.last(), QStringLiteral("配置文件 ") + op.openName + QStringLiteral(" 导入成功。"));
    EXPECT_EQ(label("titleLabel")->text(), QStringLiteral("年会抽奖"));
    EXPECT_EQ(label("nameSlot3")->font().family(), QStringLiteral("楷体"));

    op.answers = {OperatorPort::Answer::Yes};
    action("restoreDefaultsAction")->trigger();
    EXPECT_EQ(op.notices.last(), QStringLiteral("恢复默认设置成功。"));
    EXPECT_EQ(label("titleLabel")->text(), QStringLiteral("Qenwood科技有限公司新年联欢会"));
    EXPECT_TRUE(window->menusShown());
}
