#include "render/ScoreDisplay.h"

#include <algorithm>
#include <array>

#include "platform/DrawLock.h"
#include "render/SoftLines.h"

namespace {

// Lit segments per digit, bit s for segment s: 0 upper left, 1 upper right, 2 lower left,
// 3 lower right, 4 top, 5 middle, 6 bottom.
constexpr std::array<std::uint8_t, 10> segmentsOf = {
    0b1011111,  // 0
    0b0001010,  // 1
    0b1110110,  // 2
    0b1111010,  // 3
    0b0101011,  // 4
    0b1111001,  // 5
    0b1111101,  // 6
    0b0011011,  // 7: the upper left lights too
    0b1111111,  // 8
    0b1111011,  // 9
};

constexpr Rgb lit{0, 0, 200};
constexpr Rgb unlit{0, 0, 0};

}  // namespace

// Paints all 21 segments of one display into the backdrop, so no erasing is needed, and
// copies the box to the surface and the window. Three digits cannot show more than 999.
void showScore(Court& court, FieldSurface& surface, bool windowAlive, int display, int points) {
  if (!court.laidOut()) return;
  const int shown = std::clamp(points, 0, 999);
  const std::array<int, 3> digits{shown / 100, shown / 10 % 10, shown % 10};
  const int base = display == 2 ? court.secondScoreOffset : 0;
  for (int s = 0; s < 7; ++s) {
    const PixelBox& seg = court.digitSegments[s];
    for (int k = 0; k < 3; ++k) {
      const Rgb& c = (segmentsOf[digits[k]] >> s & 1) != 0 ? lit : unlit;
      const int dx = k * court.digitPitch + base;
      fillBox(court, {seg.x1 + dx, seg.y1, seg.x2 + dx, seg.y2}, c);
    }
  }
  // The box's right and bottom edges are inclusive here: rows 10 … 60.
  const Rect& box = court.scoreBoxRect;
  const Rect copied{box.left, box.top, box.right + 1, box.bottom + 1};
  DrawLockGuard lock;
  surface.putImage(court.backdrop.data(), court.fieldWidth, court.fieldHeight, copied.left,
                   copied.top, copied.width(), copied.height(), copied.left, copied.top);
  if (windowAlive) surface.present(copied);
}

void drawPlayerNames(FieldSurface& surface, int fieldWidth, const std::string& leftName,
                     const std::string& rightName) {
  const TextFont font{34, 17, 400, "Arial"};
  const Rgb colour{160, 160, 0};
  surface.drawText(30, 20, leftName, font, colour);
  const int width = surface.textWidth(rightName, font);
  surface.drawText(fieldWidth - width - 30, 20, rightName, font, colour);
}
