#include "capture/FrameImage.h"

void mirrorFrame(const std::uint8_t* source, std::uint8_t* destination, int width, int height) {
  if (width <= 0 || height <= 0) return;
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
  for (int row = 0; row < height; ++row) {
    const std::uint8_t* src = source + row * rowBytes + rowBytes - 3;
    std::uint8_t* dst = destination + row * rowBytes;
    for (int x = 0; x < width; ++x, src -= 3, dst += 3) {
      dst[0] = src[0];
      dst[1] = src[1];
      dst[2] = src[2];
    }
  }
}
