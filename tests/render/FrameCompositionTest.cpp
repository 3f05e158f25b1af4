#include <gtest/gtest.h>
#include <atomic>
#include <numbers>
#include <tuple>

#include "demo/DemoCamera.h"
#include "render/CourtCanvas.h"
#include "support/CountingAllocator.h"
#include "support/EngineScene.h"

namespace {

// Whole boxes over a patterned background and a sparse front layer, against the pictures
// the ball has always had: any change in a seam's rounding shows here.
TEST(BallSprite, KeepsEveryPixelAtEachSizeAndTurn) {
  const struct { int radius; double angle; std::uint64_t hash; } cases[] = {
      {2, std::numbers::pi / 4, 0x0f3f8811344effd4ull}, {7, 2.5, 0xf9735891f6ba1898ull},
      {30, 0, 0xf40e7e1fad587101ull}, {30, std::numbers::pi / 4, 0x2eaf6a9b812e45eaull},
      {30, 2.5, 0xd4d46ee64342021aull}, {30, -4, 0x91a7e804c4b84011ull},
      {61, 0, 0x500e6650f3b9b7a1ull}, {61, -4, 0x23f578b9bb99e4b5ull}};
  for (const auto& c : cases) {
    BallSprite s;
    s.resize(c.radius);
    for (std::size_t i = 0; i < s.background.size(); ++i) s.background[i] = static_cast<std::uint8_t>(i * 37 + 11);
    for (std::size_t i = 0; i < s.overlayColor.size(); ++i) s.overlayColor[i] = static_cast<std::uint8_t>(i * 13 + 5);
    for (std::size_t i = 0; i < s.overlayAlpha.size(); ++i) s.overlayAlpha[i] = i % 7 == 0 ? static_cast<std::uint8_t>(i * 29) : 0;
    renderBall(s, c.angle);
    std::uint64_t hash = 1469598103934665603ull;
    for (const std::uint8_t b : s.image) hash = (hash ^ b) * 1099511628211ull;
    EXPECT_EQ(hash, c.hash) << "radius " << c.radius << " angle " << c.angle;
  }
}

// The default court around the picture (214, 220)–(534, 460), the ball at its start (374, 185).
TEST(Composition, ShowsCourtPictureAndBallWithoutASeamAndPresentsOnlyWhatChanged) {
  EngineScene scene;
  ASSERT_TRUE(scene.build());
  GameEngine& e = *scene.engine;
  Bytes frame(frameBytes(320, 240));
  for (std::size_t i = 0; i < frame.size(); ++i)  // row shades, the unused byte 255 as in every frame
    frame[i] = static_cast<std::uint8_t>(i % 4 == 3 ? 255 : i / 1280);
  saveUnderBall(e.court, e.sprite, 374, 185, frame.data());
  FieldCanvas canvas{scene.surface, e.court, e.sprite};
  std::vector<Rect>& presented = scene.surface.presented;
  const auto compose = [&](double x, double y) {
    e.ball.x = x, e.ball.y = y, e.ball.angle += 0.3;
    presented.clear();
    composeFrame(canvas, e.ball, frame.data());
    return presented;
  };
  // Both boxes above the picture: the ball area, then the picture; into it: one rectangle.
  EXPECT_EQ(compose(100, 100), (std::vector<Rect>{{70, 70, 404, 215}, {214, 220, 534, 460}}));
  EXPECT_EQ(compose(200, 200), (std::vector<Rect>{{70, 70, 534, 460}}));
  drawBallStep(canvas, e.ball, frame.data());  // unmoved: one box
  repaintField(canvas);
  EXPECT_EQ(presented, (std::vector<Rect>{{70, 70, 534, 460}, {170, 170, 230, 230}, {0, 0, 748, 460}}));
  // Over the picture's left edge, partly off the field at two corners, behind the left rim.
  for (const auto& [x, y] : {std::pair{214.7, 300.2}, {10.0, 10.0}, {743.0, 455.0}, {98.0, 217.0}}) {
    compose(x, y);
    MemorySurface expected;
    expected.create(748, 460);
    expected.putImage(e.court.backdrop.data(), 748, 460, 0, 0, 748, 460, 0, 0);
    expected.putImage(frame.data(), 320, 240, 0, 0, 320, 240, 214, 220);
    for (int Y = -30; Y < 30; ++Y)  // the disc is the sprite's, the rest of its box the field's
      for (int X = -30; X < 30; ++X)
        if (X * X + Y * Y <= 900)
          expected.putImage(e.sprite.image.data(), 60, 60, X + 30, 29 - Y, 1, 1, int(x) + X, int(y) - 1 - Y);
    ASSERT_EQ(scene.surface.bytes(), expected.bytes()) << x << "," << y;
  }
  EXPECT_EQ(std::pair(alphaAt(e.court, 98, 242), colourOf(scene.surface.pixelAt(98, 217))),
            std::pair(255, colourAt(e.court.overlayColor, e.court, 98, 242)));
  const Bytes before = scene.surface.bytes();  // a closed window stops the engine's drawing
  scene.window.alive = false;
  presented.clear();
  scene.clock.advance(33);
  e.onFrame(0, frame.data(), frame.size());
  e.repaintField();
  EXPECT_EQ(std::tuple(e.ball.drawnX, e.ball.drawnY, presented.size()), std::tuple(98, 217, std::size_t{0}));
  EXPECT_EQ(scene.surface.bytes(), before);
}

// A played minute: the demo camera paints, the engine mirrors, strikes, draws, credits the
// computer and ends the period; the window repaints meanwhile.
TEST(FrameStep, AllocatesNothingForAMinuteOfDemoCameraFrames) {
  EngineScene scene({640, 480});
  GameEngine& e = *scene.engine;
  e.match.setNames("Player1", computerName);
  scene.setTiming({1, 2, 0});
  ASSERT_TRUE(scene.build());
  DemoCamera camera({e.ball, e.court, e.match, e.settings().timing, e.camera.mirror}, {640, 480}, 30.0, 7);
  Bytes frame(frameBytes(640, 480));
  scene.surface.presented.reserve(20000);  // the memory surface's own record of presents
  const long start = allocations.load();
  for (int n = 0; n < 1900 && !e.match.gameOver; ++n) {  // a minute and a bit at 30 fps
    scene.clock.advance(n % 3 == 0 ? 34 : 33);
    camera.paint(frame.data());
    e.onFrame(0, frame.data(), frame.size());
    if (n % 100 == 0) e.repaintField();
  }
  EXPECT_EQ(allocations.load(), start);
  EXPECT_TRUE(e.stats.strikes > 0 && e.match.rightScore > 0 && e.match.gameOver);  // all of it happened
}

}  // namespace
