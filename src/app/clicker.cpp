#include "app/clicker.h"

#include <Qt>

namespace sorvix::clicker {

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

} // namespace sorvix::clicker
