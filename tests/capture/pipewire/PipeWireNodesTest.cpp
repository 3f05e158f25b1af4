#include "capture/pipewire/PipeWireNodes.h"

#include <gtest/gtest.h>

#include "capture/pipewire/NewestBuffer.h"

namespace {

std::vector<std::string> namesOf(const std::vector<PipeWireNode>& nodes) {
  std::vector<std::string> names;
  for (const PipeWireNode& n : nodes) names.push_back(n.name);
  return names;
}

TEST(PipeWireNodes, DevicePathsAreMatchedWholeBareOrBehindAScheme) {
  const struct {
    const char* value;
    bool names;
  } table[] = {
      {"/dev/video0", true},      {"v4l2:/dev/video0", true}, {"/dev/video01", false},
      {"v4l2:/dev/video10", false}, {"x/dev/video0", false},  {"", false},
      {"libcamera:/base/soc/i2c0mux/i2c@1/imx219@10", false},
  };
  for (const auto& row : table) EXPECT_EQ(namesDevicePath(row.value, "/dev/video0"), row.names) << row.value;
  EXPECT_FALSE(namesDevicePath("/dev/video0", ""));
}

TEST(PipeWireNodes, V4l2CamerasAreListedOnceThroughV4l2) {
  const std::vector<PipeWireNode> nodes = {
      {40, 40, "Monitor of UVC", "v4l2:/dev/video0", ""},
      {41, 41, "Direct path", "", "/dev/video2"},
      {42, 42, "Not listed by V4L2", "v4l2:/dev/video4", ""},
      {43, 43, "MIPI", "libcamera:/base/i2c@1/ov5640@3c", ""},
  };
  EXPECT_EQ(namesOf(camerasToList(nodes, {"/dev/video0", "/dev/video2"})),
            (std::vector<std::string>{"Not listed by V4L2", "MIPI"}));
  EXPECT_EQ(camerasToList(nodes, {}).size(), 4u);
}

TEST(PipeWireNodes, SerialOrderAtMostTenNamesCut) {
  std::vector<PipeWireNode> nodes;
  for (std::uint32_t i = 12; i >= 1; --i) nodes.push_back({i, i, "Camera " + std::to_string(i), "", ""});
  nodes[0].name = std::string(100, 'x');  // serial 12: beyond the tenth
  nodes[3].name = std::string(90, 'y');   // serial 9
  const std::vector<PipeWireNode> listed = camerasToList(nodes, {});
  ASSERT_EQ(listed.size(), 10u);
  for (std::size_t i = 0; i < listed.size(); ++i) EXPECT_EQ(listed[i].serial, i + 1);
  EXPECT_EQ(listed[8].name, std::string(79, 'y'));
}

TEST(NewestBuffer, TakesTheNewestAndGivesTheOthersBack) {
  int buffers[4] = {};
  for (int waiting = 0; waiting <= 3; ++waiting) {
    int next = 0;
    std::vector<int*> returned;
    std::uint64_t overtaken = 0;
    int* newest = takeNewest<int>([&]() -> int* { return next < waiting ? &buffers[next++] : nullptr; },
                                  [&](int* b) { returned.push_back(b); }, overtaken);
    EXPECT_EQ(newest, waiting == 0 ? nullptr : &buffers[waiting - 1]);
    EXPECT_EQ(overtaken, static_cast<std::uint64_t>(std::max(0, waiting - 1)));
    for (std::size_t i = 0; i < returned.size(); ++i) EXPECT_EQ(returned[i], &buffers[i]);
  }
}

}  // namespace
