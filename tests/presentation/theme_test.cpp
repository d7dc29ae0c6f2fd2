#include "presentation/theme.h"

#include "base/gbk.h"
#include "support/testfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvix;
using sorvix::test::TestFolder;

namespace {

QByteArray g(const char *utf8) { return gbk::fromUtf8(utf8); }

const theme::ThemeItem &itemNamed(const char *objectName)
{
    for (const theme::ThemeItem &item : theme::builtInThemes()) {
        if (qstrcmp(item.objectName, objectName) == 0)
            return item;
    }
    throw std::logic_error("no such theme item");
}

void touch(const QString &path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("jpeg");
}

} // namespace

TEST(ThemeFile, RoundTripWithCustomFullPath)
{
    TestFolder t;
    const Theme saved{g("/home/张三/图片/年会.jpg"), "White", g("楷体")};
    theme::save(t.folder(), saved);

    EXPECT_EQ(t.bytes("bgtheme.dll"), g("/home/张三/图片/年会.jpg") + "\r\nWhite\r\n" + g("楷体") + "\r\n");
    const std::optional<Theme> loaded = theme::load(t.folder());
    ASSERT_TRUE(loaded);
    EXPECT_EQ(*loaded, saved);
}

TEST(ThemeFile, MissingFileAndMissingLines)
{
    TestFolder t;
    EXPECT_FALSE(theme::load(t.folder()));

    t.writeBytes("bgtheme.dll", "bg\\red\\1.jpg\r\nYellow");
    const Theme partial = *theme::load(t.folder());
    EXPECT_EQ(partial.backgroundPath, "bg\\red\\1.jpg");
    EXPECT_EQ(partial.colourName, "Yellow");
    EXPECT_TRUE(partial.fontName.isEmpty());

    t.writeBytes("bgtheme.dll", "");
    EXPECT_EQ(*theme::load(t.folder()), Theme{});
}

TEST(ThemeColours, NamesAreCaseSensitiveAndAnUnknownOneChangesNothing)
{
    EXPECT_EQ(theme::colourOf("Yellow"), QColor(255, 255, 0));
    for (const char *unknown : {"yellow", "RED", "Yellow ", ""})
        EXPECT_FALSE(theme::colourOf(unknown)) << unknown;

    Theme t{"bg\\red\\1.jpg", "Red", g("黑体")};
    EXPECT_FALSE(t.showColour("yellow"));
    EXPECT_EQ(t.colourName, "Red");
    EXPECT_EQ(t.showColour("Blue"), QColor(0, 0, 255));
    EXPECT_EQ(t.colourName, "Blue");
}

// The colour is shown with a picture only: a look without one keeps its font.
TEST(ThemeStartup, PictureUnderTheProgramFolderOrByFullPathElseFontOnly)
{
    TestFolder t;
    QDir(t.root()).mkpath("bg/red");
    touch(t.path("bg\\red\\1.jpg"));
    const auto look = theme::startupLook(t.folder(), {"bg\\red\\1.jpg", "Yellow", g("黑体")});
    EXPECT_EQ(look.pictures, QStringList{t.path("bg\\red\\1.jpg")});
    EXPECT_EQ(look.fontName, g("黑体"));

    QTemporaryDir elsewhere;
    const QString picture = elsewhere.filePath(QStringLiteral("年会.jpg"));
    touch(picture);
    EXPECT_EQ(theme::startupLook(t.folder(), {gbk::encode(picture), "White", {}}).pictures, QStringList{picture});

    const auto missing = theme::startupLook(t.folder(), {"bg\\red\\9.jpg", "Yellow", g("宋体")});
    EXPECT_TRUE(missing.pictures.isEmpty());
    EXPECT_EQ(missing.fontName, g("宋体"));
    // A folder by that name is not a picture.
    QDir(t.root()).mkpath("bg/red/9.jpg");
    EXPECT_TRUE(theme::startupLook(t.folder(), {"bg\\red\\9.jpg", "Yellow", {}}).pictures.isEmpty());
    // Nothing chosen yet: the program folder itself must not count as a picture.
    EXPECT_TRUE(theme::startupLook(t.folder(), {{}, "Red", {}}).pictures.isEmpty());
}

TEST(ThemeMenu, EveryItemShowsAShippedPictureInAKnownColour)
{
    // The shipped pictures, as the program folder holds them.
    const ProgramFolder shipped(QStringLiteral(SORVIX_SOURCE_DIR "/assets"));
    QSet<QString> names;
    for (const auto &item : theme::builtInThemes()) {
        names.insert(QString::fromLatin1(item.objectName));
        EXPECT_TRUE(QFileInfo(shipped.path(QString::fromLatin1(item.path))).isFile()) << item.path;
        EXPECT_TRUE(theme::colourOf(item.colourName)) << item.objectName;
    }
    EXPECT_EQ(names.size(), int(theme::builtInThemes().size()));
    for (const auto &item : theme::colourItems()) {
        EXPECT_TRUE(theme::colourOf(item.colourName)) << item.objectName;
        names.insert(QString::fromLatin1(item.objectName));
    }
    for (const auto &item : theme::fontItems())
        names.insert(QString::fromLatin1(item.objectName));
    EXPECT_EQ(names.size(), int(theme::builtInThemes().size() + theme::colourItems().size() + theme::fontItems().size()));
}

TEST(ThemeChoice, SkyTwoThenSave)
{
    TestFolder t;
    QDir(t.root()).mkpath("bg/sky");
    touch(t.path("bg\\sky\\2.jpg"));

    Theme current{{}, {}, g("楷体")};
    const theme::ThemeItem &sky2 = itemNamed("themeSky2");
    const QString picture = theme::chooseBuiltIn(current, t.folder(), sky2);
    EXPECT_EQ(picture, t.path("bg\\sky\\2.jpg"));
    EXPECT_TRUE(QFileInfo(picture).isFile());
    current.showColour(sky2.colourName); // after the picture loaded
    theme::save(t.folder(), current);

    EXPECT_EQ(t.lines("bgtheme.dll"), (QStringList{"bg\\sky\\2.jpg", "Red", "楷体"}));
}

TEST(ThemeChoice, MissingPictureStillStoresPath)
{
    TestFolder t;
    Theme current{"bg\\red\\1.jpg", "Yellow", {}};
    const QString picture = theme::chooseBuiltIn(current, t.folder(), itemNamed("themeSky1"));
    EXPECT_FALSE(QFileInfo(picture).exists());
    EXPECT_EQ(current.backgroundPath, "bg\\sky\\1.jpg");
    EXPECT_EQ(current.colourName, "Yellow"); // the load failed, so no colour
}

TEST(ThemeChoice, OnlyAFontChosen)
{
    TestFolder t;
    Theme current;
    theme::chooseFont(current, theme::fontItems()[2]);
    theme::save(t.folder(), current);
    EXPECT_EQ(t.bytes("bgtheme.dll"), "\r\n\r\n" + g("宋体") + "\r\n");
}
