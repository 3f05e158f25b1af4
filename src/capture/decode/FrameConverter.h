#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "capture/PixelConverters.h"
#include "capture/decode/JpegDecoder.h"

// Turns one camera buffer of the negotiated format into the engine's FrameImage. The frame
// buffer is sized by configure(), so converting never allocates.
class FrameConverter {
 public:
  // `stride` is the driver's bytes per (luma) row; MJPEG ignores it.
  void configure(std::uint32_t pixelFormat, int width, int height, int stride);
  // False for a corrupted or short picture; frame() then holds the previous picture.
  bool convert(const std::uint8_t* picture, std::size_t length);
  const std::vector<std::uint8_t>& frame() const { return image; }
  bool usable() const { return layout != PixelLayout::Unsupported && !image.empty(); }

 private:
  PixelLayout layout = PixelLayout::Unsupported;
  int width = 0;
  int height = 0;
  int stride = 0;
  JpegDecoder jpeg;
  std::vector<std::uint8_t> image;
};
