#pragma once

namespace sorvix {

// Starts the program on the executable's folder and runs the event loop.
int runApplication(int argc, char **argv);

} // namespace sorvix
