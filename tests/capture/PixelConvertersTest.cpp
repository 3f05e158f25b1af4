#include <gtest/gtest.h>

#include "capture/CameraSettings.h"
#include "capture/PixelConverters.h"

using Bytes = std::vector<std::uint8_t>;

// BT.601 limited range, worked by hand: (Y, U, V) → (B, G, R).
//   (16, 128, 128) → 0, 0, 0        (235, 128, 128) → 255, 255, 255
//   (128, 128, 128) → 130, 130, 130 (81, 90, 240) → 0, 0, 255 (red)
//   (145, 54, 34) → 1, 255, 0       (41, 240, 110) → 255, 0, 0 (blue)
TEST(PixelConverters, TopDownPicturesBecomeBottomUpBlueGreenRed) {
  const Bytes blackWhiteOverRed{0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255};
  struct Row { PixelLayout layout; Bytes picture; int width, height, stride; Bytes frame; };
  const Row rows[] = {
      {PixelLayout::YUYV, {16, 128, 235, 128, 81, 90, 81, 240}, 2, 2, 4, blackWhiteOverRed},
      {PixelLayout::UYVY, {128, 16, 128, 235, 90, 81, 240, 81}, 2, 2, 4, blackWhiteOverRed},
      {PixelLayout::YUYV, {145, 54, 41, 34, 128, 128, 128, 128, 9, 9}, 3, 1, 10, {1, 255, 0, 0, 134, 0, 130, 130, 130}},
      {PixelLayout::NV12, {16, 235, 81, 81, 90, 240}, 2, 2, 2, {0, 0, 255, 0, 0, 255, 0, 0, 179, 178, 179, 255}},
      {PixelLayout::YUV420, {128, 128, 81, 81, 128, 90, 128, 240}, 4, 1, 4,
       {130, 130, 130, 130, 130, 130, 0, 0, 255, 0, 0, 255}},
      {PixelLayout::GREY, {7, 200}, 2, 1, 2, {7, 7, 7, 200, 200, 200}},
      {PixelLayout::RGB24, {1, 2, 3, 4, 5, 6}, 1, 2, 3, {6, 5, 4, 3, 2, 1}},
      {PixelLayout::BGR24, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}, 2, 2, 8,
       {7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6}},
  };
  for (const Row& row : rows) {
    Bytes frame(row.frame.size(), 0xEE);
    EXPECT_TRUE(convertPicture(row.layout, row.picture.data(), row.picture.size(), row.width, row.height,
                               row.stride, frame.data()));
    EXPECT_EQ(frame, row.frame) << "layout " << static_cast<int>(row.layout);
  }
}

TEST(PixelConverters, ShortPicturesBadStridesAndJpegAreRefusedUntouched) {
  const Bytes picture(7, 16);
  Bytes frame(12, 0xEE);
  EXPECT_FALSE(convertPicture(PixelLayout::YUYV, picture.data(), 7, 2, 2, 4, frame.data()));
  EXPECT_FALSE(convertPicture(PixelLayout::YUYV, picture.data(), 7, 2, 1, 3, frame.data()));
  EXPECT_FALSE(convertPicture(PixelLayout::MJPEG, picture.data(), 7, 2, 1, 4, frame.data()));
  EXPECT_EQ(frame, Bytes(12, 0xEE));
  EXPECT_EQ(pictureBytes(PixelLayout::YUV420, 641, 3, 641), 641u * 3 + 2 * 321 * 2);
}
