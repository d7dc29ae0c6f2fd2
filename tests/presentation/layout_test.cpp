#include "presentation/layout.h"

#include <QSize>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace sorvix::layout;

namespace {

void expectSlotTops(const ScreenLayout &l, std::initializer_list<int> tops)
{
    int k = 1;
    for (int top : tops) {
        EXPECT_EQ(l.slot(k).top(), top) << "slot " << k;
        ++k;
    }
}

} // namespace

TEST(LayoutRounding, HalvesGoToEvenNeighbour)
{
    EXPECT_EQ(roundHalfEven(0.5L), 0);
    EXPECT_EQ(roundHalfEven(1.5L), 2);
    EXPECT_EQ(roundHalfEven(2.5L), 2);
    EXPECT_EQ(roundHalfEven(-2.5L), -2);
    EXPECT_EQ(roundHalfEven(2.5000001L), 3);
    // 0.06 and 0.01 keep exact halves exact.
    EXPECT_EQ(scaled(Factor006, 25), 2);
    EXPECT_EQ(scaled(Factor006, 75), 4);
    EXPECT_EQ(scaled(Factor001, 250), 2);
}

TEST(LayoutRounding, SinglePrecisionFactorsTipHalvesUp)
{
    EXPECT_EQ(scaled(Factor007, 150), 11);
    EXPECT_EQ(scaled(Factor007, 350), 25);
    EXPECT_EQ(scaled(Factor009, 250), 23);
    EXPECT_EQ(scaled(Factor009, 450), 41);
}

TEST(LayoutRounding, PointsFromBoxHeight)
{
    EXPECT_EQ(points(65, 10, 96), 39);  // 48.75
    EXPECT_EQ(points(50, 0, 96), 38);   // 37.5 to even
    EXPECT_EQ(points(54, 0, 96), 40);   // 40.5 to even
    EXPECT_EQ(points(65, 10, 120), 29); // 39
}

TEST(ScreenLayoutTest, FullHdCaptionOnTop)
{
    const ScreenLayout l = computeLayout(1920, 1080, 0, 96);

    EXPECT_EQ(l.strip, QRect(1, 0, 1918, 30));
    EXPECT_TRUE(l.stripVisible);
    EXPECT_EQ(l.captionLeft, 1918);

    EXPECT_EQ(l.title.rect, QRect(0, 50, 1920, 65));
    EXPECT_EQ(l.title.fontPt, 39);
    EXPECT_EQ(l.subtitle.rect, QRect(0, 126, 1920, 65));
    EXPECT_EQ(l.subtitle.fontPt, 37);
    EXPECT_EQ(l.freeHeight, 786);

    EXPECT_EQ(l.head.rect, QRect(0, 202, 1920, 55));
    EXPECT_EQ(l.slotFontPt, 36);
    EXPECT_EQ(l.head.fontPt, 21);

    expectSlotTops(l, {273, 344, 415, 486, 557, 628, 699, 770, 841, 912});
    for (int k = 1; k <= 10; ++k)
        EXPECT_EQ(l.slot(k).height(), 55) << "slot " << k;
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(l.slot(k).left(), 0);
        EXPECT_EQ(l.slot(k).width(), 1920);
    }
    for (int k = 6; k <= 8; ++k) {
        EXPECT_EQ(l.slot(k).left(), 200);
        EXPECT_EQ(l.slot(k).width(), 1520);
    }
    for (int k = 9; k <= 10; ++k) {
        EXPECT_EQ(l.slot(k).left(), 293);
        EXPECT_EQ(l.slot(k).width(), 1334);
    }

    EXPECT_EQ(l.start, QRect(844, 1030, 76, 33));
    EXPECT_EQ(l.end, QRect(1000, 1030, 76, 33));

    EXPECT_EQ(l.prizePicture[0], QRect(0, 918, 288, 162));
    EXPECT_EQ(l.prizePicture[1], QRect(1632, 918, 288, 162));
    EXPECT_EQ(l.prizeText[0].rect, QRect(0, 878, 288, 40));
    EXPECT_EQ(l.prizeText[1].rect, QRect(1632, 878, 288, 40));
    EXPECT_EQ(l.prizeText[0].fontPt, 21);
    EXPECT_EQ(l.prizeText[1].fontPt, 21);
}

