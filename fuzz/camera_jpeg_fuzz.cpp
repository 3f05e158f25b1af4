// Motion-JPEG camera pictures through the JPEG decoder.
#include <array>

#include "CameraDriverFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static constexpr std::array<std::uint32_t, 2> formats{V4L2_PIX_FMT_MJPEG, V4L2_PIX_FMT_JPEG};
  fuzz::convertReportedFrame(data, size, formats);
  return 0;
}
