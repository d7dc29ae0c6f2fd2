#pragma once

#include "engine/screenport.h"
#include "settings/awardsettings.h"

namespace sorvix {

// The draw screen as the start-up, the commands and the editors see it: the
// screen requests of the engine plus what only the window can do.
class DrawScreen : public ScreenPort
{
public:
    // Title and subtitle texts, their alignment and visibility, the status
    // line's, the buttons' visibility and the caption strip's speed, as read
    // from the award settings.
    virtual void applyAwardSettings(const AwardSettings &settings) = 0;
    // Start-up styling of title, subtitle and caption strip.
    virtual void formatTitles() = 0;
    virtual void hideMenus() = 0;
    virtual void showMenus() = 0;
    // Lays the screen out again (caption position or prize position changed).
    virtual void relayout() = 0;
    // Shows the results window modally.
    virtual void showResults() = 0;
};

} // namespace sorvix
