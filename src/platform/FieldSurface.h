#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "model/Geometry.h"

// A font as the game asks for it: cell height and average width in pixels, weight
// (400 normal) and face ("Arial" is served by Liberation Sans).
struct TextFont {
  int height = 0;
  int averageWidth = 0;
  int weight = 400;
  std::string face = "Arial";
};

// The off-screen copy of the field. Images handed to it hold 4 bytes a pixel (blue, green,
// red, unused), top row first, rows of exactly 4 × width bytes; copies are 1:1 and exact.
class FieldSurface {
 public:
  virtual ~FieldSurface() = default;

  // Recreates the surface at width × height; the old contents are gone.
  virtual void create(int width, int height) = 0;
  virtual int width() const = 0;
  virtual int height() const = 0;

  // Copies the w × h rectangle of `image` whose top-left pixel is (srcX, srcY) so that it
  // lands at field (dstX, dstY). Pixels outside the image or the surface are skipped.
  virtual void putImage(const std::uint8_t* image, int imageWidth, int imageHeight, int srcX,
                        int srcY, int w, int h, int dstX, int dstY) = 0;
  // The surface's own pixels, rows of exactly 4 × width bytes, top row first; valid until
  // the next create(). Read them under drawLock while the game runs.
  virtual const std::uint8_t* pixels() const = 0;
  // Copies the whole surface into a buffer of width × height × 4 bytes.
  void getImage(std::uint8_t* image) const {
    const std::size_t bytes = static_cast<std::size_t>(width()) * height() * pixelBytes;
    if (bytes != 0) std::memcpy(image, pixels(), bytes);
  }

  // Brings a rectangle of the surface to the window; nothing without a window.
  virtual void present(const Rect& area) = 0;

  // Text with its cell's top-left corner at field (x, y), transparent background.
  virtual void drawText(int x, int y, std::string_view text, const TextFont& font,
                        Rgb colour) = 0;
  virtual int textWidth(std::string_view text, const TextFont& font) const = 0;
};
