#pragma once

#include "app/ui/application.h"
// The start-up's picture prefetch, left empty here, is destroyed by the caller.
#include "base/ui/picturebox.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace sorvix::test {

// The program's start-up as the program runs it: the screen's part, the
// first frame painted, then the draw's part. Every window test and benchmark
// that starts the draw screen starts it here; it returns once both parts ran.
inline void startDrawScreen(Application &program)
{
    DrawScreenWindow &window = program.window();
    if (!window.isVisible())
        window.show();
    program.start();
    window.repaint();
    QElapsedTimer waited;
    waited.start();
    while (!program.started() && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace sorvix::test
