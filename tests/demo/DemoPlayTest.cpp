#include <gtest/gtest.h>

#include "demo/DemoCamera.h"
#include "capture/PainterProvider.h"
#include "capture/RecordingSource.h"
#include "capture/SteppedSource.h"
#include "engine/SettingsFile.h"
#include "support/EngineScene.h"

namespace {

// The demo camera's pictures, offered as a recorded file offers them: whoever moves in them
// was a person.
class AsReplayed final : public FramePainter {
 public:
  explicit AsReplayed(std::unique_ptr<FramePainter> painter) : m_painter(std::move(painter)) {}
  FrameFormat format() const override { return m_painter->format(); }
  double framesPerSecond() const override { return m_painter->framesPerSecond(); }
  bool paint(std::uint8_t* frame) override { return m_painter->paint(frame); }

 private:
  std::unique_ptr<FramePainter> m_painter;
};

}  // namespace

// The whole game fed by the demo camera's pictures replayed from a file, as the headless
// runner plays it: frames stepped at 30 per second, a period's end handled without a
// winner's screen, the player in the top ten. That the automatic player's own games stay out
// of it, the window's whole game shows.
TEST(DemoPlay, ReplayedPicturesStrikeScoreAndEnterTheTopTen) {
  EngineScene scene;
  std::unique_ptr<GameEngine>& engine = scene.engine;
  PainterProvider demo("Demo camera", [&]() -> std::unique_ptr<FramePainter> {
    const GameView view{engine->ball, engine->court, engine->match, engine->settings().timing,
                        engine->camera.mirror};
    return std::make_unique<AsReplayed>(
        std::make_unique<DemoCamera>(view, FrameFormat{320, 240}, 30.0, 5));
  }, Delivery::Stepped);
  scene.catalog = SourceCatalog();  // the demo camera alone
  scene.catalog.add(demo);
  engine->applyPlayers({1, 2, 0}, "Ann", "Computer");
  ASSERT_TRUE(engine->openCamera(scene.window));
  int finalLeft = -1;  // player 1's points when the period ended
  for (long frame = 0; frame < 62 * 30 && finalLeft < 0; ++frame) {
    scene.clock.set(100000 + static_cast<std::uint32_t>(frame * 1000 / 30));
    ASSERT_TRUE(demo.stepped->deliver());
    if (!scene.window.takePeriodOver()) continue;
    finalLeft = engine->match.leftScore;
    engine->onPeriodOver({});
  }
  EXPECT_GT(engine->stats.strikes, 0u);
  ASSERT_GE(finalLeft, 10) << "the demo player's pushes should score, about 24 points a minute";
  EXPECT_EQ(engine->match.leftScore, 0);  // the next game starts from nothing
  engine.reset();  // the program's end writes the settings file
  const std::optional<GameSettings> saved = readSettingsFile(scene.folder.file("Swishcam.prm"));
  ASSERT_TRUE(saved);
  const TopTenEntry ann{1, finalLeft, finalLeft * 10 + 1, "Ann"};  // minutes, points, score
  EXPECT_EQ(saved->topTen[0], ann);
  EXPECT_EQ(saved->topTen[1], TopTenEntry{});  // "Computer" never enters the table
}

// The engine learns who plays from the source it opened, however the frames reach it:
// paced, stepped, or recorded on their way.
TEST(DemoPlay, EveryDeliveryTellsWhetherAnAutomaticPlayerPlays) {
  TemporaryFolder folder;
  const Ball ball;
  const Court court;
  const Match match;
  const TimingSettings timing;
  const std::atomic<bool> mirror{false};
  const GameView none{ball, court, match, timing, mirror};
  for (bool automatic : {true, false}) {
    for (Delivery delivery : {Delivery::Paced, Delivery::Stepped}) {
      PainterProvider painter("Demo camera", [&]() -> std::unique_ptr<FramePainter> {
        auto camera = std::make_unique<DemoCamera>(none, FrameFormat{64, 48}, 30.0, 1);
        if (!automatic) return std::make_unique<AsReplayed>(std::move(camera));
        return camera;
      }, delivery);
      RecordingProvider recorder(painter, folder.file("clip.y4m"), FrameRatio{30, 1});
      for (SourceProvider* provider : {static_cast<SourceProvider*>(&painter),
                                       static_cast<SourceProvider*>(&recorder)}) {
        CaptureError error = CaptureError::Run;
        const std::unique_ptr<FrameSource> source = provider->open(0, error);
        ASSERT_TRUE(source);
        EXPECT_EQ(source->automaticPlayer(), automatic);
      }
    }
  }
}
