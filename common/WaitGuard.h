#pragma once

#include <QtGlobal>

namespace tombolix {

// Decides whether a handler that waited for the site may still write anything. Handlers that
// wait run one at a time (a second click while one waits does nothing), and one whose window
// was closed while it waited leaves every control and the draw list alone.
class WaitGuard {
public:
    class Wait {
    public:
        explicit Wait(WaitGuard &guard);
        ~Wait();
        Wait(const Wait &) = delete;
        Wait &operator=(const Wait &) = delete;

        // False when another handler is already waiting: this one must return at once.
        bool entered() const { return m_entered; }
        // True once the window has been closed since this wait began.
        bool windowClosed() const { return m_guard.m_generation != m_generation; }

    private:
        WaitGuard &m_guard;
        quint64 m_generation;
        bool m_entered;
    };

    void windowClosed() { ++m_generation; }

private:
    bool m_busy = false;
    quint64 m_generation = 0;
};

} // namespace tombolix
