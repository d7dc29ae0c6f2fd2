#include "presentation/caption.h"

#include <gtest/gtest.h>

using sorvix::CaptionScroller;

TEST(CaptionScroll, FirstPassFromRightEdgeThenReentersInside)
{
    CaptionScroller c;
    c.setWidth(500);
    c.relayout(1918);
    EXPECT_EQ(c.left(), 1918);

    int ticks = 0;
    while (c.left() > -501) {
        c.tick();
        ++ticks;
        ASSERT_LE(ticks, 10000);
    }
    EXPECT_EQ(ticks, 2419);
    EXPECT_EQ(c.left(), -501);

    EXPECT_EQ(c.tick(), 1818);
    // The second pass starts 100 pixels inside and moves on from there.
    EXPECT_EQ(c.tick(), 1817);
}

TEST(CaptionScroll, EdgeAtMinusWidthStillMoves)
{
    CaptionScroller c;
    c.setWidth(10);
    c.relayout(100);
    for (int i = 0; i < 110; ++i)
        c.tick();
    EXPECT_EQ(c.left(), -10); // exactly out of sight is not yet "left"
    EXPECT_EQ(c.tick(), -11);
    EXPECT_EQ(c.tick(), 0);
}

TEST(CaptionScroll, RelayoutRestartsAtNewEdgeAndWidthChangeKeepsPosition)
{
    CaptionScroller c;
    c.setWidth(200);
    c.relayout(1000);
    for (int i = 0; i < 50; ++i)
        c.tick();
    c.setWidth(800);
    EXPECT_EQ(c.left(), 950);

    c.relayout(798);
    EXPECT_EQ(c.left(), 798);
    while (c.left() >= -800)
        c.tick();
    EXPECT_EQ(c.tick(), 698);
}
