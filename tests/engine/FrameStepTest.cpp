#include <gtest/gtest.h>

#include <optional>

#include "support/EngineScene.h"

namespace {

// A built scene whose frames arrive every `stepMs` from the current tick on.
struct Match : EngineScene {
  explicit Match(std::uint32_t startTick = 100000) : EngineScene({32, 24}, startTick) {
    EXPECT_EQ(build(), 0);
  }
  // Frames until `until` ms after the game start; returns the tick of the last one.
  void playUntil(std::uint32_t untilMs, std::uint32_t stepMs = 100) {
    const std::uint32_t start = engine->gameStartTick;
    while (clock.now() - start < untilMs) {
      clock.advance(stepMs);
      deliverUniform(90);
    }
  }
};

}  // namespace

TEST(FrameStep, FramesOfTheWrongLengthAreDroppedAndRestartTheClock) {
  Match m;
  m.clock.advance(5000);
  std::vector<std::uint8_t> shortFrame(32 * 24 * 3 - 1, 7);
  m.engine->BufferCB(0, shortFrame.data(), static_cast<long>(shortFrame.size()));
  EXPECT_EQ(m.engine->gameStartTick, 105000u);
  EXPECT_EQ(m.engine->computerTick, 105000u);
  EXPECT_EQ(m.engine->lastFrameTick, 0u);  // the frame step never ran
  EXPECT_EQ(m.engine->workFrame[0], 0);
}

TEST(FrameStep, AFrameIsCopiedMirroredOrStraightAndKeptAsThePreviousFrame) {
  Match m;
  std::vector<std::uint8_t> frame(32 * 24 * 3, 0);
  frame[0] = 11;  // bottom-left pixel's blue
  m.clock.advance(40);
  m.engine->BufferCB(0, frame.data(), static_cast<long>(frame.size()));
  EXPECT_EQ(m.engine->workFrame[31 * 3], 11);  // mirror is on by default
  EXPECT_EQ(m.engine->shownFrame[31 * 3], 11);
  m.engine->mirror = 0;
  m.clock.advance(40);
  m.engine->BufferCB(0, frame.data(), static_cast<long>(frame.size()));
  EXPECT_EQ(m.engine->workFrame[0], 11);
  EXPECT_EQ(m.engine->shownFrame[0], 11);
}

TEST(FrameStep, TheComputerScoresOncePerSkillInterval) {
  for (auto [skill, interval] : {std::pair{0, 50000u}, {1, 36000u}, {2, 25000u}, {3, 17000u},
                                 {4, 12000u}, {5, 10000u}}) {
    EXPECT_EQ(GameEngine::computerInterval(skill), interval);
    Match m;
    m.engine->computerSkill = static_cast<std::uint8_t>(skill);
    m.engine->rightIsPerson = 0;
    m.playUntil(interval);  // exactly the interval has passed: not yet
    EXPECT_EQ(m.engine->rightScore, 0) << "skill " << skill;
    m.clock.advance(1);
    m.deliverUniform(90);
    EXPECT_EQ(m.engine->rightScore, 2) << "skill " << skill;
    EXPECT_EQ(m.engine->leftScore, 0);
    EXPECT_EQ(m.engine->computerTick, m.clock.now());
  }
}

TEST(FrameStep, TwoComputersAreBothCreditedAndTwoPersonsOnlyMoveTheTimer) {
  Match both;
  both.engine->leftIsPerson = both.engine->rightIsPerson = 0;
  both.playUntil(50001, 50001);
  EXPECT_EQ(both.engine->leftScore, 2);
  EXPECT_EQ(both.engine->rightScore, 2);

  Match none;
  none.playUntil(50001, 50001);
  EXPECT_EQ(none.engine->leftScore, 0);
  EXPECT_EQ(none.engine->rightScore, 0);
  EXPECT_EQ(none.engine->computerTick, none.clock.now());
}

TEST(FrameStep, ThePeriodEndsAtTheFirstFrameAtOrPastItsLength) {
  Match m;
  m.playUntil(299999, 299999);
  EXPECT_EQ(m.engine->gameOver, 0u);
  EXPECT_FALSE(m.window.takeFrameEvent());
  m.clock.advance(1);
  m.deliverUniform(90);
  EXPECT_EQ(m.engine->gameOver, 1u);
  EXPECT_EQ(m.window.takeFrameEvent(), std::optional<std::intptr_t>(2));
  EXPECT_FALSE(m.window.takeFrameEvent());
  EXPECT_EQ(m.engine->gameStartTick, m.clock.now());

  // While the end is handled, frames only restart the clock.
  m.clock.advance(700);
  m.deliverUniform(90);
  EXPECT_EQ(m.engine->gameStartTick, m.clock.now());
  EXPECT_FALSE(m.window.takeFrameEvent());
}

