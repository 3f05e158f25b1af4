#pragma once
#include <stdlib.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "engine/GameEngine.h"
#include "platform/HeadlessWindow.h"
#include "platform/MemorySurface.h"

// A device whose frames the test hands in itself: start and stop only record the calls.
struct ScriptedSource final : FrameSource {
  explicit ScriptedSource(FrameFormat format) : size(format) {}
  FrameFormat format() const override { return size; }
  CaptureError start(FrameSink& sink) override { ++starts; running = &sink; return startError; }
  void stop() override { ++stops; running = nullptr; }
  bool streamLost() const override { return lost; }
  FrameFormat size;
  bool lost = false;
  FrameSink* running = nullptr;
  CaptureError startError = CaptureError::None;
  int starts = 0, stops = 0;
};

// Named devices that open as ScriptedSources of one format, or fail with openError.
struct ScriptedProvider final : SourceProvider {
  ScriptedProvider(std::vector<std::string> names, FrameFormat format)
      : names(std::move(names)), format(format) {}
  std::vector<std::string> deviceNames() override { return names; }
  std::unique_ptr<FrameSource> open(std::size_t index, CaptureError& error) override {
    opened.push_back(index);
    if ((error = openError) != CaptureError::None) return nullptr;
    auto source = std::make_unique<ScriptedSource>(format);
    last = source.get();
    return source;
  }
  std::vector<std::string> names;
  FrameFormat format;
  CaptureError openError = CaptureError::None;
  std::vector<std::size_t> opened;
  ScriptedSource* last = nullptr;
};

// A fresh temporary folder, removed with the object.
struct TemporaryFolder {
  TemporaryFolder() {
    std::string name = std::filesystem::temp_directory_path() / "swishcam-test-XXXXXX";
    if (::mkdtemp(name.data()) == nullptr) abort();
    path = name;
  }
  ~TemporaryFolder() { std::error_code ignored; std::filesystem::remove_all(path, ignored); }
  std::filesystem::path file(const std::string& name) const { return path / name; }
  std::filesystem::path path;
};

// The whole of a file's bytes; none for a file that cannot be read.
inline std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A whole engine on a memory surface, a headless window and a manual clock, fed by a
// scripted camera. build() runs openCamera, which lays the court out for a new game.
struct EngineScene {
  explicit EngineScene(FrameFormat format = {320, 240}, std::uint32_t startTick = 100000)
      : clock(startTick), provider({"Test camera"}, format) {
    catalog.add(provider);
    engine = std::make_unique<GameEngine>(clock, surface, catalog, folder.file("Swishcam.prm"));
  }
  bool build() { return engine->openCamera(window); }
  // New timings through the players' entry point, names kept; a built court starts a new game.
  void setTiming(TimingSettings t) { engine->applyPlayers(t, engine->match.leftName, engine->match.rightName); }
  void deliverUniform(std::uint8_t value) {  // one frame at the current tick
    frame.assign(frameBytes(provider.format.width, provider.format.height), value);
    engine->onFrame(0, frame.data(), frame.size());
  }
  void play(int frames) {  // uniform frames, 33 ms apart
    for (int n = 0; n < frames; ++n) clock.advance(33), deliverUniform(90);
  }
  // The ball falling straight through the right ring's middle, last struck in the near half:
  // player 1 scores 2 within 20 frames.
  void dropThroughRightRing() {
    const Rect ring = engine->court.rightRingRect;
    Ball& ball = engine->ball = Ball{};
    ball.x = (ring.left + ring.right) / 2;
    ball.y = ring.top - 40;
    ball.vy = 300;
    ball.shotX = engine->court.fieldWidth - 1;
  }
  TemporaryFolder folder;
  ManualTickClock clock;
  MemorySurface surface;
  HeadlessWindow window;
  ScriptedProvider provider;
  SourceCatalog catalog;
  std::unique_ptr<GameEngine> engine;
  std::vector<std::uint8_t> frame;
};
