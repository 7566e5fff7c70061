// Any text as an entry, a label or a post: the rule's normalisation and its reading of blanks and
// look-alikes hold their promises on it (what is canonical stays so; what reads the same keeps
// its key; nothing is refused without a reason to).
#include "core/Normalizer.h"
#include "core/PublicDraw.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace tombolix;
    using namespace tombolix::publicdraw;
    // UTF-16 as the draw list holds it, lone surrogates and all
    const QString text(reinterpret_cast<const QChar *>(data), qsizetype(size / 2));
    for (const auto &normal : {unicode::nfc, unicode::nfd, unicode::nfkc}) {
        const QString once = normal(text);
        if (normal(once) != once)
            std::abort();
    }
    if (unicode::nfc(unicode::nfd(text)) != unicode::nfc(text))
        std::abort();
    (void)asShown(text);
    if (tooLong(text))
        return 0;
    // a plain entry's key, made in one pass, is the one the long way makes, and the entry is its
    // own canonical form, as long as it shows
    QString keys = QStringLiteral("x");
    if (const qsizetype length = appendPlainKey(text, keys); length >= 0) {
        if (keys.size() != 1 + length || keys.mid(1) != lookAlikeKey(text) || canonicalEntry(text) != text ||
            holdsUnusable(text) || codePoints(unicode::nfkc(text)) != text.size())
            std::abort();
    } else if (keys != QStringLiteral("x")) {
        std::abort();
    }
    for (const Rule rule : {Rule::V1, Rule::V2}) {
        if (holdsUnusable(text, rule))
            continue;
        const QString canonical = canonicalEntry(text, rule);
        // a canonical entry is its own canonical form, holds nothing unusable, and keeps its key
        if (canonicalEntry(canonical, rule) != canonical || holdsUnusable(canonical, rule))
            std::abort();
        const QString key = lookAlikeKey(canonical, rule);
        if (lookAlikeKey(canonicalEntry(canonical, rule), rule) != key)
            std::abort();
        // one entry alone is a list the rule takes, unless it shows nothing
        if (rule == currentRule) {
            const CanonicalList list = canonicalList({text});
            if (!key.isEmpty() && !canonical.isEmpty() && !tooLong(canonical) &&
                (!list.ok() || list.entries != QStringList{canonical}))
                std::abort();
        }
    }
    return 0;
}
