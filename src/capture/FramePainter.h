#pragma once
#include <cstdint>

#include "capture/FrameSource.h"

// Makes the pictures of a device that needs no camera (the demo camera, a replay file). A
// PacedSource runs it on its own thread at its rate; the headless runner steps it itself.
class FramePainter {
 public:
  virtual ~FramePainter() = default;
  virtual FrameFormat format() const = 0;
  virtual double framesPerSecond() const = 0;
  // The next frame into a FrameImage of format() (FrameImage.h: top row first); false when
  // none can be had (a replay file that became unreadable). Allocates nothing.
  virtual bool paint(std::uint8_t* frame) = 0;
  // See FrameSource::automaticPlayer; a replayed file is played by whoever was recorded.
  virtual bool automaticPlayer() const { return false; }
};
