#pragma once
#include <array>
#include <cstdint>
#include <vector>

// What one ball step reads and writes under the ball box: the contact mask (rows top to
// bottom, one byte a pixel) and the planes of motion sensing (three channel differences and
// the filter's work plane). Each holds (2r)² values, sized by the layout so that a step
// never allocates.
struct ContactMask {
  std::vector<std::uint8_t> mask;
  std::array<std::vector<std::int32_t>, 3> planes;
  std::vector<std::int32_t> work;

  void resize(int radius) {
    const std::size_t box = static_cast<std::size_t>(2 * radius) * (2 * radius);
    mask.assign(box, 0);
    for (auto& plane : planes) plane.assign(box, 0);
    work.assign(box, 0);
  }
  bool fits(int radius) const {
    return radius > 0 && mask.size() >= static_cast<std::size_t>(4 * radius * radius);
  }
};
