#include "capture/FrameImage.h"

#include <cstring>

#if defined(__x86_64__)
#include <tmmintrin.h>
#endif

namespace {

// Pixels x ∈ [from, to) of one row, pixel by pixel. Inner pixels move as one 4-byte load
// and store: the extra byte read belongs to the next source pixel and the extra byte
// written is overwritten by the next destination pixel, so neither leaves the row.
void mirrorPixels(const std::uint8_t* srcRow, std::uint8_t* dst, int width, int from, int to) {
  for (int x = from; x < to; ++x) {
    const std::uint8_t* src = srcRow + (width - 1 - x) * 3;
    if (x + 1 < width && x > 0) {
      std::uint32_t pixel;
      std::memcpy(&pixel, src, 4);
      std::memcpy(dst + x * 3, &pixel, 4);
    } else {
      std::memcpy(dst + x * 3, src, 3);
    }
  }
}

#if defined(__x86_64__)
// Four pixels at a time with one byte shuffle. Each 16-byte load and store reaches 4 bytes
// past its 12: the load into the source pixel to the right (present from x = 2 on), the
// store into destination pixels that later groups or the tail overwrite (so x + 6 ≤ width).
__attribute__((target("ssse3"))) int mirrorGroups(const std::uint8_t* srcRow, std::uint8_t* dst,
                                                  int width) {
  const __m128i reverse = _mm_setr_epi8(9, 10, 11, 6, 7, 8, 3, 4, 5, 0, 1, 2, -1, -1, -1, -1);
  int x = 2;
  for (; x + 6 <= width; x += 4) {
    const __m128i four =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(srcRow + (width - 4 - x) * 3));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + x * 3), _mm_shuffle_epi8(four, reverse));
  }
  return x;
}

bool hasSsse3() {
  static const bool has = __builtin_cpu_supports("ssse3");
  return has;
}
#endif

void mirrorRow(const std::uint8_t* srcRow, std::uint8_t* dst, int width) {
#if defined(__x86_64__)
  if (hasSsse3() && width >= 8) {
    mirrorPixels(srcRow, dst, width, 0, 2);
    mirrorPixels(srcRow, dst, width, mirrorGroups(srcRow, dst, width), width);
    return;
  }
#endif
  mirrorPixels(srcRow, dst, width, 0, width);
}

}  // namespace

void mirrorFrame(const std::uint8_t* source, std::uint8_t* destination, int width, int height) {
  if (width <= 0 || height <= 0) return;
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
  for (int row = 0; row < height; ++row)
    mirrorRow(source + row * rowBytes, destination + row * rowBytes, width);
}
