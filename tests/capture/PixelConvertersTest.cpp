#include <gtest/gtest.h>

#include <functional>

#include "capture/CameraSettings.h"
#include "capture/FrameImage.h"
#include "capture/PixelConverters.h"
#include "capture/Bt601.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::uint8_t padding = 0xAB;  // what a driver leaves between rows and in X bytes

// A known picture as a camera would see it, in YUV with one chroma pair per 2 × 2 block, so
// that every YUV layout carries it whole. Luma and chroma sweep their legal range and beyond.
struct Yuv {
  int y, u, v;
};
Yuv knownYuv(int x, int y) {
  const int bx = x / 2, by = y / 2;
  return {(x * 37 + y * 53) % 256, (16 + bx * 71 + by * 29) % 256, (240 + bx * 213 + by * 61) % 256};
}

// A known picture in red, green, blue.
std::array<int, 3> knownRgb(int x, int y) { return {(x * 41 + y * 7) % 256, (x * 13 + y * 97) % 256, (x * 89 + y * 31) % 256}; }

// Writes the known picture in one layout, with `stride` bytes a row; bytes that carry no
// pixel keep the padding byte.
using Builder = std::function<Bytes(int width, int height, std::size_t stride)>;

// One pixel after another, each byte as `order` names it: r, g, b, y (luma), or . (left alone).
Builder packed(std::string order) {
  return [=](int width, int height, std::size_t stride) {
    Bytes bytes(stride * height, padding);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        for (std::size_t i = 0; i < order.size(); ++i) {
          const auto rgb = knownRgb(x, y);
          const int at = int(std::string("rgby.").find(order[i]));
          if (at < 4) bytes[y * stride + x * order.size() + i] = at < 3 ? rgb[at] : knownYuv(x, y).y;
        }
    return bytes;
  };
}

// YUYV or UYVY: Y0 U Y1 V at the given offsets; an odd width's last group has no second pixel.
Builder packed422(int y0, int u, int y1, int v) {
  return [=](int width, int height, std::size_t stride) {
    Bytes bytes(stride * height, padding);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; x += 2) {
        std::uint8_t* group = &bytes[y * stride + x * 2];
        group[y0] = knownYuv(x, y).y;
        if (x + 1 < width) group[y1] = knownYuv(x + 1, y).y;
        group[u] = knownYuv(x, y).u;
        group[v] = knownYuv(x, y).v;
      }
    return bytes;
  };
}

// NV12 (`interleaved`) or YU12: the luma plane, then the chroma as checkPicture() places it.
Builder planar420(bool interleaved) {
  return [=](int width, int height, std::size_t stride) {
    const std::size_t chromaStride = interleaved ? stride : (stride + 1) / 2;
    const std::size_t chromaRows = (height + 1) / 2;
    Bytes bytes(stride * height + chromaStride * chromaRows * (interleaved ? 1 : 2), padding);
    std::uint8_t* u = &bytes[stride * height];
    std::uint8_t* v = interleaved ? u + 1 : u + chromaStride * chromaRows;
    const int step = interleaved ? 2 : 1;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        bytes[y * stride + x] = knownYuv(x, y).y;
        u[y / 2 * chromaStride + x / 2 * step] = knownYuv(x, y).u;
        v[y / 2 * chromaStride + x / 2 * step] = knownYuv(x, y).v;
      }
    return bytes;
  };
}

enum class Expect { Video, Grey, Rgb };

std::array<int, 3> expectedBgr(Expect expect, int x, int y) {
  const Yuv yuv = knownYuv(x, y);
  const auto rgb = knownRgb(x, y);
  if (expect == Expect::Video) return bt601Bgr(yuv.y, yuv.u, yuv.v);
  return expect == Expect::Grey ? std::array{yuv.y, yuv.y, yuv.y} : std::array{rgb[2], rgb[1], rgb[0]};
}

}  // namespace

