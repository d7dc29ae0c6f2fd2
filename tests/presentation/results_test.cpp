#include "presentation/results.h"

#include "support/recorders.h"
#include "support/testfolder.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

using namespace sorvix;
using sorvix::test::RecordingOperator;
using sorvix::test::TestFolder;

TEST(RisingRowsTest, RowsRiseThroughTheBandAndWrapByHalfTheWindowPlusTheList)
{
    RisingRows rows;
    rows.build(3, 1080);
    EXPECT_EQ((std::vector<int>{rows.top(0), rows.top(1), rows.top(2)}), (std::vector<int>{540, 580, 620}));
    for (int i = 0; i < 10; ++i)
        rows.tick(1080);
    EXPECT_EQ((std::vector<int>{rows.top(0), rows.top(1), rows.top(2)}), (std::vector<int>{520, 560, 600}));

    // Row 0 is at 136 after 202 ticks; the next takes it to 134, hides it
    // and moves it down by M = 540 + 40 * 3. It shows again at the next tick.
    for (int i = 10; i < 202; ++i)
        rows.tick(1080);
    EXPECT_EQ(rows.top(0), 136);
    EXPECT_TRUE(rows.visible(0));
    rows.tick(1080);
    EXPECT_EQ(rows.top(0), 134 + 660);
    EXPECT_FALSE(rows.visible(0));
    rows.tick(1080);
    EXPECT_EQ(rows.top(0), 792);
    EXPECT_TRUE(rows.visible(0));

    // Rows at 1020 or lower are hidden until they rise into the band.
    rows.build(14, 1080);
    EXPECT_EQ(rows.top(12), 1020);
    EXPECT_FALSE(rows.visible(12));
    EXPECT_TRUE(rows.visible(11));
    rows.tick(1080);
    EXPECT_TRUE(rows.visible(12));
    EXPECT_FALSE(rows.visible(13));

    // No winners: the ticks do nothing.
    rows.build(0, 1080);
    rows.tick(1080);
    EXPECT_EQ(rows.count(), 0);
}

TEST(ResultFilesTest, WinnersListAndRememberedBackground)
{
    TestFolder dir;
    EXPECT_TRUE(results::readWinners(dir.folder()).isEmpty());

    // The picture bgshow.dll names counts only once it is there.
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

TEST(ResultFilesTest, AnUnreadableWinnersListIsSaidOnceUntilARead)
{
    TestFolder dir;
    RecordingOperator op;
    results::WinnersReader reader(dir.folder(), op);
    QDir(dir.root()).mkpath(QStringLiteral("dat/LuckyList.txt"));
    EXPECT_TRUE(reader.read().isEmpty());
    EXPECT_TRUE(reader.read().isEmpty());
    ASSERT_EQ(op.notices.size(), 1);
    EXPECT_TRUE(op.notices[0].startsWith(QStringLiteral("无法读取中奖名单"))) << op.notices[0].toStdString();

    QDir(dir.root()).rmdir(QStringLiteral("dat/LuckyList.txt"));
    dir.write(files::WinnersList, {QStringLiteral("张一")});
    EXPECT_EQ(reader.read().size(), 1);
    QFile::remove(dir.path(files::WinnersList));
    QDir(dir.root()).mkpath(QStringLiteral("dat/LuckyList.txt"));
    reader.read();
    EXPECT_EQ(op.notices.size(), 2);
}

TEST(ResultsLayoutTest, FullHdKeepsItsPixelsAndUltraHdDoublesThem)
{
    const ResultsLayout hd(1920, 1080);
    EXPECT_EQ(hd.title, QRect(0, 50, 1920, 46));
    EXPECT_EQ(hd.titlePixels, 32);
    EXPECT_EQ(hd.subtitle, QRect(0, 95, 1920, 30));
    EXPECT_EQ(hd.subtitlePixels, 24);
    EXPECT_EQ(hd.baseHeight(), 1080);
    EXPECT_EQ(hd.row(540), QRect(0, 540, 1920, 30));

    // The rows rise in the 1080 window's pixels and show twice as large.
    const ResultsLayout uhd(3840, 2160);
    EXPECT_EQ(uhd.title, QRect(0, 100, 3840, 92));
    EXPECT_EQ(uhd.subtitlePixels, 48);
    EXPECT_EQ(uhd.baseHeight(), 1080);
    EXPECT_EQ(uhd.row(RisingRows::BandTop), QRect(0, 270, 3840, 60));
    EXPECT_EQ(ResultsLayout(800, 600).row(300), QRect(0, 300, 800, 30));
}
