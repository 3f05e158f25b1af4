#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "render/CourtCanvas.h"
#include "support/EngineScene.h"

namespace {

// What the surface must show: the backdrop, the camera picture in frameRect and the
// finished ball box at the drawn position, each bottom-up.
std::vector<std::uint8_t> expectedField(const GameEngine& e) {
  MemorySurface expected;
  expected.create(e.fieldWidth, e.fieldHeight);
  expected.putImage(e.backdrop.data(), e.fieldWidth, e.fieldHeight, 0, 0, e.fieldWidth,
                    e.fieldHeight, 0, 0);
  expected.putImage(e.workFrame.data(), e.frameWidth, e.frameHeight, 0, 0, e.frameWidth,
                    e.frameHeight, e.frameRect.left, e.frameRect.top);
  const int r = e.ballRadius;
  expected.putImage(e.ballImage.data(), 2 * r, 2 * r, 0, 0, 2 * r, 2 * r, e.drawnBallX - r,
                    e.drawnBallY - r);
  return expected.pixels();
}

struct FrameComposition : ::testing::Test {
  void SetUp() override {
    ASSERT_EQ(scene.build(), 0);
    std::memset(e.workFrame.data(), 77, e.workFrame.size());
  }
  EngineScene scene;
  GameEngine& e = *scene.engine;
};

TEST_F(FrameComposition, BallStraddlingThePictureEdgeShowsBothWithoutASeam) {
  e.composeFrame(e.frameRect.left, 300);
  EXPECT_EQ(scene.surface.pixels(), expectedField(e));
  // The box corners lie outside the disc: court on the left, picture on the right.
  for (int dx = 20; dx <= 30; ++dx) {
    const int x = e.frameRect.left - dx;
    EXPECT_TRUE(sameColour(scene.surface.pixelAt(x, 272), backdropAt(e, x, e.fieldHeight - 273)))
        << dx;
    EXPECT_TRUE(sameColour(scene.surface.pixelAt(e.frameRect.left + dx - 1, 272), {77, 77, 77}))
        << dx;
  }
}

TEST_F(FrameComposition, RepaintShowsTheWholeFieldWithTheBallWhereItWasDrawn) {
  for (int i = 0; i < 4; ++i) {
    scene.clock.advance(40);
    scene.deliverUniform(static_cast<std::uint8_t>(50 + i));
  }
  e.drawBallStep(300, 150);
  e.composeFrame(420, 250);
  scene.surface.presented.clear();
  e.repaintField();
  EXPECT_EQ(scene.surface.presented, (std::vector<Rect>{{0, 0, 748, 460}}));
  EXPECT_EQ(e.drawnBallX, 420);
  EXPECT_EQ(e.drawnBallY, 250);
  EXPECT_EQ(scene.surface.pixels(), expectedField(e));
}

TEST_F(FrameComposition, IntermediateStepsTakeThePictureFromThePreviousFrame) {
  e.composeFrame(374, 300);
  std::memcpy(e.shownFrame.data(), e.workFrame.data(), e.workFrame.size());
  std::memset(e.workFrame.data(), 200, e.workFrame.size());  // next frame, not yet shown
  e.drawBallStep(380, 300);
  EXPECT_TRUE(sameColour(scene.surface.pixelAt(351, 271), {77, 77, 77}));  // box corner
}

TEST_F(FrameComposition, PresentsTheChangedRectangles) {
  scene.surface.presented.clear();
  e.composeFrame(100, 100);  // from the start (374, 185), both boxes above the picture
  EXPECT_EQ(scene.surface.presented, (std::vector<Rect>{{70, 70, 404, 215}, e.frameRect}));
  scene.surface.presented.clear();
  e.composeFrame(200, 200);  // the new box reaches into the picture
  EXPECT_EQ(scene.surface.presented, (std::vector<Rect>{{70, 70, 534, 460}}));
  scene.surface.presented.clear();
  e.drawBallStep(200, 200);  // unmoved: one box
  EXPECT_EQ(scene.surface.presented, (std::vector<Rect>{{170, 170, 230, 230}}));
}

TEST_F(FrameComposition, AClosedWindowStopsAllDrawing) {
  const std::vector<std::uint8_t> before = scene.surface.pixels();
  scene.window.alive = false;
  scene.surface.presented.clear();
  e.drawBallStep(200, 100);
  e.composeFrame(200, 100);
  e.repaintField();
  EXPECT_EQ(e.drawnBallX, 374);
  EXPECT_EQ(e.drawnBallY, 185);
  EXPECT_EQ(scene.surface.pixels(), before);
  EXPECT_TRUE(scene.surface.presented.empty());
}

TEST_F(FrameComposition, ABallPartlyOffTheFieldIsClipped) {
  e.composeFrame(10, 10);
  e.composeFrame(e.fieldWidth - 5, e.fieldHeight - 5);
  e.composeFrame(374, 185);
  EXPECT_EQ(scene.surface.pixels(), expectedField(e));
}

TEST_F(FrameComposition, TheFrontLayerStaysInFrontOfTheBall) {
  // A ball over the left ring's top: the ring's upper rim (coverage 255) hides it there.
  const int ringX = e.leftRingRect.left + 56;
  const int rimRow = e.fieldHeight - 1 - (e.ringHeight + e.backboardHeight / 6 + 9);
  e.composeFrame(ringX, rimRow);
  const std::size_t at = pixelIndex(e, ringX, e.fieldHeight - 1 - rimRow);
  ASSERT_EQ(e.overlayAlpha[at], 255);
  const Rgb shown = scene.surface.pixelAt(ringX, rimRow);
  const std::uint8_t* front = &e.overlayColor[at * 3];
  EXPECT_TRUE(sameColour(shown, {front[2], front[1], front[0]}));
}

}  // namespace
