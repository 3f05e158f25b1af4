#include "capture/pipewire/PipeWireProvider.h"

#include "capture/pipewire/PipeWireSource.h"

PipeWireProvider::PipeWireProvider(std::function<void()> onStreamLost,
                                   std::function<std::vector<std::string>()> takenPaths,
                                   std::chrono::milliseconds wait)
    : onStreamLost(std::move(onStreamLost)), takenPaths(std::move(takenPaths)), wait(wait) {}

std::vector<std::string> PipeWireProvider::deviceNames() {
  listed.clear();
  {
    PipeWireSession session(wait);
    answer = session.state();
    if (answer == PipeWireSession::State::Connected)
      listed = camerasToList(session.videoSources(), takenPaths ? takenPaths() : std::vector<std::string>{});
  }
  std::vector<std::string> names;
  for (const PipeWireNode& node : listed) names.push_back(node.name);
  return names;
}

std::unique_ptr<FrameSource> PipeWireProvider::open(std::size_t index, CaptureError& error) {
  if (index >= listed.size()) {
    error = CaptureError::NoDevice;
    return nullptr;
  }
  const PipeWireNode node = listed[index];
  PipeWireSource::Hooks hooks;
  hooks.modeChosen = chosenModes.keeperFor(node.name);
  hooks.streamLost = onStreamLost;
  // The daemon answered the listing; opening may take longer than a first contact.
  const std::chrono::milliseconds openWait = std::max(wait, std::chrono::milliseconds(2000));
  return PipeWireSource::open(node, chosenModes.recalled(node.name), std::move(hooks), openWait,
                              error);
}
