#pragma once
#include <algorithm>
#include <array>
#include <cmath>

// The blue, green, red that BT.601 limited range gives a Y, U, V exactly, rounded and clamped:
// what the converters' fixed-point arithmetic is measured against.
inline std::array<int, 3> bt601Bgr(int y, int u, int v) {
  const double luma = 1.164383 * (y - 16);
  const double bgr[3] = {luma + 2.017232 * (u - 128), luma - 0.391762 * (u - 128) - 0.812968 * (v - 128),
                         luma + 1.596027 * (v - 128)};
  std::array<int, 3> out{};
  for (int c = 0; c < 3; ++c) out[c] = static_cast<int>(std::lround(std::clamp(bgr[c], 0.0, 255.0)));
  return out;
}
