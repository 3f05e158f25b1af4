#include <gtest/gtest.h>

#include <vector>

#include "capture/FrameImage.h"

TEST(MirrorFrame, WidthTwoSwapsThePixels) {
  const std::vector<std::uint8_t> src{1, 2, 3, 4, 5, 6};
  std::vector<std::uint8_t> dst(6, 0);
  mirrorFrame(src.data(), dst.data(), 2, 1);
  EXPECT_EQ(dst, (std::vector<std::uint8_t>{4, 5, 6, 1, 2, 3}));
}

TEST(MirrorFrame, WidthOneCopiesUnchangedAndRowsKeepTheirPlace) {
  const std::vector<std::uint8_t> src{1, 2, 3, 7, 8, 9};
  std::vector<std::uint8_t> dst(6, 0);
  mirrorFrame(src.data(), dst.data(), 1, 2);
  EXPECT_EQ(dst, src);
}

TEST(MirrorFrame, EmptyOrNegativeSizesCopyNothing) {
  const std::vector<std::uint8_t> src(12, 7);
  for (auto [w, h] : {std::pair{0, 2}, {2, 0}, {-1, 2}, {2, -3}}) {
    std::vector<std::uint8_t> dst(12, 0);
    mirrorFrame(src.data(), dst.data(), w, h);
    EXPECT_EQ(dst, std::vector<std::uint8_t>(12, 0)) << w << " x " << h;
  }
  EXPECT_EQ(frameBytes(320, 240), 230400u);
  EXPECT_EQ(frameBytes(-320, 240), 0u);
}

TEST(MirrorFrame, EveryWidthMatchesAPixelByPixelMirror) {
  for (int width = 1; width <= 40; ++width) {
    const int height = 3;
    std::vector<std::uint8_t> src(frameBytes(width, height));
    for (std::size_t i = 0; i < src.size(); ++i) src[i] = static_cast<std::uint8_t>(i * 7 + 1);
    std::vector<std::uint8_t> dst(src.size() + 1, 0xEE);  // one guard byte past the frame
    mirrorFrame(src.data(), dst.data(), width, height);
    for (int row = 0; row < height; ++row)
      for (int x = 0; x < width; ++x)
        for (int c = 0; c < 3; ++c)
          ASSERT_EQ(dst[(row * width + x) * 3 + c], src[(row * width + width - 1 - x) * 3 + c])
              << "width " << width << " row " << row << " x " << x;
    EXPECT_EQ(dst.back(), 0xEE);
  }
}
