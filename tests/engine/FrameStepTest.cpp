#include <gtest/gtest.h>
#include "support/EngineScene.h"

// A built game whose tick counter wraps 5 s after the start, so that the tick differences of
// every test here cross the wrap-around.
struct Game : EngineScene {
  explicit Game(FrameFormat format = {32, 24}) : EngineScene(format, 0xFFFFFFFFu - 5000u) {
    EXPECT_TRUE(build());
  }
  void frameAfter(std::uint32_t ms) { clock.advance(ms); deliverUniform(90); }
  void playUntil(std::uint32_t msAfterStart, std::uint32_t stepMs) {
    while (clock.now() - m.gameStartTick < msAfterStart && !m.gameOver) frameAfter(stepMs);
  }
  GameEngine& e = *engine;
  Match& m = engine->match;
};

// A frame is turned left for right or not and becomes the previous one; a frame of the
// wrong length is dropped and restarts the game's clock.
TEST(FrameStep, FramesAreMirroredOrNotKeptAsThePreviousOneOrDropped) {
  Game g;
  std::vector<std::uint8_t> frame(frameBytes(32, 24), 0);
  frame[0] = 11;  // the top-left pixel's blue
  for (bool mirror : {true, false}) {
    g.e.camera.mirror = mirror;
    g.e.onFrame(0, frame.data(), frame.size());
    EXPECT_EQ(g.e.camera.shownFrame[mirror ? 31 * framePixelBytes : 0], 11) << mirror;
  }
  g.clock.advance(7000);
  frame[0] = 12;
  g.e.onFrame(0, frame.data(), frame.size() - 1);
  EXPECT_EQ(g.e.camera.shownFrame[0], 11);
  EXPECT_EQ(std::pair(g.m.gameStartTick, g.m.computerTick), std::pair(1999u, 1999u));
}

TEST(FrameStep, AComputerScoresTwoOnceMoreThanItsSkillIntervalHasPassed) {
  for (auto [skill, interval, leftIsPerson] :
       {std::tuple{0, 50000u, true}, {1, 36000u, true}, {2, 25000u, true}, {3, 17000u, true},
        {4, 12000u, true}, {5, 10000u, false}}) {
    Game g;
    g.setTiming({5, 2, static_cast<std::uint8_t>(skill)});
    g.m.leftIsPerson = leftIsPerson;
    g.m.rightIsPerson = false;
    g.playUntil(interval, 100);
    EXPECT_EQ(g.m.rightScore, 0) << skill;
    g.frameAfter(1);
    EXPECT_EQ(std::pair(g.m.leftScore, g.m.rightScore), std::pair(leftIsPerson ? 0 : 2, 2));
  }
}

// The period ends at the first frame at or past its length but not while a ball is in a
// ring; frames then only restart the clock until the window has shown the winner, recorded
// both sides and reset the scores.
TEST(FrameStep, ThePeriodEndsAtItsLengthUnlessABallIsInARing) {
  Game g;
  g.m.leftName = "Ann";
  g.m.leftScore = 12;
  g.m.rightScore = 7;
  g.playUntil(299999, 299999);
  EXPECT_FALSE(g.m.gameOver);
  g.frameAfter(1);
  EXPECT_TRUE(g.m.gameOver);
  g.frameAfter(700);
  EXPECT_EQ(std::pair(g.window.periodsOver.load(), g.m.gameStartTick), std::pair(1, g.clock.now()));
  std::string shown;
  g.e.onPeriodOver([&](const std::string& text) { shown = text; });
  EXPECT_EQ(shown, "Ann");
  EXPECT_EQ(std::pair(g.e.settings().topTen[0], g.e.settings().topTen[1]),
            std::pair(TopTenEntry{5, 12, 29, "Ann"}, TopTenEntry{5, 7, 19, "Player2"}));
  EXPECT_EQ(std::pair(g.m.leftScore, g.m.rightScore), std::pair(0, 0));
  g.m.ring.inRing = true;
  g.playUntil(400000, 1000);
  EXPECT_EQ(g.window.periodsOver.load(), 1);
  g.m.ring.inRing = false;
  g.frameAfter(40);
  EXPECT_EQ(g.window.periodsOver.load(), 2);
}

// Each frame makes movesPerFrame + 1 steps over the time since the last frame and draws all
// but the last; the first frame and one after a pause of over a second move nothing.
TEST(FrameStep, StepsPerFrameAndPauses) {
  for (int moves : {0, 2, 5}) {
    Game g({320, 240});
    g.setTiming({5, static_cast<std::uint8_t>(moves), 0});
    const double y = g.e.ball.y, vy = g.e.ball.vy;
    g.frameAfter(40);
    EXPECT_EQ(std::pair(g.e.ball.y, g.e.ball.vy), std::pair(y, vy));
    g.surface.presented.clear();
    g.frameAfter(30);
    EXPECT_NEAR(g.e.ball.vy, vy + 600 * 0.03, 1e-9) << moves;
    // The last step presents the ball and the picture, every other one the ball.
    EXPECT_EQ(g.surface.presented.size(), std::size_t(moves + 2)) << moves;
    g.frameAfter(1001);
    EXPECT_NEAR(g.e.ball.vy, vy + 600 * 0.03, 1e-9) << moves;
  }
}
