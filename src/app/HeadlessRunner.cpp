#include <QGuiApplication>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/FrameSources.h"
#include "app/LiveCameras.h"
#include "app/LiveFrames.h"
#include "app/PlayOptions.h"
#include "app/Runners.h"
#include "capture/CaptureMessages.h"
#include "capture/SteppedSource.h"
#include "clips/ClipBuffer.h"
#include "engine/GameEngine.h"
#include "engine/SettingsLocation.h"
#include "platform/HeadlessWindow.h"
#include "platform/TickClock.h"
#include "platform/qt/QtFieldSurface.h"

namespace {

constexpr std::uint32_t layoutTick = 100000;   // ms; the court is laid out at this tick
constexpr double defaultSeconds = 60.0;
constexpr std::uint32_t giveUpAfterMs = 10000;  // a live camera silent this long ends a run of --frames

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

std::string summary(const GameEngine& e, long frames, std::uint64_t games, std::uint64_t clips) {
  char head[340];
  std::snprintf(head, sizeof head,
                "{\"frames\":%ld,\"field\":[%d,%d],\"frame\":[%d,%d],\"leftScore\":%d,"
                "\"rightScore\":%d,\"baskets\":%llu,\"strikes\":%llu,\"games\":%llu,"
                "\"clips\":%llu,",
                frames, e.court.fieldWidth, e.court.fieldHeight, e.camera.frameWidth,
                e.camera.frameHeight, e.match.leftScore, e.match.rightScore,
                static_cast<unsigned long long>(e.stats.baskets),
                static_cast<unsigned long long>(e.stats.strikes),
                static_cast<unsigned long long>(games), static_cast<unsigned long long>(clips));
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
// the source ran dry. Simulated time outruns the encoder, so each frame waits for it: a
// headless clip leaves no frame out.
std::optional<std::uint64_t> playFrames(GameEngine& engine, HeadlessWindow& window,
                                        ManualTickClock& clock, SteppedSource& source,
                                        long frames, ClipBuffer* clips) {
  const double fps = source.framesPerSecond();
  std::uint64_t games = 0;
  for (long n = 0; n < frames; ++n) {
    clock.set(frameTick(n, fps));
    if (!source.deliver()) {
      std::fprintf(stderr, "swishcam: the frame source stopped after %ld frames\n", n);
      return std::nullopt;
    }
    if (clips != nullptr) clips->flush();
    games += handlePeriodEnds(engine, window);
  }
  return games;
}


// How a run went: its exit status (0 when it played), the frames played and games ended.
struct Played {
  int status = 0;
  long frames = 0;
  std::uint64_t games = 0;
};

void printMessages(const HeadlessWindow& window) {
  for (const std::string& message : window.messages)
    std::fprintf(stderr, "swishcam: %s\n", message.c_str());
}

// The demo camera or a replay, stepped frame by frame on the simulated clock.
Played playStepped(const Options& options, GameEngine& engine, HeadlessWindow& window,
                   ManualTickClock& clock, SourceCatalog& catalog, ClipBuffer* clips) {
  std::string error;
  FrameRatio rate = frameRatioOf(options.fps);
  std::unique_ptr<PainterProvider> painter =
      options.replayFile.empty() ? makeDemoProvider(options, engine, Delivery::Stepped)
                                 : makeReplayProvider(options, Delivery::Stepped, error, rate);
  if (!painter) {
    std::fprintf(stderr, "swishcam: %s\n", error.c_str());
    return {1};
  }
  std::unique_ptr<RecordingProvider> recorder = makeRecordingProvider(options, *painter, rate);
  catalog.add(recorder ? static_cast<SourceProvider&>(*recorder) : *painter);
  // The run's only device; the settings keep the player's camera.
  if (!engine.openCameraOnce(window, {}) || painter->stepped == nullptr) {
    printMessages(window);
    return {1};
  }
  if (recorder && recorder->failed()) return {1};
  const long frames = framesToRun(options, painter->stepped->framesPerSecond());
  const std::optional<std::uint64_t> games =
      playFrames(engine, window, clock, *painter->stepped, frames, clips);
  engine.closeCamera();
  if (!games) return {1};
  return {recorder && recorder->failed() ? 1 : 0, frames, *games};
}

// The names listed, for a message.
std::string joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "'" : ", '") + name + "'";
  return text.empty() ? "none" : text;
}

