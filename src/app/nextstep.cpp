#include "app/nextstep.h"

#include <Qt>

namespace sorvix {

NextStep::NextStep(DrawRound &round, const Session &session)
    : m_round(round), m_session(session)
{
}

void NextStep::run()
{
    const bool spaceStarts = m_session.settings.options.startStopKeys == 0;
    const bool starting = !m_round.isRolling();
    m_round.keyPressed(starting == spaceStarts ? ' ' : '\r');
}

namespace clicker {

KeyAction keyAction(int key)
{
    switch (key) {
    case Qt::Key_PageDown:
    case Qt::Key_Right:
        return KeyAction::Next;
    // Back, blank screen and start-presentation buttons of the common models.
    case Qt::Key_PageUp:
    case Qt::Key_Left:
    case Qt::Key_Period:
    case Qt::Key_B:
    case Qt::Key_F5:
        return KeyAction::Nothing;
    default:
        return KeyAction::Pass;
    }
}

} // namespace clicker
} // namespace sorvix
