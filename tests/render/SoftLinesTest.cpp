#include <gtest/gtest.h>

#include "render/Intersections.h"
#include "render/CourtCanvas.h"
#include "support/EngineScene.h"

namespace {

struct SoftLines : ::testing::Test {
  void SetUp() override { blankCourt(e, 100, 100); }
  EngineScene scene;
  GameEngine& e = *scene.engine;
};

TEST_F(SoftLines, HorizontalLineOfLengthTenIsATentFiveRowsHigh) {
  e.drawSoftLine(20, 50, 30, 50, 255, 255, 255, 7, true);
  for (int x = 20; x <= 30; ++x) {
    EXPECT_EQ(alphaAt(e, x, 50), 255) << x;
    EXPECT_EQ(alphaAt(e, x, 49), 153) << x;  // 0.6
    EXPECT_EQ(alphaAt(e, x, 51), 153) << x;
    // 0.2 is 1 − 0.4 × 2 = 0.19999999999999996 in double; 255 × it truncates to 50.
    EXPECT_EQ(alphaAt(e, x, 48), 50) << x;
    EXPECT_EQ(alphaAt(e, x, 52), 50) << x;
    EXPECT_EQ(alphaAt(e, x, 47), 0) << x;
    EXPECT_EQ(alphaAt(e, x, 53), 0) << x;
    EXPECT_EQ(backdropAt(e, x, 49).green, 153) << x;
    for (int y = 48; y <= 52; ++y) EXPECT_EQ(codeAt(e, x, y), 7) << x << "," << y;
  }
  EXPECT_EQ(alphaAt(e, 19, 50), 0);
  EXPECT_EQ(alphaAt(e, 31, 50), 0);
}

TEST_F(SoftLines, OverlayTakesThePureColourAndBackdropBlends) {
  e.drawSoftLine(20, 50, 30, 50, 200, 100, 50, 0, true);
  const std::uint8_t* front = &e.overlayColor[pixelIndex(e, 25, 48) * 3];
  EXPECT_EQ(front[0], 50);
  EXPECT_EQ(front[1], 100);
  EXPECT_EQ(front[2], 200);
  const Rgb soft = backdropAt(e, 25, 48);
  EXPECT_EQ(soft.red, 39);  // 200 × 0.19999999999999996, truncated
  EXPECT_EQ(soft.green, 19);
  EXPECT_EQ(soft.blue, 9);
}

TEST_F(SoftLines, WithoutOverlayTheFrontLayerIsUntouched) {
  e.drawSoftLine(20, 50, 30, 50, 200, 100, 50, 3, false);
  EXPECT_EQ(alphaAt(e, 25, 50), 0);
  EXPECT_EQ(codeAt(e, 25, 50), 3);
  EXPECT_EQ(backdropAt(e, 25, 50).red, 200);
}

TEST_F(SoftLines, EqualSlopesAreWalkedRowByRow) {
  e.drawSoftLine(30, 30, 40, 40, 255, 255, 255, 1, true);
  // Row 30 reaches columns 27 … 33 around x = 30; a column walk would not touch (27, 30)
  // but would touch (30, 27).
  EXPECT_GT(alphaAt(e, 27, 30), 0);
  EXPECT_EQ(alphaAt(e, 30, 27), 0);
  e.drawSoftLine(40, 60, 30, 70, 255, 255, 255, 1, true);  // the other diagonal, reversed
  EXPECT_GT(alphaAt(e, 37, 60), 0);
  EXPECT_EQ(alphaAt(e, 40, 57), 0);
}

TEST_F(SoftLines, ReversedEndsDrawTheSameLine) {
  e.drawSoftLine(70, 20, 10, 35, 90, 180, 45, 5, true);
  const Bytes forward = e.backdrop;
  blankCourt(e, 100, 100);
  e.drawSoftLine(10, 35, 70, 20, 90, 180, 45, 5, true);
  EXPECT_EQ(e.backdrop, forward);
}

TEST_F(SoftLines, CoincidentEndsDrawNothing) {
  e.drawSoftLine(40, 40, 40, 40, 255, 255, 255, 9, true);
  EXPECT_EQ(e.backdrop, Bytes(e.backdrop.size(), 0));
  EXPECT_EQ(e.courtMap, Bytes(e.courtMap.size(), 0));
}

TEST_F(SoftLines, SharedPixelsBlendOncePerVisit) {
  e.drawSoftLine(20, 50, 30, 50, 0, 255, 0, 0, false);
  e.drawSoftLine(20, 50, 30, 50, 0, 255, 0, 0, false);
  EXPECT_EQ(backdropAt(e, 25, 49).green, 214);  // 153 × 0.4 + 255 × 0.6
}

TEST_F(SoftLines, PixelsOutsideTheFieldAreSkipped) {
  blankCourt(e, 20, 10);
  e.drawSoftLine(-15, 1, 35, 1, 255, 255, 255, 4, true);
  e.drawSoftLine(5, -20, 5, 40, 255, 255, 255, 4, true);
  EXPECT_EQ(e.backdrop.size(), 20u * 10 * 3);
  EXPECT_EQ(alphaAt(e, 0, 1), 255);
  EXPECT_EQ(alphaAt(e, 19, 0), 153);  // 0.6 a row off the line
  EXPECT_EQ(alphaAt(e, 5, 9), 255);
}

TEST_F(SoftLines, FillBoxIsInclusiveAndTouchesOnlyTheBackdrop) {
  e.fillBox(10, 20, 12, 21, 1, 2, 3);
  int filled = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) filled += backdropAt(e, x, y).red == 1;
  EXPECT_EQ(filled, 6);
  EXPECT_TRUE(sameColour(backdropAt(e, 12, 21), {1, 2, 3}));
  EXPECT_EQ(e.courtMap, Bytes(e.courtMap.size(), 0));
  e.fillBox(12, 20, 10, 21, 9, 9, 9);
  e.fillBox(10, 21, 12, 20, 9, 9, 9);
  e.fillBox(-5, 98, 200, 300, 9, 9, 9);  // clipped to the field
  EXPECT_EQ(backdropAt(e, 11, 20).red, 1);
  EXPECT_EQ(backdropAt(e, 0, 99).red, 9);
}

