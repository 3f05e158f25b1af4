#pragma once
#include <cstdint>
#include <vector>

#include "model/Geometry.h"

// One box row's pixels turned with the ball, and where they lie against its two seams.
struct TurnedRow {
  std::vector<double> u, v, e, f;
};

// The ball box's pictures, each 2r × 2r, top row first, sized by the layout so that no
// frame allocates: what lies under the box without the ball, the court's front layer over
// it, and the finished box with the ball. The disc's shading and rim depend on the radius
// alone, so they are worked out once per size.
struct BallSprite {
  static constexpr std::uint8_t outsideDisc = 255;

  std::vector<std::uint8_t> image;         // 4 bytes a pixel, like the field's pictures
  std::vector<std::uint8_t> background;    // 4 bytes a pixel
  std::vector<std::uint8_t> overlayColor;  // 4 bytes a pixel
  std::vector<std::uint8_t> overlayAlpha;  // coverage 0–255
  std::vector<std::uint8_t> shade;         // shading step 0–102 from the centre, or outsideDisc
  std::vector<double> rimWeight;           // the ball's share of the pixel, 1 and above inside
  TurnedRow turned;                        // scratch for one row at a time
  int radius = 0;                          // px

  void resize(int ballRadius);
};

// Paints the ball turned by `angle` over its background and under the front layer.
void renderBall(BallSprite& sprite, double angle);
