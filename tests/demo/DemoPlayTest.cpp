#include <gtest/gtest.h>

#include "demo/DemoCamera.h"
#include "capture/PainterProvider.h"
#include "capture/SteppedSource.h"
#include "engine/SettingsFile.h"
#include "support/EngineScene.h"

// The whole game fed by the demo camera as the headless runner plays it: frames stepped at 30
// per second, a period's end handled without a winner's screen.
TEST(DemoPlay, StrikesScoreBasketsAndAPeriodEndsIntoTheTopTenOfTheSettingsFile) {
  TemporaryFolder folder;
  ManualTickClock clock{100000};
  MemorySurface surface;
  HeadlessWindow window;
  SourceCatalog catalog;
  std::unique_ptr<GameEngine> engine;
  PainterProvider demo("Demo camera", [&] {
    const GameView view{engine->ball, engine->court, engine->match, engine->settings().timing,
                        engine->camera.mirror};
    return std::make_unique<DemoCamera>(view, FrameFormat{320, 240}, 30.0, 5);
  }, Delivery::Stepped);
  catalog.add(demo);
  engine = std::make_unique<GameEngine>(clock, surface, catalog, folder.file("Swishcam.prm"));
  engine->applyPlayers({1, 2, 0}, "Ann", "Computer");
  ASSERT_TRUE(engine->openCamera(window));
  int finalLeft = -1;  // player 1's points when the period ended
  for (long frame = 0; frame < 62 * 30 && finalLeft < 0; ++frame) {
    clock.set(100000 + static_cast<std::uint32_t>(frame * 1000 / 30));
    ASSERT_TRUE(demo.stepped->deliver());
    if (!window.takePeriodOver()) continue;
    finalLeft = engine->match.leftScore;
    engine->onPeriodOver({});
  }
  EXPECT_GT(engine->stats.strikes, 0u);
  ASSERT_GE(finalLeft, 10) << "the demo player's pushes should score, about 24 points a minute";
  engine.reset();  // the program's end writes the settings file
  const std::optional<GameSettings> saved = readSettingsFile(folder.file("Swishcam.prm"));
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->topTen[0], (TopTenEntry{1, finalLeft, finalLeft * 10 + 1, "Ann"}));  // minutes, points, score
  EXPECT_EQ(saved->topTen[1], TopTenEntry{});  // "Computer" never enters the table
}
