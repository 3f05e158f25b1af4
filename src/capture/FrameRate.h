#pragma once
#include <cmath>
#include <cstdint>
#include <numeric>

// Rates a frame source may run at, in frames per second. Below one frame a second every
// frame step is a null step (a gap of over 1000 ms); above 240 the millisecond tick
// cannot tell frames apart.
constexpr double minFrameRate = 1.0;
constexpr double maxFrameRate = 240.0;

inline bool isUsableFrameRate(double fps) {
  return std::isfinite(fps) && fps >= minFrameRate && fps <= maxFrameRate;
}

// A rate as the ratio a Y4M header carries: whole rates exactly, others to a thousandth.
struct FrameRatio {
  std::uint32_t numerator = 30;
  std::uint32_t denominator = 1;
  double perSecond() const { return static_cast<double>(numerator) / denominator; }
};

inline FrameRatio frameRatioOf(double fps) {
  std::uint32_t numerator = static_cast<std::uint32_t>(std::llround(fps * 1000.0));
  std::uint32_t denominator = 1000;
  const std::uint32_t common = std::gcd(numerator, denominator);
  if (common > 1) {
    numerator /= common;
    denominator /= common;
  }
  return {numerator, denominator};
}
