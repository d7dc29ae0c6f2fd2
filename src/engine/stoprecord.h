#pragma once

#include "engine/drawstate.h"
#include "engine/roundfile.h"
#include "settings/awardsettings.h"

#include <optional>

namespace sorvix {

// Recording a stopped round: its winners appended to their level's file, the
// winners list rebuilt, status.dll moved on, in an order that survives a kill
// at any point. The draw object moves its counters only once all of it is
// written; until then the round stays pending and the next start retries it.
namespace stoprecord {

// What a stop of `round` must record: the round file's winners (nothing when
// it could not be read: then only the counters move on) under their level's
// name and prize. Notes the level file's size, so a retry appends the names
// exactly once. Throws OperationError when the level is out of range.
UnrecordedStop begin(const ProgramFolder &folder, const AwardSettings &settings, bool makeup, int round,
                     const std::optional<RoundFile> &file);

// Writes what the record still lacks and returns the rebuilt winners list
// (empty for a round without winners). Throws the first write failure;
// `record` then says what is written already.
Lines complete(const ProgramFolder &folder, const AwardSettings &settings, UnrecordedStop &record);

// The notice for a failed record: what failed, the winners to note by hand
// and what to do. `again` for a retry that failed once more.
QString failureNotice(const UnrecordedStop &record, const QString &error, bool again);
// A retry that wrote everything.
QString recordedNotice();

} // namespace stoprecord
} // namespace sorvix
