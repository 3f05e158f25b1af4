#include <gtest/gtest.h>

#include <vector>

#include "capture/ModeChoice.h"

TEST(ModeChoice, TheRememberedModeElse640x480ElseTheLargestBelowAtTheHighestRate) {
  const std::uint32_t Y = fourcc('Y', 'U', 'Y', 'V');
  const std::uint32_t M = fourcc('M', 'J', 'P', 'G');
  const auto mode = [](std::uint32_t format, int width, int height, std::uint32_t fps) {
    return CameraMode{format, "", width, height, 1, fps};
  };
  const CameraMode remembered = mode(M, 1280, 720, 30);
  const CameraMode gone = mode(M, 1920, 1080, 30);
  struct Row {
    std::vector<CameraMode> offered;
    const CameraMode* remembered;
    int chosen;
  };
  const Row rows[] = {
      {{}, nullptr, -1},
      {{mode(Y, 1280, 720, 10), mode(Y, 640, 480, 15), mode(Y, 640, 480, 30), mode(Y, 320, 240, 60)}, nullptr, 2},
      {{mode(M, 640, 480, 30), mode(Y, 640, 480, 30)}, nullptr, 1},  // uncompressed wins a tie
      {{mode(Y, 320, 240, 30), mode(Y, 1280, 720, 10), mode(Y, 352, 288, 30)}, nullptr, 2},
      // Above 640 × 480 MJPEG beats a faster raw format.
      {{mode(Y, 1280, 720, 60), mode(M, 1280, 720, 30), mode(M, 1920, 1080, 30)}, nullptr, 1},
      {{mode(Y, 640, 480, 30), mode(M, 1280, 720, 30)}, &remembered, 1},
      {{mode(Y, 640, 480, 30), mode(M, 1280, 720, 30)}, &gone, 0},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i)
    EXPECT_EQ(chooseCameraMode(rows[i].offered, rows[i].remembered), rows[i].chosen) << "row " << i;
}
