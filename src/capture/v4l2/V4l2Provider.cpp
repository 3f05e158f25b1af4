#include "capture/v4l2/V4l2Provider.h"

#include <algorithm>

#include "capture/DeviceChoice.h"
#include "capture/v4l2/V4l2Modes.h"
#include "capture/v4l2/V4l2Source.h"

V4l2Provider::V4l2Provider(std::function<void()> onStreamLost, V4l2Io& io)
    : io(io), onStreamLost(std::move(onStreamLost)) {}

std::vector<std::string> V4l2Provider::deviceNames() {
  listed.clear();
  std::vector<std::string> names;
  for (const std::string& path : io.nodes()) {
    if (listed.size() == static_cast<std::size_t>(maxDevices)) break;
    const int fd = io.open(path);
    if (fd < 0) continue;
    std::string name;
    const bool captures = queryCaptureCard(io, fd, name);
    io.close(fd);
    if (!captures) continue;
    name.resize(std::min(name.size(), maxDeviceNameLength));
    listed.push_back({path, name});
    names.push_back(name);
  }
  return names;
}

std::vector<std::string> V4l2Provider::listedPaths() const {
  std::vector<std::string> paths;
  for (const Node& node : listed) paths.push_back(node.path);
  return paths;
}

std::unique_ptr<FrameSource> V4l2Provider::open(std::size_t index, CaptureError& error) {
  if (index >= listed.size()) {
    error = CaptureError::NoDevice;
    return nullptr;
  }
  const Node node = listed[index];
  V4l2Source::Hooks hooks;
  hooks.modeChosen = chosenModes.keeperFor(node.name);
  hooks.streamLost = onStreamLost;
  return V4l2Source::open(io, node.path, chosenModes.recalled(node.name), std::move(hooks), error);
}
