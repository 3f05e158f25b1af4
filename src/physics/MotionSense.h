#pragma once
#include <array>
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

using Planes = std::array<std::vector<std::int32_t>, 3>;

// The motion the game senses over the whole camera picture, for showing it: per pixel what
// the contact mask would hold there (above 12 strikes the ball), rows top first like the
// frames. Sized once when it is switched on, so that filling it never allocates.
struct MotionMap {
  int width = 0;   // px
  int height = 0;  // px
  Planes planes;
  std::vector<std::int32_t> work;
  std::vector<std::uint8_t> strength;

  void resize(int frameWidth, int frameHeight);
};

// Writes the 7 × 7 box-averaged difference between the frames into the mask bytes of
// `region` (the part of the ball box over the camera picture). Regions narrower or lower
// than 8 px keep their court values.
void senseMotion(const Ball& ball, const Court& court, const FramePair& frames,
                 const Rect& region, ContactMask& contact);

// Fills the map from the frames; a map of another size than the frames is left as it is.
void senseMotionMap(const FramePair& frames, MotionMap& map);

// Replaces the width × height plane (row by row) by the mean of the boxWidth × boxHeight
// box around each value, with separable running sums; `work` is a scratch plane of the same
// size. Values whose box does not lie wholly inside the plane become 0. Means truncate
// toward zero. A plane smaller than the box becomes all 0.
void boxMean(std::int32_t* plane, std::int32_t* work, int width, int height, int boxWidth,
             int boxHeight);
