#include "help/help.h"
#include "support/recorders.h"
#include "support/testfolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;

TEST(GuideTest, AGuideThatCannotBeShownIsSaid)
{
    TestFolder dir;
    RecordingOperator op;
    const QString guide = dir.path(help::GuidePage);
    op.shellOpens = false;
    help::openGuide(dir.folder(), op);
    EXPECT_EQ(op.opened, QStringList{guide});
    ASSERT_EQ(op.notices.size(), 1);
    EXPECT_TRUE(op.notices[0].startsWith(QStringLiteral("这台电脑上没有能打开使用说明的程序。"))) << op.notices[0].toStdString();
    EXPECT_TRUE(op.notices[0].endsWith(QDir::toNativeSeparators(guide)));

    QFile::remove(guide);
    op.shellOpens = true;
    help::openGuide(dir.folder(), op);
    EXPECT_EQ(op.opened.size(), 1);
    ASSERT_EQ(op.notices.size(), 2);
    EXPECT_EQ(op.notices[1], QStringLiteral("找不到使用说明：\r") + QDir::toNativeSeparators(guide));
}
