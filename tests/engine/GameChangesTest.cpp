#include <gtest/gtest.h>

#include <functional>

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

// Each entry point stops the capture once, changes, lays out and starts it once again; only
// the players' change starts a new game.
TEST(GameChanges, EachEntryPointRunsStopChangeLayoutStart) {
  struct Row {
    const char* name;
    std::function<void(GameEngine&)> apply;
    std::function<bool(const GameEngine&)> changed;
    bool newGame;
  };
  const Row rows[] = {
      {"environment", [](GameEngine& e) { e.applyEnvironment({900.0, 40, 150, 240, 1}); },
       [](const GameEngine& e) {
         return e.ball.gravity == 900.0 && e.ball.radius == 40 && e.court.basketSize == 150 &&
                e.court.ringHeight == 240 && e.court.skinIndex == 1 &&
                e.sprite.radius == 40 && e.contact.fits(40);
       },
       false},
      {"players", [](GameEngine& e) { e.applyPlayers({8, 4, 3}, "Ann", "Computer"); },
       [](const GameEngine& e) {
         const TimingSettings& t = e.settings().timing;
         return t.periodMinutes == 8 && t.movesPerFrame == 4 && t.computerSkill == 3 &&
                e.match.leftName == "Ann" && !e.match.rightIsPerson;
       },
       true},
      {"motion view", [](GameEngine& e) { e.showMotionView(true); },
       [](const GameEngine& e) { return e.showsMotion() && !e.shownMotion.empty(); }, false},
      {"window size", [](GameEngine& e) { e.fitWindow(); },
       [](const GameEngine& e) { return e.court.laidOut(); }, false},
  };
  for (const Row& row : rows) {
    RunningGame game;
    const int stops = game.source().stops, starts = game.source().starts;
    row.apply(*game.engine);
    EXPECT_TRUE(row.changed(*game.engine)) << row.name;
    EXPECT_EQ(std::pair(game.source().stops, game.source().starts),
              std::pair(stops + 1, starts + 1))
        << row.name;
    EXPECT_NE(game.source().running, nullptr) << row.name;
    const Match& m = game.engine->match;
    EXPECT_EQ(std::pair(m.leftScore, m.rightScore), row.newGame ? std::pair(0, 0) : std::pair(7, 9))
        << row.name;
  }
}

// A layout asked for while frames flow is refused: an assertion in a debug build, the parts
// left as they are in a release build.
TEST(GameChanges, APartsChangeWhileTheCaptureRunsIsRefused) {
  RunningGame game;
  EXPECT_DEBUG_DEATH(game.engine->relayout(true), "only while the capture is stopped");
  EXPECT_EQ(game.engine->match.leftScore, 7);
}

// What the dialogs and the command line change is what the settings file gets, whole.
TEST(GameChanges, TheFileGetsTheRecordAsChanged) {
  RunningGame game;
  game.engine->applyEnvironment({1200.0, 26, 120, 180, 4});
  game.engine->applyPlayers({12, 6, 2}, "Ann", "Bob");
  game.engine->applyVideo({0, "Test camera"});
  EXPECT_FALSE(game.engine->camera.mirror.load());
  ASSERT_TRUE(game.engine->saveSettings().ok());
  const std::optional<GameSettings> saved = readSettingsFile(game.folder.file("Swishcam.prm"));
  ASSERT_TRUE(saved);
  GameSettings expected{{0, "Test camera"}, {12, 6, 2}, {1200.0, 26, 120, 180, 4}, {}};
  EXPECT_EQ(encodeSettings(*saved), encodeSettings(expected));
  EXPECT_EQ(game.provider.opened.size(), 1u);  // the same camera is not opened again
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
