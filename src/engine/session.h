#pragma once

#include "engine/drawpool.h"
#include "engine/drawstate.h"
#include "base/programfolder.h"
#include "settings/awardsettings.h"
#include "settings/participantlist.h"

#include <array>

namespace sorvix {

// Everything the program holds in memory while it runs, shared by the draw
// screen, the editors and the engine. One instance, owned by the application.
struct Session
{
    ProgramFolder folder;

    // The live award settings: what the award editor shows and every other
    // part reads at the moment of use.
    AwardSettings settings = AwardSettings::defaults();
    // The copy of the levels the draw reads by level index; refreshed from the
    // settings before every preparation (a disabled level keeps its old texts).
    std::array<AwardLevel, LevelCount> awardTable = AwardSettings::defaults().levels;

    ParticipantList list;
    int keyField = KeyName;
    ShowFields showFields;
    DrawPool pool;

    DrawState state;
    bool groupModeUnlocked = false;
    bool tooManyWinners = false;

    // The raw lines of the five column files and Tlottery.dll, for the editors
    // and the configuration bundle.
    std::array<Lines, 6> rawSettingsLists;
    static constexpr size_t RawAwardSettings = ColumnCount;
};

} // namespace sorvix
