// Cost of one ball step while the ball lies wholly over a moving camera picture (court
// mask, motion sensing of the whole box, push sum, strike), against the same step away
// from the picture (court mask and push sum only), at the default radius 30 and at 42.
// The step over a still picture senses motion but finds none: it separates the sensing
// from the push sum over a disc full of contacts.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <string>

#include "capture/FrameImage.h"
#include "capture/FrameSource.h"
#include "engine/GameEngine.h"
#include "platform/MemorySurface.h"
#include "platform/TickClock.h"

namespace {

// An engine with the buffers a 320 × 240 layout gives it, the frames filled with noise:
// different noise, so that every step senses motion everywhere under the ball, unless
// the picture is still.
struct Field {
  Field(int radius, bool still)
      : folder(std::filesystem::temp_directory_path() / "swishcam-physics-bench"),
        engine(clock, surface, catalog, folder / "Swishcam.prm") {
    GameEngine& e = engine;
    e.ballRadius = radius;
    e.frameWidth = 320;
    e.frameHeight = 240;
    e.fieldWidth = (320 + 2 * (154 + 2 * radius)) / 4 * 4;
    e.fieldHeight = std::max(240 + 2 * radius + 60, 400 + 2 * radius);
    e.frameRect = {(e.fieldWidth - 320) / 2, e.fieldHeight - 240, (e.fieldWidth + 320) / 2,
                   e.fieldHeight};
    e.courtMap.assign(static_cast<std::size_t>(e.fieldWidth) * e.fieldHeight, 0);
    std::mt19937 random(1);
    for (Bytes* frame : {&e.workFrame, &e.shownFrame}) {
      frame->resize(frameBytes(320, 240));
      for (auto& byte : *frame) byte = static_cast<std::uint8_t>(random());
    }
    if (still) e.shownFrame = e.workFrame;
    const std::size_t box = static_cast<std::size_t>(2 * radius) * (2 * radius);
    e.ballMask.assign(box, 0);
    for (auto& plane : e.motionPlanes) plane.assign(box, 0);
    e.motionWork.assign(box, 0);
  }
  ~Field() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  std::filesystem::path folder;
  ManualTickClock clock;
  MemorySurface surface;
  SourceCatalog catalog;
  GameEngine engine;
};

// The ball is put back before each step (dt 0 keeps it in place; strikes change only its
// velocity), so every iteration does the same work.
void stepAt(benchmark::State& state, bool overPicture, bool still = false) {
  Field field(static_cast<int>(state.range(0)), still);
  GameEngine& e = field.engine;
  const double x = overPicture ? (e.frameRect.left + e.frameRect.right) / 2 : e.ballRadius + 40;
  const double y = e.fieldHeight - e.ballRadius - 20;
  for (auto _ : state) {
    e.ballX = x;
    e.ballY = y;
    e.ballVX = e.ballVY = 0.0;
    e.stepBall(0.0);
    benchmark::DoNotOptimize(e.ballVX);
  }
  state.counters["strikes"] = static_cast<double>(e.strikeCount);
}

void StepOffPicture(benchmark::State& state) { stepAt(state, false); }
void StepOverPicture(benchmark::State& state) { stepAt(state, true); }
void StepOverStillPicture(benchmark::State& state) { stepAt(state, true, true); }
BENCHMARK(StepOffPicture)->Arg(30)->Arg(42);
BENCHMARK(StepOverPicture)->Arg(30)->Arg(42);
BENCHMARK(StepOverStillPicture)->Arg(30)->Arg(42);

// Prints, after the usual table, each step over the picture against the step off the
// picture at the same radius, all measured in this run. CPU time: the machine is shared.
class RatioReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) nanoseconds[run.benchmark_name()] = run.GetAdjustedCPUTime();
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const char* radius : {"30", "42"}) {
      const double off = nanoseconds["StepOffPicture/" + std::string(radius)];
      const double over = nanoseconds["StepOverPicture/" + std::string(radius)];
      const double still = nanoseconds["StepOverStillPicture/" + std::string(radius)];
      if (off > 0 && over > 0 && still > 0)
        std::printf(
            "radius %s: over a moving picture %.0f ns (%.1f x), over a still one %.0f ns "
            "(%.1f x), off the picture %.0f ns (1.0 x)\n",
            radius, over, over / off, still, still / off, off);
    }
  }

 private:
  std::map<std::string, double> nanoseconds;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
