#include <gtest/gtest.h>

#include "capture/v4l2/FakeV4l2Device.h"
#include "capture/v4l2/V4l2Modes.h"

// The driver's answer goes through the picture check: one it refuses fails the camera with
// the connection message; one it takes leaves its geometry for the converter.
TEST(V4l2Modes, TheDriversAnswerIsCheckedBeforeTheCameraIsUsed) {
  struct Row {
    std::uint32_t format, width, height, bytesPerLine;
    CaptureError expected;
    std::size_t stride;
  };
  const Row rows[] = {
      {V4L2_PIX_FMT_YUV420, 1, 1, 0x7FFFFFFF, CaptureError::Connection, 0},  // once an int overflow
      {V4L2_PIX_FMT_YUV420, 1, 1, 0x80000000, CaptureError::Connection, 0},  // once a negative int
      {V4L2_PIX_FMT_YUYV, 640, 480, 1279, CaptureError::Connection, 0},
      {V4L2_PIX_FMT_YUYV, 640, 480, 1280, CaptureError::None, 1280},
      {V4L2_PIX_FMT_YUYV, 640, 480, 1536, CaptureError::None, 1536},
      {V4L2_PIX_FMT_XBGR32, 17, 2, 68, CaptureError::None, 68},
      {V4L2_PIX_FMT_H264, 640, 480, 1280, CaptureError::Connection, 0},
      {V4L2_PIX_FMT_MJPEG, 0, 480, 1, CaptureError::Connection, 0},
  };
  for (const Row& row : rows) {
    FakeNode node;
    node.path = "/dev/video0";
    node.answeredFormat = row.format;
    node.answeredStride = row.bytesPerLine;
    FakeV4l2Device device({node});
    const int fd = device.open("/dev/video0");
    CameraMode asked;
    asked.width = int(row.width), asked.height = int(row.height);
    NegotiatedFormat agreed;
    EXPECT_EQ(applyCameraMode(device, fd, asked, agreed), row.expected) << row.bytesPerLine;
    EXPECT_EQ(agreed.geometry.planes[0].stride, row.stride) << row.bytesPerLine;
    device.close(fd);
  }
}
