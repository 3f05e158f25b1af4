#include "platform/MemorySurface.h"

#include <algorithm>
#include <cstring>

void MemorySurface::create(int width, int height) {
  w = std::max(width, 0);
  h = std::max(height, 0);
  bgr.assign(static_cast<std::size_t>(w) * h * 3, 0);
  presented.clear();
}

void MemorySurface::putImage(const std::uint8_t* image, int imageWidth, int imageHeight,
                             int srcX, int srcY, int rw, int rh, int dstX, int dstY) {
  for (int row = 0; row < rh; ++row) {
    int fieldY = dstY + row;
    int imageRow = srcY + rh - 1 - row;  // source rows are counted from the bottom
    if (fieldY < 0 || fieldY >= h || imageRow < 0 || imageRow >= imageHeight) continue;
    int x0 = std::max({0, dstX, dstX - srcX});
    int x1 = std::min({w, dstX + rw, dstX - srcX + imageWidth});
    if (x0 >= x1) continue;
    const std::uint8_t* src =
        image + (static_cast<std::size_t>(imageRow) * imageWidth + (srcX + x0 - dstX)) * 3;
    std::uint8_t* dst = bgr.data() + (static_cast<std::size_t>(h - 1 - fieldY) * w + x0) * 3;
    std::memcpy(dst, src, static_cast<std::size_t>(x1 - x0) * 3);
  }
}

void MemorySurface::getImage(std::uint8_t* image) const {
  std::memcpy(image, bgr.data(), bgr.size());
}

void MemorySurface::present(const Rect& area) { presented.push_back(area); }

int MemorySurface::textWidth(std::string_view text, const TextFont& font) const {
  return static_cast<int>(text.size()) * font.averageWidth;
}

Rgb MemorySurface::pixelAt(int x, int y) const {
  const std::uint8_t* p = bgr.data() + (static_cast<std::size_t>(h - 1 - y) * w + x) * 3;
  return {p[2], p[1], p[0]};
}
