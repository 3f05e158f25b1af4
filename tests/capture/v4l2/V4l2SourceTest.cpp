#include <gtest/gtest.h>

#include <future>

#include "capture/RecordingSink.h"
#include "capture/v4l2/FakeV4l2Device.h"
#include "capture/v4l2/V4l2Source.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// One picture of the 2 × 2 YUYV camera, whose driver pads rows to 8 bytes: grey rows of
// the given luma, top row first.
Bytes yuyvPicture(std::uint8_t top, std::uint8_t bottom) {
  return {top, 128, top, 128, 9, 9, 9, 9, bottom, 128, bottom, 128, 9, 9, 9, 9};
}

// The 2 × 2 frame of one grey level.
Bytes greyFrame(std::uint8_t level) {
  Bytes frame;
  for (int pixel = 0; pixel < 4; ++pixel) frame.insert(frame.end(), {level, level, level, 255});
  return frame;
}

struct Camera {
  Camera()
      : device({{.path = "/dev/video0", .card = "Tiny", .sizes = {{2, 2}}, .rowPadding = 4}}),
        source(V4l2Source::open(device, "/dev/video0", nullptr, {{}, [&] { lost.set_value(); }}, error)) {}
  FakeV4l2Device device;
  std::promise<void> lost;
  CaptureError error = CaptureError::None;
  std::unique_ptr<V4l2Source> source;
};

}  // namespace

TEST(V4l2Source, FramesArriveTopDownAndPackedNewestFirstAndNeverDamagedShortOrOverlong) {
  Camera camera;
  RecordingSink sink(true);
  ASSERT_EQ(camera.source->start(sink), CaptureError::None);
  ASSERT_TRUE(camera.device.pushFrame(yuyvPicture(16, 235)));
  sink.waitForFrames(1);  // held inside the first delivery while two more queue up
  ASSERT_TRUE(camera.device.pushFrame(yuyvPicture(126, 126)));
  ASSERT_TRUE(camera.device.pushFrame(yuyvPicture(235, 235)));
  sink.release();
  camera.device.waitForPolls(3);  // both handled at the second wait; the thread waits again
  ASSERT_TRUE(camera.device.pushFrame(yuyvPicture(126, 126), V4L2_BUF_FLAG_ERROR));
  camera.device.waitForPolls(4);
  ASSERT_TRUE(camera.device.pushFrame(Bytes(5, 16)));  // short
  camera.device.waitForPolls(5);
  ASSERT_TRUE(camera.device.pushFrame(yuyvPicture(16, 16), 0, 17));  // more than its 16 bytes
  camera.device.waitForPolls(6);
  ASSERT_TRUE(camera.device.pushFrame(yuyvPicture(16, 16)));
  sink.waitForFrames(3);
  camera.source->stop();
  const Bytes blackOverWhite{0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 255, 255, 255, 255, 255};
  EXPECT_EQ(sink.taken(), (std::vector<Bytes>{blackOverWhite, greyFrame(255), greyFrame(0)}));
  EXPECT_EQ(camera.source->droppedFrames(), 4u);  // overtaken, damaged, short, overlong
}

TEST(V4l2Source, StopWakesABlockedWaitAndWaitsForADeliveryInProgress) {
  Camera camera;
  RecordingSink idle;
  ASSERT_EQ(camera.source->start(idle), CaptureError::None);
  camera.device.waitForPolls(1);
  camera.source->stop();  // would hang here if the wait could not be woken
  EXPECT_TRUE(idle.taken().empty());
  EXPECT_EQ(camera.source->setMode(camera.source->mode()), CaptureError::None);  // buffers freed
  RecordingSink held(true);
  ASSERT_EQ(camera.source->start(held), CaptureError::None);
  ASSERT_TRUE(camera.device.pushFrame(yuyvPicture(16, 16)));
  held.waitForFrames(1);
  auto stopped = std::async(std::launch::async, [&] {
    camera.source->stop();
    return held.returned.load();
  });
  camera.device.waitForStopRequest();
  held.release();
  EXPECT_EQ(stopped.get(), 1u) << "stop() returned while a delivery was running";
}

TEST(V4l2Source, AnUnpluggedCameraEndsTheStreamOnce) {
  Camera camera;
  RecordingSink sink;
  ASSERT_EQ(camera.source->start(sink), CaptureError::None);
  camera.device.waitForPolls(1);
  camera.device.unplug();
  camera.lost.get_future().get();
  EXPECT_TRUE(camera.source->streamLost());
  camera.source->stop();
  EXPECT_EQ(camera.device.pollCount(), 1);  // no waiting again after the loss
}
