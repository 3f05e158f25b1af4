#include "render/Backdrop.h"

#include <cmath>

#include "platform/DrawLock.h"
#include "render/Basket.h"
#include "render/ScoreDisplay.h"
#include "render/Skins.h"
#include "render/SoftLines.h"

namespace {

// The two green floor wedges: straight edges from the field's bottom corners, 30 px up, to
// the picture's bottom corners. Both edges are softened with the left edge's angle.
struct FloorWedges {
  double a, b, c, m;

  FloorWedges(int width, const Rect& frame)
      : a(-30.0 / frame.left),
        b(30.0 / (width - frame.right)),
        c(-30.0 * frame.right / (width - frame.right)),
        m(std::cos(std::atan(a)) / std::sqrt(0.5)) {}

  // 1 inside a wedge, 0 outside, a ramp about 1.4 px wide across the edge.
  double weight(int x, int y) const {
    const double u = (a * x + 30 - y) * m;
    const double v = (b * x + c - y) * m;
    if (u >= 1 || v >= 1) return 1;
    if (u > -1) return (u + 1) / 2;
    if (v > -1) return (v + 1) / 2;
    return 0;
  }
};

void paintSkinAndFloor(Court& e) {
  const SkinField field{e.fieldWidth, e.fieldHeight, e.frameRect};
  const FloorWedges floor(e.fieldWidth, e.frameRect);
  std::uint8_t* p = e.backdrop.data();
  std::uint8_t* code = e.courtMap.data();
  for (int y = 0; y < e.fieldHeight; ++y) {
    for (int x = 0; x < e.fieldWidth; ++x, p += 3, ++code) {
      const Rgb skin = skinColour(e.skinIndex, x, y, field, e.noise);
      const double w = floor.weight(x, y);
      p[0] = static_cast<std::uint8_t>(skin.blue * (1 - w));
      p[1] = static_cast<std::uint8_t>(skin.green * (1 - w) + 128 * w);
      p[2] = static_cast<std::uint8_t>(skin.red * (1 - w));
      *code = static_cast<std::uint8_t>(255 * w);
    }
  }
}

// Backboard, brackets and net of one side. `wall` is the backboard's outer column and
// `toward` +1 (left basket) or −1 (right basket) points into the field.
void drawBasketSide(Court& e, int wall, int toward, int ringLeft) {
  const int t = e.backboardThickness;
  const int rh = e.ringHeight;
  const int q = e.backboardHeight / 6;
  for (int i = 0; i < t; ++i)
    drawSoftLine(e, wall + toward * i, rh, wall + toward * i, rh + e.backboardHeight,
                 {0, 128, 0}, 255, false);
  const int bracketFrom = wall + toward * (t + 1);
  const int bracketTo = wall + toward * (t + e.basketSize / 5);
  for (const int slope : {1, 0}) {
    for (int d = -2; d <= 2; d += 2) {
      const Rgb red{static_cast<unsigned char>(255 - 32 * std::abs(d)), 0, 0};
      drawSoftLine(e, bracketFrom, rh + (slope ? q / 2 : q) + d, bracketTo, rh + q + d, red, 255,
                   false);
    }
  }
  drawBasket(e, ringLeft, rh + q);
}

Rect ringRect(int left, const Court& e) {
  const int top = e.fieldHeight - e.ringHeight - e.backboardHeight / 6;
  return {left, top, left + e.basketSize, top + static_cast<int>(0.8 * e.basketSize)};
}

// Player 2 shoots at the left ring and player 1 at the right one: a computer's target ring
// is not drawn, and its rectangle keeps the last drawn value.
void drawBaskets(Court& e, bool leftIsPerson, bool rightIsPerson) {
  const int t = e.backboardThickness;
  const int bs = e.basketSize;
  if (rightIsPerson) {
    e.leftRingRect = ringRect(t + bs / 5 + 10, e);
    drawBasketSide(e, 10, +1, e.leftRingRect.left);
  }
  if (leftIsPerson) {
    e.rightRingRect = ringRect(e.fieldWidth - t - bs - bs / 5 - 10, e);
    drawBasketSide(e, e.fieldWidth - 10, -1, e.rightRingRect.left);
  }
}

// The black box with its brown frame and the colon; the seven segments of the first digit.
void drawScoreBox(Court& e) {
  const int H = e.fieldHeight;
  const int x1 = (e.fieldRect.left + e.fieldRect.right - 150) / 2;
  const int x2 = (e.fieldRect.left + e.fieldRect.right + 150) / 2;
  e.scoreBoxRect = {x1, 10, x2, 60};
  fillBox(e, {x1, H - 60, x2, H - 10}, {0, 0, 0});
  const Rgb brown{128, 64, 0};
  drawSoftLine(e, x1 - 2, H - 8, x2 + 2, H - 8, brown, 0, false);
  drawSoftLine(e, x1 - 2, H - 62, x2 + 2, H - 62, brown, 0, false);
  drawSoftLine(e, x1 - 2, H - 8, x1 - 2, H - 62, brown, 0, false);
  drawSoftLine(e, x2 + 2, H - 8, x2 + 2, H - 62, brown, 0, false);
  const int m2 = x1 + x2;
  const Rgb colon{0, 0, 200};
  fillBox(e, {(m2 - 2) / 2, H - 48, (m2 + 2) / 2, H - 46}, colon);
  fillBox(e, {(m2 - 2) / 2, H - 24, (m2 + 2) / 2, H - 22}, colon);
  e.digitSegments = {{
      {x1 + 5, H - 33, x1 + 7, H - 18},   // upper left
      {x1 + 21, H - 33, x1 + 23, H - 18}, // upper right
      {x1 + 5, H - 52, x1 + 7, H - 37},   // lower left
      {x1 + 21, H - 52, x1 + 23, H - 37}, // lower right
      {x1 + 8, H - 17, x1 + 20, H - 15},  // top
      {x1 + 8, H - 36, x1 + 20, H - 34},  // middle
      {x1 + 8, H - 55, x1 + 20, H - 53},  // bottom
  }};
}

}  // namespace

void buildBackdrop(Court& court, bool leftIsPerson, bool rightIsPerson) {
  paintSkinAndFloor(court);
  drawBaskets(court, leftIsPerson, rightIsPerson);
  drawScoreBox(court);
  court.digitPitch = 22;
  court.secondScoreOffset = 77;
}

// The names are rendered by the platform's text, so they go through the surface and come
// back into the backdrop, where the ball's save-under finds them.
void prepareFieldImage(Court& court, FieldSurface& surface, const std::string& leftName,
                       const std::string& rightName) {
  const int w = court.fieldWidth;
  const int h = court.fieldHeight;
  DrawLockGuard lock;
  surface.create(w, h);
  surface.putImage(court.backdrop.data(), w, h, 0, 0, w, h, 0, 0);
  drawPlayerNames(surface, w, leftName, rightName);
  surface.getImage(court.backdrop.data());
}
