#pragma once
#include <atomic>
#include <cstdint>

// Millisecond tick counter. Differences are taken in unsigned 32-bit arithmetic,
// so they stay right across the counter's wrap-around.
class TickClock {
 public:
  virtual ~TickClock() = default;
  virtual std::uint32_t now() = 0;
};

// Milliseconds of the monotonic clock, wrapping at 2^32 like the system tick counter.
class SteadyTickClock final : public TickClock {
 public:
  std::uint32_t now() override;
};

// A clock that moves only when told to: tests and the headless runner drive time with it.
class ManualTickClock final : public TickClock {
 public:
  explicit ManualTickClock(std::uint32_t start = 0) : tick(start) {}
  std::uint32_t now() override { return tick.load(); }
  void set(std::uint32_t t) { tick.store(t); }
  void advance(std::uint32_t ms) { tick.fetch_add(ms); }

 private:
  std::atomic<std::uint32_t> tick;
};