TEST_F(SoftLines, HalfEllipsesPassThroughTheirFarEdgeAtTheMiddle) {
  e.drawHalfEllipse(10, 60, 50, 40, 255, 0, 0, +1, false);
  EXPECT_EQ(backdropAt(e, 30, 40).red, 255);  // below the centre line 50
  EXPECT_EQ(backdropAt(e, 30, 60).red, 0);
  EXPECT_EQ(backdropAt(e, 10, 50).red, 255);  // starts on the centre line
  blankCourt(e, 100, 100);
  e.drawHalfEllipse(10, 60, 50, 40, 255, 0, 0, -1, true);
  EXPECT_EQ(backdropAt(e, 30, 60).red, 255);
  EXPECT_EQ(alphaAt(e, 30, 60), 255);
  EXPECT_EQ(backdropAt(e, 30, 40).red, 0);
  EXPECT_EQ(codeAt(e, 30, 60), 0);
}

TEST(Intersections, LinesMeetRoundedHalfUpWithTheYAtTheExactX) {
  EXPECT_EQ(intersectLines(2, 0, -1, 3), (PixelPoint{1, 2}));
  EXPECT_EQ(intersectLines(1, 0.2, -1, 1), (PixelPoint{0, 1}));  // x 0.4, y 0.6
}

TEST(Intersections, LineAndEllipseGiveTheLeftOrRightCrossingOrNothing) {
  EXPECT_EQ(intersectLineEllipse(0, 0, 10, 0, 5, 5, -1), (PixelPoint{5, 0}));
  EXPECT_EQ(intersectLineEllipse(0, 0, 10, 0, 5, 5, +1), (PixelPoint{15, 0}));
  EXPECT_EQ(intersectLineEllipse(0, 10, 10, 0, 5, 5, +1), (PixelPoint{0, 0}));
  EXPECT_EQ(intersectLineEllipse(1, 0.4, 0, 0, 10, 10, +1), (PixelPoint{7, 7}));  // y at rounded x
}

}  // namespace
