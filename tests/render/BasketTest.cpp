#include <gtest/gtest.h>

#include "render/Basket.h"
#include "render/CourtCanvas.h"
#include "support/EngineScene.h"

namespace {

TEST(BasketShape, DefaultSizeGivesTheKnownNet) {
  const BasketShape s = basketShape(112);
  EXPECT_EQ(s.netHeight, 89);
  EXPECT_EQ(s.netBottomWidth, 67);
  EXPECT_EQ(s.ringHalfHeight, 9);
  EXPECT_EQ(s.bottomHalfWidth, 33);
  EXPECT_EQ(s.bottomHalfHeight, 5);
  EXPECT_DOUBLE_EQ(s.leftSlope, -178.0 / 45);
  EXPECT_DOUBLE_EQ(s.rightSlope, 178.0 / 45);
}

struct Basket : ::testing::Test {
  void SetUp() override {
    blankCourt(e, 300, 300);
    std::fill(e.courtMap.begin(), e.courtMap.end(), 9);  // marks what the basket leaves
    e.drawBasket(x, y);
  }
  EngineScene scene;
  GameEngine& e = *scene.engine;
  const int x = 100;
  const int y = 200;
};

TEST_F(Basket, OnlyTheNetSidesAreSolid) {
  // Half way down the left side: from (100, 200) to (122, 111).
  EXPECT_EQ(codeAt(e, 111, 156), 254);
  EXPECT_EQ(codeAt(e, 212 - 11, 156), 254);  // right side, mirrored
  EXPECT_EQ(codeAt(e, x + 56, y + 9), 0);    // the rim's top, drawn last
  EXPECT_EQ(codeAt(e, x + 56, y - 9), 0);    // the rim's bottom, behind the ball
  int strings = 0, sides = 0;
  for (int py = y - 89; py < y; ++py) {
    for (int px = x; px <= x + 112; ++px) {
      const int code = codeAt(e, px, py);
      ASSERT_TRUE(code == 0 || code == 9 || code == 254) << px << "," << py;
      strings += code == 0;
      sides += code == 254;
    }
  }
  EXPECT_GT(strings, 1000);
  EXPECT_GT(sides, 2 * 89);
}

TEST_F(Basket, FrontOfTheRingIsInTheOverlayAndOnTop) {
  EXPECT_EQ(alphaAt(e, x + 56, y + 9), 255);
  // The rim's red lines cover the grey strings that run under them.
  const Rgb rim = backdropAt(e, x + 56, y + 9);
  EXPECT_GT(rim.red, 200);
  EXPECT_EQ(rim.green, 0);
  EXPECT_EQ(rim.blue, 0);
}

TEST_F(Basket, DrawsWithinItsOwnBox) {
  for (int py = 0; py < 300; ++py) {
    for (int px = 0; px < 300; ++px) {
      const bool inside = px >= x - 3 && px <= x + 112 + 3 && py >= y - 89 - 8 && py <= y + 9 + 5;
      if (!inside) {
        ASSERT_EQ(codeAt(e, px, py), 9) << px << "," << py;
      }
    }
  }
}

}  // namespace
