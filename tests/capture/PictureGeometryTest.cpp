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

// What drivers may report, down to the byte where a report turns from taken to refused.
TEST(PictureGeometry, ReportsAreTakenOrRefusedAtTheirBounds) {
  struct Row {
    PictureReport report;
    bool taken;
  };
  const Row rows[] = {
      {{yuyv, 3, 2, 8}, true},                         // (3 + 1) / 2 groups of 4 bytes
      {{yuyv, 3, 2, 7}, false},                        // a byte short of the last group
      {{yuyv, 3, 2, 4 * 8 + 4096}, true},              // the most padding taken
      {{yuyv, 3, 2, 4 * 8 + 4097}, false},
      {{yu12, 1, 1, 0x7FFFFFFF}, false},               // a fuzzed driver's 2^31 − 1
      {{yu12, 1, 1, big + 1}, false},                  // 1 once cut to 32 bits
      {{rgb3, 5, 1, 14}, false},
      {{rgb3, 5, 1, 0}, true},                         // 0: unpadded rows
      {{xr24, 16384, 16384, 0}, true},
      {{xr24, 16385, 1, 0}, false},
      {{xr24, 1, 16385, 0}, false},
      {{xr24, big + 1, 1, 0}, false},                  // no wrap to a width of 1
      {{xr24, 0, 1, 0}, false},
      {{xr24, 1, 0, 0}, false},
      {{fourcc('H', '2', '6', '4'), 2, 2, 0}, false},  // a layout we do not convert
      {{mjpg, 1920, 1080, 0x7FFFFFFF}, true},          // compressed: no rows to check
  };
  for (const Row& row : rows) {
    const PictureReport& r = row.report;
    PictureGeometry geometry;
    geometry.width = -7;
    EXPECT_EQ(checkPicture(r, geometry), row.taken) << r.width << " x " << r.height << " stride " << r.stride;
    if (!row.taken) EXPECT_EQ(geometry.width, -7) << "a refused report leaves the geometry";
  }
}

TEST(PictureGeometry, PlanesFollowEachOtherAsInASinglePlanarBuffer) {
  struct Row {
    PictureReport report;
    std::array<PlaneSpan, 3> planes;
    std::size_t bytes;
  };
  const Row rows[] = {
      {{yu12, 641, 3, 0}, {{{0, 641}, {641 * 3, 321}, {641 * 3 + 321 * 2, 321}}}, 641 * 3 + 2 * 321 * 2},
      {{yu12, 4, 2, 6}, {{{0, 6}, {12, 3}, {15, 3}}}, 18},
      {{nv12, 5, 3, 0}, {{{0, 6}, {18, 6}, {0, 0}}}, 30},
      {{yuyv, 5, 2, 16}, {{{0, 16}, {0, 0}, {0, 0}}}, 32},
      {{mjpg, 5, 2, 16}, {}, 0},
  };
  for (const Row& row : rows) {
    PictureGeometry g;
    ASSERT_TRUE(checkPicture(row.report, g));
    for (int p = 0; p < 3; ++p) {
      EXPECT_EQ(g.planes[p].offset, row.planes[p].offset) << "plane " << p;
      EXPECT_EQ(g.planes[p].stride, row.planes[p].stride) << "plane " << p;
    }
    EXPECT_EQ(g.bytes, row.bytes);
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
    if (row.taken) {
      EXPECT_EQ(picture.data(), buffer.data() + row.offset);
      EXPECT_EQ(picture.size(), row.used);
    }
  }
}
