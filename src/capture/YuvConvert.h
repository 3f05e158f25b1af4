#pragma once
#include <cstdint>

// BT.601 limited range (luma 16–235, chroma 16–240), the colours of ordinary video files,
// in 16-bit fixed point. Values outside the legal range are clamped on the way to BGR.
struct Yuv {
  std::uint8_t y = 16;
  std::uint8_t cb = 128;
  std::uint8_t cr = 128;
};

inline std::uint8_t clampByte(int value) {
  return static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
}

// Writes blue, green, red to `bgr`.
inline void yuvToBgr(int y, int cb, int cr, std::uint8_t* bgr) {
  constexpr int half = 1 << 15;
  const int luma = 76309 * (y - 16) + half;  // 1.164383 × 65536
  const int u = cb - 128;
  const int v = cr - 128;
  bgr[0] = clampByte((luma + 132201 * u) >> 16);              // 2.017232
  bgr[1] = clampByte((luma - 25675 * u - 53279 * v) >> 16);   // 0.391762, 0.812968
  bgr[2] = clampByte((luma + 104597 * v) >> 16);              // 1.596027
}

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
