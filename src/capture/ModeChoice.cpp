#include "capture/ModeChoice.h"

#include "capture/PictureGeometry.h"

namespace {

constexpr long defaultArea = 640L * 480L;

long areaOf(const CameraMode& mode) { return long(mode.width) * mode.height; }

// The size to open with: 640 × 480 if offered, else the largest below, else the smallest.
long targetArea(const std::vector<CameraMode>& offered) {
  long below = 0;
  long smallest = 0;
  for (const CameraMode& mode : offered) {
    const long area = areaOf(mode);
    if (area <= defaultArea && area > below) below = area;
    if (smallest == 0 || area < smallest) smallest = area;
  }
  return below != 0 ? below : smallest;
}

bool isCompressed(const CameraMode& mode) {
  return pixelLayoutOf(mode.pixelFormat) == PixelLayout::MJPEG;
}

// True when `candidate` is a better pick than `best` among modes of one size.
bool betterMode(const CameraMode& candidate, const CameraMode& best, bool large) {
  if (large && isCompressed(candidate) != isCompressed(best)) return isCompressed(candidate);
  if (candidate.framesPerSecond() != best.framesPerSecond())
    return candidate.framesPerSecond() > best.framesPerSecond();
  return !isCompressed(candidate) && isCompressed(best);
}

}  // namespace

int chooseCameraMode(const std::vector<CameraMode>& offered, const CameraMode* remembered) {
  if (remembered != nullptr) {
    for (std::size_t i = 0; i < offered.size(); ++i)
      if (offered[i].sameAs(*remembered)) return static_cast<int>(i);
  }
  const long area = targetArea(offered);
  const bool large = area > defaultArea;
  int chosen = -1;
  for (std::size_t i = 0; i < offered.size(); ++i) {
    if (areaOf(offered[i]) != area) continue;
    if (chosen < 0 || betterMode(offered[i], offered[chosen], large)) chosen = static_cast<int>(i);
  }
  return chosen;
}

const CameraMode* ModeMemory::recalled(const std::string& cameraName) const {
  const auto found = modes.find(cameraName);
  return found != modes.end() ? &found->second : nullptr;
}

std::function<void(const CameraMode&)> ModeMemory::keeperFor(const std::string& cameraName) {
  return [this, cameraName](const CameraMode& mode) { modes[cameraName] = mode; };
}
