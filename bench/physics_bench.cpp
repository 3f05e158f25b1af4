// Cost of one ball step while the ball lies wholly over a moving camera picture (court
// mask, motion sensing of the whole box, push sum, strike), against the same step away
// from the picture (court mask and push sum only), at the default radius 30 and at 42.
// The step over a still picture senses motion but finds none: it separates the sensing
// from the push sum over a disc full of contacts.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>

#include "capture/FrameImage.h"
#include "physics/BallMotion.h"

namespace {

// A ball with the court, the contact mask and the frames a 320 × 240 layout gives it, the
// frames filled with noise: different noise, so that every step senses motion everywhere
// under the ball, unless the picture is still.
struct Field {
  Field(int radius, bool still) {
    ball.radius = radius;
    court.fieldWidth = (320 + 2 * (154 + 2 * radius)) / 4 * 4;
    court.fieldHeight = std::max(240 + 2 * radius + 60, 400 + 2 * radius);
    court.frameRect = {(court.fieldWidth - 320) / 2, court.fieldHeight - 240,
                       (court.fieldWidth + 320) / 2, court.fieldHeight};
    court.courtMap.assign(static_cast<std::size_t>(court.fieldWidth) * court.fieldHeight, 0);
    std::mt19937 random(1);
    for (Bytes* frame : {&current, &previous}) {
      frame->resize(frameBytes(320, 240));
      for (auto& byte : *frame) byte = static_cast<std::uint8_t>(random());
    }
    if (still) previous = current;
    contact.resize(radius);
    frames = {current.data(), previous.data(), 320, 240};
  }

  Ball ball;
  Court court;
  ContactMask contact;
  Bytes current, previous;
  FramePair frames;
};

// The ball is put back before each step (dt 0 keeps it in place; strikes change only its
// velocity), so every iteration does the same work.
void stepAt(benchmark::State& state, bool overPicture, bool still = false) {
  Field field(static_cast<int>(state.range(0)), still);
  Ball& ball = field.ball;
  const Rect& picture = field.court.frameRect;
  const double x = overPicture ? (picture.left + picture.right) / 2 : ball.radius + 40;
  const double y = field.court.fieldHeight - ball.radius - 20;
  std::uint64_t strikes = 0;
  for (auto _ : state) {
    ball.x = x;
    ball.y = y;
    ball.vx = ball.vy = 0.0;
    strikes += stepBall(ball, field.court, field.contact, field.frames, 0.0);
    benchmark::DoNotOptimize(ball.vx);
  }
  state.counters["strikes"] = static_cast<double>(strikes);
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
