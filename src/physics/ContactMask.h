#pragma once
#include <cstdint>
#include <vector>

// What one ball step reads and writes under the ball box: the contact mask (rows top to
// bottom, one byte a pixel) and the motion sensing's sums for one row of the box (4 a pixel:
// the frames' differences down 7 rows, then across 7 columns). Sized by the layout so that a
// step never allocates.
struct ContactMask {
  std::vector<std::uint8_t> mask;
  std::vector<std::int16_t> columnSums;
  std::vector<std::int16_t> boxSums;

  void resize(int radius) {
    const int side = 2 * radius;
    mask.assign(static_cast<std::size_t>(side) * side, 0);
    columnSums.assign(static_cast<std::size_t>(side) * 4, 0);
    boxSums.assign(static_cast<std::size_t>(side) * 4, 0);
  }
  bool fits(int radius) const {
    const std::size_t side = radius > 0 ? static_cast<std::size_t>(2 * radius) : 0;
    return side > 0 && mask.size() >= side * side && columnSums.size() >= side * 4 &&
           boxSums.size() >= side * 4;
  }
};
