#pragma once

#include "app/drawscreen.h"
#include "base/nulloperatorports.h"
#include "bundle/confighost.h"

namespace sorvix {

// A draw screen that shows nothing, for running the draw without a window.
class NullScreen : public DrawScreen
{
public:
    void setHead(const QByteArray &) override {}
    void setSlot(int, const QByteArray &) override {}
    void setSlotVisible(int, bool) override {}
    void hidePrizes() override {}
    void showPrizeText(Corner, const QByteArray &) override {}
    void showPrizePicture(Corner, const QString &) override {}
    void hidePrizePicture(Corner) override {}
    void setCaption(const QByteArray &, int) override {}
    void stopRolling() override {}
    void applyAwardSettings(const AwardSettings &) override {}
    void formatTitles() override {}
    void hideMenus() override {}
    void showMenus() override {}
    void relayout() override {}
    void showResults() override {}
};

// A configuration host that does nothing: a bundle's file work alone.
class NullConfigHost : public ConfigHost
{
public:
    Theme currentTheme() const override { return {}; }
    bool rerunScreenStartup() override { return true; }
    void relayout() override {}
    bool reloadParticipants() override { return true; }
    bool reloadAwardSettings() override { return true; }
    void prepareFreshDraw() override {}
    void showMainMenu() override {}
    void settingsReplaced() override {}
};

} // namespace sorvix
