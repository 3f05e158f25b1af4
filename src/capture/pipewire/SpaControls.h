#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "capture/CameraSettings.h"

struct spa_pod;

// Adds the control that one PropInfo pod of a node describes: an integer range becomes a
// slider, a boolean a check box, an integer enumeration a menu. Other kinds are skipped.
void appendPodControl(const void* pod, std::size_t length, std::vector<CameraControl>& controls);
// Takes the current values of the known controls from a Props pod.
void takePodValues(const void* pod, std::size_t length, std::vector<CameraControl>& controls);
// Writes a Props pod setting `control` to `value`; null when the buffer is too small.
const spa_pod* buildControlPod(const CameraControl& control, int value, std::uint8_t* buffer,
                               std::size_t size);
