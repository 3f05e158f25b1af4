#include <gtest/gtest.h>

#include "capture/ModeChoice.h"

TEST(ModeChoice, TheRememberedModeElse640x480ElseTheLargestBelowAtTheHighestRate) {
  const auto yuyv = [](int w, int h, std::uint32_t fps) {
    return CameraMode{fourcc('Y', 'U', 'Y', 'V'), "", w, h, 1, fps};
  };
  const auto mjpeg = [](int w, int h) { return CameraMode{fourcc('M', 'J', 'P', 'G'), "", w, h, 1, 30}; };
  const CameraMode remembered = mjpeg(1280, 720);
  const CameraMode gone = mjpeg(1920, 1080);
  const std::tuple<std::vector<CameraMode>, const CameraMode*, int> rows[] = {
      {{}, nullptr, -1},
      {{yuyv(1280, 720, 10), yuyv(640, 480, 15), yuyv(640, 480, 30), yuyv(320, 240, 60)}, nullptr, 2},
      {{mjpeg(640, 480), yuyv(640, 480, 30)}, nullptr, 1},  // no decoding: raw wins a tie
      {{yuyv(320, 240, 30), yuyv(1280, 720, 10), yuyv(352, 288, 30)}, nullptr, 2},
      {{yuyv(1280, 720, 60), mjpeg(1280, 720), mjpeg(1920, 1080)}, nullptr, 1},  // above it MJPEG
      {{yuyv(640, 480, 30), mjpeg(1280, 720)}, &remembered, 1},
      {{yuyv(640, 480, 30), mjpeg(1280, 720)}, &gone, 0},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i)
    EXPECT_EQ(chooseCameraMode(std::get<0>(rows[i]), std::get<1>(rows[i])), std::get<2>(rows[i])) << "row " << i;
}
