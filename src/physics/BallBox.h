#pragma once
#include "engine/Geometry.h"

// The 2r × 2r square of field pixels under a ball centred at (x, y): its top-left corner is
// the truncated centre minus r. The mask, the motion region and the drawing all use it.
inline Rect ballBox(double x, double y, int radius) {
  const int bx = static_cast<int>(x);
  const int by = static_cast<int>(y);
  return {bx - radius, by - radius, bx + radius, by + radius};
}
