#pragma once

namespace tombolix {

struct Services;

// Creates the main window and, when the start-up check lets the program run, shows it and
// runs the event loop. The exit code.
int runProgram(const Services &services);

} // namespace tombolix
