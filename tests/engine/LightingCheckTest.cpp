#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "capture/FrameImage.h"
#include "engine/LightingCheck.h"

namespace {

// Frames of 160 × 120 around a grey level, with uniform noise of ± `noise` per byte.
struct FrameMaker {
  std::mt19937 random{7};
  std::vector<std::uint8_t> make(int level, int noise) {
    std::vector<std::uint8_t> f(frameBytes(160, 120));
    std::uniform_int_distribution<int> d(-noise, noise);
    for (auto& b : f) b = static_cast<std::uint8_t>(std::clamp(level + d(random), 0, 255));
    return f;
  }
};

// The hint a stream of such frames at 30 per second gives within `seconds`.
LightingHint hintAfter(int level, int noise, double seconds) {
  FrameMaker maker;
  LightingCheck check;
  std::vector<std::uint8_t> previous = maker.make(level, noise);
  for (int n = 0; n * 33 <= seconds * 1000; ++n) {
    std::vector<std::uint8_t> current = maker.make(level, noise);
    check.check({current.data(), previous.data(), 160, 120}, static_cast<std::uint32_t>(n * 33));
    previous.swap(current);
    if (LightingHint hint = check.take(); hint != LightingHint::None) return hint;
  }
  return LightingHint::None;
}

}  // namespace

TEST(LightingCheck, DarkOrNoisyPicturesAreToldAfterTwoSecondsAndADemoLikePictureNever) {
  struct Row {
    int level, noise;
    double seconds;
    LightingHint expected;
  } rows[] = {
      {20, 2, 1.9, LightingHint::None},   // dark, but not yet for two seconds
      {20, 2, 2.1, LightingHint::Dark},
      {39, 0, 3.0, LightingHint::Dark},
      {40, 0, 3.0, LightingHint::None},   // bright enough
      {128, 100, 3.0, LightingHint::Noisy},
      {128, 8, 30.0, LightingHint::None},  // the demo camera's noise
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.level << " ± " << r.noise << " for " << r.seconds << " s");
    EXPECT_EQ(hintAfter(r.level, r.noise, r.seconds), r.expected);
  }
}

TEST(LightingCheck, OneHintPerCameraStart) {
  const std::vector<std::uint8_t> dark = FrameMaker().make(10, 0);
  LightingCheck check;
  const auto darkFrom = [&](std::uint32_t from, std::uint32_t to) {
    for (std::uint32_t t = from; t <= to; t += 100) check.check({dark.data(), dark.data(), 160, 120}, t);
    return check.take();
  };
  EXPECT_EQ(darkFrom(0, 6000), LightingHint::Dark);
  EXPECT_EQ(darkFrom(6000, 12000), LightingHint::None);
  check.restart();
  EXPECT_EQ(darkFrom(0, 2000), LightingHint::Dark);
}

// Every channel rising by one a column: each 7 × 7 box mean is x, and so is the strength; the
// median of the 16 × 12 probes is the ninth column's, at x = 7 + 186 × 8 / 15 = 106. A box
// shifted by one pixel, or one row short, gives another number.
TEST(LightingCheck, MedianMotionIsTheStrengthAtTheMiddleProbe) {
  const int width = 200, height = 100;
  std::vector<std::uint8_t> previous(frameBytes(width, height), 0), current(previous);
  for (std::size_t i = 0; i < current.size(); ++i)
    if (i % 4 != 3) current[i] = static_cast<std::uint8_t>(i / 4 % width);
  EXPECT_EQ(medianMotion({current.data(), previous.data(), width, height}), 106);
}
