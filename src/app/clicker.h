#pragma once

namespace sorvix {

// What a presenter's clicker does on the draw screen. Its "next" button sends
// PageDown (some models Right) and takes the draw's next step; its other
// buttons must never start, stop, restart or close anything.
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
