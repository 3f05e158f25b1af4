#include <cmath>

#include <gtest/gtest.h>

#include "physics/PhysicsScene.h"

namespace {

constexpr double near = 1e-9;

// r = 30 on the 748 × 460 field of a 320 × 240 camera: the picture spans x 214 … 533 and
// y 220 … 459, so a ball at (150, 150) touches neither the picture nor a ring.
struct BallMotionTest : ::testing::Test {
  PhysicsScene scene;
  GameEngine& e = scene.engine();
  double bottom() { return e.fieldHeight - e.ballRadius - 1; }
  double top() { return e.ballRadius + 1; }
  double right() { return e.fieldWidth - e.ballRadius - 1; }
  double left() { return e.ballRadius + 1; }
};

TEST_F(BallMotionTest, FreeFallFollowsHalfGTSquared) {
  for (double g : {600.0, 120.0, 2400.0}) {
    e.gravity = g;
    scene.place(100, 60);
    for (int i = 0; i < 20; ++i) e.stepBall(0.005);
    EXPECT_NEAR(e.ballY, 60 + 0.5 * g * 0.1 * 0.1, near) << g;
    EXPECT_NEAR(e.ballVY, g * 0.1, near) << g;
    EXPECT_EQ(e.ballX, 100.0);
  }
}

TEST_F(BallMotionTest, SpinTurnsTheBallWithoutMovingIt) {
  scene.place(100, 60, 0, 0, 2.0);
  e.ballAngle = 10.0;
  e.stepBall(0.25);
  EXPECT_DOUBLE_EQ(e.ballAngle, 10.5);
  EXPECT_EQ(e.ballSpin, 2.0);
}

TEST_F(BallMotionTest, BottomBounceKeepsNinetyPercentOfTheFallAndTurnsTheSlideIntoSpin) {
  const double y0 = bottom() - 2;
  scene.place(100, y0, 50, 300);
  e.stepBall(0.02);
  const double t = (std::sqrt(300.0 * 300.0 + 2 * 600.0 * 2) - 300.0) / 600.0;
  const double impactSpeed = 300.0 + 600.0 * t;
  EXPECT_EQ(e.ballY, bottom());
  EXPECT_NEAR(e.ballX, 100 + 50 * t, near);
  EXPECT_NEAR(e.ballVY, -0.9 * impactSpeed, near);
  EXPECT_NEAR(e.ballVX, 0.7 * 50, near);
  EXPECT_NEAR(e.ballSpin, -0.6 * 50 / 30, near);
}

TEST_F(BallMotionTest, TopBounceSendsTheBallDown) {
  scene.place(100, top() + 1, 0, -300);
  e.stepBall(0.01);
  const double t = (300.0 - std::sqrt(300.0 * 300.0 - 2 * 600.0)) / 600.0;
  EXPECT_EQ(e.ballY, top());
  EXPECT_NEAR(e.ballVY, 0.9 * (300.0 - 600.0 * t), near);
}

TEST_F(BallMotionTest, RightBorderEndsTheStepAtTheImpact) {
  scene.place(right() - 2, 150, 400, -100);
  e.stepBall(0.01);
  const double t = 2.0 / 400.0;  // the rest of the step is lost
  EXPECT_EQ(e.ballX, right());
  EXPECT_NEAR(e.ballY, 150 + (-100 + 0.5 * 600 * t) * t, near);
  EXPECT_NEAR(e.ballVX, -360, near);
  EXPECT_NEAR(e.ballVY, 0.7 * (-100 + 600 * t), near);
  EXPECT_NEAR(e.ballSpin, 0.6 * (-100 + 600 * t) / 30, near);
}

TEST_F(BallMotionTest, LeftBorderMirrorsTheRight) {
  scene.place(left() + 2, 150, -400, 0);
  e.stepBall(0.01);
  EXPECT_EQ(e.ballX, left());
  EXPECT_NEAR(e.ballVX, 360, near);
}

TEST_F(BallMotionTest, ABallExactlyOnABorderDoesNotBounce) {
  scene.place(100, bottom(), 0, 0);
  e.stepBall(0);
  EXPECT_EQ(e.ballVY, 0.0);
  EXPECT_EQ(e.ballY, bottom());
}

// The apex of a step's parabola can pass the top border although both ends lie below it;
// a side hit then rebuilds the height at the apex, above the border.
TEST_F(BallMotionTest, SideHitNearTheApexKeepsTheBoxInsideTheField) {
  scene.place(right() - 5, top() + 5, 100, -300);
  e.stepBall(0.99);
  EXPECT_EQ(e.ballX, right());
  EXPECT_EQ(e.ballY, top());
  EXPECT_GE(scene.box().top, 0);
  EXPECT_LE(scene.box().right, e.fieldWidth);
}

TEST_F(BallMotionTest, AStartBelowTheBottomBouncesAtOnceAndStaysFinite) {
  scene.place(100, bottom() + 3, 0, 10);  // 10² + 2 g (yb − y0) < 0
  e.stepBall(0.01);
  EXPECT_EQ(e.ballY, bottom());
  EXPECT_NEAR(e.ballVY, -9, near);
  EXPECT_LE(scene.box().bottom, e.fieldHeight);
}

TEST_F(BallMotionTest, MaskCopiesTheCourtUnderTheBoxTopRowFirst) {
  scene.place(150.7, 150.2);
  scene.courtAtOffset(-30, -30) = 21;   // top-left of the box
  scene.courtAtOffset(29, 29) = 22;     // bottom-right
  scene.courtAtOffset(30, 0) = 23;      // just below the box
  scene.courtAtOffset(-4, 7) = 24;
  e.stepBall(0);
  EXPECT_EQ(scene.mask(-30, -30), 21);
  EXPECT_EQ(scene.mask(29, 29), 22);
  EXPECT_EQ(scene.mask(-4, 7), 24);
  int marked = 0;
  for (std::uint8_t byte : e.ballMask) marked += byte != 0;
  EXPECT_EQ(marked, 3);
}

// The ball moves toward one solid pixel at offset (a, b) with 100 px/s; returns its
// velocity after a contact step.
struct Velocity {
  double vx;
  double vy;
};
Velocity afterContact(PhysicsScene& scene, int a, int b, std::uint8_t code) {
  GameEngine& e = scene.engine();
  const double d = std::hypot(a, b);
  scene.place(150, 150, d > 0 ? 100 * b / d : 0, d > 0 ? 100 * a / d : 100);
  scene.courtAtOffset(a, b) = code;
  e.stepBall(0);
  return {e.ballVX, e.ballVY};
}

TEST_F(BallMotionTest, CentrePixelNeverCounts) {
  const Velocity v = afterContact(scene, 0, 0, 255);
  EXPECT_EQ(v.vx, 0.0);
  EXPECT_EQ(v.vy, 100.0);
}

TEST_F(BallMotionTest, PixelOnTheCircleNeverCounts) {
  const Velocity v = afterContact(scene, 0, -30, 255);
  EXPECT_EQ(v.vx, -100.0);
}

TEST_F(BallMotionTest, PixelJustInsideTheCircleCounts) {
  const Velocity v = afterContact(scene, 0, -29, 255);
  EXPECT_NEAR(v.vx, 90.0, near);
  EXPECT_NEAR(v.vy, 0.0, near);
}

TEST_F(BallMotionTest, CodeTwelveIsFreeAndThirteenSolid) {
  EXPECT_EQ(afterContact(scene, 5, 0, 12).vy, 100.0);
  EXPECT_NEAR(afterContact(scene, 5, 0, 13).vy, -90.0, near);
}

TEST_F(BallMotionTest, SinglePixelStraightBelowPushesUp) {
  const Velocity v = afterContact(scene, 5, 0, 255);
  EXPECT_NEAR(v.vy, -90.0, near);
  EXPECT_NEAR(v.vx, 0.0, near);
}

TEST_F(BallMotionTest, PixelsAllAroundCancel) {
  scene.place(150, 150, 40, 100);
  for (auto [a, b] : {std::pair{-5, 0}, {5, 0}, {0, -5}, {0, 5}, {-3, -4}, {-3, 4}, {3, -4},
                      {3, 4}})
    scene.courtAtOffset(a, b) = 255;
  e.stepBall(0);
  EXPECT_EQ(e.ballVX, 40.0);
  EXPECT_EQ(e.ballVY, 100.0);
}

TEST_F(BallMotionTest, SoftCourtKeepsSeventyPercentOthersNinety) {
  EXPECT_NEAR(afterContact(scene, 5, 0, 254).vy, -70.0, near);
  EXPECT_NEAR(afterContact(scene, 5, 0, 253).vy, -90.0, near);
  EXPECT_NEAR(afterContact(scene, 5, 0, 255).vy, -90.0, near);
}

// The last pixel taken in scan order (lowest row, then rightmost) decides the softness.
TEST_F(BallMotionTest, LastPixelInScanOrderGivesTheCode) {
  scene.courtAtOffset(4, 0) = 254;
  EXPECT_NEAR(afterContact(scene, 5, 0, 255).vy, -90.0, near);
  scene.courtAtOffset(5, 0) = 0;
  scene.courtAtOffset(4, 0) = 255;
  EXPECT_NEAR(afterContact(scene, 5, 0, 254).vy, -70.0, near);
}

TEST_F(BallMotionTest, ABounceNeverSendsTheBallIntoTheObstacle) {
  scene.place(150, 150, 0, -50);  // already leaving the pixel below
  scene.courtAtOffset(5, 0) = 255;
  e.stepBall(0);
  EXPECT_NEAR(e.ballVY, -45.0, near);
}

// Over the picture (here a sliver of 5 columns, too narrow for motion) a court pixel is a
// strike: kick 0.5 × T, the hard restitution whatever the code, and shotX.
struct StrikeTest : BallMotionTest {
  void SetUp() override {
    scene.place(e.frameRect.left - 30 + 5, 300, 0, 100);
    e.shotX = -1;
  }
  double kick() { return 10.0 / std::sqrt(30.0 * 30 - 25); }  // 10 × T for one pixel a = 5
};

TEST_F(StrikeTest, CourtPixelOverThePictureStrikesWithAKick) {
  scene.courtAtOffset(5, 0) = 254;
  e.stepBall(0);
  EXPECT_NEAR(e.ballVY, -0.9 * (100 + kick()), near);
  EXPECT_EQ(e.shotX, e.frameRect.left - 25);
  EXPECT_EQ(e.strikeCount, 1u);
}

TEST_F(StrikeTest, NormalSpeedIsCappedBeforeRestitution) {
  e.ballVY = 3999.9;
  scene.courtAtOffset(5, 0) = 255;
  e.stepBall(0);
  EXPECT_NEAR(e.ballVY, -3600.0, near);
}

TEST_F(StrikeTest, PushMustExceedTheHitThreshold) {
  scene.courtAtOffset(5, 0) = 255;  // N = 2r × 5 / 25 = 12
  e.hitThreshold = 12.0;
  e.stepBall(0);
  EXPECT_EQ(e.ballVY, 100.0);
  EXPECT_EQ(e.shotX, -1);
  e.hitThreshold = 11.99;
  e.stepBall(0);
  EXPECT_LT(e.ballVY, 0.0);
  EXPECT_EQ(e.strikeCount, 1u);
}

TEST_F(BallMotionTest, AContactAwayFromThePictureIsNoStrike) {
  e.shotX = -1;
  afterContact(scene, 5, 0, 255);
  EXPECT_EQ(e.shotX, -1);
  EXPECT_EQ(e.strikeCount, 0u);
}

TEST_F(BallMotionTest, BeforeTheLayoutThereIsNothingToStep) {
  e.courtMap.clear();
  e.fieldWidth = e.fieldHeight = 0;
  scene.place(100, 60, 5, 5);
  e.stepBall(0.1);
  EXPECT_EQ(e.ballY, 60.0);
}

TEST_F(BallMotionTest, NonPositiveGravityIsRefused) {
#ifdef NDEBUG
  scene.place(100, 60, 5, 5);
  for (double g : {0.0, -600.0}) {
    e.gravity = g;
    e.stepBall(0.1);
    EXPECT_EQ(e.ballY, 60.0);
  }
#else
  GTEST_SKIP() << "asserts in debug builds";
#endif
}

}  // namespace
