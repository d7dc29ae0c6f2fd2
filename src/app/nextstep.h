#pragma once

#include "app/drawround.h"

namespace sorvix {

// The night's next step, for a presenter's clicker and the phone remote: one
// button that starts a round when none rolls and stops the one that rolls. It
// presses the start or the stop key, whichever the key setting names, so it
// does exactly what that key does: the question at the end of the draw,
// make-up rounds, whatever a start does before rolling, failures kept off the
// screen.
class NextStep
{
public:
    NextStep(DrawRound &round, const Session &session);
    void run();

private:
    DrawRound &m_round;
    const Session &m_session;
};

// What a presenter's clicker does on the draw screen. Its "next" button sends
// PageDown (some models Right); its other buttons must never start, stop,
// restart or close anything.
namespace clicker {

enum class KeyAction {
    Next,    // the next step
    Nothing, // swallowed
    Pass,    // not a clicker key: the screen handles it as before
};

// `key` is a Qt::Key.
KeyAction keyAction(int key);

} // namespace clicker
} // namespace sorvix
