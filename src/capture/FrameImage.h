#pragma once
#include <cstddef>
#include <cstdint>

#include "model/Geometry.h"

// One camera frame as the engine holds it: width × height pixels of four bytes, blue, green,
// red and an unused byte kept at 255 (what QImage::Format_RGB32 holds on a little-endian
// machine), rows
// of exactly 4 × width bytes, top row first.
struct FrameImage {
  int width = 0;
  int height = 0;
  std::uint8_t* pixels = nullptr;
};

constexpr int framePixelBytes = pixelBytes;

// Length in bytes of a frame of this size; 0 for a non-positive size.
inline std::size_t frameBytes(int width, int height) {
  if (width <= 0 || height <= 0) return 0;
  return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * framePixelBytes;
}

// Copies `source` into `destination` turned left for right; rows keep their place.
// The buffers are distinct. A width or height of 0 or less copies nothing.
void mirrorFrame(const std::uint8_t* source, std::uint8_t* destination, int width, int height);
