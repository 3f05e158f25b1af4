// The automatic player's work per frame at the most demanding valid settings (ball size 100,
// gravitation at its maximum, game speed 10) beside the default ones: the mean and the
// longest nextPose over balls thrown across the picture.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>

#include "demo/AutoPlayer.h"
#include "render/CourtLayout.h"

namespace {

void playerPerFrame(benchmark::State& state, int radius, double gravity, int speed) {
  Ball ball;
  ball.radius = radius;
  ball.gravity = gravity;
  Court court;
  const CourtFit fit{640, 480, radius, true, true};
  layoutCourt(court, fit, neededField(court, fit));
  Match match;
  TimingSettings timing;
  timing.movesPerFrame = static_cast<std::uint8_t>(speed);
  const std::atomic<bool> mirror{true};
  AutoPlayer player({ball, court, match, timing, mirror}, 30.0, 1);
  std::mt19937 random(9);
  std::uniform_real_distribution<double> across(court.frameRect.left, court.frameRect.right);
  std::uniform_real_distribution<double> down(court.frameRect.top, court.frameRect.bottom - radius);
  std::uniform_real_distribution<double> speedOf(-900.0, 900.0);
  double longest = 0.0;
  for (auto _ : state) {
    ball.x = across(random);
    ball.y = down(random);
    ball.vx = speedOf(random);
    ball.vy = speedOf(random);
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(player.nextPose());
    longest = std::max(longest, std::chrono::duration<double, std::milli>(
                                    std::chrono::steady_clock::now() - start).count());
  }
  state.counters["longest_ms"] = longest;
}

void BM_PlayerDefaultSettings(benchmark::State& state) { playerPerFrame(state, 30, 600.0, 2); }
void BM_PlayerLargestBallStrongestGravityFastest(benchmark::State& state) {
  playerPerFrame(state, 100, 100000.0, 10);
}

BENCHMARK(BM_PlayerDefaultSettings)->Unit(benchmark::kMicrosecond)->Iterations(2000);
BENCHMARK(BM_PlayerLargestBallStrongestGravityFastest)->Unit(benchmark::kMicrosecond)->Iterations(2000);

}  // namespace

BENCHMARK_MAIN();
