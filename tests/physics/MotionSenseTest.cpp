#include "physics/MotionSense.h"

#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "physics/PhysicsScene.h"

// Each value whose box lies wholly inside the plane becomes the box's mean, truncated toward
// zero; every other value 0. The running sums must give exactly that.
TEST(BoxMean, RunningSumsMatchTheDefinition) {
  std::mt19937 random(7);
  for (auto [w, h, bw, bh] : {std::array{20, 17, 7, 7}, {8, 8, 7, 7}, {31, 9, 5, 3},
                              {10, 12, 4, 6}, {7, 30, 7, 1}, {6, 20, 7, 7}}) {
    std::vector<std::int32_t> plane(w * h), work(plane.size()), expected(plane.size(), 0);
    for (auto& v : plane) v = static_cast<int>(random() % 511) - 255;
    for (int y = bh / 2; y < h - bh / 2; ++y)
      for (int x = bw / 2; x < w - bw / 2; ++x) {
        for (int k = 0; k < bh * bw; ++k)
          expected[y * w + x] += plane[(y - bh / 2 + k / bw) * w + x - bw / 2 + k % bw];
        expected[y * w + x] /= bw * bh;
      }
    boxMean(plane.data(), work.data(), w, h, bw, bh);
    EXPECT_EQ(plane, expected) << w << "x" << h << " box " << bw << "x" << bh;
  }
}

// Both frames grey but for a change of (blue, green, red) over `area` in the current one; a
// ball of r = 30 at rest at (x, y), by default wholly over the picture. True when it struck.
static bool strikeAt(PhysicsScene& s, const Rect& area, std::array<int, 3> bgr, int x = 374, int y = 340) {
  s.paint(s.previous, s.court.frameRect, {100, 100, 100});
  s.current = s.previous;
  s.paint(s.current, area, {std::uint8_t(100 + bgr[0]), std::uint8_t(100 + bgr[1]), std::uint8_t(100 + bgr[2])});
  s.place(x, y);
  s.ball.shotX = -1;
  const bool struck = s.step();
  EXPECT_EQ(struck, std::hypot(s.ball.vx, s.ball.vy) > 0);
  EXPECT_EQ(s.ball.shotX, struck ? x : -1);
  return struck;
}

// The strength is the mean of the channels' absolute smoothed differences; it fills the
// interior of the region, the outer 3 pixels keep 0, and it strikes above 12.
TEST(MotionSense, StrengthIsTheMeanOfTheChannelsAndStrikesAbove12) {
  PhysicsScene s;
  for (auto [bgr, strength] : {std::pair{std::array{39, 39, 39}, 39}, {{-39, -39, -39}, 39},
                               {{12, 12, 12}, 12}, {{13, 13, 13}, 13}, {{0, 0, 60}, 20},
                               {{60, -30, 0}, 30}, {{0, 0, 0}, 0}}) {
    EXPECT_EQ(strikeAt(s, s.court.frameRect, bgr), strength > 12) << strength;
    for (auto [a, b] : {std::pair{0, 0}, {-27, -27}, {26, 26}}) EXPECT_EQ(s.mask(a, b), strength);
    for (auto [a, b] : {std::pair{-28, 0}, {0, 27}, {-30, -30}, {29, 29}}) EXPECT_EQ(s.mask(a, b), 0);
  }
}

// One changed pixel lands, smoothed, at its own field position: the frames' bottom-up rows
// are turned to field rows.
TEST(MotionSense, AChangeIsWrittenAtItsFieldPosition) {
  PhysicsScene s;
  strikeAt(s, {384, 335, 385, 336}, {155, 155, 155});
  for (int a = -30; a < 30; ++a)
    for (int b = -30; b < 30; ++b)
      ASSERT_EQ(s.mask(a, b), a >= -8 && a <= -2 && b >= 7 && b <= 13 ? 155 / 49 : 0) << a << "," << b;
}

// Without a debounce a picture that moves on strikes in every step: from rest the kick is
// 10 T (after restitution 0.9 × 10 T), and the next kick adds to that speed.
TEST(MotionSense, StrikesRepeatWhileThePictureMoves) {
  PhysicsScene s;
  strikeAt(s, s.court.frameRect, {80, 80, 80});
  const double first = std::hypot(s.ball.vx, s.ball.vy);
  EXPECT_TRUE(s.step());
  EXPECT_NEAR(std::hypot(s.ball.vx, s.ball.vy), 0.9 * (first + first / 0.9), 1e-9);
}

// A box that overlaps the picture by 7 columns or rows senses nothing, by 8 it does. Over
// the picture the mask holds motion; beside it, the court.
TEST(MotionSense, OverlapsOfFewerThanEightPixelsSenseNothing) {
  PhysicsScene s;
  const Rect& f = s.court.frameRect;
  for (auto [columns, rows] : {std::pair{7, 60}, {8, 60}, {60, 7}, {60, 8}})
    EXPECT_EQ(strikeAt(s, f, {120, 120, 120}, f.left + columns - 30, f.top + rows - 30),
              columns + rows == 68) << columns << " x " << rows;
  s.at(f.left - 30, 340) = s.at(f.left + 5, 340) = 200;
  strikeAt(s, f, {0, 0, 0}, f.left - 10, 340);
  EXPECT_EQ(s.mask(0, -20), 200);
  EXPECT_EQ(s.mask(0, 15), 0);
}
