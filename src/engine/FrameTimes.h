#pragma once
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>

// The frame step's timing, for the readout: the capture thread adds to it with relaxed
// atomics (no lock, nothing allocated); the window thread takes the sums about once a second.
class FrameTimes {
 public:
  using Clock = std::chrono::steady_clock;

  // A frame stepped: `arrival` is when it reached the program (or the camera's own time stamp).
  void stepped(Clock::time_point arrival, Clock::duration step) {
    const auto nanos = static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(step).count());
    m_frames.fetch_add(1, std::memory_order_relaxed);
    m_stepNanos.fetch_add(nanos, std::memory_order_relaxed);
    std::uint64_t longest = m_longestNanos.load(std::memory_order_relaxed);
    while (nanos > longest && !m_longestNanos.compare_exchange_weak(longest, nanos)) {
    }
    m_lastArrival.store(arrival.time_since_epoch().count(), std::memory_order_release);
  }
  void dropped() { m_dropped.fetch_add(1, std::memory_order_relaxed); }

  struct Sums {
    std::uint32_t frames = 0;
    double meanStepMs = 0.0;
    double longestStepMs = 0.0;
    std::uint32_t dropped = 0;
  };
  // What was stepped since the last call.
  Sums take() {
    Sums s;
    s.frames = m_frames.exchange(0);
    const std::uint64_t nanos = m_stepNanos.exchange(0);
    s.meanStepMs = s.frames > 0 ? nanos / 1e6 / s.frames : 0.0;
    s.longestStepMs = m_longestNanos.exchange(0) / 1e6;
    s.dropped = m_dropped.exchange(0);
    return s;
  }
  // When the newest stepped frame arrived.
  Clock::time_point lastArrival() const {
    return Clock::time_point(Clock::duration(m_lastArrival.load(std::memory_order_acquire)));
  }

 private:
  std::atomic<std::uint32_t> m_frames{0};
  std::atomic<std::uint64_t> m_stepNanos{0};
  std::atomic<std::uint64_t> m_longestNanos{0};
  std::atomic<std::uint32_t> m_dropped{0};
  std::atomic<Clock::rep> m_lastArrival{0};
};
