#pragma once
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "capture/FrameSource.h"

// Keeps a copy of every delivered frame. With `holdFirst`, the first delivery waits inside
// the call until release(), so a test can act while a delivery is in progress.
class RecordingSink final : public FrameSink {
 public:
  explicit RecordingSink(bool holdFirst = false) : holding(holdFirst) {}
  void onFrame(double, const std::uint8_t* pixels, std::size_t size) override {
    std::unique_lock lock(mutex);
    frames.emplace_back(pixels, pixels + size);
    changed.notify_all();
    changed.wait(lock, [&] { return !holding; });
    ++returned;
  }
  void waitForFrames(std::size_t count) {
    std::unique_lock lock(mutex);
    changed.wait(lock, [&] { return frames.size() >= count; });
  }
  void release() {
    std::lock_guard lock(mutex);
    holding = false;
    changed.notify_all();
  }
  std::vector<std::vector<std::uint8_t>> taken() {
    std::lock_guard lock(mutex);
    return frames;
  }
  std::atomic<std::size_t> returned = 0;  // deliveries that have left onFrame()

 private:
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<std::vector<std::uint8_t>> frames;
  bool holding;
};
