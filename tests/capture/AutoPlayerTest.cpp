#include <gtest/gtest.h>

#include <cmath>

#include "capture/AutoPlayer.h"
#include "capture/DemoScene.h"

namespace {

struct PlayerScene {
  PlayerScene() {
    layOutDemoCourt(*scene.engine);
    ballAt(400.0, 380.0, 0.0, 150.0);
  }
  void ballAt(double x, double y, double vx, double vy) {
    GameEngine& e = *scene.engine;
    e.ballX = x;
    e.ballY = y;
    e.ballVX = vx;
    e.ballVY = vy;
    e.ballSpin = 0.0;
  }
  EngineScene scene{{640, 480}};
};

}  // namespace

TEST(AutoPlayer, WaitsBehindTheBallThenPushesThroughItTowardItsRing) {
  PlayerScene s;
  AutoPlayer player(*s.scene.engine, 30.0, 3);
  const HandPose ready = player.nextPose();
  const HandPose hit = player.nextPose();
  EXPECT_EQ(player.strikes(), 1u);
  // Player 1 shoots at the right ring: the palm comes from the lower left of the ball.
  EXPECT_LT(ready.x, 400.0);
  EXPECT_GT(ready.y, 380.0);
  EXPECT_GT(ready.dirX, 0.0);
  EXPECT_LT(ready.dirY, 0.0);
  // The push runs along the arm, toward the ball.
  const double along = (hit.x - ready.x) * ready.dirX + (hit.y - ready.y) * ready.dirY;
  EXPECT_GT(along, 4.0);
  EXPECT_NEAR(std::hypot(hit.x - ready.x, hit.y - ready.y), along, 1e-9);
  // Then it holds still: a still palm strikes nothing.
  const HandPose held = player.nextPose();
  EXPECT_EQ(held.x, hit.x);
  EXPECT_EQ(held.y, hit.y);
}

TEST(AutoPlayer, LeavesABallAboveThePictureAlone) {
  PlayerScene s;
  s.ballAt(534.0, 85.0, 0.0, -18.0);
  AutoPlayer player(*s.scene.engine, 30.0, 3);
  for (int n = 0; n < 5; ++n) player.nextPose();
  EXPECT_EQ(player.strikes(), 0u);
  EXPECT_GT(player.pose().y, s.scene.engine->frameRect.bottom);  // resting below the picture
}

TEST(AutoPlayer, HoldsStillWhileTheEndOfAGameIsHandled) {
  PlayerScene s;
  AutoPlayer player(*s.scene.engine, 30.0, 3);
  const HandPose before = player.pose();
  s.scene.engine->gameOver = 1;
  for (int n = 0; n < 3; ++n) {
    const HandPose held = player.nextPose();
    EXPECT_EQ(held.x, before.x);
    EXPECT_EQ(held.y, before.y);
  }
  EXPECT_EQ(player.strikes(), 0u);
}

TEST(AutoPlayer, ChangesSidesAfterEachBasketWhenBothArePersons) {
  PlayerScene s;
  GameEngine& e = *s.scene.engine;
  AutoPlayer player(e, 30.0, 3);
  player.nextPose();
  EXPECT_EQ(player.side(), 1);
  e.leftScore = 2;
  player.nextPose();
  EXPECT_EQ(player.side(), 2);
  e.rightScore = 3;
  player.nextPose();
  EXPECT_EQ(player.side(), 1);
  e.rightIsPerson = 0;  // player 2 is the computer: its points change nothing
  e.rightScore = 5;
  player.nextPose();
  EXPECT_EQ(player.side(), 1);
}

TEST(AutoPlayer, PlaysTheRightSideAloneWhenPlayerOneIsTheComputer) {
  PlayerScene s;
  s.scene.engine->leftIsPerson = 0;
  AutoPlayer player(*s.scene.engine, 30.0, 3);
  const HandPose ready = player.nextPose();
  EXPECT_EQ(player.side(), 2);
  EXPECT_GT(ready.x, 400.0);  // pushes toward the left ring from the ball's right
}

TEST(AutoPlayer, MovesTheSameWayForTheSameSeed) {
  PlayerScene s;
  AutoPlayer a(*s.scene.engine, 30.0, 11);
  AutoPlayer b(*s.scene.engine, 30.0, 11);
  for (int n = 0; n < 6; ++n) {
    const HandPose pa = a.nextPose();
    const HandPose pb = b.nextPose();
    EXPECT_EQ(pa.x, pb.x);
    EXPECT_EQ(pa.y, pb.y);
  }
}
