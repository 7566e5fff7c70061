#pragma once

#include <QThread>

#include <exception>
#include <memory>
#include <optional>
#include <utility>

namespace tombolix {

// Work done on a thread of its own while its maker goes on with other work; get() waits for its
// answer (or throws what it threw). The work must not touch what its maker changes meanwhile.
// Going out of scope waits for it too.
template <typename T> class Beside {
public:
    template <typename F>
    explicit Beside(F work)
        : m_thread(QThread::create([this, work = std::move(work)]() mutable {
            try {
                m_value.emplace(work());
            } catch (...) {
                m_failure = std::current_exception();
            }
        })) {
        m_thread->start();
    }
    ~Beside() { m_thread->wait(); }
    Beside(const Beside &) = delete;
    Beside &operator=(const Beside &) = delete;

    const T &get() {
        m_thread->wait();
        if (m_failure)
            std::rethrow_exception(m_failure);
        return *m_value;
    }

private:
    std::optional<T> m_value;
    std::exception_ptr m_failure;
    std::unique_ptr<QThread> m_thread;
};

} // namespace tombolix
