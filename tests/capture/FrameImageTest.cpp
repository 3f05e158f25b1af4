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
