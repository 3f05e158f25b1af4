#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <vector>

#include "capture/v4l2/JpegDecoder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A 16 × 16 JPEG, top half red and bottom half blue, at best quality.
Bytes redOverBlue() {
  Bytes rgb(16 * 16 * 3, 0);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) rgb[(y * 16 + x) * 3 + (y < 8 ? 0 : 2)] = 255;
  tjhandle encoder = tjInitCompress();
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  tjCompress2(encoder, rgb.data(), 16, 16 * 3, 16, TJPF_RGB, &jpeg, &size, TJSAMP_444, 100, 0);
  Bytes result(jpeg, jpeg + size);
  tjFree(jpeg);
  tjDestroy(encoder);
  return result;
}

// The same picture as many USB cameras send it: without its Huffman tables (DHT segments),
// which the decoder must take to be the standard ones.
Bytes withoutHuffmanTables(const Bytes& jpeg) {
  Bytes stripped;
  std::size_t i = 0;
  while (i + 3 < jpeg.size()) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA) break;  // scan data follows
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC4) {
      i += 2 + (std::size_t(jpeg[i + 2]) << 8 | jpeg[i + 3]);
      continue;
    }
    stripped.push_back(jpeg[i++]);
  }
  stripped.insert(stripped.end(), jpeg.begin() + static_cast<long>(i), jpeg.end());
  return stripped;
}

}  // namespace

TEST(JpegDecoder, DecodesBottomRowFirstInBlueGreenRed) {
  const Bytes jpeg = redOverBlue();
  Bytes frame(16 * 16 * 3);
  JpegDecoder decoder;
  ASSERT_TRUE(decoder.decode(jpeg.data(), jpeg.size(), 16, 16, frame.data()));
  EXPECT_GT(frame[0], 240);              // first row in memory is the bottom: blue
  EXPECT_LT(frame[2], 16);
  const std::size_t top = 15 * 16 * 3;
  EXPECT_LT(frame[top], 16);             // last row is the top: red
  EXPECT_GT(frame[top + 2], 240);
}

TEST(JpegDecoder, RefusesTruncatedGarbageAndWrongSizes) {
  const Bytes jpeg = redOverBlue();
  Bytes frame(16 * 16 * 3);
  JpegDecoder decoder;
  EXPECT_FALSE(decoder.decode(jpeg.data(), jpeg.size() / 2, 16, 16, frame.data()));
  const Bytes garbage(200, 0x5A);
  EXPECT_FALSE(decoder.decode(garbage.data(), garbage.size(), 16, 16, frame.data()));
  EXPECT_FALSE(decoder.decode(jpeg.data(), jpeg.size(), 32, 16, frame.data()));
  EXPECT_FALSE(decoder.decode(jpeg.data(), 0, 16, 16, frame.data()));
}

TEST(JpegDecoder, CameraPicturesWithoutHuffmanTablesDecodeAsWithThem) {
  const Bytes jpeg = redOverBlue();
  const Bytes bare = withoutHuffmanTables(jpeg);
  ASSERT_LT(bare.size(), jpeg.size());
  Bytes expected(16 * 16 * 3);
  Bytes frame(16 * 16 * 3);
  JpegDecoder decoder;
  ASSERT_TRUE(decoder.decode(jpeg.data(), jpeg.size(), 16, 16, expected.data()));
  ASSERT_TRUE(decoder.decode(bare.data(), bare.size(), 16, 16, frame.data()));
  EXPECT_EQ(frame, expected);
}
