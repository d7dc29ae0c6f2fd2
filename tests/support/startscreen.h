#pragma once

#include "app/ui/drawscreenwindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace sorvix::test {

// The draw screen's start-up as the program runs it: the screen's part, the
// first frame painted, then the draw's part. Every window test and benchmark
// that starts the draw screen starts it here; it returns once both parts ran.
inline void startDrawScreen(DrawScreenWindow &window)
{
    if (!window.isVisible())
        window.show();
    window.start();
    window.repaint();
    QElapsedTimer waited;
    waited.start();
    while (!window.drawStartedYet() && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace sorvix::test
