#include <cmath>
#include <random>
#include <gtest/gtest.h>

#include "physics/PhysicsScene.h"

// Both frames grey but for a change of (blue, green, red) over `area` in the current one; a
// ball of r = 30 at rest at (x, y), by default wholly over the picture. True when it struck.
static bool strikeAt(PhysicsScene& s, Rect area, std::array<int, 3> bgr, int x = 374, int y = 340) {
  s.paint(s.previous, s.court.frameRect, {100, 100, 100});
  s.current = s.previous;
  s.paint(s.current, area, {std::uint8_t(100 + bgr[0]), std::uint8_t(100 + bgr[1]),
                            std::uint8_t(100 + bgr[2])});
  s.place(x, y);
  s.ball.shotX = -1;
  const bool struck = s.step();
  EXPECT_EQ(struck, std::hypot(s.ball.vx, s.ball.vy) > 0);
  EXPECT_EQ(s.ball.shotX, struck ? x : -1);
  return struck;
}

// The mean of the channels' absolute differences, each averaged over 7 × 7, fills the
// interior of the region, the outer 3 pixels keep 0, and it strikes above 12.
TEST(MotionSense, StrengthIsTheMeanOfTheChannelsAndStrikesAbove12) {
  PhysicsScene s;
  for (auto [bgr, strength] : {std::pair{std::array{39, 39, 39}, 39}, {{-39, -39, -39}, 39},
                               {{12, 12, 12}, 12}, {{13, 13, 13}, 13}, {{0, 0, 60}, 20},
                               {{60, -30, 0}, 30}, {{0, 0, 0}, 0}}) {
    EXPECT_EQ(strikeAt(s, s.court.frameRect, bgr), strength > 12) << strength;
    for (auto [a, b] : {std::pair{0, 0}, {-27, -27}, {26, 26}}) EXPECT_EQ(s.mask(a, b), strength);
    for (auto [a, b] : {std::pair{-28, 0}, {0, 27}, {29, 29}}) EXPECT_EQ(s.mask(a, b), 0);
  }
}

// One darkened pixel at (26, −27) from the centre, the corner of the region's interior where
// the running sums start, lands at its own field position (the frames' rows are the field's),
// averaged over the 7 × 7 box inside the interior: −100 / 49 truncated toward zero.
TEST(MotionSense, AChangeIsAveragedAtItsFieldPosition) {
  PhysicsScene s;
  strikeAt(s, {347, 366, 348, 367}, {-100, -100, -100});
  for (int a = -30; a < 30; ++a)
    for (int b = -30; b < 30; ++b)
      ASSERT_EQ(s.mask(a, b), a >= 23 && a <= 26 && b >= -27 && b <= -24 ? 2 : 0) << a << "," << b;
}

// Overlaps of 7 columns or rows sense nothing, of 8 they do.
TEST(MotionSense, OverlapsOfFewerThanEightPixelsSenseNothing) {
  PhysicsScene s;
  const Rect& f = s.court.frameRect;
  for (auto [columns, rows] : {std::pair{7, 60}, {8, 60}, {60, 7}, {60, 8}})
    EXPECT_EQ(strikeAt(s, f, {120, 120, 120}, f.left + columns - 30, f.top + rows - 30),
              columns + rows == 68) << columns << " x " << rows;
}

// Random frames: every cell of the map whose middle pixel lies inside the ball's region
// holds what the contact mask holds there; cells whose box leaves the picture hold 0.
TEST(MotionMap, EachCellHoldsTheContactMasksStrengthAtItsMiddlePixel) {
  PhysicsScene s;
  std::mt19937 random(3);
  for (Bytes* frame : {&s.current, &s.previous})
    for (auto& byte : *frame) byte = static_cast<std::uint8_t>(random() % 64);
  s.place(374, 340);
  s.step();
  MotionMap map;
  map.resize(320, 240);
  map.strength.assign(map.strength.size(), 99);
  senseMotionMap({s.current.data(), s.previous.data(), 320, 240}, map);
  ASSERT_EQ(std::pair(map.width, map.height), std::pair(80, 60));
  const Rect& f = s.court.frameRect;
  int compared = 0;
  for (int j = 0; j < map.height; ++j)
    for (int i = 0; i < map.width; ++i) {
      const int a = f.top + 4 * j + 2 - 340, b = f.left + 4 * i + 2 - 374;  // from the ball
      const int cell = map.strength[std::size_t(j) * map.width + i];
      if (i == 0 || j == 0 || i == map.width - 1 || j == map.height - 1) {
        ASSERT_EQ(cell, 0) << i << "," << j;
      }
      if (a < -27 || a > 26 || b < -27 || b > 26) continue;
      ASSERT_EQ(cell, s.mask(a, b)) << i << "," << j;
      ++compared;
    }
  EXPECT_EQ(compared, 14 * 14);
}
