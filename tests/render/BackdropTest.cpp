#include <gtest/gtest.h>

#include "render/CourtCanvas.h"
#include "render/Skins.h"
#include "support/EngineScene.h"

namespace {

struct Backdrop : ::testing::Test {
  void SetUp() override { ASSERT_EQ(scene.build(), 0); }
  EngineScene scene;
  GameEngine& e = *scene.engine;
};

TEST_F(Backdrop, FloorWeightInColumnZeroEndsAtRowThirty) {
  for (int y = 0; y < 30; ++y) {
    EXPECT_EQ(codeAt(e, 0, y), 255) << y;
    EXPECT_TRUE(sameColour(backdropAt(e, 0, y), {0, 128, 0})) << y;
  }
  EXPECT_EQ(codeAt(e, 0, 30), 127);  // weight 0.5
  for (int y = 31; y < e.fieldHeight; ++y) EXPECT_EQ(codeAt(e, 0, y), 0) << y;
}

TEST_F(Backdrop, FloorWedgesMeetThePictureCorners) {
  // The shallow edges are soft over several columns along the bottom row.
  EXPECT_EQ(codeAt(e, e.frameRect.left - 10, 0), 255);
  EXPECT_EQ(codeAt(e, e.frameRect.left - 1, 0), 152);
  EXPECT_EQ(codeAt(e, e.frameRect.left + 10, 0), 0);
  EXPECT_EQ(codeAt(e, e.frameRect.right - 10, 0), 0);
  EXPECT_EQ(codeAt(e, e.frameRect.right + 1, 0), 152);
  EXPECT_EQ(codeAt(e, e.frameRect.right + 10, 0), 255);
  EXPECT_EQ(codeAt(e, e.fieldWidth - 1, 29), 255);
}

TEST_F(Backdrop, BackboardsAndBracketsAreSolid) {
  for (int x = 10; x < 20; ++x) EXPECT_EQ(codeAt(e, x, 300), 255) << x;
  for (int x = 10; x < 20; ++x) EXPECT_EQ(codeAt(e, e.fieldWidth - 1 - x, 300), 255) << x;
  EXPECT_EQ(codeAt(e, 30, 233), 255);  // horizontal bracket at rh + q
}

TEST_F(Backdrop, ScoreBoxHasItsGeometry) {
  const int H = e.fieldHeight;
  EXPECT_EQ(e.scoreBoxRect, (Rect{299, 10, 449, 60}));
  EXPECT_EQ(e.digitPitch, 22);
  EXPECT_EQ(e.secondScoreOffset, 77);
  EXPECT_EQ(e.digitSegments[0].x1, 304);
  EXPECT_EQ(e.digitSegments[0].y1, H - 33);
  EXPECT_EQ(e.digitSegments[6].x2, 319);
  EXPECT_EQ(e.digitSegments[6].y2, H - 53);
  // The box inside reach of its soft frame is black.
  EXPECT_TRUE(sameColour(backdropAt(e, 302, H - 12), {0, 0, 0}));
  EXPECT_TRUE(sameColour(backdropAt(e, 446, H - 58), {0, 0, 0}));
  EXPECT_TRUE(sameColour(backdropAt(e, 374, H - 47), {0, 0, 200}));  // colon
  EXPECT_TRUE(sameColour(backdropAt(e, 374, H - 23), {0, 0, 200}));
  EXPECT_TRUE(sameColour(backdropAt(e, 374, H - 8), {128, 64, 0}));  // frame line
  EXPECT_EQ(codeAt(e, 374, H - 8), 0);
}

TEST_F(Backdrop, EverySkinFillsTheField) {
  for (int skin : {0, 1, 2, 4, 9}) {
    e.skinIndex = static_cast<std::uint8_t>(skin);
    e.layoutCourt(0);
    EXPECT_EQ(e.backdrop.size(), static_cast<std::size_t>(e.fieldWidth) * e.fieldHeight * 3);
  }
  // The bubbles' red glow peaks at the picture's centre.
  const SkinField field{e.fieldWidth, e.fieldHeight, e.frameRect};
  EXPECT_EQ(skinColour(4, 374, e.fieldHeight - 340, field).red, 255);
}

TEST(Skins, ChessAndButtonsHaveSquareCellsInAWideField) {
  const SkinField field{800, 300, Rect{240, 60, 560, 300}};
  for (int skin : {1, 3}) {
    for (int y = 0; y < 300; y += 7) {
      for (int x = 0; x < 300; x += 5) {
        ASSERT_TRUE(sameColour(skinColour(skin, x, y, field), skinColour(skin, y, x, field)))
            << skin << ": " << x << "," << y;
      }
    }
  }
  EXPECT_TRUE(sameColour(skinColour(3, 0, 0, field), {0, 100, 100}));
  EXPECT_TRUE(sameColour(skinColour(1, 0, 0, field), {0, 100, 200}));
  EXPECT_TRUE(sameColour(skinColour(1, 25, 0, field), {0, 80, 160}));  // past a quarter cell
}

TEST(Skins, JalousieKeepsItsBrightnessNearlyConstant) {
  const SkinField field{640, 480, Rect{160, 240, 480, 480}};
  for (int y = 0; y < 480; y += 11) {
    for (int x = 0; x < 640; x += 13) {
      const Rgb c = skinColour(0, x, y, field);
      const int sum = c.red + c.green + c.blue;
      ASSERT_GE(sum, 253) << x << "," << y;
      ASSERT_LE(sum, 256) << x << "," << y;
    }
  }
}

TEST(Skins, NoiseStaysInItsBand) {
  const SkinField field{64, 64, Rect{16, 32, 48, 64}};
  std::srand(7);
  for (int i = 0; i < 2000; ++i) {
    const Rgb c = skinColour(200, i % 64, i / 64, field);
    const int n = (c.red - 32) / 2;
    ASSERT_GE(n, -15);
    ASSERT_LE(n, 16);
    ASSERT_EQ(c.green, 64 - 2 * n);
    ASSERT_EQ(c.blue, 128 + 2 * n);
  }
}

}  // namespace
