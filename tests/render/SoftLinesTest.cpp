#include <gtest/gtest.h>

#include <tuple>

#include "render/Basket.h"
#include "render/CourtCanvas.h"
#include "render/SoftLines.h"

namespace {

const Rgb white{255, 255, 255};

TEST(SoftLines, AFlatLineIsATentFiveRowsHighWithThePureColourInFront) {
  Court c = blankCourt(100, 100);
  drawSoftLine(c, 20, 50, 30, 50, {200, 100, 50}, 7, true);
  // Coverage 1, 0.6, 0.2 (1 − 0.4 × 2 is a hair below 0.2: 255 × it truncates to 50).
  const struct { int dy, alpha; Colour blended; } rows[] = {
      {0, 255, {200, 100, 50}}, {1, 153, {120, 60, 30}}, {2, 50, {39, 19, 9}}, {3, 0, {}}};
  for (const auto& row : rows)
    for (int x = 20; x <= 30; ++x)
      for (int y : {50 - row.dy, 50 + row.dy}) {
        EXPECT_EQ(std::tuple(alphaAt(c, x, y), backdropAt(c, x, y), codeAt(c, x, y)),
                  std::tuple(row.alpha, row.blended, row.alpha ? 7 : 0)) << x << "," << y;
        EXPECT_EQ(colourAt(c.overlayColor, c, x, y), (row.alpha ? Colour{200, 100, 50} : Colour{}));
      }
  EXPECT_EQ(alphaAt(c, 19, 50) + alphaAt(c, 31, 50), 0);
}

TEST(SoftLines, EqualSlopesAreWalkedRowByRowAndEitherEndMayComeFirst) {
  Court c = blankCourt(100, 100), reversed = c;
  drawSoftLine(c, 30, 30, 40, 40, white, 1, true);
  drawSoftLine(c, 40, 60, 30, 70, white, 1, false);
  EXPECT_GT(alphaAt(c, 27, 30) * backdropAt(c, 37, 60)[0], 0);  // 3 columns beside a row's centre
  EXPECT_EQ(alphaAt(c, 30, 27) + backdropAt(c, 40, 57)[0], 0);  // a column walk reaches here
  EXPECT_EQ(alphaAt(c, 35, 65), 0);                              // not in front
  drawSoftLine(reversed, 40, 40, 30, 30, white, 1, true);
  drawSoftLine(reversed, 30, 70, 40, 60, white, 1, false);
  drawSoftLine(reversed, 80, 80, 80, 80, white, 9, true);  // coincident ends draw nothing
  EXPECT_TRUE(reversed.backdrop == c.backdrop && reversed.overlayAlpha == c.overlayAlpha &&
              reversed.courtMap == c.courtMap);
}

TEST(SoftLines, VisitsBlendAgainOffFieldPixelsAreSkippedAndBoxesAreInclusive) {
  Court c = blankCourt(20, 10);
  drawSoftLine(c, 0, 5, 19, 5, {0, 255, 0}, 0, false);
  drawSoftLine(c, 0, 5, 19, 5, {0, 255, 0}, 0, false);
  drawSoftLine(c, -15, 1, 35, 1, white, 4, true);
  drawSoftLine(c, 5, -20, 5, 40, white, 4, true);
  EXPECT_EQ(backdropAt(c, 9, 4)[1], 214);  // 153 × 0.4 + 255 × 0.6 on the second visit
  EXPECT_EQ(std::tuple(alphaAt(c, 0, 1), alphaAt(c, 19, 0), alphaAt(c, 5, 9)), std::tuple(255, 153, 255));
  Court box = blankCourt(20, 10);
  for (const PixelBox& b : {PixelBox{10, 2, 12, 3}, {12, 2, 10, 3}, {10, 3, 12, 2}, {-5, 8, 30, 30}})
    fillBox(box, b, {1, 2, 3});  // the reversed boxes fill nothing; the last is clipped
  int filled = 0;
  for (std::size_t i = 0; i < box.courtMap.size(); ++i) filled += box.backdrop[i * 3] + box.courtMap[i];
  EXPECT_EQ(filled, 3 * (3 * 2 + 2 * 20));  // blue 3 on 3 × 2 pixels and two clipped rows
  EXPECT_EQ(backdropAt(box, 12, 3), (Colour{1, 2, 3}));
}

// The default basket with its ring's left end at (100, 200), on a court map of 9s.
TEST(Basket, OnlyTheSidesAreSolidBackStringsEndLowestAndTheRimIsRedOverThem) {
  Court c = blankCourt(300, 300);
  std::fill(c.courtMap.begin(), c.courtMap.end(), 9);
  drawBasket(c, 100, 200);
  // Extents drawn and in front (left, lowest, right, highest): the bottom ring spans rows
  // 106 … 116; back strings end on its far side, front strings and the sides on row 111.
  Rect drawn{300, 300, 0, 0}, front = drawn;
  const auto grow = [](Rect& e, int x, int y) {
    e = {std::min(e.left, x), std::min(e.top, y), std::max(e.right, x), y};
  };
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 300; ++x) {
      const int code = codeAt(c, x, y);
      ASSERT_TRUE(code == 0 || code == 9 || code == 254) << x << "," << y;
      if (code != 9) grow(drawn, x, y);
      if (alphaAt(c, x, y) != 0) grow(front, x, y);
    }
  EXPECT_EQ(drawn, (Rect{98, 106, 214, 213}));
  EXPECT_EQ(front, (Rect{98, 111, 214, 213}));
  EXPECT_EQ(codeAt(c, 111, 156) + codeAt(c, 201, 156), 2 * 254);  // half way down the sides
  // The ring's middle column: the back half about row 191 (reds 224, 192, 160), the front
  // half about row 209 (255, 223, 191); each line visits twice, in order; the rim is not solid.
  std::vector<int> back, rim;
  for (int i = 0; i < 9; ++i) {
    back.push_back(backdropAt(c, 156, 187 + i)[0]);
    rim.push_back(backdropAt(c, 156, 205 + i)[0]);
  }
  EXPECT_EQ(back, (std::vector<int>{96, 163, 199, 208, 182, 164, 160, 145, 56}));
  EXPECT_EQ(rim, (std::vector<int>{117, 194, 230, 239, 213, 195, 191, 173, 68}));
  EXPECT_EQ(std::tuple(backdropAt(c, 156, 209), codeAt(c, 156, 209), alphaAt(c, 156, 209)),
            std::tuple(Colour{213, 0, 0}, 0, 255));  // over a front string's start
  EXPECT_EQ(alphaAt(c, 156, 191), 0);
}

}  // namespace
