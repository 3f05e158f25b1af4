// How fast the headless game runs, and what one whole frame step costs against plain copies.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <cstring>
#include <map>
#include <unistd.h>
#include <vector>

#include "DemoGame.h"
#include "capture/FrameImage.h"

namespace {

// Processor ns per iteration of each benchmark, for the ratios printed at the end: on a
// shared machine the thread's own time tells what one free core would do.
std::map<std::string, double>& perIteration() {
  static std::map<std::string, double> table;
  return table;
}

double threadNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

template <typename Body>
void timed(benchmark::State& state, const std::string& name, Body body) {
  const double start = threadNanoseconds();
  for (auto _ : state) body();
  perIteration()[name] = (threadNanoseconds() - start) / static_cast<double>(state.iterations());
}

void BM_HeadlessDemoGame(benchmark::State& state) {
  DemoGame game(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const auto start = std::chrono::steady_clock::now();
  const std::clock_t startCpu = std::clock();
  for (auto _ : state) game.frame();
  const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
  const double cpu = static_cast<double>(std::clock() - startCpu) / CLOCKS_PER_SEC;
  // On a shared machine the processor time tells what one free core would do.
  state.counters["simulated_s_per_wall_s"] = (game.frames / 30.0) / spent.count();
  state.counters["simulated_s_per_cpu_s"] = (game.frames / 30.0) / cpu;
}
BENCHMARK(BM_HeadlessDemoGame)->Args({640, 480})->Args({1280, 720})->Unit(benchmark::kMicrosecond);

// Two demo pictures taken in turn, so that every step sees motion under a ball that stays
// over the picture.
struct FrameStepScene : DemoGame {
  FrameStepScene(int width, int height) : DemoGame(width, height) {
    for (auto& picture : pictures) {
      picture.resize(frameBytes(width, height));
      DemoCamera camera(view(), {width, height}, 30.0, static_cast<std::uint32_t>(&picture - pictures));
      camera.paint(picture.data());
    }
  }
  std::vector<std::uint8_t> pictures[2];
};

void BM_WholeFrameStep(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0));
  const int h = static_cast<int>(state.range(1));
  FrameStepScene scene(w, h);
  GameEngine& e = scene.engine;
  std::uint32_t tick = 100000;
  long n = 0;
  timed(state, "step " + std::to_string(w), [&] {
    const Rect& frameRect = e.court.frameRect;  // the ball is kept over the picture
    e.ball.x = frameRect.left + frameRect.width() / 2.0;
    e.ball.y = frameRect.top + frameRect.height() / 2.0;
    scene.clock.set(tick += 33);
    const auto& picture = scene.pictures[n++ & 1];
    e.onFrame(0.0, picture.data(), picture.size());
  });
}
BENCHMARK(BM_WholeFrameStep)->Args({640, 480})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);

// The baseline: three plain copies of the frame's bytes.
void BM_ThreeFrameCopies(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0));
  const int h = static_cast<int>(state.range(1));
  std::vector<std::uint8_t> a(frameBytes(w, h), 1), b(a.size()), c(a.size()), d(a.size());
  timed(state, "copies " + std::to_string(w), [&] {
    std::memcpy(b.data(), a.data(), a.size());
    std::memcpy(c.data(), b.data(), a.size());
    std::memcpy(d.data(), c.data(), a.size());
    benchmark::DoNotOptimize(d.data());
    benchmark::ClobberMemory();
  });
}
BENCHMARK(BM_ThreeFrameCopies)->Args({640, 480})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  runOffscreen(argc, argv);
  for (const char* width : {"640", "1920"}) {
    auto& t = perIteration();
    const std::string step = std::string("step ") + width, copies = std::string("copies ") + width;
    if (t.count(step) != 0 && t.count(copies) != 0)
      std::printf("whole frame step at width %s: %.1f us, three copies %.1f us, ratio %.2f\n",
                  width, t[step] / 1000.0, t[copies] / 1000.0, t[step] / t[copies]);
  }
  return 0;
}
