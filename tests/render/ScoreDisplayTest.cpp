#include <gtest/gtest.h>
#include <algorithm>
#include <string>

#include "platform/MemorySurface.h"
#include "render/CourtCanvas.h"
#include "render/CourtLayout.h"
#include "render/ScoreDisplay.h"

namespace {

// Lit segments per digit: upper left, upper right, lower left, lower right, top, middle, bottom.
const std::string segmentTable[10] = {"1111101", "0101000", "0110111", "0101111", "1101010",
                                      "1001111", "1011111", "1101100", "1111111", "1101111"};

// Both displays' digits ('?' for none) read at segment centres: digit k at 5 + 22k and 82 + 22k
// from the box's left, verticals 3 px wide on rows 17 … 32 and 36 … 51, bars on 14, 33, 52.
std::string shown(const MemorySurface& surface) {
  std::string digits;
  for (int left : {304, 326, 348, 381, 403, 425}) {
    std::string lit;
    for (const auto& [dx, y] : {std::pair{1, 24}, {17, 24}, {1, 43}, {17, 43}, {9, 15}, {9, 34}, {9, 53}}) {
      const Colour colour = colourOf(surface.pixelAt(left + dx, y));
      lit += colour == Colour{0, 0, 200} ? '1' : colour == Colour{} ? '0' : 'x';
    }
    const auto digit = std::find(std::begin(segmentTable), std::end(segmentTable), lit);
    digits += digit == std::end(segmentTable) ? '?' : static_cast<char>('0' + (digit - segmentTable));
  }
  return digits;
}

// Score box (299, 10)–(449, 60) of the default court, copied onto a black surface.
TEST(ScoreDisplay, CopiesTheBoxWithItsRightAndBottomEdgesAndShowsThreeDigitsADisplay) {
  Court court;
  layoutCourt(court, {320, 240, 30}, {748, 460});
  MemorySurface surface;
  surface.create(748, 460);
  showScore(court, surface, true, 1, 480);
  EXPECT_EQ(surface.presented, (std::vector<Rect>{{299, 10, 450, 61}}));
  for (int y = 0; y < 460; ++y)  // field rows 10 … 60 and columns 299 … 449 of the backdrop
    for (int x = 0; x < 748; ++x) {
      const bool inBox = x >= 299 && x <= 449 && y >= 10 && y <= 60;
      ASSERT_EQ(colourOf(surface.pixelAt(x, y)), inBox ? backdropAt(court, x, 459 - y) : Colour{}) << x << "," << y;
    }
  // Display 2 is shown as if the window had closed: the surface follows, nothing is presented.
  const struct { int display, points; const char* digits; } rows[] = {
      {1, 0, "000???"}, {2, 0, "000000"}, {1, 7, "007000"}, {1, 12, "012000"}, {2, 5, "012005"},
      {1, 345, "345005"}, {2, 689, "345689"}, {1, 1234, "999689"}};
  for (const auto& row : rows) {
    showScore(court, surface, row.display == 1, row.display, row.points);
    EXPECT_EQ(shown(surface), row.digits) << row.points << " on " << row.display;
  }
  EXPECT_EQ(surface.presented.size(), 6u);
}

}  // namespace
