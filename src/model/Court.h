#pragma once
#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "model/Geometry.h"

using Bytes = std::vector<std::uint8_t>;

// The court: the field, where everything on it lies, and the four field-sized pictures the
// layout draws. Rectangles are in field coordinates (y downward) and the pictures store rows
// top row first. The court's drawing rules measure heights from the floor (as ringHeight
// does); rowOfHeight is the one place where a height becomes a row.
struct Court {
  // What shapes the court: the game copies them from its EnvironmentSettings.
  int basketSize = 112;         // px, ring width
  int ringHeight = 200;         // px, backboards' lower edge above the bottom row
  std::uint8_t skinIndex = 3;   // 0–4; any other value selects the noise skin
  std::minstd_rand noise;       // the noise skin's generator; the game seeds it

  // Sizes and places, set by each layout.
  int fieldWidth = 0;           // px, client area and off-screen image
  int fieldHeight = 0;          // px
  Rect fieldRect;               // (0, 0, fieldWidth, fieldHeight)
  Rect frameRect;               // the camera picture
  Rect leftRingRect;            // left ring and net
  Rect rightRingRect;           // right ring and net
  Rect scoreBoxRect;            // score box
  std::array<PixelBox, 7> digitSegments{};  // first digit's segments, heights from the floor
  int backboardHeight = 200;    // px
  int backboardThickness = 10;  // px
  int digitPitch = 0;           // px between the digits of one score
  int secondScoreOffset = 0;    // px from display 1 to display 2

  // Field-sized pictures (empty until the first layout).
  Bytes backdrop;               // the court as shown, 4 bytes a pixel like camera frames
  Bytes overlayColor;           // front layer colour, 4 bytes a pixel
  Bytes overlayAlpha;           // front layer coverage 0–255
  Bytes courtMap;               // solidity: 0 free, above 12 solid, 254 soft

  bool laidOut() const { return !backdrop.empty(); }
  // The picture row of a pixel `height` rows above the bottom row.
  int rowOfHeight(int height) const { return fieldHeight - 1 - height; }
};
