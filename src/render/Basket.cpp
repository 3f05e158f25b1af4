#include "render/Basket.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "render/Intersections.h"
#include "render/SoftLines.h"

BasketShape basketShape(int basketSize) {
  BasketShape s{};
  s.ringHalfHeight = (basketSize / 6) / 2;
  s.netHeight = static_cast<int>(0.8 * basketSize);
  s.netBottomWidth = static_cast<int>(0.6 * basketSize);
  s.bottomHalfWidth = s.netBottomWidth / 2;
  s.bottomHalfHeight = (s.netBottomWidth / 6) / 2;
  s.leftSlope = 2.0 * s.netHeight / (s.netBottomWidth - basketSize);
  s.rightSlope = 2.0 * s.netHeight / (basketSize - s.netBottomWidth);
  return s;
}

namespace {

Rgb greyOf(int level) {
  const auto v = static_cast<unsigned char>(level);
  return {v, v, v};
}

struct RimPoint {
  double x;
  double y;
};

// One net of one basket: the ring's left end at (x, y), its centre line at height y.
struct Net {
  int x;
  int y;
  int basketSize;
  BasketShape shape;

  // Point t pixels along the rim; upper half in front of the ball, lower half behind it.
  RimPoint rim(double t, bool upper) const {
    const double off = t - basketSize / 2;
    const double across = 4 * off * off / (double(basketSize) * basketSize);
    const double rise = 0.5 * (basketSize / 6) * std::sqrt(std::max(0.0, 1 - across));
    return {x + t, upper ? y + rise : y - rise};
  }

  // Where a string of slope g from p stops going down: the first of the net's side (left
  // side for g = +2) and the bottom ellipse; a string that misses the ellipse ends at the
  // side, because the miss is reported as (0, 0).
  PixelPoint stringEnd(const RimPoint& p, double g, int root) const {
    const double b = p.y - g * p.x;
    const PixelPoint side = g > 0 ? intersectLines(g, b, shape.leftSlope, y - shape.leftSlope * x)
                                  : intersectLines(g, b, shape.rightSlope,
                                                   y - shape.rightSlope * (x + basketSize));
    const PixelPoint bottom = intersectLineEllipse(g, b, x + basketSize / 2, y - shape.netHeight,
                                                   shape.bottomHalfWidth,
                                                   shape.bottomHalfHeight, root);
    return bottom.y > side.y ? bottom : side;
  }
};

// Six pairs of crossing strings from one half of the rim.
void drawStrings(Court& court, const Net& net, bool upper, int grey) {
  const double step = net.basketSize / 6.0;
  const int rootUp = upper ? +1 : -1;
  for (int i = 0; i <= 5; ++i) {
    for (const auto& [t, g, root] : {std::tuple{(i + 1) * step, 2.0, rootUp},
                                     std::tuple{i * step, -2.0, -rootUp}}) {
      const RimPoint p = net.rim(t, upper);
      const PixelPoint end = net.stringEnd(p, g, root);
      drawSoftLine(court, static_cast<int>(p.x), static_cast<int>(p.y), end.x, end.y,
                   greyOf(grey), 0, upper);
    }
  }
}

// Five stacked half ellipses, brightest in the middle; the rim is never solid (code 0).
void drawRimHalf(Court& court, const Net& net, bool upper) {
  const int e2 = net.shape.ringHalfHeight;
  const int middleRed = upper ? 255 : 224;
  for (int d = -2; d <= 2; ++d) {
    const Rgb red{static_cast<unsigned char>(middleRed - 32 * std::abs(d)), 0, 0};
    drawHalfEllipse(court, {net.x, net.y + e2 + d, net.x + net.basketSize, net.y - e2 + d}, red,
                    upper ? -1 : +1, upper);
  }
}

}  // namespace

void drawBasket(Court& court, int x, int y) {
  const Net net{x, y, court.basketSize, basketShape(court.basketSize)};
  drawStrings(court, net, false, 128);
  drawRimHalf(court, net, false);
  drawStrings(court, net, true, 160);
  const int inset = (net.basketSize - net.shape.netBottomWidth) / 2;
  const int bottom = y - net.shape.netHeight;
  for (int j = 0; j <= 1; ++j)
    drawSoftLine(court, x + j, y, x + inset + j, bottom, greyOf(160), 254, true);
  for (int j = 0; j <= 1; ++j)
    drawSoftLine(court, x + net.basketSize - j, y, x + net.basketSize - inset - j, bottom,
                 greyOf(160), 254, true);
  drawRimHalf(court, net, true);
}
