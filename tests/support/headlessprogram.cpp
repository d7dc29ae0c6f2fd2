#include "support/headlessprogram.h"

#include "support/start.h"

namespace sorvix::test {

void HeadlessProgram::start()
{
    session = Session();
    session.folder = dir.folder();
    preparation = std::make_unique<DrawPreparation>(session, screen, op, random);
    Startup startup(session, screen, op, sound, *preparation);
    startup.applyTheme = applyTheme;
    startProgram(startup);
}

} // namespace sorvix::test
