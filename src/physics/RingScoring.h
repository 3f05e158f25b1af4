#pragma once
#include "model/Ball.h"
#include "model/RingPass.h"

// Tests one ring after a ball step from (prevX, prevY): the points the pass scores (0, 2,
// or 3 when the ball was last struck in the far half of the field). The left ring is player
// 2's target, the right ring player 1's.
int testRing(const Rect& ring, bool leftRing, const Ball& ball, int prevX, int prevY,
             int fieldWidth, RingPass& pass);
