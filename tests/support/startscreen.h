#pragma once

#include "app/ui/drawscreenwindow.h"

namespace sorvix::test {

// The draw screen's start-up. Every window test and benchmark that starts the
// draw screen starts it here, so that all of them follow the program's own
// sequence.
inline void startDrawScreen(DrawScreenWindow &window)
{
    window.runStartup();
}

} // namespace sorvix::test
