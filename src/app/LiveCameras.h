#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "capture/FrameSource.h"
#include "capture/pipewire/PipeWireProvider.h"
#include "capture/v4l2/V4l2Provider.h"

// Every camera of the machine as one list: the V4L2 cameras first, then the PipeWire
// cameras that are not V4L2 cameras already.
class LiveCameras final : public SourceProvider {
 public:
  // `onStreamLost` runs on a capture thread when an open camera goes away.
  explicit LiveCameras(std::function<void()> onStreamLost,
                       std::chrono::milliseconds pipeWireWait = PipeWireProvider::defaultWait);

  std::vector<std::string> deviceNames() override;
  std::unique_ptr<FrameSource> open(std::size_t index, CaptureError& error) override;

 private:
  V4l2Provider m_v4l2;
  PipeWireProvider m_pipeWire;
  SourceCatalog m_both;
};
