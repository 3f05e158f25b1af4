#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <vector>

#include "capture/v4l2/JpegDecoder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A 16 × 16 JPEG, top half red and bottom half blue; with `bare`, without its Huffman tables
// (DHT segments), as many USB cameras send it: the decoder must take the standard ones.
Bytes redOverBlue(bool bare) {
  Bytes rgb(16 * 16 * 3, 0);
  for (int i = 0; i < 256; ++i) rgb[i * 3 + (i < 128 ? 0 : 2)] = 255;
  tjhandle encoder = tjInitCompress();
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  tjCompress2(encoder, rgb.data(), 16, 16 * 3, 16, TJPF_RGB, &jpeg, &size, TJSAMP_444, 100, 0);
  Bytes result(jpeg, jpeg + size);
  tjFree(jpeg);
  tjDestroy(encoder);
  for (std::size_t i = 0; bare && !(result[i] == 0xFF && result[i + 1] == 0xDA);)  // up to the scan
    if (result[i] == 0xFF && result[i + 1] == 0xC4)
      result.erase(result.begin() + long(i), result.begin() + long(i + 2 + (result[i + 2] << 8 | result[i + 3])));
    else
      ++i;
  return result;
}

}  // namespace

TEST(JpegDecoder, DecodesBottomRowFirstInBlueGreenRedWithOrWithoutHuffmanTables) {
  const Bytes jpeg = redOverBlue(false);
  const Bytes bare = redOverBlue(true);
  ASSERT_LT(bare.size(), jpeg.size());
  JpegDecoder decoder;
  Bytes frame(16 * 16 * 3);
  Bytes fromBare(frame.size());
  ASSERT_TRUE(decoder.decode(jpeg.data(), jpeg.size(), 16, 16, frame.data()));
  EXPECT_GT(frame[0], 240);  // the bottom row comes first: blue
  EXPECT_LT(frame[2], 16);
  EXPECT_LT(frame[15 * 48], 16);  // the top row last: red
  EXPECT_GT(frame[15 * 48 + 2], 240);
  ASSERT_TRUE(decoder.decode(bare.data(), bare.size(), 16, 16, fromBare.data()));
  EXPECT_EQ(fromBare, frame);
}

TEST(JpegDecoder, RefusesTruncatedGarbageAndWrongSizes) {
  const Bytes jpeg = redOverBlue(false);
  const Bytes garbage(200, 0x5A);
  Bytes frame(16 * 16 * 3);
  JpegDecoder decoder;
  EXPECT_FALSE(decoder.decode(jpeg.data(), jpeg.size() / 2, 16, 16, frame.data()));
  EXPECT_FALSE(decoder.decode(garbage.data(), garbage.size(), 16, 16, frame.data()));
  EXPECT_FALSE(decoder.decode(jpeg.data(), jpeg.size(), 32, 16, frame.data()));
  EXPECT_FALSE(decoder.decode(jpeg.data(), 0, 16, 16, frame.data()));
}
