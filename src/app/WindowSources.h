#pragma once
#include <functional>
#include <memory>
#include <string>

#include "app/Options.h"
#include "capture/FrameSource.h"
#include "capture/PainterProvider.h"
#include "capture/RecordingSource.h"
#include "app/LiveCameras.h"

class GameEngine;

// The devices the window offers: the V4L2 cameras first, then the PipeWire-only cameras,
// then the demo camera or a replay that the command line asks for. With --record, that
// device (or else the cameras) is recorded. Must outlive the engine that opens them.
class WindowSources {
 public:
  // `onStreamLost` runs on the capture thread when an open camera goes away.
  explicit WindowSources(std::function<void()> onStreamLost);

  // Fills `catalog`; false, with the reason in `error`, when a replay cannot be used. The
  // demo camera watches `engine`.
  bool build(const Options& options, const GameEngine& engine, std::string& error);

  SourceCatalog catalog;

 private:
  LiveCameras m_cameras;
  std::unique_ptr<PainterProvider> m_added;
  std::unique_ptr<RecordingProvider> m_recorder;
};
