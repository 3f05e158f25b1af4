#include <gtest/gtest.h>

#include "support/EngineScene.h"

TEST(CaptureGraph, EachFailureShowsItsMessageAndOnlyAStreamThatCannotRunLetsTheBuildSucceed) {
  const std::pair<CaptureError, const char*> rows[] = {
      {CaptureError::NoDevice, "No video capture device was detected on your system.\r\n\r\n"
                               "This application requires a functional video capture device, such\r\n"
                               "as a USB web camera."},
      {CaptureError::Connection, "Could not connect capture pin #0 to grabber.\r\n"
                                 "Is the capture device being used by another application?"},
      {CaptureError::Run, "Could not run graph"}};
  for (const auto& [error, message] : rows) {
    EngineScene scene;
    if (error == CaptureError::NoDevice) scene.provider.names.clear();
    if (error == CaptureError::Connection) scene.provider.openError = error;
    const bool built = scene.build();
    EXPECT_EQ(built, error == CaptureError::Run);
    if (built) {  // the stream fails when it is started again after a settings change
      scene.provider.last->startError = error;
      scene.engine->stopCapture();
      scene.engine->startCapture();
    }
    EXPECT_EQ(scene.window.messages, std::vector<std::string>{message});
  }
}
