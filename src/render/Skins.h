#pragma once
#include <cstdint>
#include <random>
#include <vector>

#include "model/Geometry.h"

// What a skin needs to know of the field: its size and where the camera picture lies.
struct SkinField {
  int width = 0;      // W, px
  int height = 0;     // H, px
  Rect frameRect;     // field coordinates
};

// The skin of one layout. Indexes 0–4 are the named skins; any other value is the noise
// skin, drawn from `noise` (the court's generator). The square grids' cosines are the same along every row and
// column, so they are taken once per column and per height from tables made here.
class SkinPattern {
 public:
  SkinPattern(int skinIndex, const SkinField& field, std::minstd_rand& noise);
  // The colour at pixel x of the row `height` rows above the bottom row; the noise skin
  // draws the next number from the generator.
  Rgb colourAt(int x, int height);
  // That whole row, field-width pixels of 4 bytes, into `row`.
  void paintRow(int height, std::uint8_t* row);

 private:
  int m_skinIndex;
  SkinField m_field;
  std::minstd_rand& m_noise;
  std::vector<double> m_columnWave;  // cos(16 × x × 6.28 / W) for every column
  std::vector<double> m_heightWave;  // cos(16 × height × 6.28 / W) for every height
};
