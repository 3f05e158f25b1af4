// Every uncompressed camera format through its pixel converter.
#include <array>

#include "CameraDriverFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static constexpr std::array<std::uint32_t, 7> formats{
      V4L2_PIX_FMT_YUYV, V4L2_PIX_FMT_UYVY,  V4L2_PIX_FMT_NV12, V4L2_PIX_FMT_YUV420,
      V4L2_PIX_FMT_GREY, V4L2_PIX_FMT_RGB24, V4L2_PIX_FMT_BGR24};
  fuzz::convertReportedFrame(data, size, formats);
  return 0;
}
