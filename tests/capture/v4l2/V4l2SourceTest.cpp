#include <gtest/gtest.h>

#include <future>
#include <memory>

#include "capture/v4l2/FakeV4l2Device.h"
#include "capture/v4l2/RecordingSink.h"
#include "capture/v4l2/V4l2Source.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A 2 × 2 YUYV camera whose rows the driver pads to 8 bytes.
FakeNode tinyCamera() {
  FakeNode node{"/dev/video0", "Tiny", V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING,
                {{fourcc('Y', 'U', 'Y', 'V'), "YUYV", {{2, 2}}, {{1, 30}}}}, 0, 4};
  return node;
}

// One YUYV picture, top row first, of a single luma value (grey with neutral chroma).
Bytes greyPicture(std::uint8_t luma) {
  return {luma, 128, luma, 128, 0, 0, 0, 0, luma, 128, luma, 128, 0, 0, 0, 0};
}

struct SourceScene {
  explicit SourceScene(FakeNode node = tinyCamera()) : device({std::move(node)}) {}

  std::unique_ptr<V4l2Source> open(V4l2Source::Hooks hooks = {}) {
    return V4l2Source::open(device, device.nodeList[0].path, nullptr, std::move(hooks), error);
  }

  FakeV4l2Device device;
  CaptureError error = CaptureError::None;
};

}  // namespace

TEST(V4l2Source, FramesArriveBottomUpAndPacked) {
  SourceScene scene;
  auto source = scene.open();
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(source->format().width, 2);
  EXPECT_EQ(source->format().height, 2);
  RecordingSink sink;
  ASSERT_EQ(source->start(sink), CaptureError::None);
  ASSERT_TRUE(scene.device.pushFrame({16, 128, 16, 128, 9, 9, 9, 9,      // top: black
                                      235, 128, 235, 128, 9, 9, 9, 9}));  // bottom: white
  sink.waitForFrames(1);
  source->stop();
  EXPECT_EQ(sink.taken()[0], (Bytes{255, 255, 255, 255, 255, 255, 0, 0, 0, 0, 0, 0}));
}

TEST(V4l2Source, StopDuringABlockedWaitReturnsAndDeliversNothing) {
  SourceScene scene;
  auto source = scene.open();
  RecordingSink sink;
  ASSERT_EQ(source->start(sink), CaptureError::None);
  scene.device.waitForPolls(1);
  source->stop();  // would hang here if the wait could not be woken
  EXPECT_TRUE(sink.taken().empty());
  EXPECT_EQ(scene.device.allocatedBuffers(), 0u);
}

TEST(V4l2Source, WhenFramesQueueUpOnlyTheNewestIsDelivered) {
  SourceScene scene;
  auto source = scene.open();
  RecordingSink sink(true);
  ASSERT_EQ(source->start(sink), CaptureError::None);
  ASSERT_TRUE(scene.device.pushFrame(greyPicture(16)));
  sink.waitForFrames(1);  // held inside the first delivery
  ASSERT_TRUE(scene.device.pushFrame(greyPicture(128)));
  ASSERT_TRUE(scene.device.pushFrame(greyPicture(235)));
  sink.release();
  sink.waitForFrames(2);
  source->stop();
  const auto frames = sink.taken();
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[1], Bytes(12, 255));
}

TEST(V4l2Source, StopReturnsOnlyAfterTheDeliveryInProgress) {
  SourceScene scene;
  auto source = scene.open();
  RecordingSink sink(true);
  ASSERT_EQ(source->start(sink), CaptureError::None);
  ASSERT_TRUE(scene.device.pushFrame(greyPicture(16)));
  sink.waitForFrames(1);
  auto stopped = std::async(std::launch::async, [&] { source->stop(); });
  sink.release();
  stopped.get();
  EXPECT_EQ(sink.returnedCount(), 1);
}

TEST(V4l2Source, DamagedAndShortFramesAreDropped) {
  SourceScene scene;
  auto source = scene.open();
  RecordingSink sink;
  ASSERT_EQ(source->start(sink), CaptureError::None);
  ASSERT_TRUE(scene.device.pushFrame(greyPicture(16), V4L2_BUF_FLAG_ERROR));
  scene.device.waitForPolls(2);  // the damaged one was handled
  ASSERT_TRUE(scene.device.pushFrame(Bytes(5, 16)));
  scene.device.waitForPolls(3);
  ASSERT_TRUE(scene.device.pushFrame(greyPicture(235)));
  sink.waitForFrames(1);
  source->stop();
  EXPECT_EQ(sink.taken(), std::vector<Bytes>{Bytes(12, 255)});
}

