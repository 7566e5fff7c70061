#pragma once

#include <QtGlobal>

#include <array>

namespace tombolix {

// A value from 0 to span - 1 (span ≥ 1), each exactly equally likely, from the words that
// `next` gives: the product of a word and the span is kept only when its low half lies out of
// the short tail that would favour some values (Lemire's method), else the next word is tried.
template <typename Word, typename Next> Word uniformBelow(Word span, Next &&next) {
    static_assert(sizeof(Word) <= 4, "the product must fit twice the word");
    using Wide = std::conditional_t<sizeof(Word) == 4, quint64, quint32>;
    constexpr int bits = 8 * sizeof(Word);
    Wide product = Wide(next()) * span;
    Word low = Word(product);
    if (low < span) {
        const Word tail = Word(Word(0 - span) % span); // 2^bits mod span
        while (low < tail) {
            product = Wide(next()) * span;
            low = Word(product);
        }
    }
    return Word(product >> bits);
}

// Random numbers from the operating system's cryptographic generator, whose words are taken a
// block at a time: one system call serves a thousand picks.
class SecureRandom {
public:
    // A value from 0 to span - 1, each equally likely; 0 for a span below 1.
    quint32 below(quint32 span) {
        return span < 1 ? 0 : uniformBelow<quint32>(span, [this] { return nextWord(); });
    }

    // The program's one generator (user-interface thread only).
    static SecureRandom &shared();

private:
    quint32 nextWord() { return m_next < m_words.size() ? m_words[m_next++] : refill(); }
    quint32 refill();

    std::array<quint32, 1024> m_words{};
    std::size_t m_next = m_words.size();
};

} // namespace tombolix
