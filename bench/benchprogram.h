#pragma once

// The program's composition root for the benchmarks that measure a window:
// the draw screen and what its menus open, as the program builds them.

#include "app/ui/application.h"
#include "support/startscreen.h"

#include "benchsupport.h"

namespace sorvix::bench {

// The program on a scratch copy of the laid-out program folder's settings,
// with ports that answer No and play nothing.
struct WindowedProgram
{
    explicit WindowedProgram(const QString &laidOut) : program(dir.path(), op, sound, music, random)
    {
        dir.copySettingsFrom(laidOut);
    }
    ScratchFolder dir;
    NullOperator op{OperatorPort::Answer::No};
    NullSound sound;
    NullSound music;
    DrawRandom random{1};
    Application program;

    // Started as the program starts it (the files, perhaps written in
    // between, read now), at 1280 x 720.
    DrawScreenWindow &start()
    {
        DrawScreenWindow &screen = program.window();
        test::startDrawScreen(program);
        screen.resize(1280, 720);
        screen.show();
        QCoreApplication::processEvents();
        return screen;
    }
};

} // namespace sorvix::bench
