#include <gtest/gtest.h>

#include <vector>

#include "capture/CameraSettings.h"
#include "capture/PixelConverters.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// BT.601 limited range, worked by hand: (Y, U, V) → (B, G, R).
//   (16, 128, 128) → 0, 0, 0        (235, 128, 128) → 255, 255, 255
//   (128, 128, 128) → 130, 130, 130 (81, 90, 240) → 0, 0, 255 (red)
//   (145, 54, 34) → 1, 255, 0       (41, 240, 110) → 255, 0, 0 (blue)
Bytes convert(PixelLayout layout, const Bytes& picture, int width, int height, int stride) {
  Bytes frame(static_cast<std::size_t>(width) * height * 3, 0xEE);
  EXPECT_TRUE(convertPicture(layout, picture.data(), picture.size(), width, height, stride,
                             frame.data()));
  return frame;
}

}  // namespace

TEST(PixelConverters, YuyvRowsComeOutBottomUpInBlueGreenRed) {
  const Bytes picture{16, 128, 235, 128,   // top row: black, white
                      81, 90, 81, 240};    // bottom row: red, red
  EXPECT_EQ(convert(PixelLayout::YUYV, picture, 2, 2, 4),
            (Bytes{0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255}));
}

TEST(PixelConverters, UyvySwapsTheByteOrderOnly) {
  const Bytes picture{128, 16, 128, 235, 90, 81, 240, 81};
  EXPECT_EQ(convert(PixelLayout::UYVY, picture, 2, 2, 4),
            (Bytes{0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255}));
}

TEST(PixelConverters, PaddedRowsArePackedAndOddWidthsKeepTheirLastPixel) {
  const Bytes picture{145, 54, 41, 34, 128, 128, 128, 128, 9, 9};  // 3 px, stride 10
  EXPECT_EQ(convert(PixelLayout::YUYV, picture, 3, 1, 10),
            (Bytes{1, 255, 0, 0, 134, 0, 130, 130, 130}));
}

TEST(PixelConverters, Nv12SharesEachChromaPairBetweenFourPixels) {
  const Bytes picture{16, 235, 81, 81,  // luma 2 × 2
                      90, 240};         // one U, V pair
  EXPECT_EQ(convert(PixelLayout::NV12, picture, 2, 2, 2),
            (Bytes{0, 0, 255, 0, 0, 255, 0, 0, 179, 178, 179, 255}));
}

TEST(PixelConverters, Yuv420ReadsSeparateQuarterPlanes) {
  const Bytes picture{128, 128, 81, 81,   // one luma row of 4
                      128, 90,            // U plane
                      128, 240};          // V plane
  EXPECT_EQ(convert(PixelLayout::YUV420, picture, 4, 1, 4),
            (Bytes{130, 130, 130, 130, 130, 130, 0, 0, 255, 0, 0, 255}));
}

TEST(PixelConverters, GreyRgbAndBgr) {
  EXPECT_EQ(convert(PixelLayout::GREY, {7, 200}, 2, 1, 2), (Bytes{7, 7, 7, 200, 200, 200}));
  EXPECT_EQ(convert(PixelLayout::RGB24, {1, 2, 3, 4, 5, 6}, 1, 2, 3),
            (Bytes{6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(convert(PixelLayout::BGR24, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}, 2,
                    2, 8),
            (Bytes{7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6}));
}

TEST(PixelConverters, ShortPicturesAndBadStridesAreRefusedUntouched) {
  Bytes frame(12, 0xEE);
  const Bytes picture(7, 16);
  EXPECT_FALSE(convertPicture(PixelLayout::YUYV, picture.data(), 7, 2, 2, 4, frame.data()));
  EXPECT_FALSE(convertPicture(PixelLayout::YUYV, picture.data(), 7, 2, 1, 3, frame.data()));
  EXPECT_FALSE(convertPicture(PixelLayout::MJPEG, picture.data(), 7, 2, 1, 4, frame.data()));
  EXPECT_EQ(frame, Bytes(12, 0xEE));
  EXPECT_EQ(pictureBytes(PixelLayout::YUYV, 0, 2, 4), 0u);
}

TEST(PixelConverters, PlaneSizesFollowTheLumaStride) {
  EXPECT_EQ(pictureBytes(PixelLayout::YUYV, 640, 480, 1280), 614400u);
  EXPECT_EQ(pictureBytes(PixelLayout::NV12, 640, 480, 640), 460800u);
  EXPECT_EQ(pictureBytes(PixelLayout::YUV420, 641, 3, 641), 641u * 3 + 2 * 321 * 2);
}

TEST(PixelConverters, FourccsNameTheirLayouts) {
  EXPECT_EQ(pixelLayoutOf(fourcc('Y', 'U', 'Y', 'V')), PixelLayout::YUYV);
  EXPECT_EQ(pixelLayoutOf(fourcc('Y', 'U', '1', '2')), PixelLayout::YUV420);
  EXPECT_EQ(pixelLayoutOf(fourcc('M', 'J', 'P', 'G')), PixelLayout::MJPEG);
  EXPECT_EQ(pixelLayoutOf(fourcc('H', '2', '6', '4')), PixelLayout::Unsupported);
}
