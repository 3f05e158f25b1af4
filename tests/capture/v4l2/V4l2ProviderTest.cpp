#include <gtest/gtest.h>

#include "capture/v4l2/FakeV4l2Device.h"
#include "capture/v4l2/V4l2Provider.h"

// The kernel's card name holds at most 32 characters, so the 79-character cut of a listed
// name is the device search's (DeviceChoiceTest); here the card field comes whole.
TEST(V4l2Provider, ListsTheFirstTenCaptureNodesByCardNameAndOpensThemInTheModeLastChosen) {
  std::vector<FakeNode> nodes;
  for (char c = 'a'; c <= 'l'; ++c) nodes.push_back({"/dev/video" + std::to_string(c - 'a'), std::string(1, c)});
  nodes[0].card = std::string(32, 'x');  // full, without a terminating NUL
  nodes[1].caps = V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING;  // the metadata node of a camera
  nodes[2].caps = V4L2_CAP_VIDEO_OUTPUT | V4L2_CAP_STREAMING;  // a loopback's output
  FakeV4l2Device device(nodes);
  V4l2Provider provider({}, device);
  EXPECT_EQ(provider.deviceNames(),
            (std::vector<std::string>{std::string(32, 'x'), "d", "e", "f", "g", "h", "i", "j", "k", "l"}));
  CaptureError error;
  CameraMode small = provider.open(9, error)->settings()->mode();  // the last listed: /dev/video11
  small.width = 320;
  small.height = 240;
  ASSERT_EQ(provider.open(9, error)->settings()->setMode(small), CaptureError::None);
  EXPECT_EQ(provider.open(9, error)->format().width, 320);  // the choice holds for the run
  device.nodeList[3].formatErrno = EBUSY;  // another program holds "d"
  EXPECT_EQ(provider.open(1, error), nullptr);
  EXPECT_EQ(error, CaptureError::Connection);
}
