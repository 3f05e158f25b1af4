#include "capture/decode/FrameConverter.h"

#include "capture/FrameImage.h"

void FrameConverter::configure(std::uint32_t pixelFormat, int newWidth, int newHeight,
                               int newStride) {
  layout = pixelLayoutOf(pixelFormat);
  width = newWidth;
  height = newHeight;
  stride = newStride;
  image.assign(frameBytes(width, height), 0);
}

bool FrameConverter::convert(const std::uint8_t* picture, std::size_t length) {
  if (!usable()) return false;
  if (layout == PixelLayout::MJPEG) return jpeg.decode(picture, length, width, height, image.data());
  return convertPicture(layout, picture, length, width, height, stride, image.data());
}
