#include <gtest/gtest.h>

#include "render/CourtCanvas.h"
#include "support/EngineScene.h"

namespace {

// A window with a frame round its client area, as a desktop window manager gives one.
class FramedWindow final : public WindowLink {
 public:
  FramedWindow(Size frame, Size client) : frame(frame), client(client) {}
  bool isWindow() const override { return true; }
  void postFrameEvent(std::intptr_t) override {}
  Size clientSize() const override { return client; }
  Size outerSize() const override {
    return {client.width + frame.width, client.height + frame.height};
  }
  Size screenSize() const override { return {1280, 1024}; }
  void placeWindow(int x, int y, int outerWidth, int outerHeight) override {
    placed = {x, y, outerWidth, outerHeight};
    client = {outerWidth - frame.width, outerHeight - frame.height};
    sizeChanged = true;
  }
  void clearSizeChanged() override { sizeChanged = false; }
  void showMessage(const std::string&) override {}
  void beginRelayout() override {}
  void endRelayout() override {}

  Size frame;
  Size client;
  Rect placed;  // x, y, outer width, outer height
  bool sizeChanged = false;
};

TEST(CourtLayout, DefaultsAndA320x240PictureGiveA748x460Field) {
  EngineScene scene;
  ASSERT_EQ(scene.build(), 0);
  const GameEngine& e = *scene.engine;
  EXPECT_EQ(scene.window.client, (Size{748, 460}));
  EXPECT_EQ(e.fieldRect, (Rect{0, 0, 748, 460}));
  EXPECT_EQ(e.fieldWidth, 748);
  EXPECT_EQ(e.fieldHeight, 460);
  EXPECT_EQ(e.frameRect, (Rect{214, 220, 534, 460}));
  EXPECT_EQ(scene.window.x, 586);  // centred on a 1920 × 1080 screen
  EXPECT_EQ(scene.window.y, 310);
}

TEST(CourtLayout, FramedWindowGrowsByItsFrameAndRoundsTheWidthDown) {
  EngineScene scene;
  FramedWindow window({10, 30}, {0, 0});
  scene.engine->mainWindow = &window;
  scene.engine->frameWidth = 320;
  scene.engine->frameHeight = 240;
  scene.engine->layoutCourt(1);
  // 748 + 10 = 758 rounds down to 756, so the client loses two columns.
  EXPECT_EQ(window.placed, (Rect{262, 267, 756, 490}));
  EXPECT_EQ(window.client, (Size{746, 460}));
  EXPECT_EQ(scene.engine->fieldRect, (Rect{0, 0, 746, 460}));
  EXPECT_FALSE(window.sizeChanged);
}

TEST(CourtLayout, ALargerWindowKeepsItsSize) {
  EngineScene scene;
  scene.window.client = {1001, 700};
  ASSERT_EQ(scene.build(), 0);
  EXPECT_EQ(scene.window.client, (Size{1000, 700}));  // rounded down to a multiple of 4
  EXPECT_EQ(scene.engine->frameRect, (Rect{340, 460, 660, 700}));
}

TEST(CourtLayout, WithoutAWindowTheFieldIsWhatItNeeds) {
  EngineScene scene;
  GameEngine& e = *scene.engine;
  e.frameWidth = 320;
  e.frameHeight = 240;
  e.layoutCourt(1);
  EXPECT_EQ(e.fieldRect, (Rect{0, 0, 748, 460}));
  EXPECT_EQ(e.backdrop.size(), 748u * 460 * 3);
  EXPECT_EQ(scene.surface.width(), 748);
}

TEST(CourtLayout, BallStartsAboveThePictureThrownUp) {
  EngineScene scene;
  scene.engine->ballVX = 55;
  ASSERT_EQ(scene.build(), 0);
  const GameEngine& e = *scene.engine;
  EXPECT_EQ(e.ballX, 374.0);
  EXPECT_EQ(e.ballY, 185.0);  // 220 − 30 − 5
  EXPECT_EQ(e.ballVX, 0.0);
  EXPECT_EQ(e.ballVY, -51.0);  // −(185 − 30) / 3
  EXPECT_EQ(e.drawnBallX, 374);
  EXPECT_EQ(e.drawnBallY, 185);
}

TEST(CourtLayout, BuffersFollowTheSizesAndAreReleased) {
  EngineScene scene;
  scene.engine->ballRadius = 24;
  ASSERT_EQ(scene.build(), 0);
  GameEngine& e = *scene.engine;
  const std::size_t box = 48 * 48;
  EXPECT_EQ(e.ballImage.size(), box * 3);
  EXPECT_EQ(e.ballBackground.size(), box * 3);
  EXPECT_EQ(e.ballOverlayColor.size(), box * 3);
  EXPECT_EQ(e.ballOverlayAlpha.size(), box);
  EXPECT_EQ(e.ballMask.size(), box);
  for (const auto& plane : e.motionPlanes) EXPECT_EQ(plane.size(), box);
  EXPECT_EQ(e.motionWork.size(), box);
  EXPECT_EQ(e.workFrame.size(), 320u * 240 * 3);
  EXPECT_EQ(e.shownFrame.size(), 320u * 240 * 3);
  const std::size_t field = static_cast<std::size_t>(e.fieldWidth) * e.fieldHeight;
  EXPECT_EQ(e.overlayColor.size(), field * 3);
  EXPECT_EQ(e.overlayAlpha.size(), field);
  EXPECT_EQ(e.courtMap.size(), field);

  e.releaseCourtBuffers();
  for (const Bytes* b : {&e.workFrame, &e.shownFrame, &e.ballImage, &e.ballBackground,
                         &e.ballOverlayColor, &e.ballOverlayAlpha, &e.ballMask, &e.backdrop,
                         &e.overlayColor, &e.overlayAlpha, &e.courtMap})
    EXPECT_TRUE(b->empty());
  EXPECT_TRUE(e.motionWork.empty());
}

TEST(CourtLayout, RingRectanglesOfAComputersTargetKeepTheirLastValue) {
  EngineScene scene;
  ASSERT_EQ(scene.build(), 0);
  GameEngine& e = *scene.engine;
  EXPECT_EQ(e.leftRingRect, (Rect{42, 227, 154, 316}));  // H − 200 − 33, + trunc(0.8 × 112)
  EXPECT_EQ(e.rightRingRect, (Rect{594, 227, 706, 316}));
  const Rect right = e.rightRingRect;

  e.leftIsPerson = 0;  // player 1 is the computer: the right ring is not drawn
  e.basketSize = 96;
  e.layoutCourt(0);
  EXPECT_EQ(e.rightRingRect, right);
  EXPECT_EQ(e.leftRingRect, (Rect{39, 227, 135, 303}));
  EXPECT_EQ(codeAt(e, 748 - 15, 250), 0);  // no backboard on the right

  e.leftIsPerson = 1;
  e.rightIsPerson = 0;
  e.layoutCourt(0);
  EXPECT_EQ(e.leftRingRect.left, 39);
  EXPECT_EQ(e.leftRingRect.right, 10 + 96 + 19 + 10);  // every layout sets the right edge
  EXPECT_EQ(e.rightRingRect, (Rect{613, 227, 709, 303}));
  EXPECT_EQ(codeAt(e, 15, 250), 0);
}

TEST(CourtLayout, NewGameResetsScoresAndClockOnlyWhenAsked) {
  EngineScene scene;
  ASSERT_EQ(scene.build(), 0);
  GameEngine& e = *scene.engine;
  EXPECT_EQ(e.gameStartTick, 100000u);
  e.leftScore = 12;
  e.rightScore = 7;
  scene.clock.advance(5000);
  e.layoutCourt(0);
  EXPECT_EQ(e.leftScore, 12);
  EXPECT_EQ(e.rightScore, 7);
  EXPECT_EQ(e.gameStartTick, 100000u);
  e.layoutCourt(1);
  EXPECT_EQ(e.leftScore, 0);
  EXPECT_EQ(e.rightScore, 0);
  EXPECT_EQ(e.gameStartTick, 105000u);
  EXPECT_EQ(e.computerTick, 105000u);
}

}  // namespace