TEST(V4l2Source, UnplugEndsTheStreamOnceAndTellsTheUser) {
  SourceScene scene;
  std::promise<void> told;
  V4l2Source::Hooks hooks;
  hooks.streamLost = [&] { told.set_value(); };
  auto source = scene.open(std::move(hooks));
  RecordingSink sink;
  ASSERT_EQ(source->start(sink), CaptureError::None);
  ASSERT_TRUE(scene.device.pushFrame(greyPicture(128)));
  sink.waitForFrames(1);
  scene.device.waitForPolls(2);
  scene.device.unplug();
  told.get_future().get();
  EXPECT_TRUE(source->streamLost());
  source->stop();
  EXPECT_EQ(scene.device.pollCount(), 2);  // no waiting again after the loss
  EXPECT_EQ(sink.taken().size(), 1u);
}

TEST(V4l2Source, ABusyCameraRefusesTheFormatWithTheConnectionError) {
  FakeNode busy = tinyCamera();
  busy.setFormatErrno = EBUSY;
  SourceScene scene(busy);
  EXPECT_EQ(scene.open(), nullptr);
  EXPECT_EQ(scene.error, CaptureError::Connection);
}

TEST(V4l2Source, ANodeThatIsGoneIsNoDevice) {
  SourceScene scene;
  EXPECT_EQ(V4l2Source::open(scene.device, "/dev/video7", nullptr, {}, scene.error), nullptr);
  EXPECT_EQ(scene.error, CaptureError::NoDevice);
}

TEST(V4l2Source, AModeChangeAfterStreamingFindsTheBuffersFreed) {
  FakeNode node = tinyCamera();
  node.formats[0].sizes = {{2, 2}, {4, 2}};
  SourceScene scene(node);
  CameraMode chosen;
  V4l2Source::Hooks hooks;
  hooks.modeChosen = [&](const CameraMode& mode) { chosen = mode; };
  auto source = scene.open(std::move(hooks));
  RecordingSink sink;
  ASSERT_EQ(source->start(sink), CaptureError::None);
  source->stop();
  CameraMode wider = source->mode();
  wider.width = 4;
  ASSERT_EQ(source->setMode(wider), CaptureError::None);  // the fake refuses while buffers exist
  EXPECT_EQ(source->format().width, 4);
  EXPECT_EQ(chosen.width, 4);
  ASSERT_EQ(source->start(sink), CaptureError::None);
  ASSERT_TRUE(scene.device.pushFrame(Bytes(2 * (4 * 2 + 4), 16)));
  sink.waitForFrames(1);
  source->stop();
  EXPECT_EQ(sink.taken()[0].size(), 24u);
}

TEST(V4l2Source, ControlsBecomeSlidersCheckBoxesAndMenus) {
  SourceScene scene;
  v4l2_queryctrl brightness{};
  brightness.id = V4L2_CID_BRIGHTNESS;
  brightness.type = V4L2_CTRL_TYPE_INTEGER;
  std::strcpy(reinterpret_cast<char*>(brightness.name), "Brightness");
  brightness.minimum = -64;
  brightness.maximum = 64;
  brightness.step = 1;
  v4l2_queryctrl autoWhite = brightness;
  autoWhite.id = V4L2_CID_AUTO_WHITE_BALANCE;
  autoWhite.type = V4L2_CTRL_TYPE_BOOLEAN;
  v4l2_queryctrl powerLine = brightness;
  powerLine.id = V4L2_CID_POWER_LINE_FREQUENCY;
  powerLine.type = V4L2_CTRL_TYPE_MENU;
  powerLine.minimum = 0;
  powerLine.maximum = 2;
  v4l2_queryctrl hidden = brightness;
  hidden.id = V4L2_CID_GAIN;
  hidden.flags = V4L2_CTRL_FLAG_DISABLED;
  scene.device.controls = {{brightness, 10, {}},
                           {autoWhite, 1, {}},
                           {powerLine, 2, {{0, "Disabled"}, {2, "60 Hz"}}},
                           {hidden, 0, {}}};
  auto source = scene.open();
  const std::vector<CameraControl> controls = source->controls();
  ASSERT_EQ(controls.size(), 3u);
  EXPECT_EQ(controls[0].kind, CameraControl::Kind::Slider);
  EXPECT_EQ(controls[0].name, "Brightness");
  EXPECT_EQ(controls[0].value, 10);
  EXPECT_EQ(controls[0].minimum, -64);
  EXPECT_EQ(controls[1].kind, CameraControl::Kind::CheckBox);
  EXPECT_EQ(controls[2].kind, CameraControl::Kind::Menu);
  ASSERT_EQ(controls[2].menu.size(), 2u);
  EXPECT_EQ(controls[2].menu[1], (std::pair<int, std::string>{2, "60 Hz"}));
  EXPECT_TRUE(source->setControl(V4L2_CID_BRIGHTNESS, -5));
  EXPECT_EQ(scene.device.controls[0].value, -5);
}
