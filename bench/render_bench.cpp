// The frame composition and a whole court layout, each beside a plain copy of the same
// number of bytes measured in the same run; the ratios are printed after the table.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "capture/FrameSource.h"
#include "engine/GameEngine.h"
#include "render/FrameComposition.h"
#include "platform/HeadlessWindow.h"
#include "platform/MemorySurface.h"
#include "platform/TickClock.h"

namespace {

// An engine laid out for a camera of w × h on a memory surface and a headless window.
struct Field {
  Field(int w, int h) {
    settings = std::filesystem::temp_directory_path() /
               ("swishcam-bench-" + std::to_string(w) + "x" + std::to_string(h) + ".prm");
    engine = std::make_unique<GameEngine>(clock, surface, catalog, settings);
    engine->mainWindow = &window;
    engine->camera.frameWidth = w;
    engine->camera.frameHeight = h;
    engine->relayout(true);
    std::memset(engine->camera.workFrame.data(), 90, engine->camera.workFrame.size());
  }
  ~Field() {
    engine.reset();
    std::filesystem::remove(settings);
  }
  FieldCanvas canvas() { return {surface, engine->court, engine->sprite}; }
  // What composeFrame copies: the picture and two ball boxes (erase and draw).
  std::size_t composeBytes() const {
    const std::size_t side = static_cast<std::size_t>(2 * engine->ball.radius);
    const std::size_t box = side * side * pixelBytes;
    return engine->camera.workFrame.size() + 2 * box;
  }
  // What a layout fills: backdrop, front layer colour and coverage, solidity map.
  std::size_t layoutBytes() const {
    return static_cast<std::size_t>(engine->court.fieldWidth) * engine->court.fieldHeight * (2 * pixelBytes + 2);
  }

  ManualTickClock clock;
  MemorySurface surface;
  HeadlessWindow window;
  SourceCatalog catalog;
  std::filesystem::path settings;
  std::unique_ptr<GameEngine> engine;
};

void copyBytes(benchmark::State& state, std::size_t bytes) {
  std::vector<std::uint8_t> from(bytes, 1), to(bytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}

void composeFrame(benchmark::State& state) {
  Field field(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  GameEngine& e = *field.engine;
  FieldCanvas canvas = field.canvas();
  int step = 0;
  for (auto _ : state) {
    step = (step + 1) % 64;
    e.ball.x = e.court.frameRect.left + 4 * step;
    e.ball.y = e.court.frameRect.top - 10 + step;
    ::composeFrame(canvas, e.ball, e.camera.workFrame.data());
    field.surface.presented.clear();
  }
}

void composeBaseline(benchmark::State& state) {
  Field field(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  copyBytes(state, field.composeBytes());
}

void layoutCourt(benchmark::State& state) {
  Field field(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) field.engine->relayout(false);
}

void layoutBaseline(benchmark::State& state) {
  Field field(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  copyBytes(state, field.layoutBytes());
}

BENCHMARK(composeFrame)->Args({640, 480})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(composeBaseline)->Args({640, 480})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(layoutCourt)->Args({640, 480})->Args({1920, 1080})->Unit(benchmark::kMillisecond);
BENCHMARK(layoutBaseline)->Args({640, 480})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

// Keeps the processor time per iteration of every run, by its name: on a shared machine it
// tells what one free core would do.
class RatioReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration && run.iterations > 0)
        seconds[run.benchmark_name()] = run.cpu_accumulated_time / run.iterations;
    ConsoleReporter::ReportRuns(runs);
  }
  void printRatios() const {
    for (const char* size : {"640/480", "1920/1080"}) {
      for (const auto& [work, base] : {std::pair{"composeFrame", "composeBaseline"},
                                       std::pair{"layoutCourt", "layoutBaseline"}}) {
        const auto w = seconds.find(std::string(work) + "/" + size);
        const auto b = seconds.find(std::string(base) + "/" + size);
        if (w == seconds.end() || b == seconds.end() || b->second <= 0) continue;
        std::printf("%-13s %-10s %10.1f us   memcpy of the same bytes %8.1f us   ratio %6.1f\n",
                    work, size, w->second * 1e6, b->second * 1e6, w->second / b->second);
      }
    }
  }

 private:
  std::map<std::string, double> seconds;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatios();
  benchmark::Shutdown();
  return 0;
}
