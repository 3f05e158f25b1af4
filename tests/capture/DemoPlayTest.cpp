#include <gtest/gtest.h>

#include "capture/DemoCamera.h"
#include "capture/PainterProvider.h"
#include "capture/SteppedSource.h"
#include "engine/SettingsFile.h"
#include "support/EngineScene.h"

namespace {

// The whole game fed by the demo camera, frames stepped at 30 per second as the headless
// runner does; a period's end is handled without a winner's screen.
struct DemoPlay {
  DemoPlay() {
    catalog.add(provider);
    engine = std::make_unique<GameEngine>(clock, surface, catalog, folder.file("Swishcam.prm"));
    engine->match.setNames("Ann", "Computer");
    engine->match.periodMinutes = 1;
    EXPECT_TRUE(engine->buildCaptureGraph(window));
  }
  // Plays until `done` holds, at most `limit` frames; true when it came.
  template <typename Done>
  bool playUntil(Done done, long limit) {
    for (long n = 0; n < limit; ++n) {
      clock.set(100000 + static_cast<std::uint32_t>(frames++ * 1000 / 30));
      if (!provider.stepped->deliver()) return false;
      for (; window.takePeriodOver(); ++periods) {
        finalLeft = engine->match.leftScore;
        engine->onPeriodOver({});
      }
      if (done()) return true;
    }
    return false;
  }

  TemporaryFolder folder;
  ManualTickClock clock{100000};
  MemorySurface surface;
  HeadlessWindow window;
  SourceCatalog catalog;
  PainterProvider provider{"Demo camera", [this] {
    const GameView view{engine->ball, engine->court, engine->match, engine->camera.mirror};
    return std::make_unique<DemoCamera>(view, FrameFormat{320, 240}, 30.0, 5);
  }, Delivery::Stepped};
  std::unique_ptr<GameEngine> engine;
  long frames = 0;
  int periods = 0;
  int finalLeft = 0;  // player 1's points when the last period ended
};

}  // namespace

TEST(DemoPlay, StrikesScoreBasketsAndAPeriodEndsIntoTheTopTenOfTheSettingsFile) {
  DemoPlay play;
  const Match& match = play.engine->match;
  ASSERT_TRUE(play.playUntil([&] { return play.engine->stats.baskets == 1; }, 60 * 30));
  EXPECT_GT(play.engine->stats.strikes, 0u);
  EXPECT_TRUE(match.leftScore == 2 || match.leftScore == 3) << match.leftScore;
  ASSERT_TRUE(play.playUntil([&] { return play.periods == 1; }, 60 * 30));
  EXPECT_EQ(match.leftScore, 0);
  EXPECT_FALSE(match.gameOver);
  play.engine.reset();  // the program's end writes the settings file
  const std::optional<GameSettings> saved = readSettingsFile(play.folder.file("Swishcam.prm"));
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->topTen[0].nameView(), "Ann");
  EXPECT_EQ(saved->topTen[0].gameTime, 1);
  EXPECT_EQ(saved->topTen[0].points, play.finalLeft);
  EXPECT_EQ(saved->topTen[0].score, play.finalLeft * 10 + 1);
  EXPECT_EQ(saved->topTen[1].nameView(), "");  // "Computer" never enters the table
}
