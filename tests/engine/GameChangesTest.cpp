#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "support/EngineScene.h"

namespace {

// A built game at 7 : 9 whose capture runs.
struct RunningGame : EngineScene {
  RunningGame() {
    EXPECT_TRUE(build());
    engine->match.leftScore = 7;
    engine->match.rightScore = 9;
  }
  ScriptedSource& source() { return *provider.last; }
};

}  // namespace

// Each entry point stops the capture once, changes, lays out and starts it once again, and
// keeps the game. What the dialogs change and the players' new game are the dialogs' tests';
// here, what the layout resizes and the entry points no dialog has.
TEST(GameChanges, EachEntryPointRunsStopChangeLayoutStart) {
  const std::pair<const char*, std::function<bool(GameEngine&)>> rows[] = {
      {"environment", [](GameEngine& e) {
         e.applyEnvironment({900.0, 40, 150, 240, 1});
         const EnvironmentSettings& kept = e.settings().environment;  // what the file gets
         return e.sprite.radius == 40 && e.contact.fits(40) &&
                std::tuple(kept.gravity, kept.ballRadius, kept.basketSize, kept.ringHeight,
                           kept.skinIndex) == std::tuple(900.0, 40, 150, 240, std::uint8_t{1});
       }},
      {"motion view", [](GameEngine& e) {
         e.showMotionView(true);
         return e.showsMotion() && !e.shownMotion.empty();
       }},
      {"window size", [](GameEngine& e) { e.fitWindow(); return e.court.laidOut(); }},
  };
  for (const auto& [name, changed] : rows) {
    RunningGame game;
    const int stops = game.source().stops, starts = game.source().starts;
    EXPECT_TRUE(changed(*game.engine)) << name;
    EXPECT_EQ(std::pair(game.source().stops, game.source().starts), std::pair(stops + 1, starts + 1))
        << name;
    EXPECT_NE(game.source().running, nullptr) << name;
    const Match& m = game.engine->match;
    EXPECT_EQ(std::pair(m.leftScore, m.rightScore), std::pair(7, 9)) << name;
  }
}

// A layout asked for while frames flow is refused: an assertion in a debug build, the parts
// left as they are in a release build.
TEST(GameChanges, APartsChangeWhileTheCaptureRunsIsRefused) {
  RunningGame game;
  EXPECT_DEBUG_DEATH(game.engine->relayout(true), "only while the capture is stopped");
  EXPECT_EQ(game.engine->match.leftScore, 7);
}

// A headless run opens its device for itself; only the window's open is remembered.
TEST(GameChanges, OnlyTheRememberedOpenChangesTheSettingsCamera) {
  EngineScene scene;
  scene.provider.names = {"Cam A", "Cam B"};
  ASSERT_TRUE(scene.engine->openCameraOnce(scene.window, "Cam B"));
  EXPECT_EQ(scene.engine->settings().video.videoDeviceName, "");
  scene.engine->closeCamera();
  ASSERT_TRUE(scene.engine->openCamera(scene.window));  // no stored name: the first device
  EXPECT_EQ(scene.engine->settings().video.videoDeviceName, "Cam A");
  EXPECT_EQ(scene.provider.opened, (std::vector<std::size_t>{1, 0}));
}
