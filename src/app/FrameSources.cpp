#include "app/FrameSources.h"

#include "demo/DemoCamera.h"
#include "capture/ReplaySource.h"
#include "engine/GameEngine.h"

std::unique_ptr<PainterProvider> makeDemoProvider(const Options& options, const GameEngine& engine,
                                                  Delivery delivery) {
  const FrameFormat size{options.width, options.height};
  const double fps = options.fps;
  const std::uint32_t seed = options.seed;
  return std::make_unique<PainterProvider>(
      demoCameraName,
      [&engine, size, fps, seed] {
        const GameView game{engine.ball, engine.court, engine.match, engine.settings().timing,
                            engine.camera.mirror};
        return std::make_unique<DemoCamera>(game, size, fps, seed);
      },
      delivery);
}

std::unique_ptr<PainterProvider> makeReplayProvider(const Options& options, Delivery delivery,
                                                    std::string& error, FrameRatio& rate) {
  const std::filesystem::path path = options.replayFile;
  // The checked file serves the first open, so its notes are printed once.
  auto checked = std::make_shared<std::unique_ptr<ReplaySource>>(std::make_unique<ReplaySource>());
  if (!(*checked)->open(path, error)) return nullptr;
  rate = (*checked)->rate();
  return std::make_unique<PainterProvider>(
      replayDeviceName(path),
      [path, checked]() -> std::unique_ptr<FramePainter> {
        if (*checked) return std::move(*checked);
        auto replay = std::make_unique<ReplaySource>();
        std::string why;
        if (!replay->open(path, why)) return nullptr;
        return replay;
      },
      delivery);
}

std::unique_ptr<RecordingProvider> makeRecordingProvider(const Options& options,
                                                         SourceProvider& inner, FrameRatio rate) {
  if (options.recordFile.empty()) return nullptr;
  return std::make_unique<RecordingProvider>(inner, options.recordFile, rate);
}
