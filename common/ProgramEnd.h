#pragma once

namespace tombolix {

// Ends the program with `exitCode` once everything of it has been torn down (its windows, files
// and connections closed). On Windows the process ends there and then: a thread of Qt's own may
// still be ending when main returns, and the system's exit cuts it off half-way, holding a lock of
// the threads library that the C++ runtime's own teardown then waits for forever (the program
// would stay in the task list with no window). Everywhere else it returns `exitCode` for main to
// return.
int endProgram(int exitCode);

} // namespace tombolix
