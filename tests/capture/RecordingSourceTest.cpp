#include <gtest/gtest.h>

#include "capture/FrameImage.h"
#include "capture/PainterProvider.h"
#include "capture/RecordingSource.h"
#include "capture/ReplaySource.h"
#include "capture/SteppedSource.h"
#include "support/EngineScene.h"

namespace {

// Frames of 4 × 2 pixels, all bytes equal to the frame's number times 20.
class NumberedPainter final : public FramePainter {
 public:
  FrameFormat format() const override { return {4, 2}; }
  double framesPerSecond() const override { return 25.0; }
  bool paint(std::uint8_t* frame) override {
    std::fill(frame, frame + frameBytes(4, 2), static_cast<std::uint8_t>(20 * ++painted));
    return true;
  }
  int painted = 0;
};

struct KeepingSink final : FrameSink {
  void BufferCB(double, const std::uint8_t* buffer, long length) override {
    frames.emplace_back(buffer, buffer + length);
  }
  std::vector<std::vector<std::uint8_t>> frames;
};

}  // namespace

TEST(RecordingSource, WritesEveryDeliveredFrameAndPassesItOnUnchanged) {
  TemporaryFolder folder;
  const auto clip = folder.file("run.y4m");
  PainterProvider painter("Numbers", [] { return std::make_unique<NumberedPainter>(); },
                          Delivery::Stepped);
  RecordingProvider recorder(painter, clip, {25, 1});
  EXPECT_EQ(recorder.deviceNames(), std::vector<std::string>{"Numbers"});
  CaptureError error = CaptureError::NoDevice;
  std::unique_ptr<FrameSource> source = recorder.open(0, error);
  ASSERT_TRUE(source);
  EXPECT_FALSE(recorder.failed());
  EXPECT_EQ(source->format().width, 4);
  KeepingSink sink;
  source->start(sink);
  for (int n = 0; n < 3; ++n) ASSERT_TRUE(painter.stepped->deliver());
  source->stop();
  ASSERT_EQ(sink.frames.size(), 3u);
  EXPECT_EQ(sink.frames[2], std::vector<std::uint8_t>(24, 60));

  ReplaySource replay;
  std::string why;
  ASSERT_TRUE(replay.open(clip, why)) << why;
  EXPECT_EQ(replayDeviceName(clip), "Replay: run.y4m");
  EXPECT_DOUBLE_EQ(replay.framesPerSecond(), 25.0);
  std::vector<std::uint8_t> frame(24);
  for (int n = 1; n <= 4; ++n) {  // the fourth picture is the first again
    ASSERT_TRUE(replay.paint(frame.data()));
    const int expected = 20 * ((n - 1) % 3 + 1);
    for (std::uint8_t byte : frame) ASSERT_NEAR(byte, expected, 3) << "picture " << n;
  }
}

TEST(RecordingSource, AFailedRecordingIsToldAndLeavesTheDeviceRunning) {
  struct Case { const char* file; const char* note; };
  const Case cases[] = {
      {"no/such/folder/run.y4m", "cannot write the recording"},  // fails at once
      {"/dev/full", "recording stopped"},                         // a full disk, at the first frame
  };
  for (const Case& c : cases) {
    TemporaryFolder folder;
    PainterProvider painter("Numbers", [] { return std::make_unique<NumberedPainter>(); },
                            Delivery::Stepped);
    RecordingProvider recorder(painter, folder.path / c.file, {25, 1});
    CaptureError error = CaptureError::NoDevice;
    testing::internal::CaptureStderr();
    std::unique_ptr<FrameSource> source = recorder.open(0, error);
    ASSERT_TRUE(source);
    KeepingSink sink;
    source->start(sink);
    EXPECT_TRUE(painter.stepped->deliver());
    EXPECT_TRUE(painter.stepped->deliver());
    source->stop();
    const std::string note = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(recorder.failed()) << c.file;
    EXPECT_NE(note.find(c.note), std::string::npos) << note;
    EXPECT_EQ(sink.frames.size(), 2u);
  }
}
