#include "capture/decode/JpegDecoder.h"

#include <turbojpeg.h>

#include "capture/FrameImage.h"

JpegDecoder::JpegDecoder() : handle(tjInitDecompress()) {}

JpegDecoder::~JpegDecoder() {
  if (handle != nullptr) tjDestroy(handle);
}

bool JpegDecoder::decode(const std::uint8_t* jpeg, std::size_t length, int width, int height,
                         std::uint8_t* frame) {
  if (handle == nullptr || jpeg == nullptr || length == 0) return false;
  int jpegWidth = 0;
  int jpegHeight = 0;
  int subsampling = 0;
  int colourspace = 0;
  if (tjDecompressHeader3(handle, jpeg, static_cast<unsigned long>(length), &jpegWidth,
                          &jpegHeight, &subsampling, &colourspace) != 0)
    return false;
  if (jpegWidth != width || jpegHeight != height) return false;
  // BGRA rather than BGRX: libturbojpeg then promises 255 in the fourth byte.
  // A warning (premature end of data, corrupt entropy) also gives -1: drop those frames too.
  return tjDecompress2(handle, jpeg, static_cast<unsigned long>(length), frame, width,
                       width * framePixelBytes, height, TJPF_BGRA,
                       TJFLAG_FASTDCT | TJFLAG_FASTUPSAMPLE) == 0;
}
