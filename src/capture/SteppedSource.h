#pragma once
#include <memory>
#include <vector>

#include "capture/FramePainter.h"

// Delivers a painter's frames only when told to, on the caller's thread: the headless
// runner's simulated clock decides when a frame is due.
class SteppedSource final : public FrameSource {
 public:
  explicit SteppedSource(std::unique_ptr<FramePainter> painter);
  FrameFormat format() const override { return m_painter->format(); }
  CaptureError start(FrameSink& sink) override;
  void stop() override { m_sink = nullptr; }
  bool automaticPlayer() const override { return m_painter->automaticPlayer(); }
  double framesPerSecond() const { return m_painter->framesPerSecond(); }
  // Paints one frame and hands it to the sink; false when stopped or out of pictures.
  bool deliver();

 private:
  std::unique_ptr<FramePainter> m_painter;
  std::vector<std::uint8_t> m_frame;
  FrameSink* m_sink = nullptr;
};
