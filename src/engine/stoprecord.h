#pragma once

#include "engine/screenport.h"
#include "engine/session.h"

namespace sorvix {

// Recording a stopped round: its winners appended to their level's file, the
// winners list rebuilt, status.dll moved on, in an order that survives a kill
// at any point. A write that fails leaves the round pending in the draw state
// with the counters where the disk has them; the next start retries it.
namespace stoprecord {

// What a stop of `round` must record. `roundLines` are the round file's lines;
// empty when it could not be read (then only the counters move on). Notes
// the level file's size, so a retry appends the names exactly once. Throws
// OperationError when the level is not in the award table.
UnrecordedStop begin(const Session &session, bool makeup, int round, const Lines &roundLines, bool read);

// Writes what the record still lacks and then moves the counters on. Returns
// the rebuilt winners list (empty for a round without winners). Throws the
// first write failure; the record then stays pending in session.state.
Lines complete(Session &session, UnrecordedStop record);

// The notice for a failed record: what failed, the winners to note by hand
// and what to do. `again` for a retry that failed once more.
QString failureNotice(const UnrecordedStop &record, const QString &error, bool again);
// A retry that wrote everything.
QString recordedNotice();

// Retries a pending record and tells the operator how it went; the caption
// shows the winners list after a success. Returns true when nothing is
// pending any more (also when nothing was).
bool settle(Session &session, OperatorPort &op, ScreenPort *screen);

} // namespace stoprecord
} // namespace sorvix
