#pragma once
#include <cstdint>
#include <vector>

#include "model/Ball.h"
#include "model/Court.h"
#include "physics/ContactMask.h"

// The camera frame of this step beside the previous one, both FrameImages of the same size.
struct FramePair {
  const std::uint8_t* current = nullptr;
  const std::uint8_t* previous = nullptr;
  int width = 0;   // px
  int height = 0;  // px
};

// The motion the game senses over the whole camera picture, for showing it. Each cell of
// cellSize × cellSize pixels holds what the contact mask would hold at the cell's middle
// pixel (above 12 strikes the ball); rows of cells run top first. A sixteenth of the pixels
// shows the same picture at a fraction of the cost of every pixel. Sized once when it is
// switched on, so that filling it never allocates.
struct MotionMap {
  static constexpr int cellSize = 4;  // px
  int width = 0;                      // cells across
  int height = 0;                     // cells down
  std::vector<std::int16_t> columnSums;  // one row of cells: 7-row sums, 4 a pixel
  std::vector<std::int16_t> boxSums;     // and their 7-column sums
  std::vector<std::uint8_t> strength;    // width × height
  int frameWidth = 0;                    // px, the picture it was sized for
  int frameHeight = 0;                   // px

  void resize(int pictureWidth, int pictureHeight);
};

// Writes the 7 × 7 box-averaged difference between the frames into the mask bytes of
// `region` (the part of the ball box over the camera picture). Regions narrower or lower
// than 8 px keep their court values.
void senseMotion(const Ball& ball, const Court& court, const FramePair& frames,
                 const Rect& region, ContactMask& contact);

// The strength the game senses at pixel (x, y), which lies at least 3 px inside the frames.
std::uint8_t motionStrengthAt(const FramePair& frames, int x, int y);

// Fills the map from the frames; a map made for another size is left as it is.
void senseMotionMap(const FramePair& frames, MotionMap& map);
