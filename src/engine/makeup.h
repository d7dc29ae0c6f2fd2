#pragma once

#include "engine/drawstate.h"
#include "settings/awardsettings.h"

#include <vector>

namespace sorvix {

// The make-up draw's files and lists. A make-up takes the first entries of the
// pool remainder data\left.dll, which the preparation of the draw has already
// shuffled, and writes them as make-up rounds datm\<k>.dll of up to ten names
// that the draw screen then reveals.
namespace makeup {

constexpr int RoundSize = 10;

// The levels offered for a make-up, in the list's item order: only levels
// whose rounds are all drawn. Throws OperationError when the next round's
// file cannot be read.
std::vector<int> offeredLevels(const ProgramFolder &folder, const AwardSettings &settings, const DrawState &state);
// The level of an item of the make-up list; -1 for no selection.
int levelOfItem(const AwardSettings &settings, int item);

// The quantity field's rule: a positive whole number stays, anything else
// becomes "1".
QString quantityRule(const QString &text);

// Writes `names` as make-up rounds of `level` and makes them durable; returns
// the number of round files. Throws OperationError.
int writeRounds(const ProgramFolder &folder, int level, const AwardLevel &award, const Lines &names);

} // namespace makeup
} // namespace sorvix
