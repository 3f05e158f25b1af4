#include "render/Intersections.h"

#include <cmath>

PixelPoint intersectLines(double k1, double b1, double k2, double b2) {
  const double x = (b2 - b1) / (k1 - k2);
  return {static_cast<int>(x + 0.5), static_cast<int>(k1 * x + b1 + 0.5)};
}

PixelPoint intersectLineEllipse(double k, double b, int cx, int cy, int ax, int ay, int root) {
  const double ax2 = static_cast<double>(ax) * ax;
  const double ay2 = static_cast<double>(ay) * ay;
  const double a = ax2 * k * k + ay2;
  const double bq = 2 * ax2 * k * (b - cy) - 2.0 * cx * ay2;
  const double c = static_cast<double>(cx) * cx * ay2 + ax2 * (b - cy) * (b - cy) - ax2 * ay2;
  const double d = bq * bq - 4 * a * c;
  if (d < 0) return {0, 0};
  const int x = static_cast<int>((root * std::sqrt(d) - bq) * 0.5 / a + 0.5);
  return {x, static_cast<int>(x * k + b + 0.5)};
}
