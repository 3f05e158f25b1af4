#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "capture/FrameSource.h"

// A pixel format code as the camera names it: four characters, the first in the low byte.
constexpr std::uint32_t fourcc(char a, char b, char c, char d) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(a)) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(d)) << 24;
}

// One way the camera can deliver pictures: pixel format, size and frame interval.
struct CameraMode {
  std::uint32_t pixelFormat = 0;   // fourcc
  std::string formatName;          // the driver's description, for the format dialog
  int width = 0;                   // px
  int height = 0;                  // px
  std::uint32_t intervalNumerator = 0;    // s per frame = numerator / denominator;
  std::uint32_t intervalDenominator = 0;  // 0 / 0 when the driver names no rate

  double framesPerSecond() const {
    return intervalNumerator == 0 ? 0.0 : double(intervalDenominator) / intervalNumerator;
  }
  // Same format, size and rate (the description does not count).
  bool sameAs(const CameraMode& other) const {
    return pixelFormat == other.pixelFormat && width == other.width && height == other.height &&
           intervalNumerator == other.intervalNumerator &&
           intervalDenominator == other.intervalDenominator;
  }
};

// One of the camera's own picture controls (brightness, exposure, power-line frequency…).
struct CameraControl {
  enum class Kind { Slider, CheckBox, Menu };
  std::uint32_t id = 0;
  Kind kind = Kind::Slider;
  std::string name;
  int minimum = 0;
  int maximum = 0;
  int step = 1;
  int defaultValue = 0;
  int value = 0;
  bool readOnly = false;
  std::vector<std::pair<int, std::string>> menu;  // value and label, menus only
};

// The settings a camera offers beside its pictures. Mode changes need a stopped source;
// controls take effect at once, while pictures flow.
class CameraSettings {
 public:
  virtual ~CameraSettings() = default;
  virtual std::vector<CameraMode> modes() = 0;
  virtual CameraMode mode() const = 0;
  // Switches to `mode` (the source must be stopped); the format is read again afterwards.
  virtual CaptureError setMode(const CameraMode& mode) = 0;
  virtual std::vector<CameraControl> controls() = 0;
  virtual bool setControl(std::uint32_t id, int value) = 0;
};
