#pragma once
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "capture/FramePainter.h"

// Delivers a painter's frames on its own thread, paced by the steady clock at the painter's
// rate. A delivery that runs late moves the schedule on instead of catching up in a burst.
// stop() joins the thread, so it returns only after a delivery in progress has returned.
class PacedSource final : public FrameSource {
 public:
  explicit PacedSource(std::unique_ptr<FramePainter> painter);
  ~PacedSource() override;
  FrameFormat format() const override { return m_painter->format(); }
  CaptureError start(FrameSink& sink) override;
  void stop() override;
  bool automaticPlayer() const override { return m_painter->automaticPlayer(); }

 private:
  void run(FrameSink& sink);
  bool waitUntil(std::chrono::steady_clock::time_point when);

  std::unique_ptr<FramePainter> m_painter;
  std::vector<std::uint8_t> m_frame;
  std::thread m_thread;
  std::mutex m_stopLock;               // guards m_stopping for the pacing wait only
  std::condition_variable m_stopped;
  bool m_stopping = false;
};
