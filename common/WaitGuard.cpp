#include "common/WaitGuard.h"

namespace tombolix {

WaitGuard::Wait::Wait(WaitGuard &guard)
    : m_guard(guard)
    , m_generation(guard.m_generation)
    , m_entered(!guard.m_busy) {
    if (m_entered)
        m_guard.m_busy = true;
}

WaitGuard::Wait::~Wait() {
    if (m_entered)
        m_guard.m_busy = false;
}

} // namespace tombolix
