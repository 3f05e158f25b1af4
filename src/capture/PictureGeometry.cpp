#include "capture/PictureGeometry.h"

#include "capture/CameraSettings.h"

namespace {

// Bytes of the shortest row of the first plane that holds `width` pixels; 0 for layouts
// without rows. NV12's row also bounds its UV rows, which are as long as they are wide.
std::size_t minimumRow(PixelLayout layout, std::size_t width) {
  switch (layout) {
    case PixelLayout::YUYV:
    case PixelLayout::UYVY: return (width + 1) / 2 * 4;
    case PixelLayout::NV12: return (width + 1) / 2 * 2;
    case PixelLayout::YUV420:
    case PixelLayout::GREY: return width;
    case PixelLayout::RGB24:
    case PixelLayout::BGR24: return width * 3;
    case PixelLayout::BGRX:
    case PixelLayout::RGBX: return width * 4;
    case PixelLayout::MJPEG:
    case PixelLayout::Unsupported: break;
  }
  return 0;
}

// The planes as a single-planar V4L2 buffer holds them: one after the other, NV12's UV rows
// as long as its luma rows, YU12's chroma rows half as long (rounded up, for odd strides).
void placePlanes(PictureGeometry& geometry, std::size_t stride, std::size_t height) {
  const std::size_t chromaRows = (height + 1) / 2;
  const std::size_t luma = stride * height;
  auto& planes = geometry.planes;
  planes[0] = {0, stride};
  geometry.bytes = luma;
  if (geometry.layout == PixelLayout::NV12) {
    planes[1] = {luma, stride};
    geometry.bytes = luma + stride * chromaRows;
  } else if (geometry.layout == PixelLayout::YUV420) {
    const std::size_t chromaStride = (stride + 1) / 2;
    planes[1] = {luma, chromaStride};
    planes[2] = {luma + chromaStride * chromaRows, chromaStride};
    geometry.bytes = planes[2].offset + chromaStride * chromaRows;
  }
}

}  // namespace

PixelLayout pixelLayoutOf(std::uint32_t code) {
  switch (code) {
    case fourcc('Y', 'U', 'Y', 'V'): return PixelLayout::YUYV;
    case fourcc('U', 'Y', 'V', 'Y'): return PixelLayout::UYVY;
    case fourcc('N', 'V', '1', '2'): return PixelLayout::NV12;
    case fourcc('Y', 'U', '1', '2'): return PixelLayout::YUV420;
    case fourcc('G', 'R', 'E', 'Y'): return PixelLayout::GREY;
    case fourcc('R', 'G', 'B', '3'): return PixelLayout::RGB24;
    case fourcc('B', 'G', 'R', '3'): return PixelLayout::BGR24;
    case fourcc('X', 'R', '2', '4'):  // V4L2_PIX_FMT_XBGR32: blue, green, red, padding
    case fourcc('B', 'G', 'R', '4'): return PixelLayout::BGRX;  // its deprecated name
    case fourcc('X', 'B', '2', '4'): return PixelLayout::RGBX;  // V4L2_PIX_FMT_RGBX32
    case fourcc('M', 'J', 'P', 'G'):
    case fourcc('J', 'P', 'E', 'G'): return PixelLayout::MJPEG;
    default: return PixelLayout::Unsupported;
  }
}

// Drivers pad rows only to align them: to 16 to 256 bytes commonly, to a 4 KiB page at most
// (for DMA), or up to the next power of two (less than twice the row). Four times the row
// plus a page covers all of these with room to spare, and keeps every stride of a picture of
// at most maxPictureSide pixels below 2^19 bytes, far inside libyuv's int strides.
std::size_t stridePaddingBound(std::size_t rowBytes) { return 4 * rowBytes + 4096; }

bool checkPicture(const PictureReport& report, PictureGeometry& geometry) {
  const PixelLayout layout = pixelLayoutOf(report.fourcc);
  if (layout == PixelLayout::Unsupported || report.width == 0 || report.height == 0 ||
      report.width > maxPictureSide || report.height > maxPictureSide)
    return false;
  PictureGeometry checked;
  checked.layout = layout;
  checked.width = static_cast<int>(report.width);
  checked.height = static_cast<int>(report.height);
  if (layout != PixelLayout::MJPEG) {
    const std::size_t row = minimumRow(layout, report.width);
    const std::uint64_t stride = report.stride == 0 ? row : report.stride;
    if (stride < row || stride > stridePaddingBound(row)) return false;
    placePlanes(checked, static_cast<std::size_t>(stride), report.height);
  }
  geometry = checked;
  return true;
}

std::span<const std::uint8_t> deliveredPicture(const PictureGeometry& geometry,
                                               const std::uint8_t* buffer, std::size_t capacity,
                                               std::uint64_t offset, std::uint64_t used) {
  if (buffer == nullptr || offset > capacity || used > capacity - offset || used == 0 ||
      used < geometry.bytes)
    return {};
  return {buffer + offset, static_cast<std::size_t>(used)};
}
