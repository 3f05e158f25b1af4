#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "capture/DemoCamera.h"
#include "capture/DemoScene.h"

namespace {

struct DemoCameraScene {
  DemoCameraScene() { layOutDemoCourt(*scene.engine); }
  std::vector<std::uint8_t> paint(DemoCamera& camera) {
    std::vector<std::uint8_t> frame(frameBytes(640, 480));
    camera.paint(frame.data());
    return frame;
  }
  EngineScene scene{{640, 480}};
};

// The engine's motion strength of one pixel: 7 × 7 mean of each channel's difference.
int smoothedStrength(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b,
                     int x, int y) {
  int sums[3] = {0, 0, 0};
  for (int dy = -3; dy <= 3; ++dy)
    for (int dx = -3; dx <= 3; ++dx)
      for (int c = 0; c < 3; ++c) {
        const std::size_t at = (static_cast<std::size_t>(y + dy) * 640 + x + dx) * 3 + c;
        sums[c] += a[at] - b[at];
      }
  return (std::abs(sums[0] / 49) + std::abs(sums[1] / 49) + std::abs(sums[2] / 49)) / 3;
}

}  // namespace

TEST(DemoCamera, TheSameSeedPaintsTheSamePicturesAndAnotherDoesNot) {
  DemoCameraScene s;
  DemoCamera first(*s.scene.engine, {640, 480}, 30.0, 7);
  DemoCamera again(*s.scene.engine, {640, 480}, 30.0, 7);
  DemoCamera other(*s.scene.engine, {640, 480}, 30.0, 8);
  for (int n = 0; n < 4; ++n) {
    const auto picture = s.paint(first);
    EXPECT_EQ(picture, s.paint(again)) << "frame " << n;
    EXPECT_NE(picture, s.paint(other)) << "frame " << n;
  }
  EXPECT_EQ(first.format().width, 640);
  EXPECT_EQ(first.framesPerSecond(), 30.0);
}

TEST(DemoCamera, NoiseChangesSinglePixelsButNeverTheSmoothedPicture) {
  DemoCameraScene s;
  DemoCamera camera(*s.scene.engine, {640, 480}, 30.0, 1);
  auto before = s.paint(camera);
  auto after = s.paint(camera);  // the ball is far above the picture: the hand rests
  int rawWorst = 0;
  for (std::size_t i = 0; i < before.size(); ++i)
    rawWorst = std::max(rawWorst, std::abs(before[i] - after[i]));
  EXPECT_GT(rawWorst, 12);
  int smoothWorst = 0;
  for (int y = 3; y < 477; y += 2)
    for (int x = 3; x < 637; x += 2) smoothWorst = std::max(smoothWorst, smoothedStrength(before, after, x, y));
  EXPECT_LE(smoothWorst, 12);
}

TEST(DemoCamera, PaintsThePalmWhereThePlayerMeansItSeenThroughTheMirror) {
  for (std::uint32_t mirror : {1u, 0u}) {
    DemoCameraScene s;
    s.scene.engine->mirror = mirror;
    DemoCamera camera(*s.scene.engine, {640, 480}, 30.0, 1);
    const auto picture = s.paint(camera);
    const HandPose& palm = camera.player().pose();
    int column = static_cast<int>(palm.x) - 214;
    if (mirror != 0) column = 639 - column;
    const int top = static_cast<int>(palm.y) - 120 - 25;  // inside the palm, in the picture
    ASSERT_GE(top, 0);
    ASSERT_LT(top, 480);
    const std::size_t at = (static_cast<std::size_t>(479 - top) * 640 + column) * 3;
    EXPECT_GT(picture[at + 2], picture[at] + 50) << "skin is redder than blue, mirror " << mirror;
    const std::size_t across = (static_cast<std::size_t>(479 - top) * 640 + (639 - column)) * 3;
    EXPECT_LE(picture[across + 2], picture[across] + 50) << "no skin across, mirror " << mirror;
  }
}
