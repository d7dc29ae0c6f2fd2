#pragma once

#include "presentation/theme.h"

namespace sorvix {

// What the bundle import and the factory restore need from the draw screen and
// the rest of the program after they replaced the settings files. Each step
// brings one part of the in-memory state back in line with the files; a step
// that returns false failed part way, as its start-up step would.
class ConfigHost
{
public:
    virtual ~ConfigHost() = default;

    // The theme the draw screen shows now (saved with the bundle).
    virtual Theme currentTheme() const = 0;

    // The draw screen's start-up again: the raw settings lists, the round
    // count, the caption and prize positions, the theme with its picture,
    // colour and font, and the caption text.
    virtual bool rerunScreenStartup() = 0;
    // Lays the screen out again for the caption and prize positions.
    virtual void relayout() = 0;
    // Key field, shown fields, participant list and pool from the files.
    virtual bool reloadParticipants() = 0;
    // The award settings from Tlottery.dll, applied on the screen, and the
    // award table.
    virtual bool reloadAwardSettings() = 0;
    // Nothing drawn yet: roundIndex 0 and a fresh round plan, which discards
    // the results of the current draw.
    virtual void prepareFreshDraw() = 0;
    virtual void showMainMenu() = 0;
    // Every settings file may have changed: windows that show settings (the
    // editors, the results window's background) read them again.
    virtual void settingsReplaced() = 0;
};

} // namespace sorvix
