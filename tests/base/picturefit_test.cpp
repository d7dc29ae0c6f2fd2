#include "base/picturefit.h"

#include <gtest/gtest.h>

using namespace sorvix;

TEST(PictureFitTest, BackgroundsCoverAndPrizesFitWithoutChangingTheirShape)
{
    const QSize hd(1920, 1080);
    // The same shape: every fit shows the whole picture over the whole box.
    for (PictureFit fit : {PictureFit::Stretch, PictureFit::Cover, PictureFit::Contain}) {
        const PicturePlacement p = placePicture(QSize(3840, 2160), hd, fit);
        EXPECT_EQ(p.source, QRect(0, 0, 3840, 2160));
        EXPECT_EQ(p.target, QRect(QPoint(0, 0), hd));
    }

    // A wide wall crops the picture's top and bottom evenly; a 5:4 projector its sides.
    EXPECT_EQ(placePicture(hd, QSize(3840, 1080), PictureFit::Cover).source, QRect(0, 270, 1920, 540));
    EXPECT_EQ(placePicture(hd, QSize(1280, 1024), PictureFit::Cover).source, QRect(285, 0, 1350, 1080));
    EXPECT_EQ(placePicture(hd, QSize(1280, 1024), PictureFit::Cover).target, QRect(0, 0, 1280, 1024));

    // A prize in a wide corner stands centred at full height; in a tall one at full width.
    EXPECT_EQ(placePicture(QSize(480, 270), QSize(576, 162), PictureFit::Contain).target, QRect(144, 0, 288, 162));
    EXPECT_EQ(placePicture(QSize(480, 270), QSize(192, 153), PictureFit::Contain).target, QRect(0, 22, 192, 108));
    EXPECT_EQ(placePicture(QSize(480, 270), QSize(192, 153), PictureFit::Contain).source, QRect(0, 0, 480, 270));

    // A picture made for another shape is stretched when asked; nothing shows of nothing.
    EXPECT_EQ(placePicture(QSize(76, 33), QSize(200, 200), PictureFit::Stretch).target, QRect(0, 0, 200, 200));
    EXPECT_EQ(placePicture(QSize(), hd, PictureFit::Contain).target, QRect(QPoint(0, 0), hd));
}
