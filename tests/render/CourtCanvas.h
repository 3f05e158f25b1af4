#pragma once
#include <array>

#include "model/Court.h"

// A court of w × h with all four pictures zero and no layout: a canvas for the primitives.
inline Court blankCourt(int w, int h) {
  Court c;
  c.fieldWidth = w, c.fieldHeight = h;
  c.backdrop = c.overlayColor = Bytes(std::size_t(w) * h * pixelBytes);
  c.overlayAlpha = c.courtMap = Bytes(std::size_t(w) * h);
  return c;
}

// Pixels by their height above the bottom row, as the court's shapes are measured; colours
// as red, green, blue.
using Colour = std::array<int, 3>;
inline Colour colourOf(Rgb c) { return {c.red, c.green, c.blue}; }
inline std::size_t pixelIndex(const Court& c, int x, int height) {
  return std::size_t(c.rowOfHeight(height)) * c.fieldWidth + x;
}
inline Colour colourAt(const Bytes& picture, const Court& c, int x, int y) {
  const std::uint8_t* p = &picture[pixelIndex(c, x, y) * pixelBytes];
  return {p[2], p[1], p[0]};
}
inline Colour backdropAt(const Court& c, int x, int y) { return colourAt(c.backdrop, c, x, y); }
inline int alphaAt(const Court& c, int x, int y) { return c.overlayAlpha[pixelIndex(c, x, y)]; }
inline int codeAt(const Court& c, int x, int y) { return c.courtMap[pixelIndex(c, x, y)]; }
