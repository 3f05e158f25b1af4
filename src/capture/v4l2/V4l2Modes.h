#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "capture/CameraSettings.h"
#include "capture/PictureGeometry.h"
#include "capture/v4l2/V4l2Io.h"

// The format a driver actually agreed to, which may differ from the one asked for.
struct NegotiatedFormat {
  std::uint32_t pixelFormat = 0;
  PictureGeometry geometry;
};

// True when the opened node captures video by streaming; `card` then holds its card name.
// Metadata and output nodes of the same camera answer false.
bool queryCaptureCard(V4l2Io& io, int fd, std::string& card);

// Every pixel format, frame size and frame rate of the camera that we can convert.
std::vector<CameraMode> listCameraModes(V4l2Io& io, int fd);

// Sets the capture format and frame rate. A busy device, a refused format or one we cannot
// convert (checkPicture() refuses the driver's answer) give CaptureError::Connection; a
// refused rate is not an error.
CaptureError applyCameraMode(V4l2Io& io, int fd, const CameraMode& mode,
                             NegotiatedFormat& negotiated);
