#include <gtest/gtest.h>
#include <tuple>

#include "render/Basket.h"
#include "render/CourtCanvas.h"
#include "render/SoftLines.h"

namespace {

TEST(SoftLines, AFlatLineIsATentFiveRowsHighWithThePureColourInFront) {
  Court c = blankCourt(100, 100);
  drawSoftLine(c, 20, 50, 30, 50, {200, 100, 50}, 7, true);
  // Coverage 1, 0.6, 0.2 (1 − 0.4 × 2 is a hair below 0.2: 255 × it truncates to 50).
  const struct { int dy, alpha; Colour blended; } rows[] = {
      {0, 255, {200, 100, 50}}, {1, 153, {120, 60, 30}}, {2, 50, {39, 19, 9}}, {3, 0, {}}};
  for (const auto& row : rows)
    for (int x = 20; x <= 30; ++x)
      for (int y : {50 - row.dy, 50 + row.dy})
        EXPECT_EQ(std::tuple(alphaAt(c, x, y), backdropAt(c, x, y), codeAt(c, x, y), colourAt(c.overlayColor, c, x, y)),
                  std::tuple(row.alpha, row.blended, row.alpha ? 7 : 0, row.alpha ? Colour{200, 100, 50} : Colour{}))
            << x << "," << y;
  EXPECT_EQ(alphaAt(c, 19, 50) + alphaAt(c, 31, 50), 0);
}

TEST(SoftLines, EqualSlopesGoByRowsVisitsBlendAgainOffFieldPixelsAreSkippedAndBoxesAreInclusive) {
  Court c = blankCourt(100, 20);
  drawSoftLine(c, 30, 4, 39, 13, {255, 255, 255}, 1, true);
  drawSoftLine(c, 0, 5, 20, 5, {0, 255, 0}, 0, false);
  drawSoftLine(c, 0, 5, 20, 5, {0, 255, 0}, 0, false);
  drawSoftLine(c, -15, 18, 135, 18, {255, 255, 255}, 4, true);
  drawSoftLine(c, 5, -20, 5, 40, {255, 255, 255}, 4, true);
  drawSoftLine(c, 80, 8, 80, 8, {255, 255, 255}, 9, true);  // coincident ends draw nothing
  // A row walk reaches 3 columns beside row 4's centre, a column walk 3 rows below it; the
  // second visit blends 153 × 0.4 + 255 × 0.6; a row off a line is at 0.6.
  EXPECT_EQ(std::tuple(alphaAt(c, 27, 4) > 0, alphaAt(c, 30, 1), backdropAt(c, 10, 4)[1], alphaAt(c, 0, 18),
                       alphaAt(c, 99, 19), alphaAt(c, 5, 9), codeAt(c, 80, 8)),
            std::tuple(true, 0, 214, 255, 153, 255, 0));
  Court box = blankCourt(20, 10);
  for (const PixelBox& b : {PixelBox{10, 2, 12, 3}, {12, 2, 10, 3}, {10, 3, 12, 2}, {-5, 8, 30, 30}})
    fillBox(box, b, {1, 2, 3});  // the reversed boxes fill nothing; the last is clipped
  int filled = 0;  // blue 3 on 3 × 2 pixels and two clipped rows, nothing in the court map
  for (std::size_t i = 0; i < box.courtMap.size(); ++i) filled += box.backdrop[i * pixelBytes] + box.courtMap[i];
  EXPECT_EQ(std::pair(filled, backdropAt(box, 12, 3)), std::pair(3 * (3 * 2 + 2 * 20), Colour{1, 2, 3}));
}

// The default basket with its ring's left end at (100, 200), on a court map of 9s.
TEST(Basket, OnlyTheSidesAreSolidBackStringsEndLowestAndTheRimIsRedOverThem) {
  Court c = blankCourt(300, 300);
  std::fill(c.courtMap.begin(), c.courtMap.end(), 9);
  drawBasket(c, 100, 200);
  // Back strings end on the bottom ring's far side (rows 106 … 111), front ones on its near side.
  int lowest = -1, lowestInFront = -1;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 300; ++x) {
      ASSERT_TRUE(codeAt(c, x, y) == 0 || codeAt(c, x, y) == 9 || codeAt(c, x, y) == 254) << x << "," << y;
      if (lowest < 0 && codeAt(c, x, y) != 9) lowest = y;
      if (lowestInFront < 0 && alphaAt(c, x, y) != 0) lowestInFront = y;
    }
  EXPECT_EQ(std::tuple(lowest, lowestInFront, codeAt(c, 111, 156), codeAt(c, 201, 156)),
            std::tuple(106, 111, 254, 254));  // and half way down the sides
  // The ring's middle column: the back half about row 191 (reds 224, 192, 160), the front
  // half about row 209 (255, 223, 191); each line visits twice, in order.
  std::vector<int> reds;
  for (int i = 0; i < 18; ++i) reds.push_back(backdropAt(c, 156, i < 9 ? 187 + i : 196 + i)[0]);
  EXPECT_EQ(reds, (std::vector<int>{96, 163, 199, 208, 182, 164, 160, 145, 56,  // rows 187 … 195
                                    117, 194, 230, 239, 213, 195, 191, 173, 68}));  // rows 205 … 213
  EXPECT_EQ(std::tuple(backdropAt(c, 156, 209), codeAt(c, 156, 209), alphaAt(c, 156, 209), alphaAt(c, 156, 191)),
            std::tuple(Colour{213, 0, 0}, 0, 255, 0));  // over a front string's start; not solid
}

}  // namespace
