#pragma once
#include <cstdint>

// BT.601 limited range (luma 16–235, chroma 16–240), the colours of ordinary video files,
// in 16-bit fixed point.
struct Yuv {
  std::uint8_t y = 16;
  std::uint8_t cb = 128;
  std::uint8_t cr = 128;
};

inline std::uint8_t clampByte(int value) {
  return static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
}

// One pixel's blue, green, red (at `bgr`) as BT.601 limited-range YUV, rounded: recorded
// files hold these bytes.
inline Yuv bgrToYuv(const std::uint8_t* bgr) {
  constexpr int half = 1 << 15;
  const int b = bgr[0];
  const int g = bgr[1];
  const int r = bgr[2];
  Yuv out;
  out.y = static_cast<std::uint8_t>((16829 * r + 33039 * g + 6416 * b + half) >> 16) + 16;
  out.cb = clampByte(((-9714 * r - 19070 * g + 28784 * b + half) >> 16) + 128);
  out.cr = clampByte(((28784 * r - 24103 * g - 4681 * b + half) >> 16) + 128);
  return out;
}
