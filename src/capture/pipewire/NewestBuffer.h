#pragma once
#include <cstdint>

// Takes every buffer that has queued up and keeps only the newest: the older ones go back
// to the producer at once and count as overtaken. Null when nothing was waiting.
template <typename Buffer, typename Dequeue, typename Requeue>
Buffer* takeNewest(Dequeue dequeue, Requeue requeue, std::uint64_t& overtaken) {
  Buffer* newest = nullptr;
  while (Buffer* buffer = dequeue()) {
    if (newest != nullptr) {
      ++overtaken;
      requeue(newest);
    }
    newest = buffer;
  }
  return newest;
}
