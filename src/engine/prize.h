#pragma once

#include "engine/screenstate.h"
#include "settings/awardsettings.h"

namespace sorvix {

// How the draw screen shows a level's prize: the caption text and the picture
// in the corners.
namespace prize {

// The caption: "奖品" and the prize text; a make-up's announcement puts one
// blank between them, as it always has.
QByteArray caption(const AwardLevel &level, bool makeup = false);

// The file of a level's prize picture: the full path the award editor chose,
// or a path inside the program folder (the factory set's "pics\\...") resolved
// there. Empty when there is none.
QString picture(const ProgramFolder &folder, const QByteArray &picturePath);

// As the start of a round and the announcement after a preparation show it:
// both corners hidden, then the caption unless hidden, and the picture when
// its file exists and pictures are not hidden, in the left corner, the right
// one or both by the prize position.
void present(ScreenState &screen, const ProgramFolder &folder, const AwardLevel &level, const DrawOptions &options);
// As a make-up's announcement shows it: the left corner only, since the
// other would still show an earlier level's prize.
void presentMakeup(ScreenState &screen, const ProgramFolder &folder, const AwardLevel &level,
                   const DrawOptions &options);

} // namespace prize
} // namespace sorvix
