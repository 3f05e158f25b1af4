// An hour of a headless demo game under a counting allocator: after the court's first layout
// the frame step allocates nothing, and memory stays where the first minute left it.
#include <benchmark/benchmark.h>


#include "../tests/support/CountingAllocator.h"
#include "DemoGame.h"
#include "ProcessStatus.h"

namespace {

constexpr long framesPerMinute = 30 * 60;

template <typename Call>
long allocationsOf(Call call) {
  const long before = allocations.load(std::memory_order_relaxed);
  call();
  return allocations.load(std::memory_order_relaxed) - before;
}

void BM_DemoHour(benchmark::State& state) {
  const long minutes = state.range(0);
  for (auto _ : state) {
    DemoGame game(640, 480);
    long inFrames = 0;    // the capture thread's share, after the first layout
    long atGameEnds = 0;  // the window thread's: top ten, new game
    for (long minute = 1; minute <= minutes; ++minute) {
      for (long n = 0; n < framesPerMinute; ++n) {
        inFrames += allocationsOf([&] { game.deliverFrame(); });
        atGameEnds += allocationsOf([&] { game.handleGameEnds(); });
      }
      if (minute == 1 || minute == minutes) {
        const std::string at = "_" + std::to_string(minute) + "min_kB";
        state.counters["peak" + at] = statusKilobytes("VmHWM");
        state.counters["rss" + at] = statusKilobytes("VmRSS");
      }
    }
    state.counters["allocs_per_frame"] = static_cast<double>(inFrames) / game.frames;
    state.counters["allocs_at_game_ends"] = static_cast<double>(atGameEnds);
    state.counters["baskets"] = static_cast<double>(game.engine.stats.baskets);
  }
}
BENCHMARK(BM_DemoHour)->Arg(60)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) { return runOffscreen(argc, argv); }
