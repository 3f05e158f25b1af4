#include <gtest/gtest.h>

#include <atomic>
#include <numbers>
#include <tuple>

#include "capture/DemoCamera.h"
#include "render/CourtCanvas.h"
#include "support/EngineScene.h"

// Counts every allocation of this test program, to show that the frame step allocates
// nothing; it serves every other test unchanged. (GCC 12 takes the inlined replacement's
// malloc and free for a mismatched pair.)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
static std::atomic<long> allocations{0};
void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

TEST(BallSprite, PanelsRimAndFrontLayerFollowTheTurnedOffsets) {
  BallSprite s;
  s.resize(30);
  for (std::size_t i = 0; i < s.background.size(); ++i) s.background[i] = 10 + 10 * (i % 3);
  const auto bgr = [&s](int X, int Y) {  // at offsets from the centre, Y upward
    const std::uint8_t* p = &s.image[((Y + 30) * 60 + X + 30) * 3];
    return Colour{p[0], p[1], p[2]};
  };
  // At d = 29, k = trunc(102 × 29 / 30) = 98 and the rim weight 2/3 blends the panel into
  // the background; at d = 30 the weight is 0; d² = r² + 1 lies outside the disc.
  const Colour under{10, 20, 30};
  const struct { double angle; int X, Y; Colour shown; } cases[] = {
      {0, 0, 0, {255, 128, 128}}, {0, -29, 0, {108, 26, 30}},  // panel A, full and at 2/3
      {0, 0, 29, {23, 26, 114}},  {0, 29, 0, {40, 76, 46}},    // B above, C to the right
      {0, 20, 20, {0, 159, 159}}, {std::numbers::pi / 2, 0, 29, {40, 76, 46}},  // D; C turned up
      {0, -30, 0, under}, {0, 0, -30, under}, {1.3, -30, 1, under}, {1.3, -30, -30, under}};
  for (const auto& c : cases) {
    renderBall(s, c.angle);
    EXPECT_EQ(bgr(c.X, c.Y), c.shown) << c.angle << " at " << c.X << "," << c.Y;
    const Bytes once = s.image;
    renderBall(s, c.angle + 2 * std::numbers::pi);
    EXPECT_EQ(s.image, once) << "a full turn from " << c.angle;
  }
  std::fill(s.overlayAlpha.begin(), s.overlayAlpha.end(), 255);  // hides the disc, rim and all
  for (std::size_t i = 0; i < s.overlayColor.size(); ++i) s.overlayColor[i] = 1 + i % 3;
  renderBall(s, 0.4);
  EXPECT_EQ(std::tuple(bgr(0, 0), bgr(-30, 0), bgr(-30, 1)), std::tuple(Colour{1, 2, 3}, Colour{1, 2, 3}, under));
}

TEST(SaveUnderBall, TakesBottomUpRowsOfTheCourtAndOfThePictureOverIt) {
  Court c = blankCourt(100, 80);
  c.frameRect = {40, 40, 80, 80};
  for (int i = 0; i < 8000; ++i) {  // image row y holds y, coverage 100 + y
    c.backdrop[i * 3] = static_cast<std::uint8_t>(i / 100);
    c.overlayAlpha[i] = static_cast<std::uint8_t>(100 + i / 100);
  }
  Bytes picture(40 * 40 * 3);  // stored row j holds 200 + j
  for (std::size_t i = 0; i < picture.size(); ++i) picture[i] = 200 + i / 120;
  BallSprite s;
  s.resize(10);
  // Box (30, 40)–(50, 60): its row i is field row 59 − i, image row 20 + i, and stored
  // picture row 40 − 1 − (59 − i − 40) = 20 + i; columns 40 … 49 lie over the picture.
  saveUnderBall(c, s, 40, 50, picture.data());
  for (int i = 0; i < 20; ++i)
    for (int j = 0; j < 20; ++j)  // the front layer stays the court's, also over the picture
      ASSERT_EQ(std::pair(+s.background[(i * 20 + j) * 3], +s.overlayAlpha[i * 20 + j]),
                std::pair(j < 10 ? 20 + i : 220 + i, 120 + i)) << i << "," << j;
  saveUnderBall(c, s, 95, 75, nullptr);  // box (85, 65)–(105, 85): rows 80 … and columns 100 … off
  EXPECT_EQ(std::tuple(+s.background[(6 * 20 + 14) * 3], +s.background[(6 * 20 + 15) * 3],
                       +s.background[(4 * 20 + 3) * 3]), std::tuple(1, 0, 0));
}

