#pragma once
#include <cstddef>
#include <cstdint>

// The picture layouts a camera may deliver that we turn into FrameImages.
enum class PixelLayout { Unsupported, YUYV, UYVY, NV12, YUV420, GREY, RGB24, BGR24, MJPEG };

PixelLayout pixelLayoutOf(std::uint32_t fourcc);

// Bytes of the shortest row that holds `width` pixels of `layout` (the luma row for the
// planar layouts); 0 for MJPEG and unsupported layouts.
std::size_t minimumStride(PixelLayout layout, int width);

// Bytes a top-down picture of `layout` needs with `stride` bytes per (luma) row; 0 when the
// stride is too short for the width, or for MJPEG, whose length varies.
std::size_t pictureBytes(PixelLayout layout, int width, int height, int stride);

// Turns one top-down camera picture into a FrameImage of the same size: blue, green, red,
// rows of exactly 3 × width bytes, bottom row first. YUV is read as BT.601 limited range.
// False, with `frame` untouched, for MJPEG, an unsupported layout or a picture shorter than
// pictureBytes().
bool convertPicture(PixelLayout layout, const std::uint8_t* picture, std::size_t length,
                    int width, int height, int stride, std::uint8_t* frame);
