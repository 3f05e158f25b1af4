#include <gtest/gtest.h>
#include <turbojpeg.h>

#include "capture/CameraSettings.h"
#include "capture/FrameImage.h"
#include "capture/decode/FrameConverter.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A 16 × 8 MJPEG picture, red over blue, compressed as finely as JPEG allows.
Bytes redOverBlueJpeg() {
  Bytes rgb(16 * 8 * 3);
  for (std::size_t pixel = 0; pixel < 16 * 8; ++pixel) rgb[pixel * 3 + (pixel < 64 ? 0 : 2)] = 255;
  tjhandle encoder = tjInitCompress();
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  tjCompress2(encoder, rgb.data(), 16, 16 * 3, 8, TJPF_RGB, &jpeg, &size, TJSAMP_444, 100, 0);
  Bytes result(jpeg, jpeg + size);
  tjFree(jpeg);
  tjDestroy(encoder);
  return result;
}

void configureMjpeg(FrameConverter& converter, int width, int height) {
  PictureGeometry geometry;
  ASSERT_TRUE(checkPicture({fourcc('M', 'J', 'P', 'G'), std::uint64_t(width), std::uint64_t(height), 0}, geometry));
  converter.configure(geometry);
}

}  // namespace

TEST(FrameConverter, MjpegDecodesTopRowFirstOpaqueAndRefusesCutOrMisfitPictures) {
  const Bytes jpeg = redOverBlueJpeg();
  FrameConverter converter;
  configureMjpeg(converter, 16, 8);
  ASSERT_TRUE(converter.convert(jpeg.data(), jpeg.size()));
  const Bytes& frame = converter.frame();
  ASSERT_EQ(frame.size(), frameBytes(16, 8));
  for (std::size_t pixel = 0; pixel < 16 * 8; ++pixel) {
    const std::uint8_t* p = &frame[pixel * framePixelBytes];
    const int red = pixel < 64 ? 255 : 0;  // blue, green, red, opaque
    EXPECT_TRUE(std::abs(p[0] + red - 255) <= 8 && p[1] <= 8 && std::abs(p[2] - red) <= 8 && p[3] == 255) << pixel;
  }
  EXPECT_FALSE(converter.convert(jpeg.data(), jpeg.size() / 2));
  EXPECT_FALSE(converter.convert(jpeg.data(), 0));
  FrameConverter taller;
  configureMjpeg(taller, 16, 9);
  EXPECT_FALSE(taller.convert(jpeg.data(), jpeg.size()));
}
