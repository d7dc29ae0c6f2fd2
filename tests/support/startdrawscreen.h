#pragma once

#include "app/ui/drawscreenwindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace sorvix {

// The program's start-up on a draw screen: shown, its first frame painted,
// then the draw's part. Returns once that part has run.
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

} // namespace sorvix
