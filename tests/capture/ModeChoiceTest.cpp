#include <gtest/gtest.h>

#include <vector>

#include "capture/ModeChoice.h"

namespace {

const std::uint32_t yuyv = fourcc('Y', 'U', 'Y', 'V');
const std::uint32_t mjpeg = fourcc('M', 'J', 'P', 'G');

CameraMode mode(std::uint32_t format, int width, int height, std::uint32_t fps) {
  return {format, "", width, height, 1, fps};
}

}  // namespace

TEST(ModeChoice, NothingOffered) { EXPECT_EQ(chooseCameraMode({}, nullptr), -1); }

TEST(ModeChoice, DefaultIs640x480AtItsHighestRate) {
  const std::vector<CameraMode> offered{mode(yuyv, 1280, 720, 10), mode(yuyv, 640, 480, 15),
                                        mode(yuyv, 640, 480, 30), mode(yuyv, 320, 240, 60)};
  EXPECT_EQ(chooseCameraMode(offered, nullptr), 2);
}

TEST(ModeChoice, At640x480UncompressedWinsATie) {
  const std::vector<CameraMode> offered{mode(mjpeg, 640, 480, 30), mode(yuyv, 640, 480, 30)};
  EXPECT_EQ(chooseCameraMode(offered, nullptr), 1);
}

TEST(ModeChoice, WithoutTheDefaultSizeTakesTheLargestBelow) {
  const std::vector<CameraMode> offered{mode(yuyv, 320, 240, 30), mode(yuyv, 1280, 720, 10),
                                        mode(yuyv, 352, 288, 30)};
  EXPECT_EQ(chooseCameraMode(offered, nullptr), 2);
}

TEST(ModeChoice, AboveTheDefaultSizeMjpegIsPreferredOverAFasterRawFormat) {
  const std::vector<CameraMode> offered{mode(yuyv, 1280, 720, 60), mode(mjpeg, 1280, 720, 30),
                                        mode(mjpeg, 1920, 1080, 30)};
  EXPECT_EQ(chooseCameraMode(offered, nullptr), 1);
}

TEST(ModeChoice, TheRememberedModeWinsWhenOffered) {
  const std::vector<CameraMode> offered{mode(yuyv, 640, 480, 30), mode(mjpeg, 1280, 720, 30)};
  const CameraMode remembered = mode(mjpeg, 1280, 720, 30);
  EXPECT_EQ(chooseCameraMode(offered, &remembered), 1);
  const CameraMode gone = mode(mjpeg, 1920, 1080, 30);
  EXPECT_EQ(chooseCameraMode(offered, &gone), 0);
}
