#pragma once
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/FieldSurface.h"

// A field that hands out a top-down picture of 4 bytes a pixel (blue, green, red, unused)
// that the test paints: a gradient with a square that moves with each frame.
class BgrxField final : public FieldSurface {
 public:
  BgrxField(int width, int height) : w(width), h(height), bytes(std::size_t(width) * height * 4) {}

  void paint(int frame) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        std::uint8_t* p = &bytes[(std::size_t(y) * w + x) * 4];
        const bool square = std::abs(x - (frame * 3) % w) < 20 && std::abs(y - h / 2) < 20;
        p[0] = square ? 255 : std::uint8_t(x);
        p[1] = square ? 255 : std::uint8_t(y);
        p[2] = std::uint8_t(frame);
        p[3] = 0;
      }
  }

  void create(int width, int height) override {
    w = width;
    h = height;
    bytes.assign(std::size_t(width) * height * 4, 0);
  }
  int width() const override { return w; }
  int height() const override { return h; }
  void putImage(const std::uint8_t*, int, int, int, int, int, int, int, int) override {}
  const std::uint8_t* pixels() const override { return bytes.data(); }
  void present(const Rect&) override {}
  void drawText(int, int, std::string_view, const TextFont&, Rgb) override {}
  int textWidth(std::string_view, const TextFont&) const override { return 0; }

 private:
  int w;
  int h;
  std::vector<std::uint8_t> bytes;
};
