#pragma once
#include <vector>

#include "capture/CameraSettings.h"

// The mode a camera opens with, among the `offered` modes we can convert: `remembered` (the
// last choice of the format dialog) when it is offered; else 640 × 480, or failing that the
// largest size below it (the smallest size when all are larger), at its highest rate.
// Above 640 × 480 MJPEG is preferred, since raw YUYV at 720p starves USB 2.0 down to 10
// frames per second or less; up to 640 × 480 an uncompressed format wins a tie, as it needs
// no decoding. Returns an index into `offered`, or -1 when nothing is offered.
int chooseCameraMode(const std::vector<CameraMode>& offered, const CameraMode* remembered);
