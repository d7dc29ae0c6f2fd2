#include "base/ui/picturebox.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvix;

TEST(PictureBoxTest, APictureIsDecodedNoLargerThanCoveringTheScreenTakes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("wide.jpg"));
    QImage wide(800, 400, QImage::Format_RGB32);
    wide.fill(Qt::red);
    ASSERT_TRUE(wide.save(path, "JPG"));

    EXPECT_EQ(decodePicture(path).size(), QSize(800, 400));
    // A tall screen needs the full height; the width follows the picture's shape.
    EXPECT_EQ(decodePicture(path, QSize(100, 300)).size(), QSize(600, 300));
    EXPECT_EQ(decodePicture(path, QSize(300, 100)).size(), QSize(300, 150));
    // A screen larger on either side gets the whole picture.
    EXPECT_EQ(decodePicture(path, QSize(1000, 200)).size(), QSize(800, 400));
    EXPECT_TRUE(decodePicture(dir.filePath(QStringLiteral("missing.jpg")), QSize(10, 10)).isNull());
}