// Every layout against the known picture at odd and even sizes, least and padded strides
// (odd ones too): YUV within one level on average of exact BT.601 and within three at worst,
// everything else exact; every pixel's fourth byte 255, top row first, nothing past the frame.
TEST(PixelConverters, EveryLayoutTurnsTheKnownPictureIntoTopDownFramePixels) {
  const struct {
    const char* name;
    std::uint32_t code;
    int width, height;
    std::uint64_t stride;  // as the driver reports it; 0 for the least
    Builder build;
    Expect expect;
  } cases[] = {
      {"YUYV", fourcc('Y', 'U', 'Y', 'V'), 7, 5, 0, packed422(0, 1, 2, 3), Expect::Video},
      {"YUYV padded", fourcc('Y', 'U', 'Y', 'V'), 16, 4, 40, packed422(0, 1, 2, 3), Expect::Video},
      {"UYVY", fourcc('U', 'Y', 'V', 'Y'), 7, 5, 19, packed422(1, 0, 3, 2), Expect::Video},
      {"NV12", fourcc('N', 'V', '1', '2'), 7, 5, 0, planar420(true), Expect::Video},
      {"NV12 padded", fourcc('N', 'V', '1', '2'), 16, 6, 24, planar420(true), Expect::Video},
      {"YU12", fourcc('Y', 'U', '1', '2'), 7, 5, 0, planar420(false), Expect::Video},
      {"YU12 odd stride", fourcc('Y', 'U', '1', '2'), 7, 3, 9, planar420(false), Expect::Video},
      {"YU12 wide", fourcc('Y', 'U', '1', '2'), 32, 8, 0, planar420(false), Expect::Video},
      {"GREY", fourcc('G', 'R', 'E', 'Y'), 7, 5, 11, packed("y"), Expect::Grey},
      {"RGB3", fourcc('R', 'G', 'B', '3'), 7, 5, 0, packed("rgb"), Expect::Rgb},
      {"BGR3", fourcc('B', 'G', 'R', '3'), 7, 5, 23, packed("bgr"), Expect::Rgb},
      {"XR24", fourcc('X', 'R', '2', '4'), 7, 5, 0, packed("bgr."), Expect::Rgb},
      {"BGR4", fourcc('B', 'G', 'R', '4'), 9, 2, 40, packed("bgr."), Expect::Rgb},
      {"XB24", fourcc('X', 'B', '2', '4'), 7, 5, 32, packed("rgb."), Expect::Rgb},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PictureGeometry geometry;
    ASSERT_TRUE(checkPicture({c.code, std::uint64_t(c.width), std::uint64_t(c.height), c.stride}, geometry));
    const Bytes picture = c.build(c.width, c.height, geometry.planes[0].stride);
    ASSERT_EQ(geometry.bytes, picture.size());
    Bytes frame(frameBytes(c.width, c.height) + 1, 0xEE);  // one guard byte past the frame
    ASSERT_TRUE(convertPicture(geometry, picture.data(), picture.size(), frame.data()));
    EXPECT_EQ(frame.back(), 0xEE);
    double errors = 0;
    int worst = 0;
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) {
        const std::uint8_t* pixel = &frame[(y * c.width + x) * framePixelBytes];
        const auto expected = expectedBgr(c.expect, x, y);
        for (int ch = 0; ch < 3; ++ch) {
          const int error = std::abs(pixel[ch] - expected[ch]);
          errors += error;
          worst = std::max(worst, error);
        }
        ASSERT_EQ(pixel[3], 255) << "x " << x << " y " << y;
      }
    const double mean = errors / (3.0 * c.width * c.height);
    if (c.expect == Expect::Video) {
      EXPECT_LT(mean, 1.0);
      EXPECT_LE(worst, 3);
    } else {
      EXPECT_EQ(worst, 0);
    }
  }
}

// A refused picture leaves the frame as it was: the converter returns before touching it.
TEST(PixelConverters, ShortPicturesAndJpegAreRefusedWithTheFrameUntouched) {
  PictureGeometry yuyv, jpeg;
  ASSERT_TRUE(checkPicture({fourcc('Y', 'U', 'Y', 'V'), 2, 2, 0}, yuyv));
  ASSERT_TRUE(checkPicture({fourcc('M', 'J', 'P', 'G'), 2, 2, 0}, jpeg));
  const Bytes picture(8, 16);
  Bytes frame(frameBytes(2, 2), 0xEE);
  EXPECT_FALSE(convertPicture(yuyv, picture.data(), 7, frame.data()));
  EXPECT_FALSE(convertPicture(jpeg, picture.data(), 8, frame.data()));
  EXPECT_FALSE(convertPicture(PictureGeometry{}, picture.data(), 8, frame.data()));
  EXPECT_EQ(frame, Bytes(frameBytes(2, 2), 0xEE));
  EXPECT_TRUE(convertPicture(yuyv, picture.data(), 8, frame.data()));  // exactly long enough
}
