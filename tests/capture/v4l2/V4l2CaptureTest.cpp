#include <gtest/gtest.h>

#include <future>

#include "capture/CaptureMessages.h"
#include "capture/v4l2/FakeV4l2Device.h"
#include "capture/v4l2/V4l2Provider.h"
#include "support/EngineScene.h"

namespace {

// The engine on the fake cameras only (the scene's scripted camera lists nothing).
struct CameraScene {
  explicit CameraScene(FakeNode node)
      : device({std::move(node)}), provider([this] { lost.set_value(); }, device) {
    scene.provider.names.clear();
    scene.catalog.add(provider);
  }

  FakeV4l2Device device;
  std::promise<void> lost;
  V4l2Provider provider;
  EngineScene scene;  // last, so the engine lets go of its camera before the device goes
};

}  // namespace

TEST(V4l2Capture, ABusyCameraFailsTheBuildWithTheConnectionMessage) {
  FakeNode busy = fakeCamera("/dev/video0", "Front");
  busy.setFormatErrno = EBUSY;
  CameraScene camera(busy);
  EXPECT_EQ(camera.scene.build(), E_FAIL);
  EXPECT_EQ(camera.scene.window.messages, std::vector<std::string>{messageConnection});
}

TEST(V4l2Capture, AnUnpluggedCameraEndsItsStreamAndTheEngineGoesOn) {
  CameraScene camera(fakeCamera("/dev/video0", "Front"));
  ASSERT_EQ(camera.scene.build(), 0);
  EXPECT_EQ(camera.scene.engine->videoDeviceName, "Front");
  EXPECT_EQ(camera.scene.engine->frameWidth, 640);
  camera.device.waitForPolls(1);
  camera.device.unplug();
  camera.lost.get_future().get();
  EXPECT_TRUE(camera.scene.engine->source->streamLost());
  camera.scene.engine->stopCapture();
  camera.scene.engine->releaseCaptureGraph();
  EXPECT_TRUE(camera.scene.window.messages.empty());  // the window tells the user, not the build
}