TEST(ScreenLayoutTest, PrizeCaptionsHoldALineOfTheirFontRightAboveThePicture)
{
    for (const QSize size : {QSize(1024, 768), QSize(1920, 1080), QSize(2560, 1440), QSize(3840, 2160)})
        for (int P = 0; P <= 2; ++P) {
            const ScreenLayout l = computeLayout(size.width(), size.height(), P, 96);
            for (int c = 0; c < 2; ++c) {
                const QRect &text = l.prizeText[c].rect;
                // A Chinese line needs a good quarter more than the face's size.
                EXPECT_GE(text.height(), 1.25 * l.prizeText[c].fontPt * 96 / 72) << size.width() << " " << P;
                EXPECT_GE(text.height(), PrizeTextHeight);
                EXPECT_EQ(text.bottom() + 1, l.prizePicture[c].top());
                EXPECT_EQ(text.width(), l.prizePicture[c].width());
            }
        }
    // A title box shorter than a line of its font grows evenly about its middle.
    const ScreenLayout large = computeLayout(3840, 2160, 0, 96);
    const QRect title = lineBox(large.title, 96);
    EXPECT_LE(std::abs(title.center().y() - large.title.rect.center().y()), 1);
    EXPECT_GE(title.height(), 1.25 * large.title.fontPt * 96 / 72);
    EXPECT_EQ(lineBox(TextBox{QRect(0, 0, 100, 100), 10}, 96), QRect(0, 0, 100, 100));
    // A text wider than its corner shrinks in proportion; one that fits keeps its size.
    EXPECT_EQ(fittedPoints(40, 300, 300), 40);
    EXPECT_EQ(fittedPoints(40, 600, 300), 20);
    EXPECT_EQ(fittedPoints(4, 6000, 10), 1);
}

TEST(ScreenLayoutTest, LaptopCaptionAtBottom)
{
    const ScreenLayout l = computeLayout(1366, 768, 1, 96);

    EXPECT_EQ(l.strip, QRect(1, 738, 1364, 30));
    EXPECT_TRUE(l.stripVisible);
    EXPECT_EQ(l.title.rect.top(), 30);
    EXPECT_EQ(l.freeHeight, 547);
    EXPECT_EQ(l.head.rect.top(), 138);
    EXPECT_EQ(l.head.rect.height(), 38);
    EXPECT_EQ(l.slot(1).top(), 138 + 49);
    EXPECT_EQ(l.slot(2).top() - l.slot(1).top(), 49);
    EXPECT_EQ(l.slot(10).top() - l.slot(9).top(), 49);
    EXPECT_EQ(l.start.top(), 698);
    EXPECT_EQ(l.end.top(), 698);
    EXPECT_EQ(l.prizePicture[0], QRect(0, 623, 204, 115));
    EXPECT_EQ(l.prizePicture[1], QRect(1366 - 204, 623, 204, 115));
    EXPECT_EQ(l.prizeText[0].rect.top(), 593);
    EXPECT_EQ(l.prizeText[1].rect.top(), 593);
}

TEST(ScreenLayoutTest, WindowedCaptionOff)
{
    const ScreenLayout l = computeLayout(800, 600, 2, 96);

    EXPECT_FALSE(l.stripVisible);
    EXPECT_EQ(l.strip.top(), 570);
    EXPECT_EQ(l.title.rect, QRect(0, 30, 800, 36));
    EXPECT_EQ(l.title.fontPt, 17);
    EXPECT_EQ(l.start.top(), 530);
    EXPECT_EQ(l.prizePicture[0], QRect(0, 510, 120, 90));
    EXPECT_EQ(l.prizeText[0].rect.top(), 480);
}

TEST(ScreenLayoutTest, CaptionPositionOutOfRangeKeepsStripButNotTop)
{
    const ScreenLayout l = computeLayout(1024, 768, 7, 96, StripState{738, false});

    EXPECT_EQ(l.strip, QRect(1, 738, 1022, 30));
    EXPECT_FALSE(l.stripVisible);
    EXPECT_EQ(l.captionLeft, 1022);
    // Every other step treats it as neither top nor bottom.
    EXPECT_EQ(l.title.rect.top(), 30);
    EXPECT_EQ(l.start.top(), 768 - 70);
    EXPECT_EQ(l.prizePicture[0].top(), 768 - 115);

    const ScreenLayout again = computeLayout(1024, 700, -1, 96, l.stripState());
    EXPECT_EQ(again.strip.top(), 738);
    EXPECT_FALSE(again.stripVisible);
}

TEST(ScreenLayoutTest, RoundingSensitiveHeights)
{
    // H 275: 0.06 H is 16.5 exactly and goes down to 16.
    EXPECT_EQ(computeLayout(400, 275, 2, 96).title.rect.height(), 16);
    // H 289 leaves 150 pixels free; 0.07 of it lands on 11, not 10.
    const ScreenLayout l = computeLayout(400, 289, 2, 96);
    ASSERT_EQ(l.freeHeight, 150);
    EXPECT_EQ(l.head.rect.height(), 11);
    EXPECT_EQ(l.slot(1).height(), 11);
    EXPECT_EQ(l.slot(2).top() - l.slot(1).top(), 14); // 13.5000005
}

TEST(ScreenLayoutTest, TitleBoxIndependentOfContent)
{
    // The layout takes no hide flags: the subtitle sits below the title's box
    // whether the title shows or not, and only the caption position moves it.
    const ScreenLayout top = computeLayout(1920, 1080, 0, 96);
    const ScreenLayout off = computeLayout(1920, 1080, 2, 96);
    EXPECT_EQ(top.subtitle.rect.top(), top.title.rect.bottom() + 1 + 11);
    EXPECT_EQ(top.subtitle.rect.top() - off.subtitle.rect.top(), 20);
}

