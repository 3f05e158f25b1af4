#include <gtest/gtest.h>

#include <linux/videodev2.h>
#include <sys/mman.h>

#include "capture/v4l2/V4l2Modes.h"

namespace {

// A driver that answers the format request with `answer`, whatever was asked.
class AnsweringDriver final : public V4l2Io {
 public:
  explicit AnsweringDriver(const v4l2_pix_format& answer) : answer(answer) {}
  std::vector<std::string> nodes() override { return {}; }
  int open(const std::string&) override { return -1; }
  int close(int) override { return 0; }
  int ioctl(int, unsigned long request, void* argument) override {
    if (request != VIDIOC_S_FMT) return -1;
    static_cast<v4l2_format*>(argument)->fmt.pix = answer;
    return 0;
  }
  void* mmap(std::size_t, int, off_t) override { return MAP_FAILED; }
  int munmap(void*, std::size_t) override { return 0; }
  int poll(pollfd*, nfds_t, int) override { return -1; }

 private:
  v4l2_pix_format answer;
};

}  // namespace

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
      {V4L2_PIX_FMT_YUYV, 640, 480, 0, CaptureError::None, 1280},
      {V4L2_PIX_FMT_YUYV, 640, 480, 1536, CaptureError::None, 1536},
      {V4L2_PIX_FMT_XBGR32, 17, 2, 0, CaptureError::None, 68},
      {V4L2_PIX_FMT_H264, 640, 480, 0, CaptureError::Connection, 0},
      {V4L2_PIX_FMT_MJPEG, 0, 480, 0, CaptureError::Connection, 0},
  };
  for (const Row& row : rows) {
    v4l2_pix_format answer{};
    answer.pixelformat = row.format;
    answer.width = row.width;
    answer.height = row.height;
    answer.bytesperline = row.bytesPerLine;
    AnsweringDriver driver(answer);
    NegotiatedFormat agreed;
    EXPECT_EQ(applyCameraMode(driver, 0, CameraMode{}, agreed), row.expected) << row.bytesPerLine;
    EXPECT_EQ(agreed.geometry.planes[0].stride, row.stride) << row.bytesPerLine;
  }
}
