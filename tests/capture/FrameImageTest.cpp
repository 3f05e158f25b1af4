#include <gtest/gtest.h>

#include "capture/FrameImage.h"

using Bytes = std::vector<std::uint8_t>;

TEST(MirrorFrame, TurnsEveryRowLeftForRightAtEveryWidthAndCopiesNothingForNoSize) {
  for (int width = 1; width <= 40; ++width) {  // past the vector groups into each row's tail
    Bytes source(frameBytes(width, 3));
    for (std::size_t i = 0; i < source.size(); ++i) source[i] = static_cast<std::uint8_t>(i * 7 + 1);
    Bytes mirrored(source.size() + 1, 0xEE);  // one guard byte past the frame
    mirrorFrame(source.data(), mirrored.data(), width, 3);
    for (int row = 0; row < 3; ++row)
      for (int x = 0; x < width; ++x)
        for (int c = 0; c < framePixelBytes; ++c)
          ASSERT_EQ(mirrored[(row * width + x) * framePixelBytes + c],
                    source[(row * width + width - 1 - x) * framePixelBytes + c])
              << "width " << width << " row " << row << " x " << x;
    EXPECT_EQ(mirrored.back(), 0xEE);
  }
  for (auto [width, height] : {std::pair{0, 2}, {2, 0}, {-1, 2}, {2, -3}}) {
    Bytes untouched(12, 0);
    mirrorFrame(Bytes(12, 7).data(), untouched.data(), width, height);
    EXPECT_EQ(untouched, Bytes(12, 0)) << width << " x " << height;
  }
}
