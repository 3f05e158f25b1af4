#pragma once
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "capture/CameraSettings.h"
#include "capture/FrameSource.h"
#include "capture/ModeChoice.h"
#include "capture/pipewire/PipeWireNodes.h"
#include "capture/pipewire/PipeWireSession.h"

// The cameras PipeWire offers (Video/Source nodes) that are not V4L2 cameras listed
// already: MIPI cameras behind libcamera, virtual cameras, the cameras a sandbox's portal
// hands over. Each listing asks the daemon afresh and waits for it at most `wait`; without
// a daemon, without permission or without an answer it lists nothing and says nothing.
// Remembers, for this run, the mode last chosen for each camera name.
//
// `takenPaths` gives the device nodes of the V4L2 cameras just listed; `onStreamLost` is
// called on a capture thread when an open camera goes away. The provider must outlive the
// sources it opens.
class PipeWireProvider final : public SourceProvider {
 public:
  static constexpr std::chrono::milliseconds defaultWait{500};

  PipeWireProvider(std::function<void()> onStreamLost,
                   std::function<std::vector<std::string>()> takenPaths,
                   std::chrono::milliseconds wait = defaultWait);

  std::vector<std::string> deviceNames() override;
  std::unique_ptr<FrameSource> open(std::size_t index, CaptureError& error) override;

  // How the daemon answered the last listing.
  PipeWireSession::State lastAnswer() const { return answer; }

 private:
  std::function<void()> onStreamLost;
  std::function<std::vector<std::string>()> takenPaths;
  std::chrono::milliseconds wait;
  PipeWireSession::State answer = PipeWireSession::State::NoDaemon;
  std::vector<PipeWireNode> listed;               // the last deviceNames() listing
  ModeMemory chosenModes;
};
