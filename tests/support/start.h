#pragma once

#include "app/startup.h"

namespace sorvix::test {

// The program's start-up on a screen without a window, its two parts in the
// program's order (the first frame between them is the window's). Every test,
// benchmark and fuzz target that starts the program headless starts it here.
inline void startProgram(Startup &startup)
{
    startup.startScreen();
    startup.startDraw();
}

} // namespace sorvix::test
