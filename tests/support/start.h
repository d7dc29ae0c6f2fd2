#pragma once

#include "app/startup.h"

namespace sorvix::test {

// The program's start-up on a screen without a window. Every test, benchmark
// and fuzz target that starts the program headless starts it here, so that
// all of them follow the program's own sequence.
inline void startProgram(Startup &startup)
{
    startup.run();
}

} // namespace sorvix::test
