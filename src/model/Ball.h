#pragma once
#include "model/Geometry.h"

// The ball in flight and the constants of its flight and bounces. Field coordinates: x to
// the right, y downward.
struct Ball {
  double x = 395.0;            // px, centre
  double y = 50.0;             // px, centre
  double vx = 0.0;             // px/s
  double vy = 0.0;             // px/s, positive downward
  double angle = 10.0;         // rad, never wrapped
  double spin = 0.0;           // rad/s
  int drawnX = 395;            // px, centre where the ball was last drawn into the surface
  int drawnY = 50;             // px
  int radius = 30;             // px (ballRadius setting); the ball box is 2 × radius square
  double gravity = 600.0;      // px/s², downward (gravity setting)
  double gravityUnit = 600.0;  // px/s² shown as 1.0 g
  double tangentFactor = 0.7;  // share of tangential speed a bounce keeps
  double spinFactor = 0.3;     // share of surface speed added to the tangential speed
  double restitution = 0.9;    // factor on the normal speed of a bounce
  double hitThreshold = 0.0;   // push strength to exceed over the camera picture
  int shotX = 0;               // px, x at the last strike from motion
};

// The 2r × 2r square of field pixels under a ball centred at (x, y): its top-left corner is
// the truncated centre minus r. The mask, the motion region and the drawing all use it.
inline Rect ballBox(double x, double y, int radius) {
  const int bx = static_cast<int>(x);
  const int by = static_cast<int>(y);
  return {bx - radius, by - radius, bx + radius, by + radius};
}
