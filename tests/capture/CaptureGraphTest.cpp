#include <gtest/gtest.h>

#include "capture/CaptureMessages.h"
#include "support/EngineScene.h"

TEST(CaptureGraph, NoCameraShowsTheNoDeviceMessageAndFailsTheBuild) {
  EngineScene scene;
  scene.provider.names.clear();
  EXPECT_EQ(scene.build(), E_FAIL);
  ASSERT_EQ(scene.window.messages.size(), 1u);
  EXPECT_EQ(scene.window.messages[0],
            "No video capture device was detected on your system.\r\n\r\n"
            "This application requires a functional video capture device, such\r\n"
            "as a USB web camera.");
  EXPECT_EQ(scene.engine->source, nullptr);
}

TEST(CaptureGraph, ABusyCameraShowsTheConnectionMessageAndFailsTheBuild) {
  EngineScene scene;
  scene.provider.openError = CaptureError::Connection;
  EXPECT_EQ(scene.build(), E_FAIL);
  ASSERT_EQ(scene.window.messages.size(), 1u);
  EXPECT_EQ(scene.window.messages[0],
            "Could not connect capture pin #0 to grabber.\r\n"
            "Is the capture device being used by another application?");
}

TEST(CaptureGraph, AStreamThatCannotStartIsShownButTheBuildSucceeds) {
  EngineScene scene;
  scene.provider.names = {"Front", "Back"};
  scene.provider.openError = CaptureError::None;
  ASSERT_EQ(scene.build(), 0);
  scene.provider.last->startError = CaptureError::Run;
  scene.engine->stopCapture();
  scene.engine->startCapture();
  EXPECT_EQ(scene.window.messages, std::vector<std::string>{"Could not run graph"});
  EXPECT_EQ(scene.engine->videoDeviceName, "Front");
  EXPECT_EQ(scene.engine->deviceCount, 2);
}