// Frames as the camera sends them, in real time, until the count or the time is reached
// or the camera goes away; a stalled camera is restarted as in the window.
Played playLive(const Options& options, GameEngine& engine, HeadlessWindow& window,
                SourceCatalog& catalog) {
  using Clock = std::chrono::steady_clock;
  LiveFrames* wakeOnLoss = nullptr;
  LiveCameras cameras([&wakeOnLoss] {
    if (wakeOnLoss != nullptr) wakeOnLoss->wake();
  });
  LiveFrames live(cameras);
  wakeOnLoss = &live;
  std::unique_ptr<RecordingProvider> recorder =
      makeRecordingProvider(options, live, frameRatioOf(options.fps));
  catalog.add(recorder ? static_cast<SourceProvider&>(*recorder) : live);
  const std::string wanted = options.cameraName.substr(0, maxDeviceNameLength);
  const std::vector<std::string> names = catalog.deviceNames();
  if (std::find(names.begin(), names.end(), wanted) == names.end()) {
    std::fprintf(stderr, "swishcam: no camera is named '%s'; cameras found: %s\n",
                 options.cameraName.c_str(), joined(names).c_str());
    return {2};
  }
  if (options.frames) live.limit(static_cast<std::uint64_t>(*options.frames));
  if (!engine.openCameraOnce(window, wanted)) {
    printMessages(window);
    return {1};
  }
  const auto end = options.frames ? Clock::time_point::max()
                                  : Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                                       std::chrono::duration<double>(
                                                           options.seconds.value_or(defaultSeconds)));
  Played played;
  for (std::uint64_t seen = 0;;) {
    if (options.frames && seen >= static_cast<std::uint64_t>(*options.frames)) break;
    const auto now = Clock::now();
    if (now >= end) break;
    seen = live.waitBeyond(seen, std::min(end, now + std::chrono::milliseconds(250)));
    played.games += handlePeriodEnds(engine, window);
    engine.watchStall();
    if (engine.camera.source->streamLost()) {
      printForUser(messageDeviceLost);
      played.status = 1;
      break;
    }
    // A count of frames has no end of its own: a camera that stays silent through its
    // restarts ends the run instead of holding it forever.
    if (options.frames && engine.stall.quietFor(engine.clock.now()) >= giveUpAfterMs) {
      std::fprintf(stderr, "swishcam: the camera sent no picture for %u s; stopped after %llu of %ld frames\n",
                   giveUpAfterMs / 1000, static_cast<unsigned long long>(live.count()), *options.frames);
      played.status = 1;
      break;
    }
  }
  engine.closeCamera();  // before the cameras that opened it go
  played.frames = static_cast<long>(live.count());
  if (recorder && recorder->failed()) played.status = 1;
  return played;
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

  const bool live = !options.cameraName.empty();
  ManualTickClock simulated(layoutTick);
  SteadyTickClock realTime;
  QtFieldSurface surface;
  HeadlessWindow window;
  SourceCatalog catalog;
  // Outlives the engine, whose frame step hands it the field.
  std::optional<ClipBuffer> clips;
  std::atomic<bool> clipFailed{false};
  if (!options.clipsDir.empty()) {
    clips.emplace([&clipFailed](const ClipResult& result) {
      if (result.problem.empty()) return;
      printForUser("the clip could not be saved to " + result.path.string() + ": " + result.problem);
      clipFailed = true;
    });
    clips->saveBaskets(options.clipsDir);
  }
  GameEngine engine(live ? static_cast<TickClock&>(realTime) : simulated, surface, catalog,
                    options.settingsFile.empty() ? settingsPath()
                                                 : std::filesystem::path(options.settingsFile));
  if (!engine.settingsLoad.ok()) printForUser(engine.settingsLoad.message);
  applyPlayOptions(options, engine);
  if (clips) engine.frameTap = &*clips;
  engine.seedNoise(options.seed);
  const Played played = live ? playLive(options, engine, window, catalog)
                             : playStepped(options, engine, window, simulated, catalog,
                                           clips ? &*clips : nullptr);
  if (played.status != 0 && played.frames == 0) return played.status;

  if (clips) clips->finish();
  int status = played.status;
  if (!options.snapshotFile.empty() &&
      !surface.savePng(QString::fromStdString(options.snapshotFile))) {
    std::fprintf(stderr, "swishcam: cannot write the snapshot %s\n", options.snapshotFile.c_str());
    status = 1;
  }
  if (clipFailed) status = 1;  // the reason is on stderr already
  std::printf("%s\n",
              summary(engine, played.frames, played.games, clips ? clips->savedCount() : 0).c_str());
  std::fflush(stdout);
  if (const SettingsReport saved = engine.saveSettings(); !saved.ok()) {
    printForUser(saved.message);
    status = 1;
  }
  return status;
}
