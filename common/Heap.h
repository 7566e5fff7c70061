#pragma once

namespace tombolix {

// Has every thread of the program take its memory from one heap. The C library of Linux gives each
// thread that allocates a heap of its own, which starts empty: the public draw reads a long list on
// a worker thread, and every page of that reading (a few megabytes for 32,767 entries) was then
// faulted in afresh, a fifth of the first draw's time. The program's threads are few and seldom
// allocate at once, so they lose nothing by sharing. Elsewhere there is one heap already.
void useOneHeap();

} // namespace tombolix
