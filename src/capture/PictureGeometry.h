#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// The picture layouts a camera may deliver that we turn into FrameImages.
enum class PixelLayout {
  Unsupported,
  YUYV,
  UYVY,
  NV12,
  YUV420,
  GREY,
  RGB24,   // red, green, blue in memory
  BGR24,   // blue, green, red
  BGRX,    // blue, green, red, padding
  RGBX,    // red, green, blue, padding
  MJPEG,
};

PixelLayout pixelLayoutOf(std::uint32_t fourcc);

// The widest or tallest picture a camera may report, in pixels.
constexpr std::uint64_t maxPictureSide = 16384;

// What a driver says about the pictures it will deliver. Any field may be a lie.
struct PictureReport {
  std::uint32_t fourcc = 0;
  std::uint64_t width = 0;
  std::uint64_t height = 0;
  std::uint64_t stride = 0;  // bytes per row of the first plane; 0 for rows of the least length
};

struct PlaneSpan {
  std::size_t offset = 0;  // where the plane starts in the picture
  std::size_t stride = 0;  // bytes from one of its rows to the next
};

// Where everything of a checked picture lies. Every stride fits an int (libyuv's calls take
// int strides) and every plane ends within `bytes`.
struct PictureGeometry {
  PixelLayout layout = PixelLayout::Unsupported;
  int width = 0;
  int height = 0;
  // The packed picture or the luma plane, then U (NV12: the interleaved UV plane), then V.
  std::array<PlaneSpan, 3> planes{};
  std::size_t bytes = 0;  // the least a picture holds; 0 for MJPEG, whose length varies
};

// The one check of a camera's report before any arithmetic uses it: a layout we convert, a
// size of 1 to maxPictureSide each way, and a stride neither below the row's need nor beyond
// stridePaddingBound() of it. False for anything else, with `geometry` untouched.
bool checkPicture(const PictureReport& report, PictureGeometry& geometry);

// The most bytes a stride may hold for rows that need `rowBytes`.
std::size_t stridePaddingBound(std::size_t rowBytes);

// The picture a driver delivered: `used` bytes from `offset` in a buffer of `capacity` bytes
// at `buffer`. Empty when those bytes leave the buffer or are fewer than the picture needs.
std::span<const std::uint8_t> deliveredPicture(const PictureGeometry& geometry,
                                               const std::uint8_t* buffer, std::size_t capacity,
                                               std::uint64_t offset, std::uint64_t used);
