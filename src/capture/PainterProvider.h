#pragma once
#include <functional>
#include <memory>
#include <string>

#include "capture/FramePainter.h"

class SteppedSource;

// How a painter's frames reach the engine: paced on a thread of their own (the window), or
// stepped by the caller (the headless runner).
enum class Delivery { Paced, Stepped };

// One device that needs no camera, listed under `name`; each open makes a fresh painter.
class PainterProvider final : public SourceProvider {
 public:
  using PainterFactory = std::function<std::unique_ptr<FramePainter>()>;
  PainterProvider(std::string name, PainterFactory makePainter, Delivery delivery);
  std::vector<std::string> deviceNames() override { return {m_name}; }
  std::unique_ptr<FrameSource> open(std::size_t index, CaptureError& error) override;

  // The stepped source opened last, for the headless runner to drive; owned by whoever
  // holds the opened source.
  SteppedSource* stepped = nullptr;

 private:
  std::string m_name;
  PainterFactory m_makePainter;
  Delivery m_delivery;
};