TEST(FrameStep, ThePeriodDoesNotEndWhileABallIsInARing) {
  Match m;
  m.engine->ballInRing = 1;
  m.playUntil(400000, 1000);
  EXPECT_EQ(m.engine->gameOver, 0u);
  m.engine->ballInRing = 0;
  m.clock.advance(40);
  m.deliverUniform(90);
  EXPECT_EQ(m.engine->gameOver, 1u);
}

TEST(FrameStep, TickDifferencesSurviveTheWrapAround) {
  Match m(0xFFFFFFFFu - 100000u);
  m.engine->rightIsPerson = 0;
  m.playUntil(300000, 1000);
  EXPECT_EQ(m.engine->gameOver, 1u);
  EXPECT_EQ(m.engine->rightScore, 2 * 5);  // 50 s per basket, five of them in 5 minutes
  EXPECT_LT(m.clock.now(), 300000u);       // the counter did wrap
}

TEST(FrameStep, TheEndOfAGameRecordsBothSidesAndStartsFromZero) {
  Match m;
  m.engine->leftName = "Ann";
  m.engine->leftScore = 12;
  m.engine->rightScore = 7;
  m.engine->gameOver = 1;
  std::string shown;
  m.engine->onFrameEvent(2, [&](const std::string& text) { shown = text; });
  EXPECT_EQ(shown, "Ann");
  EXPECT_EQ(m.engine->topTen[0].nameView(), "Ann");
  EXPECT_EQ(m.engine->topTen[0].score, 29);
  EXPECT_EQ(m.engine->topTen[1].nameView(), "Player2");
  EXPECT_EQ(m.engine->leftScore, 0);
  EXPECT_EQ(m.engine->rightScore, 0);
  EXPECT_EQ(m.engine->gameOver, 0u);
}

TEST(FrameStep, ADrawIsAFriendshipAndOtherEventsOnlyClearGameOver) {
  Match m;
  m.engine->leftScore = m.engine->rightScore = 4;
  EXPECT_EQ(m.engine->winnerText(), "Friendship");
  m.engine->rightScore = 6;
  EXPECT_EQ(m.engine->winnerText(), "Player2");

  m.engine->gameOver = 1;
  bool shown = false;
  m.engine->onFrameEvent(3, [&](const std::string&) { shown = true; });
  EXPECT_FALSE(shown);
  EXPECT_EQ(m.engine->gameOver, 0u);
  EXPECT_EQ(m.engine->rightScore, 6);
  EXPECT_EQ(m.engine->topTen, TopTenTable{});
}

TEST(FrameStep, TheFirstFrameAndAFrameAfterAPauseMoveNothing) {
  EngineScene m({320, 240});
  ASSERT_EQ(m.build(), 0);
  GameEngine& e = *m.engine;
  const double x = e.ballX, y = e.ballY, vy = e.ballVY;
  m.clock.advance(40);
  m.deliverUniform(90);  // lastFrameTick was 0: more than a second ago
  EXPECT_EQ(e.ballX, x);
  EXPECT_EQ(e.ballY, y);
  EXPECT_EQ(e.ballVY, vy);

  m.clock.advance(30);
  m.deliverUniform(90);  // three steps of 10 ms under 600 px/s²
  EXPECT_NEAR(e.ballVY, vy + 18.0, 1e-9);
  const double vyAfter = e.ballVY;
  m.clock.advance(1001);
  m.deliverUniform(90);
  EXPECT_EQ(e.ballVY, vyAfter);
}

TEST(FrameStep, EachFrameMakesMovesPerFramePlusOneStepsAndDrawsAllButTheLast) {
  for (int moves : {0, 2, 5}) {
    EngineScene m({320, 240});
    m.engine->movesPerFrame = static_cast<std::uint8_t>(moves);
    ASSERT_EQ(m.build(), 0);
    m.clock.advance(40);
    m.deliverUniform(90);
    const double vy = m.engine->ballVY;
    m.surface.presented.clear();
    m.clock.advance(30);
    m.deliverUniform(90);
    EXPECT_NEAR(m.engine->ballVY, vy + 18.0, 1e-9) << moves;  // the steps cover 30 ms
    // Away from the picture the final composition presents two rectangles (ball and
    // picture); every intermediate drawing presents one.
    EXPECT_EQ(m.surface.presented.size(), static_cast<std::size_t>(moves + 2)) << moves;
  }
}
