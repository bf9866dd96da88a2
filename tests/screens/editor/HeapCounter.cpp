#include "HeapCounter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> allocatedBytes{0};
std::atomic<std::size_t> liveBytes{0};

}  // namespace

HeapCount heapCount() { return {allocatedBytes.load(), liveBytes.load()}; }

// The array, sized and nothrow forms of the standard library call these two.
void* operator new(std::size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  const std::size_t usable = malloc_usable_size(p);
  allocatedBytes += usable;
  liveBytes += usable;
  return p;
}

void operator delete(void* p) noexcept {
  if (!p) return;
  liveBytes -= malloc_usable_size(p);
  std::free(p);
}

void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
