#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "capture/FrameImage.h"
#include "capture/FrameSource.h"

// A camera whose frames the test sends one at a time. Each frame is delivered on a thread of
// its own, never the window thread, as a real capture delivers them; deliver() returns when
// the frame step has finished.
class SteppedSource final : public FrameSource {
 public:
  explicit SteppedSource(FrameFormat format) : size(format) {}
  FrameFormat format() const override { return size; }
  CaptureError start(FrameSink& sink) override {
    ++starts;
    running = &sink;
    return CaptureError::None;
  }
  void stop() override {
    ++stops;
    running = nullptr;
  }

  // One frame of uniform colour; false while the capture is stopped.
  bool deliver(std::uint8_t value) {
    if (running == nullptr) return false;
    frame.assign(frameBytes(size.width, size.height), value);
    std::thread([this] {
      running->BufferCB(0, frame.data(), static_cast<long>(frame.size()));
    }).join();
    return true;
  }

  FrameFormat size;
  FrameSink* running = nullptr;
  int starts = 0;
  int stops = 0;
  std::vector<std::uint8_t> frame;
};

class SteppedProvider final : public SourceProvider {
 public:
  explicit SteppedProvider(FrameFormat format) : format(format) {}
  std::vector<std::string> deviceNames() override { return {"Stepped camera"}; }
  std::unique_ptr<FrameSource> open(std::size_t, CaptureError&) override {
    auto source = std::make_unique<SteppedSource>(format);
    last = source.get();
    return source;
  }

  FrameFormat format;
  SteppedSource* last = nullptr;
};
