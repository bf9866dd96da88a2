// The heap as the test program's own allocations use it: the global operator new and delete
// are replaced by ones that count the usable size of every block, so that a test can tell
// how much a piece of work allocated in all and how much it still holds.
#pragma once

#include <cstddef>

struct HeapCount {
  std::size_t allocated;  // every block ever allocated
  std::size_t live;       // the blocks not freed yet
};

HeapCount heapCount();
