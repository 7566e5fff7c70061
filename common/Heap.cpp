#include "common/Heap.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tombolix {

void useOneHeap() {
#if defined(__GLIBC__)
    mallopt(M_ARENA_MAX, 1);
#endif
}

} // namespace tombolix
