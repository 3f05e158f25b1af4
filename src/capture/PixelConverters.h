#pragma once
#include <cstddef>
#include <cstdint>

#include "capture/PictureGeometry.h"

// Turns one top-down camera picture of a checked geometry into a FrameImage of the same size
// (blue, green, red, 255; top row first). YUV is read as BT.601 limited range, GREY as it
// is. False, with `frame` untouched, for MJPEG or a picture shorter than the geometry's bytes.
bool convertPicture(const PictureGeometry& geometry, const std::uint8_t* picture,
                    std::size_t length, std::uint8_t* frame);
