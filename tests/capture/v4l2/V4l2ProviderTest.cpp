#include <gtest/gtest.h>

#include "capture/v4l2/FakeV4l2Device.h"
#include "capture/v4l2/V4l2Provider.h"

TEST(V4l2Provider, ListsCaptureNodesOnlyInNodeOrder) {
  FakeNode metadata = fakeCamera("/dev/video1", "Front");
  metadata.deviceCaps = V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING;
  FakeNode output = fakeCamera("/dev/video3", "Loopback out");
  output.deviceCaps = V4L2_CAP_VIDEO_OUTPUT | V4L2_CAP_STREAMING;
  FakeV4l2Device device({fakeCamera("/dev/video0", "Front"), metadata,
                         fakeCamera("/dev/video2", "Back"), output});
  V4l2Provider provider({}, device);
  EXPECT_EQ(provider.deviceNames(), (std::vector<std::string>{"Front", "Back"}));
  CaptureError error;
  auto source = provider.open(1, error);
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(source->format().width, 640);
  EXPECT_EQ(source->settings()->mode().framesPerSecond(), 30.0);
}

TEST(V4l2Provider, ListsAtMostTenWithNamesCutTo79) {
  std::vector<FakeNode> nodes;
  for (int i = 0; i < 12; ++i)
    nodes.push_back(fakeCamera("/dev/video" + std::to_string(i), std::string(31, 'a' + i)));
  nodes[0].card = std::string(100, 'x');  // the fake's card field keeps 31 characters
  FakeV4l2Device device(nodes);
  V4l2Provider provider({}, device);
  const auto names = provider.deviceNames();
  ASSERT_EQ(names.size(), 10u);
  EXPECT_LE(names[0].size(), 79u);
  EXPECT_EQ(names[9], std::string(31, 'j'));
}

TEST(V4l2Provider, RemembersTheModeChosenForACameraForTheRun) {
  FakeNode node = fakeCamera("/dev/video0", "Front");
  FakeV4l2Device device({node});
  V4l2Provider provider({}, device);
  provider.deviceNames();
  CaptureError error;
  CameraMode small;
  {
    auto source = provider.open(0, error);
    small = source->settings()->mode();
    small.width = 320;
    small.height = 240;
    ASSERT_EQ(source->settings()->setMode(small), CaptureError::None);
  }
  auto again = provider.open(0, error);
  EXPECT_EQ(again->format().width, 320);
  EXPECT_TRUE(again->settings()->mode().sameAs(small));
}
