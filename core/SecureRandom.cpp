#include "core/SecureRandom.h"

#include <QRandomGenerator>

namespace tombolix {

SecureRandom &SecureRandom::shared() {
    static SecureRandom generator;
    return generator;
}

quint32 SecureRandom::refill() {
    QRandomGenerator::system()->fillRange(m_words.data(), qsizetype(m_words.size()));
    m_next = 1;
    return m_words[0];
}

} // namespace tombolix
