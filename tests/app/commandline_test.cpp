#include "app/commandline.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

using namespace sorvix;

// Where the program runs decides whose list it shows: a build runs in place,
// the installed launcher on the user's folder, --folder on the folder named.
TEST(CommandLine, ChoosesTheProgramFolderAndItsFactoryFolder)
{
    const QString build = QStringLiteral("/src/build/program");
    const QString user = QStringLiteral("/home/ann/.local/share/Sorvix");
    const auto parse = [&](const QStringList &arguments) { return parseCommandLine(arguments, build, user); };

    StartRequest inPlace = parse({});
    EXPECT_EQ(inPlace.folder, build);
    EXPECT_TRUE(inPlace.factory.isEmpty());

    StartRequest installed = parse({"--factory", "/usr/lib/sorvix/factory"});
    EXPECT_EQ(installed.folder, user);
    EXPECT_EQ(installed.factory, QStringLiteral("/usr/lib/sorvix/factory"));

    StartRequest event = parse({"--factory", "/usr/lib/sorvix/factory", "--folder=/media/stick/年会/"});
    EXPECT_EQ(event.folder, QStringLiteral("/media/stick/年会"));
    EXPECT_EQ(event.factory, QStringLiteral("/usr/lib/sorvix/factory"));
    // From a build, the build's own folder is the factory.
    EXPECT_EQ(parse({"--folder", "/tmp/event"}).factory, build);
    // The window toolkit's own options pass.
    EXPECT_EQ(parse({"-platform", "offscreen"}).action, StartRequest::Action::Run);

    EXPECT_TRUE(parse({"--help"}).text.contains(user));
    for (const QStringList &wrong : {QStringList{"--folder"}, QStringList{"--verbose"}, QStringList{"list.xlsx"}}) {
        const StartRequest refused = parse(wrong);
        EXPECT_EQ(refused.action, StartRequest::Action::Refuse) << wrong.join(' ').toStdString();
        EXPECT_TRUE(refused.text.contains(QStringLiteral("sorvix --help")));
    }
}
