#include <gtest/gtest.h>

#include "support/EngineScene.h"

namespace {

// A built game whose tick counter wraps 5 s after the start, so that the tick differences of
// every test here cross the wrap-around.
struct Game : EngineScene {
  explicit Game(FrameFormat format = {32, 24})
      : EngineScene(format, 0xFFFFFFFFu - 5000u), e(*engine), m(engine->match) {
    EXPECT_TRUE(build());
  }
  void frameAfter(std::uint32_t ms) {
    clock.advance(ms);
    deliverUniform(90);
  }
  void playUntil(std::uint32_t msAfterStart, std::uint32_t stepMs) {
    while (clock.now() - m.gameStartTick < msAfterStart) frameAfter(stepMs);
  }
  GameEngine& e;
  Match& m;
};

}  // namespace

// A frame is turned left for right or not and becomes the previous one; a frame of the
// wrong length is dropped and restarts the game's clock.
TEST(FrameStep, FramesAreMirroredOrNotKeptAsThePreviousOneOrDropped) {
  Game g;
  std::vector<std::uint8_t> frame(32 * 24 * 3, 0);
  frame[0] = 11;  // the bottom-left pixel's blue
  for (bool mirror : {true, false}) {
    g.e.camera.mirror = mirror;
    g.e.onFrame(0, frame.data(), frame.size());
    EXPECT_EQ(g.e.camera.shownFrame[mirror ? 31 * 3 : 0], 11) << mirror;
  }
  g.clock.advance(7000);
  frame[0] = 12;
  g.e.onFrame(0, frame.data(), frame.size() - 1);
  EXPECT_EQ(g.e.camera.shownFrame[0], 11);
  EXPECT_EQ(g.m.gameStartTick + g.m.computerTick, 2 * 1999u);
}

// A picture that changed once strikes a ball over it in each step of that frame only: the
// next frames are compared with the changed one, not with an older frame.
TEST(FrameStep, AHandHeldStillAfterAStrikeDoesNotStrikeAgain) {
  Game g({320, 240});
  g.e.ball.x = g.e.court.frameRect.left + 100.5;
  g.e.ball.y = g.e.court.frameRect.bottom - 40.5;
  for (int frame = 0; frame < 3; ++frame) {
    g.frameAfter(10);
    EXPECT_EQ(g.e.stats.strikes, 3u) << frame;
  }
}

// The computer's side scores 2 as soon as more than its interval has passed; both sides
// when both are the computer.
TEST(FrameStep, AComputerScoresOncePerSkillInterval) {
  for (auto [skill, interval, leftIsPerson] :
       {std::tuple{0, 50000u, true}, {1, 36000u, true}, {2, 25000u, true}, {3, 17000u, true},
        {4, 12000u, true}, {5, 10000u, false}}) {
    Game g;
    g.m.computerSkill = static_cast<std::uint8_t>(skill);
    g.m.leftIsPerson = leftIsPerson;
    g.m.rightIsPerson = false;
    g.playUntil(interval, 100);
    EXPECT_EQ(g.m.rightScore, 0) << skill;
    g.frameAfter(1);
    EXPECT_EQ(g.m.rightScore * 10 + g.m.leftScore, leftIsPerson ? 20 : 22) << skill;
  }
}

// The period ends at the first frame at or past its length, but not while a ball is in a
// ring; until the window has handled the end, frames only restart the clock.
TEST(FrameStep, ThePeriodEndsAtItsLengthUnlessABallIsInARing) {
  Game g;
  g.playUntil(299999, 299999);
  EXPECT_FALSE(g.m.gameOver);
  g.frameAfter(1);
  EXPECT_TRUE(g.m.gameOver);
  g.frameAfter(700);
  EXPECT_EQ(g.m.gameStartTick, g.clock.now());
  EXPECT_EQ(g.window.periodsOver.load(), 1);
  g.e.onPeriodOver(nullptr);
  g.m.ring.inRing = true;
  g.playUntil(400000, 1000);
  EXPECT_FALSE(g.m.gameOver);
  g.m.ring.inRing = false;
  g.frameAfter(40);
  EXPECT_EQ(g.window.periodsOver.load(), 2);
}

TEST(FrameStep, TheEndOfAPeriodShowsTheWinnerRecordsBothSidesAndStartsFromZero) {
  Game g;
  g.m.leftName = "Ann";
  g.m.leftScore = 12;
  g.m.rightScore = 7;
  g.m.gameOver = true;
  std::string shown;
  g.e.onPeriodOver([&](const std::string& text) { shown = text; });
  EXPECT_EQ(shown, "Ann");
  EXPECT_EQ(g.m.topTen[0], (TopTenEntry{5, 12, 29, "Ann"}));
  EXPECT_EQ(g.m.topTen[1], (TopTenEntry{5, 7, 19, "Player2"}));
  EXPECT_EQ(g.m.leftScore + g.m.rightScore + g.m.gameOver, 0);
}

// Each frame makes movesPerFrame + 1 steps over the time since the last frame and draws all
// but the last; the first frame and one after a pause of over a second move nothing.
TEST(FrameStep, StepsPerFrameAndPauses) {
  for (int moves : {0, 2, 5}) {
    Game g({320, 240});
    g.m.movesPerFrame = static_cast<std::uint8_t>(moves);
    const Ball before = g.e.ball;
    g.frameAfter(40);
    EXPECT_EQ(g.e.ball.y - before.y + g.e.ball.vy - before.vy, 0.0);
    g.surface.presented.clear();
    g.frameAfter(30);
    EXPECT_NEAR(g.e.ball.vy, before.vy + 600 * 0.03, 1e-9) << moves;
    // The last step presents the ball and the picture, every other one the ball.
    EXPECT_EQ(g.surface.presented.size(), std::size_t(moves + 2)) << moves;
    g.frameAfter(1001);
    EXPECT_NEAR(g.e.ball.vy, before.vy + 600 * 0.03, 1e-9) << moves;
  }
}

// A drop through the left ring scores for player 2, unless player 2 is the computer: a
// computer's target ring is never tested.
TEST(FrameStep, OnlyAPersonsTargetRingIsTested) {
  for (bool person : {true, false}) {
    Game g({320, 240});
    g.m.rightIsPerson = person;
    std::fill(g.e.court.courtMap.begin(), g.e.court.courtMap.end(), 0);  // no rim, no net
    const Rect& ring = g.e.court.leftRingRect;
    g.e.ball.x = (ring.left + ring.right) / 2;
    g.e.ball.y = ring.top - 3;
    g.e.ball.vy = 300;
    while (g.e.ball.y < ring.bottom + 10) g.frameAfter(10);
    EXPECT_EQ(g.m.rightScore * 10 + g.m.leftScore, person ? 20 : 0);
    EXPECT_EQ(g.e.stats.baskets, person ? 1u : 0u);
  }
}
