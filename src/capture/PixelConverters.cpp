#include "capture/PixelConverters.h"

#include <libyuv.h>

#include <cstring>

#include "capture/FrameImage.h"

namespace {

using Byte = std::uint8_t;

// A plane's rows as libyuv takes them: checkPicture() keeps every stride within an int.
const Byte* planeAt(const PictureGeometry& g, const Byte* picture, int plane) {
  return picture + g.planes[plane].offset;
}
int strideOf(const PictureGeometry& g, int plane) {
  return static_cast<int>(g.planes[plane].stride);
}

// 32-bit camera pixels, whose fourth byte is padding that cameras fill as they like; the
// frame's must be 255, as what QImage::Format_RGB32 holds. `SwapRedBlue` reads R, G, B, X.
// One pass of 32-bit words, which the compiler turns into vector code.
template <bool SwapRedBlue>
void opaqueRows(const PictureGeometry& g, const Byte* picture, Byte* frame) {
  const std::size_t width = static_cast<std::size_t>(g.width);
  for (int row = 0; row < g.height; ++row) {
    const Byte* in = picture + static_cast<std::size_t>(row) * g.planes[0].stride;
    Byte* out = frame + static_cast<std::size_t>(row) * width * framePixelBytes;
    for (std::size_t x = 0; x < width; ++x) {
      std::uint32_t pixel;
      std::memcpy(&pixel, in + 4 * x, 4);
      if constexpr (SwapRedBlue)
        pixel = (pixel & 0x0000FF00u) | (pixel & 0xFFu) << 16 | (pixel >> 16 & 0xFFu);
      pixel |= 0xFF000000u;
      std::memcpy(out + 4 * x, &pixel, 4);
    }
  }
}

}  // namespace

bool convertPicture(const PictureGeometry& g, const std::uint8_t* picture, std::size_t length,
                    std::uint8_t* frame) {
  if (g.bytes == 0 || length < g.bytes) return false;
  const Byte* first = planeAt(g, picture, 0);
  const int stride = strideOf(g, 0);
  const int frameStride = g.width * framePixelBytes;
  switch (g.layout) {
    case PixelLayout::YUYV:
      return libyuv::YUY2ToARGB(first, stride, frame, frameStride, g.width, g.height) == 0;
    case PixelLayout::UYVY:
      return libyuv::UYVYToARGB(first, stride, frame, frameStride, g.width, g.height) == 0;
    case PixelLayout::NV12:
      return libyuv::NV12ToARGB(first, stride, planeAt(g, picture, 1), strideOf(g, 1), frame,
                                frameStride, g.width, g.height) == 0;
    case PixelLayout::YUV420:
      return libyuv::I420ToARGB(first, stride, planeAt(g, picture, 1), strideOf(g, 1),
                                planeAt(g, picture, 2), strideOf(g, 2), frame, frameStride,
                                g.width, g.height) == 0;
    case PixelLayout::GREY:  // J400 is full-range grey: each of blue, green, red = Y
      return libyuv::J400ToARGB(first, stride, frame, frameStride, g.width, g.height) == 0;
    case PixelLayout::RGB24:  // libyuv names byte orders from the last byte: RAW is R, G, B
      return libyuv::RAWToARGB(first, stride, frame, frameStride, g.width, g.height) == 0;
    case PixelLayout::BGR24:
      return libyuv::RGB24ToARGB(first, stride, frame, frameStride, g.width, g.height) == 0;
    case PixelLayout::BGRX: opaqueRows<false>(g, first, frame); return true;
    case PixelLayout::RGBX: opaqueRows<true>(g, first, frame); return true;
    case PixelLayout::MJPEG:
    case PixelLayout::Unsupported: break;
  }
  return false;
}
