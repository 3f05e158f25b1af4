#include "capture/pipewire/PipeWireNodes.h"

#include <algorithm>

#include "capture/DeviceChoice.h"

bool namesDevicePath(const std::string& value, const std::string& path) {
  if (path.empty() || value.size() < path.size()) return false;
  if (value == path) return true;
  const std::size_t prefix = value.size() - path.size();
  return value.compare(prefix, path.size(), path) == 0 && value[prefix - 1] == ':';
}

std::vector<PipeWireNode> camerasToList(std::vector<PipeWireNode> nodes,
                                        const std::vector<std::string>& v4l2Paths) {
  const auto isV4l2Camera = [&v4l2Paths](const PipeWireNode& node) {
    return std::any_of(v4l2Paths.begin(), v4l2Paths.end(), [&node](const std::string& path) {
      return namesDevicePath(node.v4l2Path, path) || namesDevicePath(node.objectPath, path);
    });
  };
  nodes.erase(std::remove_if(nodes.begin(), nodes.end(), isV4l2Camera), nodes.end());
  std::stable_sort(nodes.begin(), nodes.end(),
                   [](const PipeWireNode& a, const PipeWireNode& b) { return a.serial < b.serial; });
  if (nodes.size() > static_cast<std::size_t>(maxDevices)) nodes.resize(maxDevices);
  for (PipeWireNode& node : nodes) node.name.resize(std::min(node.name.size(), maxDeviceNameLength));
  return nodes;
}
