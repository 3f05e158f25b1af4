#include "render/Backdrop.h"

#include <cmath>
#include <cstring>
#include <cstdlib>

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

  // True when no pixel of the row at `height` touches a wedge: both edges lie more than
  // their ramp below it (each edge is at most 30 px high; one more pixel covers rounding).
  bool clearAbove(int height) const { return (31 - height) * m < -1; }

  // 1 inside a wedge, 0 outside, a ramp about 1.4 px wide across the edge.
  double weight(int x, int height) const {
    const double u = (a * x + 30 - height) * m;
    const double v = (b * x + c - height) * m;
    if (u >= 1 || v >= 1) return 1;
    if (u > -1) return (u + 1) / 2;
    if (v > -1) return (v + 1) / 2;
    return 0;
  }
};

// The floor over one skin row: the wedges' green blended in by their weight.
void blendFloorRow(const FloorWedges& floor, int height, int width, std::uint8_t* pixels,
                   std::uint8_t* codes) {
  for (int x = 0; x < width; ++x, pixels += pixelBytes) {
    const double w = floor.weight(x, height);
    pixels[0] = static_cast<std::uint8_t>(pixels[0] * (1 - w));
    pixels[1] = static_cast<std::uint8_t>(pixels[1] * (1 - w) + 128 * w);
    pixels[2] = static_cast<std::uint8_t>(pixels[2] * (1 - w));
    codes[x] = static_cast<std::uint8_t>(255 * w);
  }
}

void paintSkinAndFloor(Court& court) {
  SkinPattern skin(court.skinIndex, {court.fieldWidth, court.fieldHeight, court.frameRect},
                   court.noise);
  const FloorWedges floor(court.fieldWidth, court.frameRect);
  const int width = court.fieldWidth;
  for (int row = 0; row < court.fieldHeight; ++row) {
    const int height = court.rowOfHeight(row);  // the same turn maps rows to heights
    std::uint8_t* pixels = court.backdrop.data() + static_cast<std::size_t>(row) * width * pixelBytes;
    std::uint8_t* codes = court.courtMap.data() + static_cast<std::size_t>(row) * width;
    skin.paintRow(height, pixels);
    if (floor.clearAbove(height))
      std::memset(codes, 0, static_cast<std::size_t>(width));
    else
      blendFloorRow(floor, height, width, pixels, codes);
  }
}

// Backboard, brackets and net of one side. `wall` is the backboard's outer column and
// `toward` +1 (left basket) or −1 (right basket) points into the field.
void drawBasketSide(Court& court, int wall, int toward, int ringLeft) {
  const int t = court.backboardThickness;
  const int boardBottom = court.ringHeight;        // image row of the board's lower edge
  const int ringRise = court.backboardHeight / 6;  // the ring's row above that edge
  const int boardTop = boardBottom + court.backboardHeight;
  for (int i = 0; i < t; ++i)
    drawSoftLine(court, wall + toward * i, boardBottom, wall + toward * i, boardTop, {0, 128, 0},
                 255, false);
  const int bracketFrom = wall + toward * (t + 1);
  const int bracketTo = wall + toward * (t + court.basketSize / 5);
  for (const int slope : {1, 0}) {
    for (int d = -2; d <= 2; d += 2) {
      const Rgb red{static_cast<unsigned char>(255 - 32 * std::abs(d)), 0, 0};
      const int fromY = boardBottom + (slope ? ringRise / 2 : ringRise) + d;
      drawSoftLine(court, bracketFrom, fromY, bracketTo, boardBottom + ringRise + d, red, 255,
                   false);
    }
  }
  drawBasket(court, ringLeft, boardBottom + ringRise);
}

Rect ringRect(int left, const Court& court) {
  const int top = court.fieldHeight - court.ringHeight - court.backboardHeight / 6;
  return {left, top, left + court.basketSize, top + static_cast<int>(0.8 * court.basketSize)};
}

// Player 2 shoots at the left ring and player 1 at the right one: a computer's target ring
// is not drawn, and its rectangle keeps the last drawn value.
void drawBaskets(Court& court, bool leftIsPerson, bool rightIsPerson) {
  const int t = court.backboardThickness;
  const int basketSize = court.basketSize;
  if (rightIsPerson) {
    court.leftRingRect = ringRect(t + basketSize / 5 + 10, court);
    drawBasketSide(court, 10, +1, court.leftRingRect.left);
  }
  if (leftIsPerson) {
    court.rightRingRect = ringRect(court.fieldWidth - t - basketSize - basketSize / 5 - 10, court);
    drawBasketSide(court, court.fieldWidth - 10, -1, court.rightRingRect.left);
  }
}

// The black box with its brown frame and the colon; the seven segments of the first digit.
void drawScoreBox(Court& court) {
  const int H = court.fieldHeight;
  const int x1 = (court.fieldRect.left + court.fieldRect.right - 150) / 2;
  const int x2 = (court.fieldRect.left + court.fieldRect.right + 150) / 2;
  court.scoreBoxRect = {x1, 10, x2, 60};
  fillBox(court, {x1, H - 60, x2, H - 10}, {0, 0, 0});
  const Rgb brown{128, 64, 0};
  drawSoftLine(court, x1 - 2, H - 8, x2 + 2, H - 8, brown, 0, false);
  drawSoftLine(court, x1 - 2, H - 62, x2 + 2, H - 62, brown, 0, false);
  drawSoftLine(court, x1 - 2, H - 8, x1 - 2, H - 62, brown, 0, false);
  drawSoftLine(court, x2 + 2, H - 8, x2 + 2, H - 62, brown, 0, false);
  const int m2 = x1 + x2;
  const Rgb colon{0, 0, 200};
  fillBox(court, {(m2 - 2) / 2, H - 48, (m2 + 2) / 2, H - 46}, colon);
  fillBox(court, {(m2 - 2) / 2, H - 24, (m2 + 2) / 2, H - 22}, colon);
  court.digitSegments = {{
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
