#pragma once
// Counts every allocation of the program that includes it, to show that a path allocates
// nothing. It replaces the global operator new, so only one file of a program includes it.

// GCC 12 takes the inlined malloc and free behind the replacements for a mismatched pair.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

#include <atomic>
#include <cstdlib>
#include <new>

inline std::atomic<long> allocations{0};

void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
