#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "capture/PictureGeometry.h"
#include "capture/decode/JpegDecoder.h"

// Turns one camera buffer of the negotiated format into the engine's FrameImage. The frame
// buffer is sized by configure(), so converting never allocates.
class FrameConverter {
 public:
  // `geometry` comes from checkPicture(), so its strides and sizes hold.
  void configure(const PictureGeometry& geometry);
  // False for a corrupted or short picture; frame() then holds the previous picture.
  bool convert(const std::uint8_t* picture, std::size_t length);
  const std::vector<std::uint8_t>& frame() const { return image; }
  bool usable() const { return geometry.layout != PixelLayout::Unsupported && !image.empty(); }

 private:
  PictureGeometry geometry;
  JpegDecoder jpeg;
  std::vector<std::uint8_t> image;
};
