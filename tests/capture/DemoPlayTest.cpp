#include <gtest/gtest.h>

#include <array>

#include "capture/DemoCamera.h"
#include "capture/PainterProvider.h"
#include "capture/SteppedSource.h"
#include "engine/SettingsFile.h"
#include "support/EngineScene.h"

namespace {

// The whole game fed by the demo camera, frames stepped at 30 per second from tick 100000
// as the headless runner does; the end of a game is handled without a winner's screen.
struct DemoPlay {
  explicit DemoPlay(const char* left = "Player1", const char* right = "Player2")
      : clock(100000),
        provider("Demo camera",
                 [this] { return std::make_unique<DemoCamera>(*engine, FrameFormat{320, 240}, 30.0, 5); },
                 Delivery::Stepped) {
    catalog.add(provider);
    engine = std::make_unique<GameEngine>(clock, surface, catalog, folder.file("Swishcam.prm"));
    engine->leftName = left;
    engine->rightName = right;
    engine->leftIsPerson = engine->leftName != "Computer";
    engine->rightIsPerson = engine->rightName != "Computer";
    EXPECT_EQ(engine->buildCaptureGraph(window), 0);
  }
  void frame() {
    clock.set(100000 + static_cast<std::uint32_t>(frames++ * 1000 / 30));
    ASSERT_TRUE(provider.stepped->deliver());
    while (std::optional<std::intptr_t> event = window.takeFrameEvent()) {
      if (*event == FRAME_EVENT_GAME_OVER) ++games;
      engine->onFrameEvent(*event, nullptr);
    }
  }
  // Plays until `done` holds or `limit` frames have passed; true when `done` came.
  template <typename Done>
  bool playUntil(Done done, long limit) {
    for (long n = 0; n < limit; ++n) {
      frame();
      if (done()) return true;
    }
    return false;
  }

  TemporaryFolder folder;
  ManualTickClock clock;
  MemorySurface surface;
  HeadlessWindow window;
  SourceCatalog catalog;
  PainterProvider provider;
  std::unique_ptr<GameEngine> engine;
  long frames = 0;
  int games = 0;
};

// The number a score display shows, read back from the segments on the surface.
int shownScore(const DemoPlay& play, int display) {
  constexpr std::array<std::uint8_t, 10> segmentsOf = {0b1011111, 0b0001010, 0b1110110, 0b1111010,
                                                       0b0101011, 0b1111001, 0b1111101, 0b0011011,
                                                       0b1111111, 0b1111011};
  const GameEngine& e = *play.engine;
  int value = 0;
  for (int k = 0; k < 3; ++k) {
    std::uint8_t lit = 0;
    for (int s = 0; s < 7; ++s) {
      const PixelBox& seg = e.digitSegments[s];
      const int x = (seg.x1 + seg.x2) / 2 + k * e.digitPitch + (display == 2 ? e.secondScoreOffset : 0);
      const int y = e.fieldHeight - 1 - (seg.y1 + seg.y2) / 2;
      if (play.surface.pixelAt(x, y).blue > 100) lit |= static_cast<std::uint8_t>(1 << s);
    }
    int digit = -1;
    for (int d = 0; d < 10; ++d)
      if (segmentsOf[d] == lit) digit = d;
    if (digit < 0) return -1;
    value = value * 10 + digit;
  }
  return value;
}

}  // namespace

TEST(DemoPlay, TheDemoPlayersStrikesMoveTheBall) {
  DemoPlay play;
  const double startX = play.engine->ballX;
  ASSERT_TRUE(play.playUntil([&] { return play.engine->strikeCount > 0; }, 30 * 30));
  play.playUntil([] { return false; }, 10);
  EXPECT_NE(play.engine->ballX, startX);
}

TEST(DemoPlay, BasketsOfPlayerOneGoToTheLeftScoreAndDisplay) {
  DemoPlay play("Player1", "Computer");
  for (int basket = 1; basket <= 2; ++basket) {
    const int before = play.engine->leftScore;
    ASSERT_TRUE(play.playUntil([&] { return play.engine->basketCount == static_cast<unsigned>(basket); },
                               120 * 30))
        << "basket " << basket;
    const int points = play.engine->leftScore - before;
    EXPECT_TRUE(points == 2 || points == 3) << points;
    EXPECT_EQ(shownScore(play, 1), play.engine->leftScore);
    EXPECT_EQ(shownScore(play, 2), play.engine->rightScore);
  }
}

TEST(DemoPlay, BasketsOfPlayerTwoGoToTheRightScoreAndDisplay) {
  DemoPlay play("Computer", "Player2");
  const int before = play.engine->rightScore;
  ASSERT_TRUE(play.playUntil([&] { return play.engine->basketCount == 1; }, 120 * 30));
  const int points = play.engine->rightScore - before;
  EXPECT_TRUE(points == 2 || points == 3) << points;
  EXPECT_EQ(shownScore(play, 2), play.engine->rightScore);
  EXPECT_EQ(shownScore(play, 1), play.engine->leftScore);
}

TEST(DemoPlay, TwoPersonsTakeTurnsAfterEachBasket) {
  DemoPlay play;
  ASSERT_TRUE(play.playUntil([&] { return play.engine->basketCount == 1; }, 120 * 30));
  EXPECT_GT(play.engine->leftScore, 0);
  EXPECT_EQ(play.engine->rightScore, 0);
  ASSERT_TRUE(play.playUntil([&] { return play.engine->basketCount == 2; }, 120 * 30));
  EXPECT_GT(play.engine->rightScore, 0);
}

TEST(DemoPlay, AWholePeriodEndsAndTheTopTenKeepsTheResultInTheSettingsFile) {
  DemoPlay play("Ann", "Computer");
  play.engine->periodMinutes = 1;
  int lastLeft = 0;
  ASSERT_TRUE(play.playUntil([&] {
    if (play.games == 0) lastLeft = play.engine->leftScore;
    return play.games == 1;
  }, 65 * 30));
  EXPECT_EQ(play.engine->leftScore, 0);
  EXPECT_EQ(play.engine->gameOver.load(), 0u);
  ASSERT_GT(lastLeft, 0) << "the demo player scored nothing in a minute";
  const auto path = play.engine->settingsPath;
  play.engine.reset();  // the program's end writes the settings file
  const std::optional<GameSettings> saved = readSettingsFile(path);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->topTen[0].nameView(), "Ann");
  EXPECT_EQ(saved->topTen[0].gameTime, 1);
  EXPECT_EQ(saved->topTen[0].points, lastLeft);
  EXPECT_EQ(saved->topTen[0].score, lastLeft * 10 + 1);
  EXPECT_EQ(saved->topTen[1].nameView(), "");  // "Computer" never enters the table
}
