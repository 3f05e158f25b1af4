#include <gtest/gtest.h>

#include <limits>

#include "capture/CameraSettings.h"
#include "capture/PictureGeometry.h"

namespace {

constexpr std::uint32_t yuyv = fourcc('Y', 'U', 'Y', 'V');
constexpr std::uint32_t yu12 = fourcc('Y', 'U', '1', '2');
constexpr std::uint32_t nv12 = fourcc('N', 'V', '1', '2');
constexpr std::uint32_t rgb3 = fourcc('R', 'G', 'B', '3');
constexpr std::uint32_t xr24 = fourcc('X', 'R', '2', '4');
constexpr std::uint32_t mjpg = fourcc('M', 'J', 'P', 'G');
constexpr std::uint64_t big = std::uint64_t{1} << 32;

}  // namespace

// What drivers may report, down to the byte where a report turns from taken to refused, and
// the bytes a taken one's pictures hold: planes one after the other, as in a V4L2 buffer.
TEST(PictureGeometry, ReportsAreTakenOrRefusedAtTheirBounds) {
  struct Row {
    PictureReport report;
    bool taken;
    std::size_t bytes;
  };
  const Row rows[] = {
      {{yuyv, 3, 2, 8}, true, 16},                      // (3 + 1) / 2 groups of 4 bytes
      {{yuyv, 3, 2, 7}, false, 0},                      // a byte short of the last group
      {{yuyv, 3, 2, 4 * 8 + 4096}, true, 2 * 4128},     // the most padding taken
      {{yuyv, 3, 2, 4 * 8 + 4097}, false, 0},
      {{yu12, 1, 1, 0x7FFFFFFF}, false, 0},             // a fuzzed driver's 2^31 − 1
      {{yu12, 1, 1, big + 1}, false, 0},                // 1 once cut to 32 bits
      {{yu12, 641, 3, 0}, true, 641 * 3 + 2 * 321 * 2},  // chroma rows rounded up
      {{nv12, 5, 3, 0}, true, 6 * 3 + 6 * 2},
      {{rgb3, 5, 1, 14}, false, 0},
      {{rgb3, 5, 1, 0}, true, 15},                      // 0: unpadded rows
      {{xr24, 16384, 16384, 0}, true, std::size_t{1} << 30},
      {{xr24, 16385, 1, 0}, false, 0},
      {{xr24, 1, 16385, 0}, false, 0},
      {{xr24, big + 1, 1, 0}, false, 0},                // no wrap to a width of 1
      {{xr24, 0, 1, 0}, false, 0},
      {{xr24, 1, 0, 0}, false, 0},
      {{fourcc('H', '2', '6', '4'), 2, 2, 0}, false, 0},  // a layout we do not convert
      {{mjpg, 1920, 1080, 0x7FFFFFFF}, true, 0},        // compressed: no rows to check
  };
  for (const Row& row : rows) {
    const PictureReport& r = row.report;
    PictureGeometry geometry;
    geometry.bytes = 7;
    EXPECT_EQ(checkPicture(r, geometry), row.taken) << r.width << " x " << r.height << " stride " << r.stride;
    EXPECT_EQ(geometry.bytes, row.taken ? row.bytes : 7) << r.width << " x " << r.height;
  }
}

// The bytes a driver says it filled must lie inside its buffer and hold the whole picture.
TEST(PictureGeometry, DeliveredBytesOutsideTheBufferOrTooFewAreRefused) {
  PictureGeometry yuyv2x2, jpeg;
  ASSERT_TRUE(checkPicture({yuyv, 2, 2, 0}, yuyv2x2));
  ASSERT_TRUE(checkPicture({mjpg, 2, 2, 0}, jpeg));
  const std::vector<std::uint8_t> buffer(16);
  struct Row {
    const PictureGeometry& geometry;
    std::uint64_t offset, used;
    bool taken;
  };
  const Row rows[] = {
      {yuyv2x2, 0, 8, true},
      {yuyv2x2, 0, 7, false},
      {yuyv2x2, 8, 8, true},
      {yuyv2x2, 9, 8, false},
      {yuyv2x2, 0, 17, false},
      {yuyv2x2, 17, 0, false},
      {yuyv2x2, std::numeric_limits<std::uint64_t>::max(), 9, false},  // no wrap round
      {yuyv2x2, 8, std::numeric_limits<std::uint64_t>::max() - 7, false},
      {jpeg, 0, 1, true},
      {jpeg, 0, 0, false},
  };
  for (const Row& row : rows) {
    const auto picture = deliveredPicture(row.geometry, buffer.data(), buffer.size(), row.offset, row.used);
    EXPECT_EQ(!picture.empty(), row.taken) << row.offset << " + " << row.used;
    if (row.taken) { EXPECT_EQ(std::pair(picture.data(), picture.size()), std::pair(buffer.data() + row.offset, row.used)); }
  }
}
