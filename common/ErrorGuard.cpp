#include "common/ErrorGuard.h"

#include "common/Prompter.h"
#include "core/TombolixError.h"

#include <QScopedValueRollback>

namespace tombolix {

void reportUnhandledError(Prompter &prompter, const std::exception_ptr &error) {
    // One error box at a time: an error that recurs while its box is open (the box runs its
    // own event loop) does not stack another on top.
    static bool showing = false;
    if (showing)
        return;
    const QScopedValueRollback<bool> shown(showing, true);
    try {
        std::rethrow_exception(error);
    } catch (const TombolixError &e) {
        prompter.error(e.number(), e.description());
    } catch (const std::bad_alloc &) {
        prompter.error(7, QStringLiteral("Out of memory"));
    } catch (const std::exception &e) {
        prompter.error(51, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        prompter.error(51, QStringLiteral("Internal error"));
    }
}

void guarded(Prompter &prompter, const std::function<void()> &handler) {
    try {
        handler();
    } catch (...) {
        reportUnhandledError(prompter, std::current_exception());
    }
}

} // namespace tombolix
