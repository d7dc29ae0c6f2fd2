#pragma once

#include "engine/screenport.h"
#include "engine/prepare.h"
#include "engine/session.h"

#include <QDateTime>

namespace sorvix {

// "重新抽奖": every participant goes back into the pool and the draw starts
// over with a fresh plan. The results so far are kept in the history first.
namespace restart {

// The history note written before the results are discarded.
QString historyNote();

// The file work: roundIndex 0, a history record of the results so far, a
// fresh plan, status.dll "0" and the draw screen back at rest. Throws
// OperationError when the history, the plan or status.dll cannot be written;
// a history that can't be written leaves the draw untouched.
void restartDraw(Session &session, DrawPreparation &preparation, ScreenPort &screen, const QDateTime &now);

// The command: asks first, then restartDraw, the closing notice and, with
// sound on, silence for any playing effect. A file error is reported to the
// operator and ends the command there. A stop still unrecorded is written
// first, or nothing happens. Returns whether the draw restarted.
bool restartCommand(Session &session, DrawPreparation &preparation, OperatorPort &op, ScreenPort &screen,
                    SoundPort &sound, const QDateTime &now);

} // namespace restart
} // namespace sorvix
