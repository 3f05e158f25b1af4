#include "capture/PixelConverters.h"

#include <algorithm>
#include <cstring>

#include "capture/CameraSettings.h"

namespace {

using Byte = std::uint8_t;

// BT.601 limited range in 8.8 fixed point, from tables: a lookup costs half of the
// multiply-and-clamp per channel. Sums stay within ±1024 after the shift, which the clamp
// table covers.
struct YuvTables {
  int luma[256];       // 298 (Y − 16) + 128, the rounding included once
  int blueU[256];      // 516 (U − 128)
  int greenU[256];     // −100 (U − 128)
  int greenV[256];     // −208 (V − 128)
  int redV[256];       // 409 (V − 128)
  Byte clamp[2048];    // index value + 1024

  constexpr YuvTables() {
    for (int i = 0; i < 256; ++i) {
      luma[i] = 298 * (i - 16) + 128;
      blueU[i] = 516 * (i - 128);
      greenU[i] = -100 * (i - 128);
      greenV[i] = -208 * (i - 128);
      redV[i] = 409 * (i - 128);
    }
    for (int i = 0; i < 2048; ++i) clamp[i] = static_cast<Byte>(std::clamp(i - 1024, 0, 255));
  }
};

constexpr YuvTables yuv;

inline Byte clampShifted(int value) { return yuv.clamp[(value >> 8) + 1024]; }

// The chroma terms of one (U, V) pair, shared by the pixels that carry that pair.
struct Chroma {
  int red;
  int green;
  int blue;
};

inline Chroma chromaOf(int u, int v) {
  return {yuv.redV[v], yuv.greenU[u] + yuv.greenV[v], yuv.blueU[u]};
}

inline void putPixel(Byte* out, int y, const Chroma& c) {
  const int luma = yuv.luma[y];
  out[0] = clampShifted(luma + c.blue);
  out[1] = clampShifted(luma + c.green);
  out[2] = clampShifted(luma + c.red);
}

// One row of packed 4:2:2 (two pixels in four bytes); the offsets say where Y0, U, Y1 and V
// sit in each group, so YUYV and UYVY share the loop.
template <int Y0, int U, int Y1, int V>
void packedRow(const Byte* in, Byte* out, int width) {
  int x = 0;
  for (; x + 1 < width; x += 2, in += 4, out += 6) {
    const Chroma c = chromaOf(in[U], in[V]);
    putPixel(out, in[Y0], c);
    putPixel(out + 3, in[Y1], c);
  }
  if (x < width) putPixel(out, in[Y0], chromaOf(in[U], in[V]));
}

// One row of 4:2:0: luma at full width, U and V at half width from `u` and `v`, stepping
// `chromaStep` bytes per pair (1 for planar, 2 for NV12's interleaved plane).
void planarRow(const Byte* luma, const Byte* u, const Byte* v, int chromaStep, Byte* out,
               int width) {
  for (int x = 0; x < width; x += 2, u += chromaStep, v += chromaStep) {
    const Chroma c = chromaOf(*u, *v);
    putPixel(out + 3 * x, luma[x], c);
    if (x + 1 < width) putPixel(out + 3 * x + 3, luma[x + 1], c);
  }
}

void greyRow(const Byte* in, Byte* out, int width) {
  for (int x = 0; x < width; ++x, out += 3) out[0] = out[1] = out[2] = in[x];
}

void rgbRow(const Byte* in, Byte* out, int width) {
  for (int x = 0; x < width; ++x, in += 3, out += 3) {
    out[0] = in[2];
    out[1] = in[1];
    out[2] = in[0];
  }
}

int chromaRows(int height) { return (height + 1) / 2; }
int planarChromaStride(int stride) { return (stride + 1) / 2; }

}  // namespace

