#pragma once
#include <atomic>
#include <cstdint>

// Notices a camera that stops sending pictures without going away (a stalled stream, a
// node that ended, a camera starved of USB bandwidth): after two seconds without a frame it
// reads as stalled, and asks for a restart of the stream at once and then once a second
// until frames come back. Ticks are ms of the game's tick clock, so tests drive it by hand.
class StallWatch {
 public:
  static constexpr std::uint32_t silence = 2000;     // ms without a frame: stalled
  static constexpr std::uint32_t retryEvery = 1000;  // ms between restarts while stalled

  // The capture was (re)started by the game: the silence counts from `now`.
  void restart(std::uint32_t now) {
    m_lastFrame.store(now, std::memory_order_relaxed);
    m_stalled = false;
  }
  // On the capture thread, for every frame.
  void frameArrived(std::uint32_t now) { m_lastFrame.store(now, std::memory_order_relaxed); }
  // On the window thread, a few times a second: true when the stream should be restarted.
  bool retryDue(std::uint32_t now);
  // Whether the last retryDue() found the camera silent.
  bool stalled() const { return m_stalled; }
  // ms since the last frame (or the last start), at `now`.
  std::uint32_t quietFor(std::uint32_t now) const;

 private:
  std::atomic<std::uint32_t> m_lastFrame{0};
  bool m_stalled = false;
  std::uint32_t m_lastRetry = 0;
};
