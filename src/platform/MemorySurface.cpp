#include "platform/MemorySurface.h"

#include <algorithm>
#include <cstring>

#include "platform/SurfaceCopy.h"

void MemorySurface::create(int width, int height) {
  w = std::max(width, 0);
  h = std::max(height, 0);
  bgrx.assign(static_cast<std::size_t>(w) * h * pixelBytes, 0);
  presented.clear();
}

void MemorySurface::putImage(const std::uint8_t* image, int imageWidth, int imageHeight,
                             int srcX, int srcY, int rw, int rh, int dstX, int dstY) {
  forEachPutRow(image, imageWidth, imageHeight, srcX, srcY, rw, rh, dstX, dstY, w, h,
                [this](const std::uint8_t* src, int fieldY, int x, int count) {
                  std::memcpy(bgrx.data() + (static_cast<std::size_t>(fieldY) * w + x) * pixelBytes,
                              src, static_cast<std::size_t>(count) * pixelBytes);
                });
}

void MemorySurface::present(const Rect& area) { presented.push_back(area); }

int MemorySurface::textWidth(std::string_view text, const TextFont& font) const {
  return static_cast<int>(text.size()) * font.averageWidth;
}

Rgb MemorySurface::pixelAt(int x, int y) const {
  const std::uint8_t* p = bgrx.data() + (static_cast<std::size_t>(y) * w + x) * pixelBytes;
  return {p[2], p[1], p[0]};
}
