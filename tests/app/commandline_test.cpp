#include "app/commandline.h"
#include "support/testfolder.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace sorvix;

// Where the program runs decides whose list it shows: a build runs in place,
// the installed launcher on the user's folder, --folder on the folder named.
TEST(CommandLine, ChoosesTheProgramFolderAndItsFactoryFolder)
{
    // Absolute on every system: "/" here, a drive on Windows.
    const QString root = QDir::rootPath();
    const QString build = root + QStringLiteral("src/build/program");
    const QString user = root + QStringLiteral("home/ann/.local/share/Sorvix");
    const auto parse = [&](const QStringList &arguments) { return parseCommandLine(arguments, build, user); };

    StartRequest inPlace = parse({});
    EXPECT_EQ(inPlace.folder, build);
    EXPECT_TRUE(inPlace.factory.isEmpty());

    const QString factory = root + QStringLiteral("usr/lib/sorvix/factory");
    StartRequest installed = parse({"--factory", factory});
    EXPECT_EQ(installed.folder, user);
    EXPECT_EQ(installed.factory, factory);

    StartRequest event = parse({"--factory", factory, "--folder=" + root + "media/stick/年会/"});
    EXPECT_EQ(event.folder, root + QStringLiteral("media/stick/年会"));
    EXPECT_EQ(event.factory, factory);
    // From a build, the build's own folder is the factory.
    EXPECT_EQ(parse({"--folder", root + "tmp/event"}).factory, build);
    // The window toolkit's own options pass.
    EXPECT_EQ(parse({"-platform", "offscreen"}).action, StartRequest::Action::Run);

    EXPECT_TRUE(parse({"--help"}).text.contains(QDir::toNativeSeparators(user)));
    for (const QStringList &wrong : {QStringList{"--folder"}, QStringList{"--verbose"}, QStringList{"list.xlsx"}}) {
        const StartRequest refused = parse(wrong);
        EXPECT_EQ(refused.action, StartRequest::Action::Refuse) << wrong.join(' ').toStdString();
        EXPECT_TRUE(refused.text.contains(QStringLiteral("sorvix --help")));
    }
}
