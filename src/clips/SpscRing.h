#pragma once
#include <array>
#include <atomic>
#include <cstddef>

// A fixed ring of `capacity` − 1 usable places between one producer thread and one consumer
// thread, without locks or allocation. The producer fills the place reserve() gives and
// commits it; the consumer reads front() and releases it.
template <typename T, std::size_t capacity>
class SpscRing {
 public:
  // The next free place, or null when the ring is full.
  T* reserve() {
    const std::size_t tail = m_tail.load(std::memory_order_relaxed);
    if (next(tail) == m_head.load(std::memory_order_acquire)) return nullptr;
    return &m_places[tail];
  }
  void commit() {
    m_tail.store(next(m_tail.load(std::memory_order_relaxed)), std::memory_order_release);
  }
  // The oldest committed place, or null when the ring is empty.
  T* front() {
    const std::size_t head = m_head.load(std::memory_order_relaxed);
    if (head == m_tail.load(std::memory_order_acquire)) return nullptr;
    return &m_places[head];
  }
  void release() {
    m_head.store(next(m_head.load(std::memory_order_relaxed)), std::memory_order_release);
  }

 private:
  static std::size_t next(std::size_t at) { return (at + 1) % capacity; }

  std::array<T, capacity> m_places{};
  std::atomic<std::size_t> m_head{0};  // next to read; written by the consumer
  std::atomic<std::size_t> m_tail{0};  // next to fill; written by the producer
};