// The default court around a 320 × 240 picture (214, 220)–(534, 460), the ball laid out at
// its start (374, 185); every row of the camera picture has its own shade.
struct Composition : ::testing::Test {
  Composition() {
    EXPECT_TRUE(scene.build());
    for (std::size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<std::uint8_t>(i / 960);
    saveUnderBall(e.court, e.sprite, 374, 185, frame.data());
  }
  void compose(double x, double y) {
    e.ball.x = x, e.ball.y = y, e.ball.angle += 0.3;
    composeFrame(canvas, e.ball, frame.data());
  }
  EngineScene scene;
  GameEngine& e = *scene.engine;
  Bytes frame = Bytes(320 * 240 * 3);
  FieldCanvas canvas{scene.surface, &scene.window, e.court, e.sprite};
};

TEST_F(Composition, TheFieldShowsCourtPictureAndBallWithoutASeam) {
  // Straddling the picture's left edge, partly off the field at two corners, then back.
  for (const auto& [x, y] : {std::pair{214.0, 300.0}, {10.0, 10.0}, {743.0, 455.0}, {420.7, 250.2}}) {
    compose(x, y);
    MemorySurface expected;
    expected.create(748, 460);
    expected.putImage(e.court.backdrop.data(), 748, 460, 0, 0, 748, 460, 0, 0);
    expected.putImage(frame.data(), 320, 240, 0, 0, 320, 240, 214, 220);
    expected.putImage(e.sprite.image.data(), 60, 60, 0, 0, 60, 60, int(x) - 30, int(y) - 30);
    ASSERT_EQ(scene.surface.pixels(), expected.pixels()) << x << "," << y;
  }
  EXPECT_EQ(std::pair(e.ball.drawnX, e.ball.drawnY), std::pair(420, 250));
}

TEST_F(Composition, PresentsOnlyTheChangedRectanglesAndNothingWithoutAWindow) {
  std::vector<Rect>& presented = scene.surface.presented;
  presented.clear();
  compose(100, 100);  // both boxes above the picture: the ball area, then the picture
  compose(200, 200);  // the new box reaches into the picture: one rectangle
  drawBallStep(canvas, e.ball, frame.data());  // unmoved: one box
  repaintField(canvas);
  EXPECT_EQ(presented, (std::vector<Rect>{{70, 70, 404, 215}, {214, 220, 534, 460}, {70, 70, 534, 460},
                                          {170, 170, 230, 230}, {0, 0, 748, 460}}));
  const Bytes before = scene.surface.pixels();
  scene.window.alive = false;
  compose(300, 100);
  drawBallStep(canvas, e.ball, frame.data());
  repaintField(canvas);
  EXPECT_EQ(std::tuple(e.ball.drawnX, e.ball.drawnY, presented.size()), std::tuple(200, 200, std::size_t{5}));
  EXPECT_EQ(scene.surface.pixels(), before);
}

// A played minute of the demo camera: the engine mirrors each frame, steps, strikes and draws
// the ball, credits the computer and ends the period, while the window repaints.
TEST(FrameStep, AllocatesNothingForAMinuteOfDemoCameraFrames) {
  EngineScene scene({640, 480});
  GameEngine& e = *scene.engine;
  e.match.setNames("Player1", computerName);
  e.match.periodMinutes = 1;
  ASSERT_TRUE(scene.build());
  DemoCamera camera({e.ball, e.court, e.match, e.camera.mirror}, {640, 480}, 30.0, 7);
  Bytes frame(frameBytes(640, 480));
  scene.surface.presented.reserve(20000);  // the memory surface's own record of presents
  long before = allocations.load();
  { std::vector<int> counted(100); }
  EXPECT_EQ(allocations.load() - before, 1);  // the counter does count
  before = allocations.load();
  for (int n = 0; n < 1900 && !e.match.gameOver; ++n) {  // a minute and a bit at 30 fps
    scene.clock.advance(n % 3 == 0 ? 34 : 33);
    camera.paint(frame.data());
    e.onFrame(0, frame.data(), frame.size());
    if (n % 100 == 0) e.repaintField();
  }
  EXPECT_EQ(allocations.load() - before, 0);
  EXPECT_GT(e.stats.strikes * e.match.rightScore, 0u);  // the hand struck, the computer scored
  EXPECT_TRUE(e.match.gameOver);                         // and the period ended
}

}  // namespace
