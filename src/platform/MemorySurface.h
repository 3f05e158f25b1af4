#pragma once
#include <cstdint>
#include <vector>

#include "platform/FieldSurface.h"

// A field surface in plain memory, same pixel layout as the images it receives. It has no
// window and no text rasteriser: text draws nothing and measures averageWidth per byte.
// The core tests and benchmarks draw into it.
class MemorySurface final : public FieldSurface {
 public:
  void create(int width, int height) override;
  int width() const override { return w; }
  int height() const override { return h; }
  void putImage(const std::uint8_t* image, int imageWidth, int imageHeight, int srcX, int srcY,
                int rw, int rh, int dstX, int dstY) override;
  const std::uint8_t* pixels() const override { return bgrx.data(); }
  void present(const Rect& area) override;
  void drawText(int, int, std::string_view, const TextFont&, Rgb) override {}
  int textWidth(std::string_view text, const TextFont& font) const override;

  // The pixels as one buffer, rows of 4 × width bytes, top row first.
  const std::vector<std::uint8_t>& bytes() const { return bgrx; }
  // Pixel at field (x, y), y downward.
  Rgb pixelAt(int x, int y) const;

  std::vector<Rect> presented;  // every rectangle handed to present, in order

 private:
  int w = 0;
  int h = 0;
  std::vector<std::uint8_t> bgrx;
};
