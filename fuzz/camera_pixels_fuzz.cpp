// Every uncompressed camera format through its pixel converter.
#include <array>

#include "CameraDriverFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // YU12 stays the format that the fault- inputs of the corpus chose (their first byte 213).
  static constexpr std::array<std::uint32_t, 9> formats{
      V4L2_PIX_FMT_YUYV,  V4L2_PIX_FMT_UYVY,   V4L2_PIX_FMT_NV12,  V4L2_PIX_FMT_RGBX32,
      V4L2_PIX_FMT_GREY,  V4L2_PIX_FMT_RGB24,  V4L2_PIX_FMT_YUV420, V4L2_PIX_FMT_BGR24,
      V4L2_PIX_FMT_XBGR32};
  static_assert(formats[213 % formats.size()] == V4L2_PIX_FMT_YUV420);
  fuzz::convertReportedFrame(data, size, formats);
  return 0;
}
