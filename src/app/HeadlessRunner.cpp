#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/FrameSources.h"
#include "app/PlayOptions.h"
#include "app/Runners.h"
#include "capture/SteppedSource.h"
#include "engine/GameEngine.h"
#include "engine/SettingsLocation.h"
#include "platform/HeadlessWindow.h"
#include "platform/TickClock.h"
#include "platform/qt/QtFieldSurface.h"

namespace {

constexpr std::uint32_t layoutTick = 100000;   // ms; the court is laid out at this tick
constexpr double defaultSeconds = 60.0;

// Frame n is due at layoutTick + trunc(n × 1000 / F) ms.
std::uint32_t frameTick(long n, double fps) {
  return layoutTick + static_cast<std::uint32_t>(static_cast<std::uint64_t>(n * 1000.0 / fps));
}

long framesToRun(const Options& options, double fps) {
  if (options.frames) return *options.frames;
  return static_cast<long>(std::ceil(options.seconds.value_or(defaultSeconds) * fps));
}

// A double as JSON with 17 significant digits; JSON has no infinities or NaN.
std::string number(double value) {
  if (!std::isfinite(value)) return "null";
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

// Events of each sound in the whole run; both swishes count as one.
std::string soundCounts(const SoundCounts& n) {
  auto of = [&n](Sound s) { return std::to_string(n[static_cast<std::size_t>(s)]); };
  return "\"sounds\":{\"bounce\":" + of(Sound::Bounce) + ",\"rim\":" + of(Sound::Rim) +
         ",\"swish\":" + std::to_string(n[static_cast<std::size_t>(Sound::Swish2)] +
                                          n[static_cast<std::size_t>(Sound::Swish3)]) +
         ",\"computer\":" + of(Sound::Computer) + ",\"buzzer\":" + of(Sound::Buzzer) + "}";
}

std::string summary(const GameEngine& e, long frames, std::uint64_t games) {
  char head[320];
  std::snprintf(head, sizeof head,
                "{\"frames\":%ld,\"field\":[%d,%d],\"frame\":[%d,%d],\"leftScore\":%d,"
                "\"rightScore\":%d,\"baskets\":%llu,\"strikes\":%llu,\"games\":%llu,",
                frames, e.court.fieldWidth, e.court.fieldHeight, e.camera.frameWidth,
                e.camera.frameHeight, e.match.leftScore, e.match.rightScore,
                static_cast<unsigned long long>(e.stats.baskets),
                static_cast<unsigned long long>(e.stats.strikes),
                static_cast<unsigned long long>(games));
  const Ball& b = e.ball;
  return std::string(head) + "\"ball\":{\"x\":" + number(b.x) + ",\"y\":" + number(b.y) +
         ",\"vx\":" + number(b.vx) + ",\"vy\":" + number(b.vy) +
         ",\"angle\":" + number(b.angle) + ",\"spin\":" + number(b.spin) + "}," +
         soundCounts(e.stats.sounds) + "}";
}

// The window thread's share of a frame: the end of a game, without the winner's screen.
std::uint64_t handlePeriodEnds(GameEngine& engine, HeadlessWindow& window) {
  std::uint64_t ended = 0;
  while (window.takePeriodOver()) {
    ++ended;
    engine.onPeriodOver(nullptr);
  }
  return ended;
}

// Delivers frames 0 … frames − 1 at their ticks; the number of games ended, or nothing when
// the source ran dry.
std::optional<std::uint64_t> playFrames(GameEngine& engine, HeadlessWindow& window,
                                        ManualTickClock& clock, SteppedSource& source,
                                        long frames) {
  const double fps = source.framesPerSecond();
  std::uint64_t games = 0;
  for (long n = 0; n < frames; ++n) {
    clock.set(frameTick(n, fps));
    if (!source.deliver()) {
      std::fprintf(stderr, "swishcam: the frame source stopped after %ld frames\n", n);
      return std::nullopt;
    }
    games += handlePeriodEnds(engine, window);
  }
  return games;
}

}  // namespace

void printForUser(const std::string& message) {
  std::string line = message;
  std::replace(line.begin(), line.end(), '\n', ' ');
  std::fprintf(stderr, "swishcam: %s\n", line.c_str());
}

int runHeadless(const Options& options) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int argc = 1;
  char name[] = "swishcam";
  char* argv[] = {name, nullptr};
  QGuiApplication application(argc, argv);

  ManualTickClock clock(layoutTick);
  QtFieldSurface surface;
  HeadlessWindow window;
  SourceCatalog catalog;
  GameEngine engine(clock, surface, catalog,
                    options.settingsFile.empty() ? settingsPath()
                                                 : std::filesystem::path(options.settingsFile));
  if (!engine.settingsLoad.ok()) printForUser(engine.settingsLoad.message);
  applyPlayOptions(options, engine);
  engine.seedNoise(options.seed);

  std::string error;
  FrameRatio rate = frameRatioOf(options.fps);
  std::unique_ptr<PainterProvider> painter =
      options.replayFile.empty() ? makeDemoProvider(options, engine, Delivery::Stepped)
                                 : makeReplayProvider(options, Delivery::Stepped, error, rate);
  if (!painter) {
    std::fprintf(stderr, "swishcam: %s\n", error.c_str());
    return 1;
  }
  std::unique_ptr<RecordingProvider> recorder = makeRecordingProvider(options, *painter, rate);
  catalog.add(recorder ? static_cast<SourceProvider&>(*recorder) : *painter);
  // The run opens no camera, so the camera chosen in the settings file stays chosen.
  const bool built = engine.openCamera(window, false);
  if (!built || painter->stepped == nullptr) {
    for (const std::string& message : window.messages)
      std::fprintf(stderr, "swishcam: %s\n", message.c_str());
    return 1;
  }
  if (recorder && recorder->failed()) return 1;

  const long frames = framesToRun(options, painter->stepped->framesPerSecond());
  const std::optional<std::uint64_t> games =
      playFrames(engine, window, clock, *painter->stepped, frames);
  engine.stopCapture();
  if (!games) return 1;

  int status = 0;
  if (!options.snapshotFile.empty() &&
      !surface.savePng(QString::fromStdString(options.snapshotFile))) {
    std::fprintf(stderr, "swishcam: cannot write the snapshot %s\n", options.snapshotFile.c_str());
    status = 1;
  }
  if (recorder && recorder->failed()) status = 1;  // the reason is on stderr already
  std::printf("%s\n", summary(engine, frames, *games).c_str());
  std::fflush(stdout);
  if (const SettingsReport saved = engine.saveSettings(); !saved.ok()) {
    printForUser(saved.message);
    status = 1;
  }
  return status;
}
