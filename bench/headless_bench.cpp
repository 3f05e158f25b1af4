// How fast the headless game runs, what one whole frame step costs against plain copies,
// and what the clip recording adds to it and holds in memory.
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
#include "ProcessStatus.h"
#include "capture/FrameImage.h"
#include "clips/ClipBuffer.h"

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

  // One frame step 33 ms after the last, the ball kept over the picture.
  void step() {
    const Rect& frameRect = engine.court.frameRect;
    engine.ball.x = frameRect.left + frameRect.width() / 2.0;
    engine.ball.y = frameRect.top + frameRect.height() / 2.0;
    clock.set(tick += 33);
    const auto& picture = pictures[n++ & 1];
    engine.onFrame(0.0, picture.data(), picture.size());
  }
  std::uint32_t tick = 100000;
  long n = 0;
};

// The baseline: three plain copies of the frame's bytes.
struct ThreeCopies {
  ThreeCopies(int width, int height) : a(frameBytes(width, height), 1), b(a.size()), c(a.size()), d(a.size()) {}
  void run() {
    std::memcpy(b.data(), a.data(), a.size());
    std::memcpy(c.data(), b.data(), a.size());
    std::memcpy(d.data(), c.data(), a.size());
    benchmark::DoNotOptimize(d.data());
    benchmark::ClobberMemory();
  }
  std::vector<std::uint8_t> a, b, c, d;
};

// The clip recording on the scene's field, for as long as it lives.
struct Recording {
  explicit Recording(FrameStepScene& scene) : engine(scene.engine) {
    clips.fieldLaidOut(engine.court.fieldWidth, engine.court.fieldHeight);
    engine.frameTap = &clips;
  }
  ~Recording() { engine.frameTap = nullptr; }
  GameEngine& engine;
  ClipBuffer clips{nullptr};
};

double threadCpuNs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
}

// The step alone, by the wall clock and by this thread's processor time (which a loaded
// machine inflates less); `between` runs outside the measure after each step.
template <typename Between>
void timedSteps(benchmark::State& state, const std::string& name, FrameStepScene& scene,
                Between between) {
  double wallNs = 0.0, cpuNs = 0.0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = threadCpuNs();
    scene.step();
    cpuNs += threadCpuNs() - cpuStart;
    wallNs += std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
    state.PauseTiming();
    between();
    state.ResumeTiming();
  }
  perIteration()[name] = wallNs / static_cast<double>(state.iterations());
  perIteration()[name + " cpu"] = cpuNs / static_cast<double>(state.iterations());
}

void BM_WholeFrameStep(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0));
  FrameStepScene scene(w, static_cast<int>(state.range(1)));
  timedSteps(state, "step " + std::to_string(w), scene, [] {});
}
BENCHMARK(BM_WholeFrameStep)->Args({640, 480})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);

// The same step with the clip recording on. Between steps its encoder catches up, as it
// does in the 33 ms between a camera's frames.
void BM_WholeFrameStepRecording(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0));
  FrameStepScene scene(w, static_cast<int>(state.range(1)));
  Recording recording(scene);
  timedSteps(state, "recording " + std::to_string(w), scene, [&] { recording.clips.flush(); });
  state.counters["clip_dropped"] = static_cast<double>(recording.clips.takeDropped());
}
BENCHMARK(BM_WholeFrameStepRecording)->Args({640, 480})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);

// Steps with and without the recording in turn, so that both meet the same load on a shared
// machine; the encoder catches up after each recorded step, outside the measure.
void BM_FrameStepRecordingInTurn(benchmark::State& state) {
  FrameStepScene scene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  Recording recording(scene);
  double cpuNs[2] = {0.0, 0.0};
  long steps = 0;
  for (auto _ : state) {
    const int on = static_cast<int>(steps++ & 1);
    scene.engine.frameTap = on != 0 ? &recording.clips : nullptr;
    const double start = threadCpuNs();
    scene.step();
    cpuNs[on] += threadCpuNs() - start;
    state.PauseTiming();
    recording.clips.flush();
    state.ResumeTiming();
  }
  state.counters["cpu_us_without"] = cpuNs[0] / 1e3 / static_cast<double>(steps / 2);
  state.counters["cpu_us_with"] = cpuNs[1] / 1e3 / static_cast<double>(steps / 2);
  state.counters["cpu_us_added"] = (cpuNs[1] - cpuNs[0]) / 1e3 / static_cast<double>(steps / 2);
}
BENCHMARK(BM_FrameStepRecordingInTurn)->Args({640, 480})->Iterations(2000)->Unit(benchmark::kMicrosecond);

