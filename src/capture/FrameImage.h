#pragma once
#include <cstddef>
#include <cstdint>

// One camera frame as the engine holds it: width × height pixels of blue, green, red,
// rows of exactly 3 × width bytes without padding, bottom row first.
struct FrameImage {
  int width = 0;
  int height = 0;
  std::uint8_t* pixels = nullptr;
};

// Length in bytes of a frame of this size; 0 for a non-positive size.
inline std::size_t frameBytes(int width, int height) {
  if (width <= 0 || height <= 0) return 0;
  return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
}

// Copies `source` into `destination` turned left for right; rows keep their place.
// The buffers are distinct. A width or height of 0 or less copies nothing.
void mirrorFrame(const std::uint8_t* source, std::uint8_t* destination, int width, int height);
