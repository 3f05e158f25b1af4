#pragma once
#include <cstdint>
#include <vector>

#include "model/Geometry.h"

// The ball box's pictures, each 2r × 2r, top row first, sized by the layout so that no
// frame allocates: what lies under the box without the ball, the court's front layer over
// it, and the finished box with the ball.
struct BallSprite {
  std::vector<std::uint8_t> image;         // 4 bytes a pixel, like the field's pictures
  std::vector<std::uint8_t> background;    // 4 bytes a pixel
  std::vector<std::uint8_t> overlayColor;  // 4 bytes a pixel
  std::vector<std::uint8_t> overlayAlpha;  // coverage 0–255
  int radius = 0;                          // px

  void resize(int ballRadius) {
    radius = ballRadius;
    const std::size_t box = static_cast<std::size_t>(2 * radius) * (2 * radius);
    image.assign(box * pixelBytes, 0);
    background.assign(box * pixelBytes, 0);
    overlayColor.assign(box * pixelBytes, 0);
    overlayAlpha.assign(box, 0);
  }
};

// Paints the ball turned by `angle` over its background and under the front layer.
void renderBall(BallSprite& sprite, double angle);