// Two scenes stepped in turn, one with the motion view (F3) on: what the view adds to the
// step on the capture thread, beside the step itself, under the same load.
void BM_MotionViewBesideStep(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0));
  const int h = static_cast<int>(state.range(1));
  FrameStepScene plain(w, h), viewed(w, h);
  viewed.engine.showMotionView(true);
  double cpuNs[2] = {0.0, 0.0};
  for (auto _ : state) {
    for (int on = 0; on < 2; ++on) {
      const double start = threadCpuNs();
      (on != 0 ? viewed : plain).step();
      cpuNs[on] += threadCpuNs() - start;
    }
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["step_us"] = cpuNs[0] / n / 1e3;
  state.counters["view_us"] = (cpuNs[1] - cpuNs[0]) / n / 1e3;
  state.counters["view_per_step"] = (cpuNs[1] - cpuNs[0]) / cpuNs[0];
}
BENCHMARK(BM_MotionViewBesideStep)->Args({640, 480})->Unit(benchmark::kMicrosecond);

// Memory of the recording once it holds a whole clip: 12 s of frames, each one encoded.
void BM_ClipMemory(benchmark::State& state) {
  FrameStepScene scene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) {
    const double rssBefore = statusKilobytes("VmRSS");
    Recording recording(scene);
    const std::clock_t processStart = std::clock();
    const double stepStart = threadCpuNs();
    for (int frame = 0; frame < 360; ++frame) {
      scene.step();
      recording.clips.flush();
    }
    // The processor time beside the frame steps is the encoder's.
    const double processNs = static_cast<double>(std::clock() - processStart) * 1e9 / CLOCKS_PER_SEC;
    state.counters["encoder_cpu_ms_per_frame"] = (processNs - (threadCpuNs() - stepStart)) / 360 / 1e6;
    state.counters["kept_MB"] = static_cast<double>(recording.clips.memoryBytes()) / 1e6;
    state.counters["rss_growth_MB"] = (statusKilobytes("VmRSS") - rssBefore) / 1e3;
    state.counters["field_w"] = scene.engine.court.fieldWidth;
    state.counters["field_h"] = scene.engine.court.fieldHeight;
  }
}
BENCHMARK(BM_ClipMemory)->Args({640, 480})->Args({1920, 1080})->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ThreeFrameCopies(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0));
  ThreeCopies copies(w, static_cast<int>(state.range(1)));
  timed(state, "copies " + std::to_string(w), [&] { copies.run(); });
}
BENCHMARK(BM_ThreeFrameCopies)->Args({640, 480})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);

// A step and the three copies in turn, each by this thread's processor time, so that both
// meet the same load on a shared machine: the ratio to trust there.
void BM_FrameStepBesideCopies(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0));
  const int h = static_cast<int>(state.range(1));
  FrameStepScene scene(w, h);
  ThreeCopies copies(w, h);
  double stepNs = 0.0, copiesNs = 0.0;
  for (auto _ : state) {
    double start = threadCpuNs();
    scene.step();
    stepNs += threadCpuNs() - start;
    start = threadCpuNs();
    copies.run();
    copiesNs += threadCpuNs() - start;
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["step_us"] = stepNs / n / 1e3;
  state.counters["copies_us"] = copiesNs / n / 1e3;
  state.counters["ratio"] = stepNs / copiesNs;
}
BENCHMARK(BM_FrameStepBesideCopies)->Args({640, 480})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  runOffscreen(argc, argv);
  for (const char* width : {"640", "1920"}) {
    auto& t = perIteration();
    const std::string step = std::string("step ") + width, copies = std::string("copies ") + width;
    if (t.count(step) != 0 && t.count(copies) != 0)
      std::printf("whole frame step at width %s: cpu %.1f us, three copies cpu %.1f us, ratio %.2f\n",
                  width, t[step + " cpu"] / 1000.0, t[copies] / 1000.0, t[step + " cpu"] / t[copies]);
    const std::string recording = std::string("recording ") + width;
    if (t.count(step) != 0 && t.count(recording) != 0)
      std::printf("frame step at width %s: %.1f us (cpu %.1f us); with the clip recording "
                  "%.1f us (cpu %.1f us): %+.1f us (cpu %+.1f us), ratio %.2f\n",
                  width, t[step] / 1000.0, t[step + " cpu"] / 1000.0, t[recording] / 1000.0,
                  t[recording + " cpu"] / 1000.0, (t[recording] - t[step]) / 1000.0,
                  (t[recording + " cpu"] - t[step + " cpu"]) / 1000.0, t[recording] / t[step]);
  }
  return 0;
}
