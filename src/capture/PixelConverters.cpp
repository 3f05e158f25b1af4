#include "capture/PixelConverters.h"

#include <libyuv.h>

#include <array>

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

// Each pixel's fourth byte 255, the rest 0, for a row of the widest picture. libyuv's
// saturating ARGBAdd of this row to every row makes 32-bit camera pixels opaque in one pass:
// their fourth byte is padding that cameras fill as they like, and the frame's must be 255,
// as in what QImage::Format_RGB32 holds.
constexpr auto opaqueRow = [] {
  std::array<Byte, maxPictureSide * framePixelBytes> row{};
  for (std::size_t at = 3; at < row.size(); at += framePixelBytes) row[at] = 255;
  return row;
}();

int makeOpaque(const Byte* pixels, int stride, Byte* frame, int width, int height) {
  return libyuv::ARGBAdd(pixels, stride, opaqueRow.data(), 0, frame, width * framePixelBytes,
                         width, height);
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
    case PixelLayout::BGRX: return makeOpaque(first, stride, frame, g.width, g.height) == 0;
    case PixelLayout::RGBX:  // libyuv's ABGR is R, G, B, A in memory
      return libyuv::ABGRToARGB(first, stride, frame, frameStride, g.width, g.height) == 0 &&
             makeOpaque(frame, frameStride, frame, g.width, g.height) == 0;
    case PixelLayout::MJPEG:
    case PixelLayout::Unsupported: break;
  }
  return false;
}
