#include <gtest/gtest.h>

#include "physics/PhysicsScene.h"

namespace {

// Rings of the default court on the 748 × 460 field: left (42, 227)–(154, 316), right
// (594, 227)–(706, 316); the middle column is 374.
struct RingTest : ::testing::Test {
  PhysicsScene scene;
  GameEngine& e = scene.engine();
  int middle() { return e.fieldWidth / 2; }

  // Drops the ball from just above the ring's top edge through its centre line, in steps
  // of 10 ms, until the centre is well below the ring.
  void dropThrough(const Rect& ring) {
    scene.place((ring.left + ring.right) / 2, ring.top - 3, 0, 300);
    for (int i = 0; i < 100 && e.ballY < ring.bottom + 10; ++i) e.stepBall(0.01);
  }
  // Throws the ball up from below the ring through its top.
  void throwUpThrough(const Rect& ring) {
    scene.place((ring.left + ring.right) / 2, ring.bottom + 3, 0, -900);
    for (int i = 0; i < 100 && e.ballY > ring.top - 10; ++i) e.stepBall(0.01);
  }
};

TEST_F(RingTest, LeftRingScoresThreeFromTheFarHalfOrTheMiddle) {
  for (int offset : {1, 0}) {
    e.shotX = middle() + offset;
    const int before = e.rightScore;
    dropThrough(e.leftRingRect);
    EXPECT_EQ(e.rightScore, before + 3) << offset;
  }
  EXPECT_EQ(e.leftScore, 0);
  EXPECT_EQ(e.basketCount, 2u);
  EXPECT_EQ(e.ballInRing, 0u);
  EXPECT_EQ(e.ballThroughRing, 0u);
}

TEST_F(RingTest, LeftRingScoresTwoFromTheNearHalf) {
  e.shotX = middle() - 1;
  dropThrough(e.leftRingRect);
  EXPECT_EQ(e.rightScore, 2);
}

TEST_F(RingTest, RightRingScoresThreeFromTheFarHalfOrTheMiddle) {
  for (int offset : {-1, 0}) {
    e.shotX = middle() + offset;
    const int before = e.leftScore;
    dropThrough(e.rightRingRect);
    EXPECT_EQ(e.leftScore, before + 3) << offset;
  }
  EXPECT_EQ(e.rightScore, 0);
}

TEST_F(RingTest, RightRingScoresTwoFromTheNearHalf) {
  e.shotX = middle() + 1;
  dropThrough(e.rightRingRect);
  EXPECT_EQ(e.leftScore, 2);
  EXPECT_EQ(e.basketCount, 1u);
}

TEST_F(RingTest, BouncingBackUpScoresNothingAndClearsTheShot) {
  const Rect& ring = e.leftRingRect;
  scene.place(98, ring.top - 2, 0, 300);
  e.stepBall(0.01);
  ASSERT_EQ(e.ballInRing, 1u);
  e.ballVY = -300;
  for (int i = 0; i < 10 && e.ballY >= ring.top; ++i) e.stepBall(0.01);
  EXPECT_EQ(e.ballInRing, 0u);
  dropThrough(Rect{ring.left, ring.top + 5, ring.right, ring.bottom});  // from inside
  EXPECT_EQ(e.rightScore, 0);
}

TEST_F(RingTest, APassFromBelowScoresNothing) {
  throwUpThrough(e.leftRingRect);
  ASSERT_LT(e.ballY, e.leftRingRect.top);
  EXPECT_EQ(e.rightScore, 0);
  EXPECT_EQ(e.ballInRing, 0u);
}

TEST_F(RingTest, AComputerShootersRingIsNeverTested) {
  e.rightIsPerson = 0;
  dropThrough(e.leftRingRect);
  EXPECT_EQ(e.rightScore, 0);
  EXPECT_EQ(e.ballInRing, 0u);
  e.leftIsPerson = 0;
  e.rightIsPerson = 1;
  dropThrough(e.rightRingRect);
  EXPECT_EQ(e.leftScore, 0);
  EXPECT_EQ(e.basketCount, 0u);
}

TEST_F(RingTest, EnteringIsJudgedOnTruncatedPositions) {
  const Rect& ring = e.leftRingRect;
  e.ballX = 98;
  e.ballY = ring.top + 0.5;
  e.testRing(true, 98, ring.top);  // the start was already on the top row: not from above
  EXPECT_EQ(e.ballInRing, 0u);
  e.testRing(true, 98, ring.top - 1);
  EXPECT_EQ(e.ballInRing, 1u);
}

TEST_F(RingTest, BallOnTheBottomEdgeHasNotLeft) {
  const Rect& ring = e.leftRingRect;
  e.ballInRing = 1;
  e.ballX = 98;
  e.ballY = ring.bottom;
  EXPECT_EQ(e.testRing(true, 98, ring.bottom - 4), 0);
  EXPECT_EQ(e.ballInRing, 1u);
  e.ballY = ring.bottom + 1e-9;
  e.shotX = middle();
  EXPECT_EQ(e.testRing(true, 98, ring.bottom - 4), 3);
  EXPECT_EQ(e.ballInRing, 0u);
}

TEST_F(RingTest, LeavingThroughTheSideKeepsTheShotOpen) {
  const Rect& ring = e.leftRingRect;
  e.ballInRing = 1;
  e.ballX = ring.right + 2;
  e.ballY = ring.top + 10;
  e.testRing(true, ring.right - 1, ring.top + 10);
  EXPECT_EQ(e.ballInRing, 1u);
}

}  // namespace
