#include <gtest/gtest.h>

#include <future>
#include <latch>

#include "capture/PacedSource.h"
#include "capture/RecordingSink.h"

namespace {

// Frames of 2 × 1 pixels, fast enough that a test never waits long for one.
struct FastPainter final : FramePainter {
  FrameFormat format() const override { return {2, 1}; }
  double framesPerSecond() const override { return 1000.0; }
  bool paint(std::uint8_t*) override { return true; }
};

}  // namespace

TEST(PacedSource, StopWaitsForTheDeliveryInProgressNothingComesAfterAndItRestarts) {
  PacedSource source(std::make_unique<FastPainter>());
  for (int round = 0; round < 2; ++round) {
    RecordingSink sink(true);
    ASSERT_EQ(source.start(sink), CaptureError::None);
    sink.waitForFrames(1);  // held inside the first delivery
    std::latch stopping{1};
    auto stopped = std::async(std::launch::async, [&] {
      stopping.count_down();
      source.stop();
      return sink.returned.load();
    });
    stopping.wait();
    sink.release();
    const std::size_t returnedAtStop = stopped.get();
    EXPECT_GE(returnedAtStop, 1u) << "stop() returned while a delivery was running";
    source.stop();  // a second stop is harmless
    EXPECT_EQ(sink.taken().size(), returnedAtStop) << "a delivery started after stop()";
  }
}
