#include "physics/MotionSense.h"

#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "physics/PhysicsScene.h"

namespace {

using Plane = std::vector<std::int32_t>;

// The box mean by its definition, for comparison.
Plane directMean(const Plane& in, int width, int height, int bw, int bh) {
  Plane out(in.size(), 0);
  const int hw = bw / 2, hh = bh / 2;
  for (int y = hh; y <= height - 1 - hh; ++y)
    for (int x = hw; x <= width - 1 - hw; ++x) {
      int sum = 0;
      for (int dy = 0; dy < bh; ++dy)
        for (int dx = 0; dx < bw; ++dx) sum += in[(y - hh + dy) * width + (x - hw + dx)];
      out[y * width + x] = sum / (bw * bh);
    }
  return out;
}

TEST(BoxMean, UniformPlaneKeepsItsValueInsideAndZeroOnTheBorder) {
  const int width = 12, height = 9;
  Plane plane(width * height, -39), work(plane.size());
  boxMean(plane.data(), work.data(), width, height, 7, 7);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const bool inside = x >= 3 && x < width - 3 && y >= 3 && y < height - 3;
      EXPECT_EQ(plane[y * width + x], inside ? -39 : 0) << x << "," << y;
    }
}

TEST(BoxMean, MeansTruncateTowardZero) {
  Plane plane(7 * 7, -1), work(plane.size());
  plane[0] = 0;  // −48 / 49
  boxMean(plane.data(), work.data(), 7, 7, 7, 7);
  EXPECT_EQ(plane[3 * 7 + 3], 0);
}

TEST(BoxMean, RunningSumsMatchTheDefinition) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> value(-255, 255);
  for (auto [width, height, bw, bh] :
       {std::array{20, 17, 7, 7}, {8, 8, 7, 7}, {31, 9, 5, 3}, {10, 12, 4, 6}, {7, 30, 7, 1}}) {
    Plane plane(width * height), work(plane.size());
    for (auto& v : plane) v = value(random);
    const Plane expected = directMean(plane, width, height, bw, bh);
    boxMean(plane.data(), work.data(), width, height, bw, bh);
    EXPECT_EQ(plane, expected) << width << "x" << height << " box " << bw << "x" << bh;
  }
}

TEST(BoxMean, PlaneSmallerThanTheBoxBecomesZero) {
  Plane plane(6 * 20, 50), work(plane.size());
  boxMean(plane.data(), work.data(), 6, 20, 7, 7);
  EXPECT_EQ(plane, Plane(plane.size(), 0));
}

// A ball of r = 30 wholly over the picture (214 … 533 × 220 … 459) at rest, unless moved.
struct MotionTest : ::testing::Test {
  MotionTest() {
    scene.place(374, 340);
    e.shotX = -1;
  }
  // Previous frame grey, current frame `change` brighter over `area` (field coordinates).
  void change(const Rect& area, int change) {
    scene.paint(e.shownFrame, e.frameRect, 100);
    scene.paint(e.workFrame, e.frameRect, 100);
    scene.paint(e.workFrame, area, static_cast<std::uint8_t>(100 + change));
  }
  double speed() { return std::hypot(e.ballVX, e.ballVY); }

  PhysicsScene scene;
  GameEngine& e = scene.engine();
};

TEST_F(MotionTest, IdenticalFramesNeverStrike) {
  std::mt19937 random(3);
  for (auto& byte : e.workFrame) byte = static_cast<std::uint8_t>(random());
  e.shownFrame = e.workFrame;
  e.ballVY = 100;
  e.stepBall(0);
  EXPECT_EQ(e.ballVY, 100.0);
  EXPECT_EQ(e.ballVX, 0.0);
  EXPECT_EQ(e.shotX, -1);
  EXPECT_EQ(e.strikeCount, 0u);
}

TEST_F(MotionTest, UniformChangeGivesItsStrengthInsideAndNothingOnTheBorder) {
  change(e.frameRect, 39);
  e.stepBall(0);
  for (int a = -30; a < 30; ++a)
    for (int b = -30; b < 30; ++b) {
      const bool inside = a >= -27 && a < 27 && b >= -27 && b < 27;
      ASSERT_EQ(scene.mask(a, b), inside ? 39 : 0) << a << "," << b;
    }
  EXPECT_EQ(e.strikeCount, 1u);
}

TEST_F(MotionTest, DarkeningStrikesLikeBrightening) {
  change(e.frameRect, -39);
  e.stepBall(0);
  EXPECT_EQ(scene.mask(0, 0), 39);
}

