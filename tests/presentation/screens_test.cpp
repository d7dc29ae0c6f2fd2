#include "presentation/screens.h"

#include "support/testfolder.h"

#include <gtest/gtest.h>

using namespace sorvix;

TEST(ScreenRoles, TheAudienceGetsAnotherScreenThanTheLaptopsUnlessChosen)
{
    // One screen: everything on it, as ever.
    EXPECT_FALSE(screens::roles({"laptop"}, 0, {}).separate());
    // The laptop is primary: the projector is the audience's.
    screens::Roles r = screens::roles({"laptop", "projector"}, 0, {});
    EXPECT_EQ(r.audience, 1);
    EXPECT_EQ(r.operatorScreen, 0);
    r = screens::roles({"projector", "laptop"}, 1, {});
    EXPECT_EQ(r.audience, 0);
    EXPECT_EQ(r.operatorScreen, 1);
    // A choice by name holds while that screen is there.
    r = screens::roles({"laptop", "projector", "wall"}, 0, QStringLiteral("wall"));
    EXPECT_EQ(r.audience, 2);
    EXPECT_EQ(r.operatorScreen, 0);
    EXPECT_EQ(screens::roles({"laptop", "projector"}, 0, QStringLiteral("wall")).audience, 1);
    // The laptop chosen for the audience: the operator takes another screen.
    r = screens::roles({"laptop", "projector"}, 0, QStringLiteral("laptop"));
    EXPECT_EQ(r.audience, 0);
    EXPECT_EQ(r.operatorScreen, 1);
}

TEST(ScreenRoles, TheChoiceIsRememberedInTheProgramFolder)
{
    test::TestFolder dir;
    EXPECT_EQ(screens::loadChoice(dir.folder()), QString());
    screens::saveChoice(dir.folder(), QStringLiteral("投影仪 HDMI-1"));
    EXPECT_EQ(screens::loadChoice(dir.folder()), QStringLiteral("投影仪 HDMI-1"));
}
