#include <gtest/gtest.h>

#include "capture/PainterProvider.h"
#include "capture/RecordingSink.h"
#include "capture/RecordingSource.h"
#include "capture/ReplaySource.h"
#include "capture/SteppedSource.h"
#include "support/EngineScene.h"

namespace {

// Frames of 5 × 3 pixels of many colours, others each time.
struct ColourPainter final : FramePainter {
  FrameFormat format() const override { return {5, 3}; }
  double framesPerSecond() const override { return 25.0; }
  bool paint(std::uint8_t* frame) override {
    for (int i = 0; i < 45; ++i) frame[i] = static_cast<std::uint8_t>(i * 37 + painted * 91);
    ++painted;
    return true;
  }
  int painted = 0;
};

}  // namespace

TEST(RecordingSource, PassesFramesOnAndItsFileReplaysThemInALoopWithinColourRounding) {
  TemporaryFolder folder;
  PainterProvider painter("Colours", [] { return std::make_unique<ColourPainter>(); }, Delivery::Stepped);
  RecordingProvider recorder(painter, folder.file("run.y4m"), {30000, 1001});
  CaptureError error;
  std::unique_ptr<FrameSource> source = recorder.open(0, error);
  ASSERT_TRUE(source);
  RecordingSink sink;
  source->start(sink);
  for (int n = 0; n < 3; ++n) ASSERT_TRUE(painter.stepped->deliver());
  source->stop();
  const auto frames = sink.taken();
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_EQ(frames[2][1], 37 + 2 * 91);  // unchanged

  ReplaySource replay;
  std::string why;
  ASSERT_TRUE(replay.open(folder.file("run.y4m"), why)) << why;
  EXPECT_EQ(replay.rate().numerator, 30000u);
  EXPECT_EQ(replay.rate().denominator, 1001u);
  std::vector<std::uint8_t> frame(45);
  for (int n = 0; n < 4; ++n) {  // the fourth picture is the first again
    ASSERT_TRUE(replay.paint(frame.data()));
    for (int i = 0; i < 45; ++i) ASSERT_NEAR(frame[i], frames[n % 3][i], 3) << "picture " << n << " byte " << i;
  }
}
