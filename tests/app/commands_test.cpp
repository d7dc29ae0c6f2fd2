#include "app/commands.h"
#include "support/recorders.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;

TEST(RecordCommandsTest, AHistoryThatCannotBeShownIsSaid)
{
    TestFolder dir;
    Session session;
    session.folder = dir.folder();
    RecordingOperator op;
    RecordCommands commands(session, op);

    commands.openHistory();
    EXPECT_TRUE(op.opened.isEmpty());
    ASSERT_EQ(op.notices.size(), 1);
    EXPECT_TRUE(op.notices[0].startsWith(QStringLiteral("还没有抽奖历史。")));

    dir.write(files::History, {QStringLiteral("2025-01-28 一等奖")});
    op.shellOpens = false;
    commands.openHistory();
    EXPECT_EQ(op.opened, QStringList{dir.path(files::History)});
    ASSERT_EQ(op.notices.size(), 2);
    EXPECT_TRUE(op.notices[1].contains(QStringLiteral("没有能打开抽奖历史的程序"))) << op.notices[1].toStdString();
}
