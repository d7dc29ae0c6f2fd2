#include "support/headlessprogram.h"

namespace sorvix::test {

Draw &HeadlessProgram::make()
{
    draw.reset();
    draw = std::make_unique<Draw>(dir.folder(), op, sound, random);
    screen.watch(*draw);
    return *draw;
}

Draw &HeadlessProgram::start()
{
    make();
    draw->startScreen();
    draw->startDraw();
    return *draw;
}

} // namespace sorvix::test
