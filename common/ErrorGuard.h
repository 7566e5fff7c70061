#pragma once

#include <QObject>

#include <exception>
#include <functional>
#include <utility>

namespace tombolix {

class Prompter;

// Shows the error box of an error that no handler dealt with. The program goes on: ending it
// would throw away the user's unsaved draw list.
void reportUnhandledError(Prompter &prompter, const std::exception_ptr &error);

// Runs a handler and reports what escapes it. Every control and menu command is connected
// through this, so an error never unwinds through Qt's own event code.
void guarded(Prompter &prompter, const std::function<void()> &handler);

// The one way a control or a menu command reaches its handler: `handler` runs under the guard
// each time `signal` of `sender` fires, as long as `context` lives.
template <typename Sender, typename Signal>
void connectGuarded(Sender *sender, Signal signal, QObject *context, Prompter &prompter,
                    std::function<void()> handler) {
    QObject::connect(sender, signal, context,
                     [&prompter, handler = std::move(handler)] { guarded(prompter, handler); });
}

} // namespace tombolix
