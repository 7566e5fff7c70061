#include "core/Unicode14.h"

#include <algorithm>
#include <bitset>
#include <iterator>

namespace tombolix::unicode14 {

namespace {

struct Range {
    char32_t first;
    char32_t last;
};
struct Prototype {
    char32_t source;
    unsigned short offset; // in prototypePool
    unsigned char length;
};

#include "core/Unicode14Tables.inc"

template <size_t N> bool inRanges(const Range (&ranges)[N], char32_t code) {
    const Range *end = ranges + N;
    const Range *it =
        std::upper_bound(ranges, end, code, [](char32_t c, const Range &r) { return c < r.first; });
    return it != ranges && code <= std::prev(it)->last;
}

// The first plane, where nearly every text lives, answered from bits made once.
struct Plane0 {
    std::bitset<0x10000> usable, blank, prototype;
    Plane0() {
        for (char32_t c = 0; c < 0x10000; ++c) {
            usable[c] = inRanges(usableRanges, c);
            blank[c] = inRanges(blankRanges, c);
        }
        for (const Prototype &p : prototypes)
            if (p.source < 0x10000)
                prototype[p.source] = true;
    }
};

const Plane0 &plane0() {
    static const Plane0 bits;
    return bits;
}

} // namespace

bool usable(char32_t code) {
    return code < 0x10000 ? plane0().usable[code] : inRanges(usableRanges, code);
}

bool blank(char32_t code) {
    return code < 0x10000 ? plane0().blank[code] : inRanges(blankRanges, code);
}

bool whiteSpace(char32_t code) {
    return inRanges(whiteSpaceRanges, code);
}

bool format(char32_t code) {
    return inRanges(formatRanges, code);
}

std::u32string_view prototype(char32_t code) {
    if (code < 0x10000 && !plane0().prototype[code])
        return {};
    const Prototype *end = std::end(prototypes);
    const Prototype *it = std::lower_bound(std::begin(prototypes), end, code,
                                           [](const Prototype &p, char32_t c) { return p.source < c; });
    if (it == end || it->source != code)
        return {};
    return {prototypePool + it->offset, it->length};
}

} // namespace tombolix::unicode14
