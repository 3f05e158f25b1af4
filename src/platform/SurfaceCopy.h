#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "model/Geometry.h"

// The rows of a putImage call that land on a surface of surfaceWidth × surfaceHeight, each
// handed to `copyRow(sourcePixels, fieldRow, fieldX, pixelCount)`. Both pictures store rows
// top row first, so a row is one plain copy.
template <typename CopyRow>
void forEachPutRow(const std::uint8_t* image, int imageWidth, int imageHeight, int srcX, int srcY,
                   int w, int h, int dstX, int dstY, int surfaceWidth, int surfaceHeight,
                   CopyRow copyRow) {
  const int x0 = std::max({0, dstX, dstX - srcX});
  const int x1 = std::min({surfaceWidth, dstX + w, dstX - srcX + imageWidth});
  if (x0 >= x1) return;
  const int firstRow = std::max({0, dstY, dstY - srcY});
  const int endRow = std::min({surfaceHeight, dstY + h, dstY - srcY + imageHeight});
  for (int fieldY = firstRow; fieldY < endRow; ++fieldY) {
    const int imageRow = srcY + fieldY - dstY;
    const std::uint8_t* src =
        image + (static_cast<std::size_t>(imageRow) * imageWidth + (srcX + x0 - dstX)) * pixelBytes;
    copyRow(src, fieldY, x0, x1 - x0);
  }
}
