#pragma once

#include <QEventLoop>
#include <QThread>

#include <exception>
#include <memory>
#include <optional>
#include <utility>

namespace tombolix {

// Runs `work` on a thread of its own and waits for it with the windows answering meanwhile, so
// that long work (a large file checked) never freezes them; `meanwhile`, if given, is done on this
// thread while the work runs (two long pieces of work at once, on two cores), and must not wait
// for events itself. What the work throws is thrown here.
// Whatever the windows do in the meantime runs in the middle of the caller: it must guard itself
// (WaitGuard) and look again at what may have changed once this returns.
template <typename F, typename G> auto inBackground(F work, G meanwhile) -> decltype(work()) {
    using T = decltype(work());
    std::optional<T> result;
    std::exception_ptr failure;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            result.emplace(work());
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    std::exception_ptr meanwhileFailure;
    try {
        meanwhile();
    } catch (...) {
        meanwhileFailure = std::current_exception();
    }
    // once finished, its signal to quit may have come before the loop runs
    if (!thread->isFinished())
        loop.exec();
    thread->wait();
    if (meanwhileFailure)
        std::rethrow_exception(meanwhileFailure);
    if (failure)
        std::rethrow_exception(failure);
    return std::move(*result);
}

template <typename F> auto inBackground(F work) -> decltype(work()) {
    return inBackground(std::move(work), [] {});
}

} // namespace tombolix
