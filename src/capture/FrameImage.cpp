#include "capture/FrameImage.h"

#include <libyuv/planar_functions.h>

void mirrorFrame(const std::uint8_t* source, std::uint8_t* destination, int width, int height) {
  if (width <= 0 || height <= 0) return;
  const int rowBytes = width * framePixelBytes;
  libyuv::ARGBMirror(source, rowBytes, destination, rowBytes, width, height);
}
