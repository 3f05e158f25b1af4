#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <future>
#include <latch>
#include <mutex>

#include "capture/PacedSource.h"
#include "capture/SteppedSource.h"

namespace {

// Numbered frames of 2 × 1 pixels, fast enough that a test never waits long for one.
class CountingPainter final : public FramePainter {
 public:
  FrameFormat format() const override { return {2, 1}; }
  double framesPerSecond() const override { return 1000.0; }
  bool paint(std::uint8_t* frame) override {
    frame[0] = static_cast<std::uint8_t>(++painted);
    return true;
  }
  std::atomic<int> painted{0};
};

// Holds the first delivery until the test releases it.
class HoldingSink final : public FrameSink {
 public:
  void BufferCB(double, const std::uint8_t*, long length) override {
    lengths = length;
    if (calls.fetch_add(1) == 0) {
      entered.count_down();
      release.wait();
      firstReturned = true;
    }
  }
  std::atomic<int> calls{0};
  std::atomic<long> lengths{0};
  std::atomic<bool> firstReturned{false};
  std::latch entered{1};
  std::latch release{1};
};

}  // namespace

TEST(PacedSource, StopWaitsForTheDeliveryInProgressAndNothingComesAfter) {
  auto painter = std::make_unique<CountingPainter>();
  PacedSource source(std::move(painter));
  HoldingSink sink;
  ASSERT_EQ(source.start(sink), CaptureError::None);
  sink.entered.wait();

  std::latch stopping{1};
  auto stopped = std::async(std::launch::async, [&] {
    stopping.count_down();
    source.stop();
    return sink.firstReturned.load();
  });
  stopping.wait();
  sink.release.count_down();
  EXPECT_TRUE(stopped.get()) << "stop() returned while a delivery was still running";
  const int calls = sink.calls.load();
  EXPECT_EQ(sink.lengths.load(), 6);
  source.stop();  // a second stop is harmless
  EXPECT_EQ(sink.calls.load(), calls);
}

TEST(PacedSource, RestartsAfterAStop) {
  PacedSource source(std::make_unique<CountingPainter>());
  for (int round = 0; round < 2; ++round) {
    HoldingSink sink;
    source.start(sink);
    sink.entered.wait();
    sink.release.count_down();
    source.stop();
    EXPECT_GE(sink.calls.load(), 1);
  }
}

TEST(SteppedSource, DeliversOnlyWhenToldAndOnlyWhileStarted) {
  auto painter = std::make_unique<CountingPainter>();
  CountingPainter& counter = *painter;
  SteppedSource source(std::move(painter));
  struct : FrameSink {
    void BufferCB(double, const std::uint8_t*, long) override { ++calls; }
    std::atomic<int> calls{0};
  } sink;
  EXPECT_FALSE(source.deliver());
  source.start(sink);
  EXPECT_TRUE(source.deliver());
  EXPECT_TRUE(source.deliver());
  source.stop();
  EXPECT_FALSE(source.deliver());
  EXPECT_EQ(sink.calls.load(), 2);
  EXPECT_EQ(counter.painted.load(), 2);
}
