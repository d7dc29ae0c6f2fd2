#include "presentation/results.h"

#include "support/testfolder.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

using namespace sorvix;
using sorvix::test::TestFolder;

namespace {

std::vector<int> tops(const RisingRows &rows)
{
    std::vector<int> result;
    for (int i = 0; i < rows.count(); ++i)
        result.push_back(rows.top(i));
    return result;
}

} // namespace

TEST(RisingRowsTest, ThreeWinnersRiseTwoPixelsPerTickThroughTheBand)
{
    RisingRows rows;
    rows.build(3, 1080);
    EXPECT_EQ(tops(rows), (std::vector<int>{540, 580, 620}));
    for (int i = 0; i < 10; ++i)
        rows.tick(1080);
    EXPECT_EQ(tops(rows), (std::vector<int>{520, 560, 600}));
    EXPECT_TRUE(rows.visible(0) && rows.visible(1) && rows.visible(2));

    // Row 0 reaches 136 after 202 ticks, still shown; the next tick takes it
    // to 134, hides it and moves it down by M = 540 + 40 * 3.
    for (int i = 10; i < 202; ++i)
        rows.tick(1080);
    EXPECT_EQ(rows.top(0), 136);
    EXPECT_TRUE(rows.visible(0));
    rows.tick(1080);
    EXPECT_EQ(rows.top(0), 134 + 660);
    EXPECT_FALSE(rows.visible(0));
    EXPECT_EQ(rows.top(2), 214);
    // Hidden for that tick only: it shows again further down, below the last row.
    rows.tick(1080);
    EXPECT_EQ(rows.top(0), 792);
    EXPECT_TRUE(rows.visible(0));
}

TEST(RisingRowsTest, RowsBelowTheBandStayHiddenUntilTheyEnterIt)
{
    RisingRows rows;
    rows.build(14, 1080);
    EXPECT_EQ(rows.top(12), 1020);
    EXPECT_EQ(rows.top(13), 1060);
    EXPECT_FALSE(rows.visible(12));
    EXPECT_TRUE(rows.visible(11));   // 980
    rows.tick(1080);
    EXPECT_TRUE(rows.visible(12));   // 1018
    for (int i = 0; i < 9; ++i)
        rows.tick(1080);
    EXPECT_EQ(rows.top(13), 1040);
    EXPECT_FALSE(rows.visible(13));
    for (int i = 0; i < 11; ++i)
        rows.tick(1080);
    EXPECT_EQ(rows.top(13), 1018);
    EXPECT_TRUE(rows.visible(13));

    // A new build replaces the rows; none at all is a tick without effect.
    rows.build(0, 1080);
    rows.tick(1080);
    EXPECT_EQ(rows.count(), 0);
}

TEST(RisingRowsTest, WrapDistanceFollowsTheHeightOfEachTick)
{
    // Two rows in a window 600 high: M = 300 + 80. The window grows to 800
    // just before row 0 leaves the band: M is taken from the new height.
    RisingRows rows;
    rows.build(2, 600);
    for (int i = 0; i < 82; ++i)
        rows.tick(600);
    EXPECT_EQ(rows.top(0), 136);
    rows.tick(800);
    EXPECT_EQ(rows.top(0), 134 + 400 + 80);
    EXPECT_EQ(rows.top(1), 174);
    EXPECT_TRUE(rows.visible(1));
}

TEST(ResultFilesTest, WinnersListAndRememberedBackground)
{
    TestFolder dir;
    EXPECT_TRUE(results::readWinners(dir.folder()).isEmpty());
    dir.write(files::WinnersList, {"", QStringLiteral("一等奖"), QStringLiteral("(电脑)"), QStringLiteral("张三")});
    EXPECT_EQ(results::readWinners(dir.folder()).size(), 4);

    // No bgshow.dll, or a picture that is not there: the built-in background stays.
    EXPECT_TRUE(results::storedBackground(dir.folder()).isEmpty());
    results::saveBackground(dir.folder(), results::BlueBackground);
    EXPECT_EQ(dir.bytes(files::ResultBackground), QByteArray("bg\\show\\blue.jpg\r\n"));
    EXPECT_TRUE(results::storedBackground(dir.folder()).isEmpty());

    QDir(dir.root()).mkpath(QStringLiteral("bg/show"));
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(dir.path(results::BlueBackground), "JPG"));
    EXPECT_EQ(results::storedBackground(dir.folder()), dir.path(results::BlueBackground));
}
