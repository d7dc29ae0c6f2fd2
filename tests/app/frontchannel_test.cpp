#include "app/frontchannel.h"
#include "support/testfolder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace sorvix;
using sorvix::test::TestFolder;

TEST(FrontChannel, ASecondStartReachesOnlyTheProgramOfItsOwnFolder)
{
    TestFolder running;
    TestFolder other;
    EXPECT_FALSE(FrontChannel::askToFront(running.root()));

    int calls = 0;
    FrontChannel channel(running.root());
    ASSERT_TRUE(channel.listen([&calls] { ++calls; }));
    EXPECT_FALSE(FrontChannel::askToFront(other.root()));
    ASSERT_TRUE(FrontChannel::askToFront(running.root()));
    QElapsedTimer waited;
    waited.start();
    while (calls == 0 && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(calls, 1);

    // A channel left by a crashed program is taken over by the next one.
    FrontChannel next(running.root());
    EXPECT_TRUE(next.listen([] {}));
}
