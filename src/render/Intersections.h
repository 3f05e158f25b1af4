#pragma once

// An integer pixel position in image coordinates (y upward).
struct PixelPoint {
  int x = 0;
  int y = 0;
  bool operator==(const PixelPoint&) const = default;
};

// Crossing of the lines y = k1·x + b1 and y = k2·x + b2, rounded half up; the y is taken
// at the unrounded x. Parallel lines are the caller's hazard (the net's strings never are).
PixelPoint intersectLines(double k1, double b1, double k2, double b2);

// Crossing of y = k·x + b with the ellipse ((x − cx)/ax)² + ((y − cy)/ay)² = 1; root −1 is
// the left, +1 the right crossing; the y is taken at the rounded x. (0, 0) when they miss.
PixelPoint intersectLineEllipse(double k, double b, int cx, int cy, int ax, int ay, int root);
