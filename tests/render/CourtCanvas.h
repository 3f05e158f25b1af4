#pragma once
#include <cstdint>

#include "engine/GameEngine.h"

// The court pictures of `e` at w × h, all zero, without a layout: a canvas for the
// drawing primitives.
inline void blankCourt(GameEngine& e, int w, int h) {
  const std::size_t pixels = static_cast<std::size_t>(w) * h;
  e.fieldWidth = w;
  e.fieldHeight = h;
  e.backdrop.assign(pixels * 3, 0);
  e.overlayColor.assign(pixels * 3, 0);
  e.overlayAlpha.assign(pixels, 0);
  e.courtMap.assign(pixels, 0);
}

// Pixels by image coordinates (y upward, row 0 at the bottom).
inline std::size_t pixelIndex(const GameEngine& e, int x, int y) {
  return static_cast<std::size_t>(y) * e.fieldWidth + x;
}
inline Rgb backdropAt(const GameEngine& e, int x, int y) {
  const std::uint8_t* p = &e.backdrop[pixelIndex(e, x, y) * 3];
  return {p[2], p[1], p[0]};
}
inline int alphaAt(const GameEngine& e, int x, int y) { return e.overlayAlpha[pixelIndex(e, x, y)]; }
inline int codeAt(const GameEngine& e, int x, int y) { return e.courtMap[pixelIndex(e, x, y)]; }

inline bool sameColour(Rgb a, Rgb b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}
