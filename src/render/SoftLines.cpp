#include "render/SoftLines.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>


namespace {

std::uint8_t mix(double old, double target, double a) {
  return static_cast<std::uint8_t>(old * (1 - a) + target * a);
}

// One visit of a soft line at pixel (x, height) with coverage a. Pixels outside the field
// are skipped; every visit blends with what earlier visits left.
void softPixel(Court& court, int x, int height, double a, const Rgb& colour, int code,
               bool toOverlay) {
  if (x < 0 || height < 0 || x >= court.fieldWidth || height >= court.fieldHeight) return;
  const std::size_t at =
      static_cast<std::size_t>(court.rowOfHeight(height)) * court.fieldWidth + x;
  std::uint8_t* p = &court.backdrop[at * pixelBytes];
  p[0] = mix(p[0], colour.blue, a);
  p[1] = mix(p[1], colour.green, a);
  p[2] = mix(p[2], colour.red, a);
  court.courtMap[at] = static_cast<std::uint8_t>(code);
  if (!toOverlay) return;
  putPixel(&court.overlayColor[at * pixelBytes], colour);
  court.overlayAlpha[at] = mix(court.overlayAlpha[at], 255, a);
}

}  // namespace

// A tent-shaped line about five pixels wide: full colour on the geometric line, nothing at
// 2.5 px perpendicular distance. Walked along its longer axis (rows when |dx| = |dy|).
void drawSoftLine(Court& court, int x1, int y1, int x2, int y2, Rgb colour, int code,
                  bool toOverlay) {
  if (x1 == x2 && y1 == y2) return;
  const bool flat = std::abs(y2 - y1) < std::abs(x2 - x1);
  // Walk along `along` (x for a flat line), spread across `across`.
  int a1 = flat ? x1 : y1, c1 = flat ? y1 : x1, a2 = flat ? x2 : y2, c2 = flat ? y2 : x2;
  if (a2 - a1 <= 0) {
    std::swap(a1, a2);
    std::swap(c1, c2);
  }
  const double da = a2 - a1;
  const double dc = c2 - c1;
  const double f = 0.4 * da / std::sqrt(da * da + dc * dc);
  const double h = 1 / f;
  for (int along = a1; along <= a2; ++along) {
    const double centre = c1 + (along - a1) * dc / da;
    const int last = static_cast<int>(centre + h);
    for (int across = static_cast<int>(centre - h + 1); across <= last; ++across) {
      const double a = 1 - f * std::abs(centre - across);
      if (flat)
        softPixel(court, along, across, a, colour, code, toOverlay);
      else
        softPixel(court, across, along, a, colour, code, toOverlay);
    }
  }
}

void fillBox(Court& court, const PixelBox& box, Rgb colour) {
  const int left = std::max(box.x1, 0), right = std::min(box.x2, court.fieldWidth - 1);
  const int lowest = std::max(box.y1, 0), highest = std::min(box.y2, court.fieldHeight - 1);
  for (int height = lowest; height <= highest; ++height) {
    std::uint8_t* p = &court.backdrop[(static_cast<std::size_t>(court.rowOfHeight(height)) *
                                           court.fieldWidth + left) * pixelBytes];
    for (int x = left; x <= right; ++x, p += pixelBytes) putPixel(p, colour);
  }
}

// A chain of soft lines, one per column; the pieces share their end pixels, which are
// therefore blended twice, as the ring's look depends on.
void drawHalfEllipse(Court& court, const PixelBox& box, Rgb colour, int direction,
                     bool toOverlay) {
  const int x1 = box.x1, y1 = box.y1, x2 = box.x2, y2 = box.y2;
  const double w = x2 - x1;
  const int dy = y2 - y1;
  const double xc = (x1 + x2) / 2.0;
  int prevX = x1;
  int prevY = y1 + dy / 2;
  for (int x = x1 + 1; x <= x2; ++x) {
    const double reach = std::sqrt(std::max(0.0, 1 - 4 * (x - xc) * (x - xc) / (w * w)));
    const int y = static_cast<int>((direction * reach + 1) * dy / 2 + y1 + 0.5);
    drawSoftLine(court, prevX, prevY, x, y, colour, 0, toOverlay);
    prevX = x;
    prevY = y;
  }
}