TEST(ScreenLayoutTest, OddWidthTruncatesCentre)
{
    const ScreenLayout l = computeLayout(1365, 768, 0, 96);
    EXPECT_EQ(l.start.left(), 682 - 76 - 40);
    EXPECT_EQ(l.end.left(), 682 + 40);
    EXPECT_EQ(l.prizePicture[0].width(), 204); // 204.75
    EXPECT_EQ(l.slot(9).width(), 1365 - 408 - 10);
    EXPECT_EQ(l.slot(9).left(), 209); // (1365 - 947) / 2
}

TEST(ScreenGrowthTest, UpToFullHdOnEitherSideTheRulesStand)
{
    for (const QSize size : {QSize(1920, 1080), QSize(1280, 1024), QSize(3840, 1080), QSize(1920, 2160)}) {
        const ScreenGrowth g(size.width(), size.height());
        EXPECT_FALSE(g.grown()) << size.width() << "x" << size.height();
        EXPECT_EQ(g.base(), size);
        EXPECT_EQ(g.rect(QRect(3, 5, 7, 9)), QRect(3, 5, 7, 9));
    }
    EXPECT_EQ(computeLayout(3840, 1080, 0, 96).prizePicture[1], QRect(3840 - 576, 918, 576, 162));
}

TEST(ScreenGrowthTest, AnUltraHdScreenIsTheFullHdScreenDoubled)
{
    const auto doubled = [](const QRect &r) { return QRect(2 * r.x(), 2 * r.y(), 2 * r.width(), 2 * r.height()); };
    for (int P = 0; P <= 2; ++P) {
        const ScreenLayout hd = computeLayout(1920, 1080, P, 96);
        const ScreenLayout uhd = computeLayout(3840, 2160, P, 96);
        // The strip keeps its one-pixel margins.
        EXPECT_EQ(uhd.strip, QRect(1, 2 * hd.strip.top(), 3838, 60)) << P;
        EXPECT_EQ(uhd.stripVisible, hd.stripVisible);
        EXPECT_EQ(uhd.captionLeft, 3838);
        EXPECT_EQ(uhd.captionPixels, 38);
        EXPECT_EQ(uhd.captionTop, 10);
        for (auto box : {&ScreenLayout::title, &ScreenLayout::subtitle, &ScreenLayout::head}) {
            EXPECT_EQ((uhd.*box).rect, doubled((hd.*box).rect)) << P;
            EXPECT_EQ((uhd.*box).fontPt, 2 * (hd.*box).fontPt) << P;
        }
        for (int k = 1; k <= SlotCount; ++k)
            EXPECT_EQ(uhd.slot(k), doubled(hd.slot(k))) << "slot " << k;
        EXPECT_EQ(uhd.slotFontPt, 2 * hd.slotFontPt);
        EXPECT_EQ(uhd.start, doubled(hd.start));
        EXPECT_EQ(uhd.end, doubled(hd.end));
        for (int c = 0; c < 2; ++c) {
            EXPECT_EQ(uhd.prizePicture[c], doubled(hd.prizePicture[c]));
            EXPECT_EQ(uhd.prizeText[c].rect, doubled(hd.prizeText[c].rect));
            EXPECT_EQ(uhd.prizeText[c].fontPt, 2 * hd.prizeText[c].fontPt);
        }
    }
}

TEST(ScreenGrowthTest, OtherLargeScreensGrowByTheirShorterSideAndStayFlush)
{
    const ScreenGrowth qhd(2560, 1440);
    EXPECT_DOUBLE_EQ(qhd.factor(), 4.0 / 3);
    EXPECT_EQ(qhd.base(), QSize(1920, 1080));
    EXPECT_EQ(ScreenGrowth(3440, 1440).base(), QSize(2580, 1080));
    EXPECT_EQ(ScreenGrowth(3840, 2400).base(), QSize(1920, 1200));

    for (const QSize size : {QSize(2560, 1440), QSize(3440, 1440), QSize(2561, 1601)}) {
        const ScreenLayout l = computeLayout(size.width(), size.height(), 0, 96);
        const ScreenLayout hd = computeLayout(1920, 1080, 0, 96);
        EXPECT_EQ(l.prizePicture[1].right(), size.width() - 1);
        EXPECT_EQ(l.prizePicture[0].bottom(), size.height() - 1);
        EXPECT_EQ(l.prizeText[0].rect.bottom() + 1, l.prizePicture[0].top());
        EXPECT_EQ(l.slot(1).width(), size.width());
        EXPECT_EQ(l.strip.width(), size.width() - 2);
        EXPECT_GT(l.start.height(), hd.start.height());
        EXPECT_GT(l.slotFontPt, hd.slotFontPt);
    }
    // A strip left where it was (a caption position out of range) stays on the pixel.
    EXPECT_EQ(computeLayout(2560, 1440, 7, 96, StripState{1397, false}).strip.top(), 1397);
}
