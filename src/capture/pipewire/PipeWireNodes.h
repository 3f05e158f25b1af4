#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A PipeWire node that produces video (media.class Video/Source), as the registry and the
// node's own info describe it.
struct PipeWireNode {
  std::uint32_t id = 0;
  std::uint64_t serial = 0;   // object.serial: unlike the id, never reused
  std::string name;           // node.description, else node.nick, else node.name
  std::string objectPath;     // object.path, e.g. "v4l2:/dev/video0"
  std::string v4l2Path;       // api.v4l2.path, e.g. "/dev/video0"
};

// True when `value` (an object.path or api.v4l2.path) names the device node `path`, bare or
// behind a "scheme:" prefix.
bool namesDevicePath(const std::string& value, const std::string& path);

// The cameras to offer, in serial order: nodes whose device node is already listed as a
// V4L2 camera (`v4l2Paths`) are left out, names are cut to 79 characters, at most ten.
std::vector<PipeWireNode> camerasToList(std::vector<PipeWireNode> nodes,
                                        const std::vector<std::string>& v4l2Paths);
