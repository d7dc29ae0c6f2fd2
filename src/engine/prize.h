#pragma once

#include "engine/screenport.h"
#include "base/programfolder.h"
#include "settings/awardsettings.h"

namespace sorvix {

// Shows a level's prize in the corners of the draw screen, as the start of a
// round and the announcement after a preparation do: both corners hidden, then
// "奖品" + prize text unless hidden, and the picture when its file exists and
// pictures are not hidden, in the left corner, the right one or both by the
// prize position.
void presentPrize(ScreenPort &screen, const ProgramFolder &folder, const AwardLevel &level, const DrawOptions &options);

// The file of a level's prize picture: the full path the award editor chose,
// or a path inside the program folder (the factory set's "pics\\...") resolved
// there. Empty when there is none.
QString prizePicture(const ProgramFolder &folder, const QByteArray &picturePath);

} // namespace sorvix
