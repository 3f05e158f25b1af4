#include "physics/RingScoring.h"

#include <gtest/gtest.h>

// One ring test after a step from (prevX, prevY) to (x, y), at the default court's rings on
// the 748 × 460 field, whose middle column is 374.
static int testStep(bool left, int prevX, int prevY, double x, double y, int shotX,
                    RingPass& pass) {
  Ball ball;
  ball.x = x, ball.y = y, ball.shotX = shotX;
  const Rect ring = left ? Rect{42, 227, 154, 316} : Rect{594, 227, 706, 316};
  return testRing(ring, left, ball, prevX, prevY, 748, pass);
}

// A drop through a ring's middle scores 3 when last struck in the half away from the ring
// or on the middle column, else 2.
TEST(RingScoring, ADropThroughScoresByWhereTheBallWasStruck) {
  for (auto [left, shotX, points] : {std::tuple{true, 375, 3}, {true, 374, 3}, {true, 373, 2},
                                     {false, 373, 3}, {false, 374, 3}, {false, 375, 2}}) {
    RingPass pass;
    int scored = 0, x = left ? 98 : 650;
    for (auto [from, to] : {std::pair{220, 240}, {240, 280}, {280, 310}, {310, 320}})
      scored += testStep(left, x, from, x + 0.5, to + 0.5, shotX, pass);
    EXPECT_EQ(scored, points) << left << " " << shotX;
    EXPECT_FALSE(pass.inRing || pass.throughRing);
  }
}

// Single steps at the left ring's edges (a basket scores 3): entering is judged on
// truncated positions, leaving on the exact height.
TEST(RingScoring, StepsAtTheEdges) {
  struct Row { bool inRing; int prevX, prevY; double x, y; bool inRingAfter; int points; };
  for (const Row& r : {Row{false, 98, 226, 98, 227, true, 0},  // enters from above
                       {false, 98, 227, 98, 230, false, 0},    // the top row is not above
                       {false, 98, 320, 98, 300, false, 0},    // nor is below
                       {false, 98, 220, 98, 226.6, false, 0},  // 226.6 is row 226: not in
                       {false, 41, 220, 41.6, 230, false, 0},  // column 41: beside
                       {true, 98, 230, 98, 226.6, false, 0},   // back out above the top
                       {true, 98, 312, 98, 316, true, 0},      // on the bottom: not out yet
                       {true, 98, 312, 98, 316.000001, false, 3},
                       {false, 98, 312, 98, 320, false, 0},    // out below, never entered
                       {true, 153, 240, 156, 240, true, 0}}) { // out through the side
    RingPass pass{r.inRing, false};
    EXPECT_EQ(testStep(true, r.prevX, r.prevY, r.x, r.y, 374, pass), r.points) << r.y;
    EXPECT_EQ(pass.inRing, r.inRingAfter) << r.x << "," << r.y;
  }
}
