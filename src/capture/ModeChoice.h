#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "capture/CameraSettings.h"

// The mode a camera opens with, among the `offered` modes we can convert: `remembered` (the
// last choice of the format dialog) when it is offered; else 640 × 480, or failing that the
// largest size below it (the smallest size when all are larger), at its highest rate.
// Above 640 × 480 MJPEG is preferred, since raw YUYV at 720p starves USB 2.0 down to 10
// frames per second or less; up to 640 × 480 an uncompressed format wins a tie, as it needs
// no decoding. Returns an index into `offered`, or -1 when nothing is offered.
int chooseCameraMode(const std::vector<CameraMode>& offered, const CameraMode* remembered);

// The mode last chosen for each camera name during this run, so that a camera opened again
// starts in the mode the player left it in. Every camera provider keeps one.
class ModeMemory {
 public:
  // The remembered mode of `cameraName`; null when none was chosen yet.
  const CameraMode* recalled(const std::string& cameraName) const;
  // A hook for the camera's source that remembers each mode it settles on.
  std::function<void(const CameraMode&)> keeperFor(const std::string& cameraName);

 private:
  std::map<std::string, CameraMode> modes;
};