TEST_F(MotionTest, ChannelsAreAveraged) {
  scene.paint(e.shownFrame, e.frameRect, 100);
  e.workFrame = e.shownFrame;
  for (std::size_t i = 0; i < e.workFrame.size(); i += 3) e.workFrame[i + 2] = 160;  // red
  e.stepBall(0);
  EXPECT_EQ(scene.mask(0, 0), 20);
}

TEST_F(MotionTest, StrengthTwelveDoesNotStrikeThirteenDoes) {
  change(e.frameRect, 12);
  e.stepBall(0);
  EXPECT_EQ(speed(), 0.0);
  EXPECT_EQ(e.strikeCount, 0u);
  change(e.frameRect, 13);
  e.stepBall(0);
  EXPECT_GT(speed(), 0.0);
  EXPECT_EQ(e.shotX, 374);
  EXPECT_EQ(e.strikeCount, 1u);
}

// One changed pixel lands, smoothed, at its own place in the mask: rows of the bottom-up
// frame are turned to field rows.
TEST_F(MotionTest, ChangeIsWrittenAtItsFieldPosition) {
  change(Rect{374 + 10, 340 - 5, 374 + 11, 340 - 4}, 155);  // 255 − 100 in each channel
  e.stepBall(0);
  for (int a = -30; a < 30; ++a)
    for (int b = -30; b < 30; ++b) {
      const bool nearby = a >= -8 && a <= -2 && b >= 7 && b <= 13;
      ASSERT_EQ(scene.mask(a, b), nearby ? 155 / 49 : 0) << a << "," << b;
    }
}

TEST_F(MotionTest, CoverageAddsTenTimesTAndSetsShotX) {
  change(e.frameRect, 80);
  e.stepBall(0);
  const double t = scene.rimWeight();
  EXPECT_GT(t, 0.0);
  EXPECT_NEAR(speed(), 0.9 * 10 * t, 1e-9);  // from rest: all of it along the normal
  EXPECT_EQ(e.shotX, 374);
}

TEST_F(MotionTest, KickIsCappedAtFourThousandBeforeRestitution) {
  change(Rect{374 - 10, 340, 374 + 11, 370}, 80);  // below the centre, left-right even
  e.ballVY = 3990;
  e.stepBall(0);
  EXPECT_NEAR(e.ballVY, -3600.0, 1e-6);
  EXPECT_NEAR(e.ballVX, 0.0, 1e-6);
}

TEST_F(MotionTest, StrikesRepeatWhileThePictureKeepsMoving) {
  change(e.frameRect, 80);
  e.stepBall(0);
  const double t = scene.rimWeight();
  e.stepBall(0);
  EXPECT_NEAR(speed(), 0.9 * (0.9 * 10 * t + 10 * t), 1e-9);
  EXPECT_EQ(e.strikeCount, 2u);
}

TEST_F(MotionTest, MotionOnTheLeftHalfPushesStraightRight) {
  change(Rect{374 - 30, 340 - 10, 374, 340 + 11}, 100);
  e.stepBall(0);
  EXPECT_GT(e.ballVX, 0.0);
  EXPECT_NEAR(e.ballVY / e.ballVX, 0.0, 1e-12);
}

// A box that overlaps the picture by `columns` on the ball's right side, everything in the
// picture changed strongly.
struct OverlapTest : MotionTest {
  void overlapBy(int columns) {
    scene.place(e.frameRect.left + columns - 30, 340);
    change(e.frameRect, 120);
  }
};

TEST_F(OverlapTest, SevenColumnsSenseNothing) {
  overlapBy(7);
  e.stepBall(0);
  EXPECT_EQ(speed(), 0.0);
  EXPECT_EQ(e.strikeCount, 0u);
}

TEST_F(OverlapTest, EightColumnsStrike) {
  overlapBy(8);
  e.stepBall(0);
  EXPECT_LT(e.ballVX, 0.0);
  EXPECT_EQ(e.strikeCount, 1u);
}

TEST_F(OverlapTest, SevenRowsSenseNothing) {
  scene.place(374, e.frameRect.top + 7 - 30);
  change(e.frameRect, 120);
  e.stepBall(0);
  EXPECT_EQ(speed(), 0.0);
}

TEST_F(OverlapTest, MotionLeavesTheCourtPartOfTheMaskAlone) {
  overlapBy(20);
  scene.courtAtOffset(0, -20) = 200;  // left of the picture
  change(e.frameRect, 0);
  e.stepBall(0);
  EXPECT_EQ(scene.mask(0, -20), 200);
}

}  // namespace
