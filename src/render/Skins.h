#pragma once
#include <random>

#include "model/Geometry.h"

// What a skin needs to know of the field: its size and where the camera picture lies.
struct SkinField {
  int width = 0;      // W, px
  int height = 0;     // H, px
  Rect frameRect;     // field coordinates
};

// The skin's colour at image pixel (x, y) (y upward). Indexes 0–4 are the named skins;
// any other value is the noise skin, drawn from `noise`.
Rgb skinColour(int skinIndex, int x, int y, const SkinField& field, std::minstd_rand& noise);
