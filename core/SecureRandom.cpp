#include "core/SecureRandom.h"

#include <QRandomGenerator>

#if defined(Q_OS_LINUX)
#include <cerrno>
#include <sys/random.h>
#elif defined(Q_OS_WIN)
#include <windows.h>
#include <bcrypt.h>
#endif

namespace tombolix {

namespace {

// The operating system's generator, asked directly. Qt's own system generator prefers the
// processor's RDRAND instruction where there is one, which on some machines (virtual ones among
// them) is twenty-five times slower than the kernel; both are cryptographic. False when the
// system could not give the bytes.
bool fillFromSystem(void *buffer, std::size_t bytes) {
#if defined(Q_OS_LINUX)
    auto *at = static_cast<char *>(buffer);
    while (bytes > 0) {
        const ssize_t got = getrandom(at, bytes, 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        at += got;
        bytes -= std::size_t(got);
    }
    return true;
#elif defined(Q_OS_WIN)
    return BCryptGenRandom(nullptr, static_cast<PUCHAR>(buffer), ULONG(bytes),
                           BCRYPT_USE_SYSTEM_PREFERRED_RNG) >= 0;
#else
    Q_UNUSED(buffer);
    Q_UNUSED(bytes);
    return false;
#endif
}

} // namespace

SecureRandom &SecureRandom::shared() {
    static SecureRandom generator;
    return generator;
}

quint32 SecureRandom::refill() {
    if (!fillFromSystem(m_words.data(), sizeof(m_words)))
        QRandomGenerator::system()->fillRange(m_words.data(), qsizetype(m_words.size()));
    m_next = 1;
    return m_words[0];
}

} // namespace tombolix
