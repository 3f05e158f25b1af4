#include "capture/decode/FrameConverter.h"

#include "capture/FrameImage.h"
#include "capture/PixelConverters.h"

void FrameConverter::configure(const PictureGeometry& checked) {
  geometry = checked;
  image.assign(frameBytes(geometry.width, geometry.height), 0);
}

bool FrameConverter::convert(const std::uint8_t* picture, std::size_t length) {
  if (!usable()) return false;
  if (geometry.layout == PixelLayout::MJPEG)
    return jpeg.decode(picture, length, geometry.width, geometry.height, image.data());
  return convertPicture(geometry, picture, length, image.data());
}
