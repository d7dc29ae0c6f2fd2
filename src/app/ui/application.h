#pragma once

#include <QString>

namespace sorvix {

// Starts the program on the given program folder and runs the event loop.
int runApplication(int argc, char **argv, const QString &folder);

} // namespace sorvix
