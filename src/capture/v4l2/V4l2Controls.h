#pragma once
#include <cstdint>
#include <vector>

#include "capture/CameraSettings.h"
#include "capture/v4l2/V4l2Io.h"

// The camera's user controls that a dialog can show: integers as sliders, booleans as
// check boxes, menus and integer menus as lists; disabled ones and buttons are left out.
std::vector<CameraControl> listCameraControls(V4l2Io& io, int fd);

bool setCameraControl(V4l2Io& io, int fd, std::uint32_t id, int value);
