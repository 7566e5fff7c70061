#pragma once

#include <exception>
#include <functional>

namespace tombolix {

class Prompter;

// Shows the error box of an error that no handler dealt with. The program goes on: ending it
// would throw away the user's unsaved draw list.
void reportUnhandledError(Prompter &prompter, const std::exception_ptr &error);

// Runs a handler and reports what escapes it. Every control and menu command is connected
// through this, so an error never unwinds through Qt's own event code.
void guarded(Prompter &prompter, const std::function<void()> &handler);

} // namespace tombolix
