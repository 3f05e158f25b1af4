#include <gtest/gtest.h>

#include "capture/v4l2/FakeV4l2Device.h"
#include "capture/v4l2/V4l2Modes.h"

// The driver's answer goes through the picture check (whose bounds PictureGeometryTest pins):
// one it refuses fails the camera with the connection message; one it takes leaves its
// geometry, padded stride and all, for the converter.
TEST(V4l2Modes, TheDriversAnswerIsCheckedBeforeTheCameraIsUsed) {
  const struct {
    std::uint32_t format, bytesPerLine;
    CaptureError expected;
    std::size_t stride;
  } rows[] = {
      {V4L2_PIX_FMT_YUV420, 0x80000000, CaptureError::Connection, 0},  // once a negative int
      {V4L2_PIX_FMT_YUYV, 1536, CaptureError::None, 1536},
  };
  for (const auto& row : rows) {
    FakeV4l2Device device({{.path = "/dev/video0", .card = "", .answeredFormat = row.format, .answeredStride = row.bytesPerLine}});
    const int fd = device.open("/dev/video0");
    CameraMode asked;
    asked.width = 640, asked.height = 480;
    NegotiatedFormat agreed;
    EXPECT_EQ(applyCameraMode(device, fd, asked, agreed), row.expected) << row.bytesPerLine;
    EXPECT_EQ(agreed.geometry.planes[0].stride, row.stride) << row.bytesPerLine;
    device.close(fd);
  }
}
