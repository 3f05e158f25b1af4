#include "engine/GameEngine.h"

// A basket is a pass of the ball's centre into the ring area from above and out through
// its bottom. Entering is judged on the truncated positions, leaving on the exact ballY
// against the integer edges. The two flags are shared: the ring areas never overlap.
int GameEngine::testRing(bool leftRing, int prevX, int prevY) {
  const Rect& ring = leftRing ? leftRingRect : rightRingRect;
  int points = leftRing ? rightScore : leftScore;
  const int middle = fieldWidth / 2;
  const int fromMiddle = leftRing ? shotX - middle : middle - shotX;  // ≥ 0: the far half

  if (ring.contains(static_cast<int>(ballX), static_cast<int>(ballY)) && prevY < ring.top)
    ballInRing = 1;
  if (ring.contains(prevX, prevY)) {
    if (ring.top > ballY) ballInRing = 0;
    if (ring.bottom < ballY) ballThroughRing = 1;
  }
  if (ballThroughRing != 0) {
    if (ballInRing != 0) {
      points += fromMiddle >= 0 ? 3 : 2;
      ++basketCount;
      showScore(leftRing ? 2 : 1, points);
    }
    ballInRing = 0;
    ballThroughRing = 0;
  }
  return points;
}
