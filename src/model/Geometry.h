#pragma once
#include <algorithm>

// Field rectangles: left and top inside, right and bottom outside.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool isEmpty() const { return right <= left || bottom <= top; }
  bool contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
  bool operator==(const Rect&) const = default;
};

// Bounding rectangle of both (an empty one counts as absent).
inline Rect unionRect(const Rect& a, const Rect& b) {
  if (a.isEmpty()) return b;
  if (b.isEmpty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

// Overlap of both; empty (all zero) when they do not overlap.
inline Rect intersectRect(const Rect& a, const Rect& b) {
  Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  return r.isEmpty() ? Rect{} : r;
}

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size&) const = default;
};

// A colour as the game names it.
struct Rgb {
  unsigned char red = 0;
  unsigned char green = 0;
  unsigned char blue = 0;
};

// Every picture of the game, camera frames included, holds 4 bytes a pixel in the order the
// screen's 32-bit surface uses: blue, green, red and an unused byte kept at 255. Rows run
// top to bottom without gaps.
constexpr int pixelBytes = 4;

inline void putPixel(unsigned char* pixel, Rgb colour) {
  pixel[0] = colour.blue;
  pixel[1] = colour.green;
  pixel[2] = colour.red;
  pixel[3] = 255;
}

// An inclusive pixel box (x1, y1)–(x2, y2) where y is the height above the field's bottom
// row, as the court drawing measures it.
struct PixelBox {
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
};
