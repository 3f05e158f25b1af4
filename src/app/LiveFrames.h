#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

#include "capture/FrameSource.h"

// A live camera as the headless runner sees it: the provider's devices, each of whose
// frames is counted on its way to the engine, so that the runner can wait for frames
// instead of looking for them.
class LiveFrames final : public SourceProvider {
 public:
  explicit LiveFrames(SourceProvider& inner) : m_inner(inner) {}
  std::vector<std::string> deviceNames() override { return m_inner.deviceNames(); }
  std::unique_ptr<FrameSource> open(std::size_t index, CaptureError& error) override;

  // Frames passed on since the device was opened.
  std::uint64_t count();
  // Frames beyond `frames` are not passed on, so that a run plays exactly that many.
  void limit(std::uint64_t frames);
  // Waits until more than `seen` frames have been passed on, the camera is lost, or
  // `until`; the count then.
  std::uint64_t waitBeyond(std::uint64_t seen, std::chrono::steady_clock::time_point until);
  // Wakes a waiter, as a frame would (the camera went away).
  void wake();

  // Called from the counting source on the capture thread: whether to pass a frame on,
  // and that it was.
  bool admits();
  void counted();

 private:
  SourceProvider& m_inner;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::uint64_t m_count = 0;
  std::uint64_t m_wakes = 0;
  std::uint64_t m_limit = UINT64_MAX;
};