PixelLayout pixelLayoutOf(std::uint32_t code) {
  switch (code) {
    case fourcc('Y', 'U', 'Y', 'V'): return PixelLayout::YUYV;
    case fourcc('U', 'Y', 'V', 'Y'): return PixelLayout::UYVY;
    case fourcc('N', 'V', '1', '2'): return PixelLayout::NV12;
    case fourcc('Y', 'U', '1', '2'): return PixelLayout::YUV420;
    case fourcc('G', 'R', 'E', 'Y'): return PixelLayout::GREY;
    case fourcc('R', 'G', 'B', '3'): return PixelLayout::RGB24;
    case fourcc('B', 'G', 'R', '3'): return PixelLayout::BGR24;
    case fourcc('M', 'J', 'P', 'G'):
    case fourcc('J', 'P', 'E', 'G'): return PixelLayout::MJPEG;
    default: return PixelLayout::Unsupported;
  }
}

std::size_t minimumStride(PixelLayout layout, int width) {
  switch (layout) {
    case PixelLayout::YUYV:
    case PixelLayout::UYVY: return static_cast<std::size_t>((width + 1) / 2) * 4;
    case PixelLayout::RGB24:
    case PixelLayout::BGR24: return static_cast<std::size_t>(width) * 3;
    case PixelLayout::NV12: return static_cast<std::size_t>((width + 1) / 2) * 2;
    case PixelLayout::YUV420:
    case PixelLayout::GREY: return static_cast<std::size_t>(width);
    case PixelLayout::MJPEG:
    case PixelLayout::Unsupported: break;
  }
  return 0;
}

std::size_t pictureBytes(PixelLayout layout, int width, int height, int stride) {
  const std::size_t needed = minimumStride(layout, width);
  if (width <= 0 || height <= 0 || needed == 0 || static_cast<std::size_t>(stride) < needed)
    return 0;
  const std::size_t luma = static_cast<std::size_t>(stride) * static_cast<std::size_t>(height);
  switch (layout) {
    case PixelLayout::NV12:
      return luma + static_cast<std::size_t>(stride) * chromaRows(height);
    case PixelLayout::YUV420:
      return luma + 2 * static_cast<std::size_t>(planarChromaStride(stride)) * chromaRows(height);
    default: return luma;
  }
}

bool convertPicture(PixelLayout layout, const std::uint8_t* picture, std::size_t length,
                    int width, int height, int stride, std::uint8_t* frame) {
  const std::size_t needed = pictureBytes(layout, width, height, stride);
  if (needed == 0 || length < needed) return false;
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
  const Byte* lumaPlane = picture;
  const Byte* chromaPlane = picture + static_cast<std::size_t>(stride) * height;
  const std::size_t chromaStride = planarChromaStride(stride);
  const std::size_t planeBytes = chromaStride * chromaRows(height);
  for (int row = 0; row < height; ++row) {
    const Byte* in = lumaPlane + static_cast<std::size_t>(row) * stride;
    Byte* out = frame + static_cast<std::size_t>(height - 1 - row) * rowBytes;
    switch (layout) {
      case PixelLayout::YUYV: packedRow<0, 1, 2, 3>(in, out, width); break;
      case PixelLayout::UYVY: packedRow<1, 0, 3, 2>(in, out, width); break;
      case PixelLayout::NV12: {
        const Byte* uv = chromaPlane + static_cast<std::size_t>(row / 2) * stride;
        planarRow(in, uv, uv + 1, 2, out, width);
        break;
      }
      case PixelLayout::YUV420: {
        const Byte* u = chromaPlane + static_cast<std::size_t>(row / 2) * chromaStride;
        planarRow(in, u, u + planeBytes, 1, out, width);
        break;
      }
      case PixelLayout::GREY: greyRow(in, out, width); break;
      case PixelLayout::RGB24: rgbRow(in, out, width); break;
      case PixelLayout::BGR24: std::memcpy(out, in, rowBytes); break;
      case PixelLayout::MJPEG:
      case PixelLayout::Unsupported: return false;
    }
  }
  return true;
}
