#include "physics/RingScoring.h"
#include <gtest/gtest.h>

// One ring test after a step from (prevX, prevY) to (x, y) at the default rings of the
// 748 × 460 field: entering is judged on truncated positions, leaving on the exact height; a
// basket scores 3 when last struck in the half away from the ring or on column 374, else 2.
TEST(RingScoring, StepsAtTheEdges) {
  struct Row { bool left; int shotX; bool inRing; int prevX, prevY; double x, y;
               bool after; int points; };
  for (const Row& r : {Row{true, 374, false, 98, 226, 98, 227, true, 0},  // in from above
                       {true, 374, false, 98, 227, 98, 230, false, 0},    // the top row: not above
                       {true, 374, false, 98, 320, 98, 300, false, 0},    // nor is below
                       {true, 374, false, 98, 220, 98, 226.6, false, 0},  // 226.6 is row 226
                       {true, 374, false, 41, 220, 41.6, 230, false, 0},  // column 41: beside
                       {true, 374, true, 98, 230, 98, 226.6, false, 0},   // back out above
                       {true, 374, true, 98, 312, 98, 316, true, 0},      // on the bottom edge
                       {true, 374, true, 98, 312, 98, 316.000001, false, 3},
                       {true, 375, true, 98, 312, 98, 320, false, 3},
                       {true, 373, true, 98, 312, 98, 320, false, 2},
                       {false, 373, true, 650, 312, 650, 320, false, 3},
                       {false, 374, true, 650, 312, 650, 320, false, 3},
                       {false, 375, true, 650, 312, 650, 320, false, 2},
                       {true, 374, false, 98, 312, 98, 320, false, 0},    // out below, never in
                       {true, 374, true, 153, 240, 156, 240, true, 0}}) {  // out by the side
    Ball ball;
    ball.x = r.x, ball.y = r.y, ball.shotX = r.shotX;
    RingPass pass{r.inRing, false};
    const Rect ring = r.left ? Rect{42, 227, 154, 316} : Rect{594, 227, 706, 316};
    EXPECT_EQ(testRing(ring, r.left, ball, r.prevX, r.prevY, 748, pass), r.points) << r.y;
    EXPECT_EQ(pass.inRing, r.after) << r.x << "," << r.y;
    EXPECT_FALSE(pass.throughRing);
  }
}
