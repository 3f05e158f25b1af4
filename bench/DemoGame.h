#pragma once
// A demo game as the headless runner plays it, on the Qt field surface, for the benchmarks.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QGuiApplication>
#include <cstdlib>

#include <filesystem>
#include <string>

#include "demo/DemoCamera.h"
#include "capture/PainterProvider.h"
#include "capture/SteppedSource.h"
#include "engine/GameEngine.h"
#include "platform/HeadlessWindow.h"
#include "platform/TickClock.h"
#include "platform/qt/QtFieldSurface.h"

// A settings file of its own, so that no earlier run's settings change the figures; removed
// after the engine has written it.
struct BenchFolder {
  BenchFolder() : path(std::filesystem::temp_directory_path() / ("swishcam-bench-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(path);
  }
  ~BenchFolder() { std::filesystem::remove_all(path); }
  std::filesystem::path path;
};

// A demo game as the headless runner plays it, on the Qt field surface.
struct DemoGame {
  DemoGame(int width, int height)
      : clock(100000),
        engine(clock, surface, catalog, folder.path / "Swishcam.prm"),
        provider("Demo camera",
                 [this, width, height] {
                   return std::make_unique<DemoCamera>(view(), FrameFormat{width, height}, 30.0, 1);
                 },
                 Delivery::Stepped) {
    catalog.add(provider);
    engine.openCamera(window);
  }
  // Plays one frame at 30 frames per second; the end of a game is handled at once.
  void frame() {
    deliverFrame();
    handleGameEnds();
  }
  // The capture thread's share of a frame.
  void deliverFrame() {
    clock.set(100000 + static_cast<std::uint32_t>(frames * 1000 / 30));
    ++frames;
    provider.stepped->deliver();
  }
  // The window thread's share: the end of a game, without the winner's screen.
  void handleGameEnds() {
    while (window.takePeriodOver()) engine.onPeriodOver(nullptr);
  }
  GameView view() {
    return {engine.ball, engine.court, engine.match, engine.settings().timing, engine.camera.mirror};
  }
  BenchFolder folder;
  ManualTickClock clock;
  QtFieldSurface surface;
  HeadlessWindow window;
  SourceCatalog catalog;
  GameEngine engine;
  PainterProvider provider;
  long frames = 0;
};


// Runs the benchmarks named on the command line inside an offscreen Qt application, which the
// Qt field surface needs.
inline int runOffscreen(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int qtArgc = 1;
  QGuiApplication application(qtArgc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
