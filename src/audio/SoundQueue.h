#pragma once
#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>

#include "audio/Sound.h"

struct SoundEvent {
  Sound sound = Sound::Bounce;
  float volume = 1.0f;                         // 0–1
  std::chrono::steady_clock::time_point at{};  // when it was recorded
};

// Carries sound events from one thread (the capture thread) to one other (the window
// thread) without allocating, locking or blocking: a full queue drops the new event, as a
// sound that late is better not heard.
class SoundQueue {
 public:
  bool push(const SoundEvent& event) {
    const std::size_t tail = m_tail.load(std::memory_order_relaxed);
    const std::size_t next = (tail + 1) % capacity;
    if (next == m_head.load(std::memory_order_acquire)) return false;
    m_ring[tail] = event;
    m_tail.store(next, std::memory_order_release);
    return true;
  }
  bool pop(SoundEvent& event) {
    const std::size_t head = m_head.load(std::memory_order_relaxed);
    if (head == m_tail.load(std::memory_order_acquire)) return false;
    event = m_ring[head];
    m_head.store((head + 1) % capacity, std::memory_order_release);
    return true;
  }

  static constexpr std::size_t capacity = 64;

 private:
  std::array<SoundEvent, capacity> m_ring{};
  std::atomic<std::size_t> m_head{0};  // next to pop; written by the consumer
  std::atomic<std::size_t> m_tail{0};  // next free; written by the producer
};
