#include "base/gbk.h"
#include "support/windowtest.h"

#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;

using ConfigMenuTest = DrawScreenTest;

TEST_F(ConfigMenuTest, ImportAndRestoreReachTheDrawScreen)
{
    start();
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
