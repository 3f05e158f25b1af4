#include "physics/RingScoring.h"

// A basket is a pass of the ball's centre into the ring area from above and out through
// its bottom. Entering is judged on the truncated positions, leaving on the exact ball.y
// against the integer edges.
int testRing(const Rect& ring, bool leftRing, const Ball& ball, int prevX, int prevY,
             int fieldWidth, RingPass& pass) {
  const int middle = fieldWidth / 2;
  const int fromMiddle = leftRing ? ball.shotX - middle : middle - ball.shotX;  // ≥ 0: far half

  if (ring.contains(static_cast<int>(ball.x), static_cast<int>(ball.y)) && prevY < ring.top)
    pass.inRing = true;
  if (ring.contains(prevX, prevY)) {
    if (ring.top > ball.y) pass.inRing = false;
    if (ring.bottom < ball.y) pass.throughRing = true;
  }
  if (!pass.throughRing) return 0;
  const int points = pass.inRing ? (fromMiddle >= 0 ? 3 : 2) : 0;
  pass = {};
  return points;
}
